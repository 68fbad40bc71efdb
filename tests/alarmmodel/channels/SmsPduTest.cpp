// PDU vectors worked out by hand from 3GPP TS 23.040 (SMS-SUBMIT, user data header, fill
// bits) and TS 23.038 (default alphabet, extension table, septet packing).
#include "alarmmodel/channels/SendSMS.h"

#include <gtest/gtest.h>

namespace
{
CStringA Mapped(const wchar_t* text, BOOL* pbAll = nullptr)
{
    CStringA septets;
    BOOL bAll = CSendSMS::MapToGsmAlphabet(text, septets);
    if (pbAll)
        *pbAll = bAll;
    return septets;
}

std::string Hex(const CStringA& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (int i = 0; i < bytes.GetLength(); ++i)
    {
        unsigned char b = (unsigned char)bytes[i];
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
    return out;
}

std::vector<CStringA> Pdus7(const wchar_t* text, const wchar_t* number, int reference = 5)
{
    std::vector<CStringA> pdus;
    CSendSMS::Make7BitPdus(Mapped(text), number, reference, pdus);
    return pdus;
}

std::vector<CStringA> PdusUcs2(const CString& text, const wchar_t* number, int reference = 5)
{
    std::vector<CStringA> pdus;
    CSendSMS::MakeUcs2Pdus(text, number, reference, pdus);
    return pdus;
}
} // namespace

TEST(GsmAlphabet, DefaultTableCodesInStandardOrder)
{
    // The first row of the default alphabet, '@' held as 0x80.
    EXPECT_EQ(Hex(Mapped(L"@\u00A3$\u00A5\u00E8\u00E9\u00F9\u00EC\u00F2\u00C7")), "80010203040506070809");
    EXPECT_EQ(Hex(Mapped(L"\u00D8\u00F8\u00C5\u00E5_")), "0B0C0E0F11");
    // Greek capitals that have their own code.
    EXPECT_EQ(Hex(Mapped(L"\u0394\u03A6\u0393\u039B\u03A9\u03A0\u03A8\u03A3\u0398\u039E")), "1012131415161718191A");
    EXPECT_EQ(Hex(Mapped(L"\u00C6\u00E6\u00DF\u00C9\u00A4\u00A1\u00BF")), "1C1D1E1F244060");
    EXPECT_EQ(Hex(Mapped(L"\u00C4\u00D6\u00D1\u00DC\u00A7\u00E4\u00F6\u00F1\u00FC\u00E0")), "5B5C5D5E5F7B7C7D7E7F");
    // Greek capitals that look like Latin ones take the Latin code.
    EXPECT_EQ(Hex(Mapped(L"\u0391\u0392\u0395\u0397\u03A4")), "4142454854");
    EXPECT_EQ(Hex(Mapped(L"Az09 !\"#%&'()*+,-./:;<=>?\r\n")), "417A30392021222325262728292A2B2C2D2E2F3A3B3C3D3E3F0D0A");
}

TEST(GsmAlphabet, ExtensionTableGoesOutAsEscapePairs)
{
    BOOL bAll = FALSE;
    EXPECT_EQ(Hex(Mapped(L"\f[\\]^{|}~\u20AC", &bAll)), "1B0A1B3C1B2F1B3E1B141B281B401B291B3D1B65");
    EXPECT_TRUE(bAll);
    EXPECT_EQ(Hex(Mapped(L"a[b")), "611B3C62");
}

TEST(GsmAlphabet, CharactersWithoutGsmFormAreReported)
{
    BOOL bAll = TRUE;
    EXPECT_EQ(Hex(Mapped(L"a`b", &bAll)), "6162");
    EXPECT_FALSE(bAll);
    Mapped(L"\u041F\u0440\u0438\u0432\u0435\u0442", &bAll); // Cyrillic
    EXPECT_FALSE(bAll);
    Mapped(L"\u4F60\u597D", &bAll); // Chinese
    EXPECT_FALSE(bAll);
    Mapped(L"tab\there", &bAll);
    EXPECT_FALSE(bAll);
    Mapped(L"", &bAll);
    EXPECT_TRUE(bAll);
}

TEST(SeptetPacking, PublishedVectors)
{
    EXPECT_EQ(CSendSMS::PackSeptets("hellohello"), "E8329BFD4697D9EC37");
    // Eight septets fill seven octets exactly.
    EXPECT_EQ(CSendSMS::PackSeptets("12345678"), "31D98C56B3DD70");
    EXPECT_EQ(CSendSMS::PackSeptets(""), "");
    // The held '@' goes out as the code 0x00.
    EXPECT_EQ(CSendSMS::PackSeptets(Mapped(L"@@")), "0000");
}

TEST(SmsPdu, SinglePartSevenBitToInternationalNumber)
{
    std::vector<CStringA> pdus = Pdus7(L"Hello", L"+12345");
    ASSERT_EQ(pdus.size(), 1u);
    // No SMSC, SUBMIT+VPF relative+UDHI, MR 0, 5 digits international, PID 0, DCS 0, 4 days,
    // 12 septets (7 for header and fill bit), header 1 of 1, then "Hello" after one fill bit.
    EXPECT_EQ(pdus[0], "005100059121" "43F50000AA0C" "05000305" "0101" "906536FB0D" "\x1A");
    EXPECT_EQ(CSendSMS::PduOctetCount(pdus[0]), 22);
    // "00" in front is the same international prefix as "+".
    EXPECT_EQ(Pdus7(L"Hello", L"0012345")[0], pdus[0]);
}

TEST(SmsPdu, NationalNumberAndEscapePair)
{
    std::vector<CStringA> pdus = Pdus7(L"a[b", L"123", 0x1F);
    ASSERT_EQ(pdus.size(), 1u);
    EXPECT_EQ(pdus[0], "00510003A121F30000AA0B0500031F0101C21B9E18\x1A");
    EXPECT_EQ(CSendSMS::PduOctetCount(pdus[0]), 20);
}

TEST(SmsPdu, ConcatenatedSevenBitParts)
{
    // 150 septets still fit one part.
    std::vector<CStringA> one = Pdus7(std::wstring(150, L'A').c_str(), L"+12345");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].Mid(22, 14), "9D050003050101");

    // 151 septets: 150 and 1, both with the same reference.
    std::vector<CStringA> two = Pdus7(std::wstring(151, L'A').c_str(), L"+12345", 0xA7);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].Left(36), "00510005912143F50000AA9D0500" "03A70201");
    // After the fill bit the 'A's repeat in a seven-octet pattern.
    EXPECT_EQ(two[0].Mid(36, 30), "82C16030180C0683C16030180C0683");
    // 49 + 150 * 7 bits of user data: 138 octets, 132 after the header.
    EXPECT_EQ(two[0].GetLength(), 36 + 264 + 1);
    EXPECT_EQ(two[1], "00510005912143F50000AA08050003A7020282\x1A");
}

