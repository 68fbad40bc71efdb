#include "wincomponents/pictures/CImageBitmap.h"

#include "wincomponents/pictures/CGreyProcessor.h"
#include "wincomponents/pictures/CLightnessProcessor.h"

#include <algorithm>
#include <cstring>

namespace
{
BITMAPINFO TopDownInfo(int nWidth, int nHeight)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = (DWORD)(nWidth * 4 * nHeight);
    return bmi;
}

void SetKey(CPixelProcessor& processor, COLORREF crKey)
{
    processor.SetKeyColor(GetRValue(crKey), GetGValue(crKey), GetBValue(crKey));
}
} // namespace

void CImageBitmap::Fill(std::vector<uint32_t>& pixels) const
{
    if (m_crFill == 0)
        std::fill(pixels.begin(), pixels.end(), 0u);
    else if (m_crFill == 0xFFFFFF || m_crFill == 0xFFFFFFFF)
        std::fill(pixels.begin(), pixels.end(), 0xFFFFFFFFu);
    else
    {
        uint32_t nPixel = ((m_crFill & 0xFF) << 16) | (m_crFill & 0xFF00) | ((m_crFill >> 16) & 0xFF);
        std::fill(pixels.begin(), pixels.end(), nPixel);
    }
}

BOOL CImageBitmap::Process(const std::vector<CPixelProcessor*>& processors)
{
    if (!m_hObject)
        return FALSE;
    if (processors.empty())
        return TRUE;
    BITMAP bm = {};
    if (!GetBitmap(&bm))
        return FALSE;
    int nWidth = bm.bmWidth, nHeight = bm.bmHeight;
    // The buffers hold the largest image of the chain.
    int nMaxWidth = nWidth, nMaxHeight = nHeight;
    for (int w = nWidth, h = nHeight, i = 0; i < (int)processors.size(); ++i)
    {
        processors[i]->GetOutputSize(w, h);
        nMaxWidth = std::max(nMaxWidth, w);
        nMaxHeight = std::max(nMaxHeight, h);
    }
    size_t nPixels = (size_t)nMaxWidth * (size_t)nMaxHeight;
    std::vector<uint32_t> source(nPixels), target(nPixels);

    HDC hScreen = GetDC(nullptr);
    BITMAPINFO bmi = TopDownInfo(nWidth, nHeight);
    BOOL bOK = GetDIBits(hScreen, (HBITMAP)m_hObject, 0, (UINT)nHeight, source.data(), &bmi, DIB_RGB_COLORS) != 0;
    for (size_t i = 0; bOK && i < processors.size(); ++i)
    {
        if (i > 0)
            source.swap(target);
        Fill(target);
        int nOutWidth = nWidth, nOutHeight = nHeight;
        processors[i]->GetOutputSize(nOutWidth, nOutHeight);
        bOK = processors[i]->Process(source.data(), nWidth, nHeight, target.data(), nOutWidth, nOutHeight);
        nWidth = nOutWidth;
        nHeight = nOutHeight;
    }
    if (bOK)
    {
        HBITMAP hNew = ::CreateCompatibleBitmap(hScreen, nWidth, nHeight);
        BITMAPINFO bmiNew = TopDownInfo(nWidth, nHeight);
        if (hNew && SetDIBits(hScreen, hNew, 0, (UINT)nHeight, target.data(), &bmiNew, DIB_RGB_COLORS) != 0)
        {
            DeleteObject();
            Attach(hNew);
        }
        else
        {
            if (hNew)
                ::DeleteObject(hNew);
            bOK = FALSE;
        }
    }
    ReleaseDC(nullptr, hScreen);
    return bOK;
}

BOOL CImageBitmap::MakeDisabled(COLORREF crKey)
{
    CGreyProcessor grey;
    CLightnessProcessor lighter(0.08f);
    SetKey(grey, crKey);
    SetKey(lighter, crKey);
    return Process({&grey, &lighter, &lighter, &lighter});
}

BOOL CImageBitmap::MakeLighter(COLORREF crKey)
{
    CLightnessProcessor lighter(0.04f);
    SetKey(lighter, crKey);
    return Process({&lighter, &lighter});
}
