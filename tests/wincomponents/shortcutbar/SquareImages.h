// Image lists of plain coloured squares for the group-list tests.
#pragma once

#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CImageList.h"

// nCount squares of nSize pixels, image i filled with crFill + i * nStep.
inline void MakeSquareImages(CImageList& images, int nSize, int nCount, COLORREF crFill, int nStep = 0)
{
    images.Create(nSize, nSize, ILC_COLOR32 | ILC_MASK, nCount, 4);
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    for (int i = 0; i < nCount; i++)
    {
        CBitmap bitmap;
        bitmap.Attach(::CreateCompatibleBitmap(hScreen, nSize, nSize));
        HGDIOBJ hOld = ::SelectObject(hDC, bitmap.m_hObject);
        CRect rect(0, 0, nSize, nSize);
        HBRUSH hBrush = ::CreateSolidBrush(crFill + (COLORREF)(i * nStep));
        ::FillRect(hDC, &rect, hBrush);
        ::DeleteObject(hBrush);
        ::SelectObject(hDC, hOld);
        images.Add(&bitmap, RGB(255, 0, 255));
    }
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
}
