#include "wincomponents/pictures/Draw3dFrame.h"

namespace
{
void FillLine(HDC hDC, int x, int y, int cx, int cy, COLORREF crColor)
{
    RECT rect = {x, y, x + cx, y + cy};
    ::SetBkColor(hDC, crColor);
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Draw3dFrame(HDC hDC, const CRect& rect, COLORREF crTopLeft, COLORREF crBottomRight)
{
    COLORREF crOld = ::GetBkColor(hDC);
    FillLine(hDC, rect.left, rect.top, rect.Width() - 1, 1, crTopLeft);
    FillLine(hDC, rect.left, rect.top, 1, rect.Height() - 1, crTopLeft);
    FillLine(hDC, rect.right - 1, rect.top, 1, rect.Height(), crBottomRight);
    FillLine(hDC, rect.left, rect.bottom - 1, rect.Width(), 1, crBottomRight);
    ::SetBkColor(hDC, crOld);
}
} // namespace

void DrawRaisedFrame(HDC hDC, const CRect& rect)
{
    Draw3dFrame(hDC, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

void DrawSunkenFrame(HDC hDC, const CRect& rect)
{
    Draw3dFrame(hDC, rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}
