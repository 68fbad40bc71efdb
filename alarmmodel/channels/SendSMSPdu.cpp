// SMS-SUBMIT PDUs for CSendSMS: GSM 7-bit default alphabet, septet packing, concatenated parts.
#include "alarmmodel/channels/SendSMS.h"

#include <string>

namespace
{
// Septets of one 7-bit part and UTF-16 units of one UCS-2 part; the rest of the 140 octets of
// user data carries the concatenation header.
const int kSeptetsPerPart = 150;
const int kUnitsPerPart = 67;
const int kMaxDigits = 20;
const unsigned char kEscape = 0x1B;
// The code 0x00 ('@') is held as 0x80 so that mapped text stays zero-terminated.
const unsigned char kHeldAt = 0x80;
const char kHex[] = "0123456789ABCDEF";

struct SGsmCode
{
    wchar_t ch;
    unsigned char code;
};

const SGsmCode kSingleCodes[] = {
    {L'$', 0x02},    {L'@', kHeldAt}, {L'_', 0x11},    {0x00A1, 0x40}, {0x00A3, 0x01}, {0x00A4, 0x24},
    {0x00B0, 0x24},  {0x00A5, 0x03},  {0x00A7, 0x5F},  {0x00BF, 0x60}, {0x00C4, 0x5B}, {0x00C5, 0x0E},
    {0x00C6, 0x1C},  {0x00C7, 0x09},  {0x00C9, 0x1F},  {0x00D1, 0x5D}, {0x00D6, 0x5C}, {0x00D8, 0x0B},
    {0x00DC, 0x5E},  {0x00DF, 0x1E},  {0x00E0, 0x7F},  {0x00E4, 0x7B}, {0x00E5, 0x0F}, {0x00E6, 0x1D},
    {0x00E7, 0x09},  {0x00E8, 0x04},  {0x00E9, 0x05},  {0x00EC, 0x07}, {0x00F1, 0x7D}, {0x00F2, 0x08},
    {0x00F6, 0x7C},  {0x00F8, 0x0C},  {0x00F9, 0x06},  {0x00FC, 0x7E},
    // Greek capitals
    {0x0391, 0x41},  {0x0392, 0x42},  {0x0393, 0x13},  {0x0394, 0x10}, {0x0395, 0x45}, {0x0396, 0x5A},
    {0x0397, 0x48},  {0x0398, 0x19},  {0x0399, 0x49},  {0x039A, 0x4B}, {0x039B, 0x14}, {0x039C, 0x4D},
    {0x039D, 0x4E},  {0x039E, 0x1A},  {0x039F, 0x4F},  {0x03A0, 0x16}, {0x03A1, 0x50}, {0x03A3, 0x18},
    {0x03A4, 0x54},  {0x03A5, 0x55},  {0x03A6, 0x12},  {0x03A7, 0x58}, {0x03A8, 0x17}, {0x03A9, 0x15},
};

// Characters of the extension table, sent as the escape code followed by this code.
const SGsmCode kEscapedCodes[] = {
    {L'\f', 0x0A}, {L'[', 0x3C}, {L'\\', 0x2F}, {L']', 0x3E}, {L'^', 0x14},
    {L'{', 0x28},  {L'|', 0x40}, {L'}', 0x29},  {L'~', 0x3D}, {0x20AC, 0x65},
};

// Two upper-case hex digits; built by hand because formatting costs more than the whole
// encoding of a part.
void AppendHexOctet(CStringA& strText, unsigned nOctet)
{
    strText += kHex[(nOctet >> 4) & 0x0F];
    strText += kHex[nOctet & 0x0F];
}

BOOL PassesUnchanged(wchar_t ch)
{
    return ch == L'\n' || ch == L'\r' || (ch >= 0x20 && ch <= 0x23) || (ch >= 0x25 && ch <= 0x3F) ||
           (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}

int FindCode(const SGsmCode* table, size_t count, wchar_t ch)
{
    for (size_t i = 0; i < count; ++i)
        if (table[i].ch == ch)
            return table[i].code;
    return -1;
}

// The type of address and the digits of a destination number; FALSE for anything but digits
// after an optional "+" (or "00") international prefix.
BOOL SplitNumber(const CString& strNumber, const char*& pszType, CStringA& strDigits)
{
    CString digits = strNumber;
    pszType = "A1";
    if (digits.Left(1) == L"+")
    {
        digits = digits.Mid(1);
        pszType = "91";
    }
    else if (digits.Left(2) == L"00")
    {
        digits = digits.Mid(2);
        pszType = "91";
    }
    if (digits.IsEmpty() || digits.GetLength() > kMaxDigits)
        return FALSE;
    for (int i = 0; i < digits.GetLength(); ++i)
        if (digits[i] < L'0' || digits[i] > L'9')
            return FALSE;
    strDigits = CStringA(digits);
    return TRUE;
}

// The fields in front of the user data length: no service centre, SMS-SUBMIT with relative
// validity and a user data header, the destination, protocol, coding and 4 days validity.
CStringA PduPrefix(const CString& strNumber, const char* pszCoding)
{
    const char* pszType = "A1";
    CStringA digits;
    SplitNumber(strNumber, pszType, digits);
    CStringA semiOctets = digits;
    if (semiOctets.GetLength() % 2)
        semiOctets += 'F';
    for (int i = 0; i + 1 < semiOctets.GetLength(); i += 2)
    {
        char first = semiOctets[i];
        semiOctets.SetAt(i, semiOctets[i + 1]);
        semiOctets.SetAt(i + 1, first);
    }
    CStringA prefix("005100");
    AppendHexOctet(prefix, (unsigned)digits.GetLength());
    prefix += pszType;
    prefix += semiOctets;
    prefix += "00";
    prefix += pszCoding;
    prefix += "AA";
    return prefix;
}

// The user data length, then the concatenation header of part nPart of nParts.
void AppendPartHeader(CStringA& strPdu, int nUserDataLength, int nReference, int nParts, int nPart)
{
    AppendHexOctet(strPdu, (unsigned)nUserDataLength);
    strPdu += "050003";
    AppendHexOctet(strPdu, (unsigned)nReference);
    AppendHexOctet(strPdu, (unsigned)nParts);
    AppendHexOctet(strPdu, (unsigned)nPart);
}

// Where the parts of a text of nLength units end: every part takes nPerPart units except the
// last, and fewer when the cut would split a pair that belongs together.
template <typename IsPairStart>
std::vector<int> PartEnds(int nLength, int nPerPart, IsPairStart isPairStart)
{
    std::vector<int> ends;
    int start = 0;
    while (start < nLength)
    {
        int end = start + nPerPart;
        if (end >= nLength)
            end = nLength;
        else if (isPairStart(end - 1))
            --end;
        ends.push_back(end);
        start = end;
    }
    return ends;
}
} // namespace

BOOL CSendSMS::MapToGsmAlphabet(const CString& strText, CStringA& strSeptets)
{
    std::string septets;
    septets.reserve((size_t)strText.GetLength());
    BOOL bAllMapped = TRUE;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        wchar_t ch = strText.GetString()[i];
        int code;
        if (PassesUnchanged(ch))
            septets += (char)ch;
        else if ((code = FindCode(kSingleCodes, sizeof kSingleCodes / sizeof *kSingleCodes, ch)) >= 0)
            septets += (char)code;
        else if ((code = FindCode(kEscapedCodes, sizeof kEscapedCodes / sizeof *kEscapedCodes, ch)) >= 0)
        {
            septets += (char)kEscape;
            septets += (char)code;
        }
        else
            bAllMapped = FALSE;
    }
    strSeptets = CStringA(septets);
    return bAllMapped;
}

