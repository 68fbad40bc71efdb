#include "wincomponents/layout/LayoutAnchor.h"

BOOL CaptureAnchoredControl(HWND hWnd, POINT ptOrigin, ANCHORED_CONTROL& control)
{
    HWND hControl = ::GetDlgItem(hWnd, control.anchor.nControlId);
    control.bFound = hControl != nullptr;
    if (!hControl)
        return FALSE;
    RECT rcWindow, rcClient;
    ::GetWindowRect(hControl, &rcWindow);
    ::GetClientRect(hControl, &rcClient);
    ::OffsetRect(&rcWindow, -ptOrigin.x, -ptOrigin.y);
    control.rcDesign = rcWindow;
    control.rcCopy = rcWindow;
    control.nNcWidth = (rcWindow.right - rcWindow.left) - rcClient.right;
    control.nNcHeight = (rcWindow.bottom - rcWindow.top) - rcClient.bottom;
    return TRUE;
}
