// The small close button a docked sizing bar draws in its non-client area: 11 x 11 pixels from
// its origin, framed raised while the mouse is over it and sunken while it is pressed.
#pragma once

#include "framework/gdi/CPoint.h"
#include "framework/gdi/CRect.h"

class CBarCloseButton
{
public:
    CBarCloseButton();

    void Move(CPoint ptOrigin) { m_ptOrigin = ptOrigin; }
    // The button's rectangle, relative to the bar's window rectangle.
    CRect GetRect() const { return CRect(m_ptOrigin.x, m_ptOrigin.y, m_ptOrigin.x + 11, m_ptOrigin.y + 11); }
    void Paint(HDC hDC) const;

    BOOL m_bPushed;
    BOOL m_bRaised;
    CPoint m_ptOrigin; // relative to the bar's window rectangle
};