TEST(SmsPdu, EscapePairIsNeverSplitAcrossParts)
{
    // 149 letters and '[': the pair would straddle septets 150 and 151.
    std::wstring text(149, L'A');
    text += L'[';
    std::vector<CStringA> pdus = Pdus7(text.c_str(), L"+12345");
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[0].Mid(22, 14), "9C050003050201");
    EXPECT_EQ(pdus[1], "00510005912143F50000AA090500030502" "02363C\x1A");
}

TEST(SmsPdu, EmptyTextMakesNoPart)
{
    EXPECT_TRUE(Pdus7(L"", L"+12345").empty());
    EXPECT_TRUE(PdusUcs2(L"", L"+12345").empty());
}

TEST(SmsPdu, Ucs2Parts)
{
    // Cyrillic to a national number of odd length.
    std::vector<CStringA> pdus = PdusUcs2(L"\u041F\u0440\u0438\u0432\u0435\u0442", L"0791234", 0x42);
    ASSERT_EQ(pdus.size(), 1u);
    EXPECT_EQ(pdus[0], "00510007A1701932F40008AA12050003420101"
                       "041F0440043804320435" "0442\x1A");
    EXPECT_EQ(CSendSMS::PduOctetCount(pdus[0]), 30);

    // 68 characters: 67 and 1.
    std::vector<CStringA> two = PdusUcs2(CString(L'`', 68), L"+41", 1);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].Left(32), "0051000291140008AA8C050003010201");
    EXPECT_EQ(two[0].GetLength(), 32 + 67 * 4 + 1);
    EXPECT_EQ(two[1], "0051000291140008AA08050003010202" "0060\x1A");
}

TEST(SmsPdu, SurrogatePairIsNeverSplitAcrossParts)
{
    CString text(L'\u0411', 66);
    text += L"\xD83D\xDE00"; // one emoji, two UTF-16 units
    std::vector<CStringA> pdus = PdusUcs2(text, L"+41", 9);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[0].Mid(18, 2), "8A"); // 66 characters: 132 + 6 octets
    EXPECT_EQ(pdus[1].Right(23), "0A050003090202D83DDE00\x1A");
}

TEST(SmsPdu, ReferencesDifferFromMessageToMessage)
{
    int first = CSendSMS::NextReference();
    int second = CSendSMS::NextReference();
    EXPECT_NE(first, second);
    EXPECT_GE(first, 0);
    EXPECT_LE(first, 255);
    EXPECT_EQ(Pdus7(L"x", L"+1", 0x1FE)[0].Mid(26, 2), "FE"); // 8-bit reference
}

TEST(SmsNumbers, OnlyDigitsAfterOneLeadingPlus)
{
    EXPECT_TRUE(CSendSMS::IsValidNumber(L"+41791234567"));
    EXPECT_TRUE(CSendSMS::IsValidNumber(L"0791234567"));
    EXPECT_TRUE(CSendSMS::IsValidNumber(L"+12345678901234567890"));
    const wchar_t* bad[] = {L"", L"+", L"00", L"++41", L"41+1", L"079-123", L"12a", L"*100#",
                            L"+123456789012345678901"};
    for (const wchar_t* number : bad)
        EXPECT_FALSE(CSendSMS::IsValidNumber(number)) << CStringA(number).GetString();
}

TEST(SmsNumbers, NumberTextsAreSplitAtEverySeparator)
{
    CStringArray texts;
    texts.Add(L"+41 123;0044:9,777");
    texts.Add(L";;");
    texts.Add(L"555");
    CSendSMS sms(L"COM9", texts, L"x");
    ASSERT_EQ(sms.m_arrNumbers.GetSize(), 6);
    const wchar_t* expected[] = {L"+41", L"123", L"0044", L"9", L"777", L"555"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(sms.m_arrNumbers[i], expected[i]);
}

TEST(SmsPort, MissingPortIsReportedWithItsDevicePath)
{
    CStringArray numbers;
    numbers.Add(L"+41");
    CSendSMS sms(L"COM77", numbers, L"x");
    EXPECT_FALSE(sms.Send());
    ASSERT_EQ(sms.m_arrLog.GetSize(), 2);
    EXPECT_EQ(sms.m_arrLog[0], L"Opening \\\\.\\COM77");
    EXPECT_EQ(sms.m_arrLog[1].Left(7), L"Error: ");
    EXPECT_GT(sms.m_arrLog[1].GetLength(), 8);
}
