// How one control follows its window's growth: the five numbers a layout table gives per
// control. What the modes mean depends on the layout engine that reads the table.
#pragma once

#include <windows.h>

struct LAYOUT_ANCHOR
{
    int nControlId;
    int nWidthMode;
    int nHeightMode;
    int nXMode;
    int nYMode;
};

// One control's anchor with what the layout captured of it: its rectangle at capture time
// (relative to the laid-out window) and its window-minus-client size.
struct ANCHORED_CONTROL
{
    RECT rcCopy;   // kept as captured, not read by the layout
    RECT rcDesign; // where the layout starts from
    LAYOUT_ANCHOR anchor;
    int nNcWidth;
    int nNcHeight;
    BOOL bFound; // the control existed when the rectangles were captured
};

// Captures the control's window rectangle relative to ptOrigin (screen) and its non-client
// size; FALSE when the window has no such control.
BOOL CaptureAnchoredControl(HWND hWnd, POINT ptOrigin, ANCHORED_CONTROL& control);
