// Where the tests' windows and controls are.
#pragma once

#include "framework/window/CWnd.h"

// The control's rectangle in its parent's client coordinates.
inline CRect ControlRect(CWnd& parent, int nID)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(parent.m_hWnd, nID), &rect);
    ::MapWindowPoints(nullptr, parent.m_hWnd, (LPPOINT)&rect, 2);
    return rect;
}

inline CRect WindowRect(CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

inline bool LiesWithin(const CRect& rect, const CRect& rectOuter)
{
    return rect.left >= rectOuter.left && rect.top >= rectOuter.top && rect.right <= rectOuter.right &&
           rect.bottom <= rectOuter.bottom;
}

// The work area of the screen the window is on.
inline CRect WorkArea(CWnd& wnd)
{
    MONITORINFO monitor = {sizeof monitor};
    ::GetMonitorInfoW(::MonitorFromWindow(wnd.m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    return CRect(monitor.rcWork);
}
