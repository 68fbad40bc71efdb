// A device context. A context made with CreateCompatibleDC is deleted by the destructor; one
// handed in with Attach belongs to whoever made it and must be detached again.
#pragma once

#include "framework/gdi/CGdiObject.h"
#include "framework/gdi/CRect.h"
#include "framework/core/CString.h"

class CBrush;

class CDC : public CObject
{
public:
    CDC() : m_hDC(nullptr) {}
    ~CDC() override { DeleteDC(); }

    HDC m_hDC;
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    HGDIOBJ SelectObject(CGdiObject* pObject) { return ::SelectObject(m_hDC, pObject->m_hObject); }
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    HGDIOBJ SelectStockObject(int nIndex) { return ::SelectObject(m_hDC, ::GetStockObject(nIndex)); }

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
    { return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(m_hDC, lpPoints, nCount); }
    // A size: the difference of two converted points.
    void DPtoLP(LPSIZE lpSize) const;
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }
    void FillSolidRect(const RECT& rect, COLORREF crColor);
    void FillRect(const RECT& rect, CBrush* pBrush);
    BOOL TextOut(int x, int y, const CString& str)
    { return ::TextOutW(m_hDC, x, y, str, str.GetLength()); }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
    { return ::DrawTextW(m_hDC, str, str.GetLength(), lpRect, nFormat); }
    CSize GetTextExtent(const CString& str) const;
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }

private:
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
};