CStringA CSendSMS::PackSeptets(const CStringA& strSeptets)
{
    const int n = strSeptets.GetLength();
    const unsigned char* septets = (const unsigned char*)strSeptets.GetString();
    std::string hex;
    hex.reserve((size_t)n * 2);
    for (int p = 0; p < n; ++p)
    {
        int shift = p % 8;
        if (shift == 7)
            continue;
        unsigned current = septets[p] & 0x7F;
        unsigned next = p + 1 < n ? (septets[p + 1] & 0x7F) : 0;
        unsigned octet = ((next << (7 - shift)) | (current >> shift)) & 0xFF;
        hex += kHex[octet >> 4];
        hex += kHex[octet & 0x0F];
    }
    return CStringA(hex);
}

void CSendSMS::Make7BitPdus(const CStringA& strSeptets, const CString& strNumber, int nReference,
                            std::vector<CStringA>& pdus)
{
    pdus.clear();
    std::vector<int> ends = PartEnds(strSeptets.GetLength(), kSeptetsPerPart,
                                     [&](int i) { return (unsigned char)strSeptets[i] == kEscape; });
    const CStringA prefix = PduPrefix(strNumber, "00");
    int start = 0;
    for (size_t k = 0; k < ends.size(); ++k)
    {
        const int nCount = ends[k] - start;
        // Seven blank septets stand for the 6-octet header and its fill bit; packing them in
        // front aligns the text on the first septet boundary after the header.
        CStringA padded(' ', 7);
        padded.Append(strSeptets.GetString() + start, nCount);
        CStringA pdu = prefix;
        AppendPartHeader(pdu, nCount + 7, nReference, (int)ends.size(), (int)k + 1);
        pdu += PackSeptets(padded).GetString() + 12;
        pdu += "\x1A";
        pdus.push_back(std::move(pdu));
        start = ends[k];
    }
}

void CSendSMS::MakeUcs2Pdus(const CString& strText, const CString& strNumber, int nReference,
                            std::vector<CStringA>& pdus)
{
    pdus.clear();
    std::vector<int> ends = PartEnds(strText.GetLength(), kUnitsPerPart,
                                     [&](int i) { return IS_HIGH_SURROGATE(strText[i]); });
    const CStringA prefix = PduPrefix(strNumber, "08");
    int start = 0;
    for (size_t k = 0; k < ends.size(); ++k)
    {
        CStringA pdu = prefix;
        AppendPartHeader(pdu, 2 * (ends[k] - start) + 6, nReference, (int)ends.size(), (int)k + 1);
        for (int i = start; i < ends[k]; ++i)
        {
            AppendHexOctet(pdu, (unsigned)strText[i] >> 8);
            AppendHexOctet(pdu, (unsigned)strText[i]);
        }
        pdu += "\x1A";
        pdus.push_back(std::move(pdu));
        start = ends[k];
    }
}

int CSendSMS::PduOctetCount(const CStringA& strPdu)
{
    // Without the service-centre field "00" and the Ctrl-Z, two hex digits per octet.
    return (strPdu.GetLength() - 3) / 2;
}

BOOL CSendSMS::IsValidNumber(const CString& strNumber)
{
    const char* pszType;
    CStringA digits;
    return SplitNumber(strNumber, pszType, digits);
}

int CSendSMS::NextReference()
{
    // Seeded from the clock so that messages of a restarted console do not repeat the
    // references of the last run.
    static int s_nNext = (int)(GetTickCount() & 0xFF);
    int nReference = s_nNext;
    s_nNext = (s_nNext + 1) & 0xFF;
    return nReference;
}
