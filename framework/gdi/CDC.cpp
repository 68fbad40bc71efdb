#include "framework/gdi/CDC.h"

#include "framework/gdi/CBrush.h"

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC || !hDC)
        return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::DPtoLP(m_hDC, pts, 2);
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
}

void CDC::FillSolidRect(const RECT& rect, COLORREF crColor)
{
    COLORREF crOld = ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, crOld);
}

void CDC::FillRect(const RECT& rect, CBrush* pBrush)
{
    ::FillRect(m_hDC, &rect, (HBRUSH)pBrush->m_hObject);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(m_hDC, str, str.GetLength(), &size);
    return CSize(size);
}
