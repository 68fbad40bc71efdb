// A rectangle: left and top inside, right and bottom outside.
#pragma once

#include "framework/gdi/CPoint.h"
#include "framework/gdi/CSize.h"

class CRect : public tagRECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& rc) { left = rc.left; top = rc.top; right = rc.right; bottom = rc.bottom; }
    CRect(POINT topLeft, SIZE size)
    {
        left = topLeft.x;
        top = topLeft.y;
        right = left + size.cx;
        bottom = top + size.cy;
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL PtInRect(POINT pt) const { return ::PtInRect(this, pt); }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    bool operator==(const RECT& rc) const { return ::EqualRect(this, &rc) != 0; }
    bool operator!=(const RECT& rc) const { return !(*this == rc); }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};
