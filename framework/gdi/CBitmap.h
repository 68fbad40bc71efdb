// A GDI bitmap.
#pragma once

#include "framework/gdi/CGdiObject.h"

class CDC;

class CBitmap : public CGdiObject
{
public:
    // From the program's resources.
    BOOL LoadBitmap(UINT nIDResource)
    { return Attach(::LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDResource))); }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
    { return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits)); }
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof *pBitMap, pBitMap); }
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
};
