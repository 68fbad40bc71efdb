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
