// Icons of known pixels for image-list tests, and the pixels an image list draws back.
#pragma once

#include "framework/gdi/CImageList.h"

#include <vector>

// An opaque icon whose left half is crLeft and right half crRight.
inline HICON MakeTwoColourIcon(int cx, int cy, COLORREF crLeft, COLORREF crRight)
{
    std::vector<DWORD> colour((size_t)cx * cy);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
        {
            COLORREF cr = x < cx / 2 ? crLeft : crRight;
            colour[(size_t)y * cx + x] = 0xFF000000 | (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
        }
    std::vector<BYTE> mask((size_t)((cx + 15) / 16 * 2) * cy, 0);
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = CreateBitmap(cx, cy, 1, 32, colour.data());
    info.hbmMask = CreateBitmap(cx, cy, 1, 1, mask.data());
    HICON hIcon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return hIcon;
}

// The colour the list draws at (x, y) of its image nImage over a black background.
inline COLORREF ImagePixel(CImageList& list, int nImage, int x, int y)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = 256;
    bmi.bmiHeader.biHeight = -256;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HDC hDC = CreateCompatibleDC(nullptr);
    HBITMAP hBitmap = CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    ImageList_Draw(list.GetSafeHandle(), nImage, hDC, 0, 0, ILD_NORMAL);
    GdiFlush();
    DWORD dw = ((const DWORD*)pBits)[y * 256 + x];
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
}
