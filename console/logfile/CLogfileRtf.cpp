#include "console/logfile/CLogfileRtf.h"

#include "framework/gdi/CBitmap.h"

namespace
{
const int nTwipsPerPixel = 15;

void AppendHex(CStringA& strOut, const BYTE* pData, size_t nBytes)
{
    static const char szDigits[] = "0123456789abcdef";
    for (size_t i = 0; i < nBytes; ++i)
    {
        if (i % 64 == 0)
            strOut += "\r\n";
        strOut.AppendChar(szDigits[pData[i] >> 4]);
        strOut.AppendChar(szDigits[pData[i] & 15]);
    }
}
} // namespace

CStringA CLogfileRtf::EscapeText(const CString& strText)
{
    CStringA strOut;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        wchar_t ch = strText[i];
        if (ch == L'\\' || ch == L'{' || ch == L'}')
        {
            strOut.AppendChar('\\');
            strOut.AppendChar((char)ch);
        }
        else if (ch == L'\r')
            strOut += "\\par\r\n";
        else if (ch == L'\t')
            strOut += "\\tab ";
        else if (ch >= 0x20 && ch < 0x7F)
            strOut.AppendChar((char)ch);
        else if (ch > 0x7F)
            strOut.AppendFormat("\\u%d?", (int)(short)ch);
    }
    return strOut;
}

CStringA CLogfileRtf::PictureGroup(UINT nBitmap)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nBitmap))
        return CStringA();
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    BITMAPINFOHEADER header = {sizeof header, bm.bmWidth, bm.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    size_t nStride = ((size_t)bm.bmWidth * 3 + 3) & ~(size_t)3;
    std::vector<BYTE> dib(sizeof header + nStride * (size_t)bm.bmHeight);
    memcpy(dib.data(), &header, sizeof header);
    HDC hScreen = GetDC(nullptr);
    int nLines = GetDIBits(hScreen, bitmap, 0, (UINT)bm.bmHeight, dib.data() + sizeof header,
                           (BITMAPINFO*)dib.data(), DIB_RGB_COLORS);
    ReleaseDC(nullptr, hScreen);
    if (nLines != bm.bmHeight)
        return CStringA();
    // GetDIBits may have filled in the image size; the header written is the one it used.
    CStringA strGroup;
    strGroup.Format("{\\pict\\dibitmap0\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d", bm.bmWidth, bm.bmHeight,
                    bm.bmWidth * nTwipsPerPixel, bm.bmHeight * nTwipsPerPixel);
    AppendHex(strGroup, dib.data(), dib.size());
    strGroup += "}";
    return strGroup;
}

CStringA CLogfileRtf::Build(const CString& strText, const std::vector<Picture>& pictures)
{
    CStringA strRtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern Courier;}}\r\n\\pard\\f0\\fs20 ";
    LONG nFrom = 0;
    for (const Picture& picture : pictures)
    {
        if (picture.first < nFrom || picture.first >= strText.GetLength())
            continue;
        strRtf += EscapeText(strText.Mid(nFrom, picture.first - nFrom));
        strRtf += PictureGroup(picture.second);
        nFrom = picture.first + 1;
    }
    strRtf += EscapeText(strText.Mid(nFrom));
    strRtf += "}\r\n";
    return strRtf;
}
