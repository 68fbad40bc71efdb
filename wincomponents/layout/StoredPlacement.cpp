#include "wincomponents/layout/StoredPlacement.h"

#include "framework/window/AfxWindowPlacement.h"
#include "framework/window/AfxWorkArea.h"

#include <climits>

namespace
{
// The show command that leaves the window as it is.
UINT KeptShowCommand(HWND hWnd)
{
    if (!::IsWindowVisible(hWnd))
        return SW_HIDE;
    if (::IsIconic(hWnd))
        return SW_SHOWMINNOACTIVE;
    return ::IsZoomed(hWnd) ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE;
}
} // namespace

BOOL IsUsableStoredRect(const RECT& rectStored, const CSize& sizeMin)
{
    // In 64 bits: the edges may be anything a profile can hold.
    long long nWidth = (long long)rectStored.right - rectStored.left;
    long long nHeight = (long long)rectStored.bottom - rectStored.top;
    return nWidth >= sizeMin.cx && nHeight >= sizeMin.cy && nWidth <= INT_MAX && nHeight <= INT_MAX;
}

BOOL FitStoredRect(const RECT& rectStored, const CSize& sizeMin, CRect& rectFitted)
{
    if (!IsUsableStoredRect(rectStored, sizeMin))
        return FALSE;
    rectFitted = AfxFitToWorkArea(CRect(rectStored));
    return TRUE;
}

BOOL GetNormalPlace(HWND hWnd, CRect& rectNormal)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!AfxGetWindowPlacement(hWnd, &placement))
        return FALSE;
    rectNormal = placement.rcNormalPosition;
    return TRUE;
}

BOOL SetNormalPlace(HWND hWnd, const CRect& rectNormal)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!AfxGetWindowPlacement(hWnd, &placement))
        return FALSE;
    placement.flags = 0;
    placement.showCmd = KeptShowCommand(hWnd);
    placement.rcNormalPosition = rectNormal;
    return AfxSetWindowPlacement(hWnd, &placement);
}

void MoveOntoWorkArea(HWND hWnd)
{
    // A child's place lies in its parent, not on a screen.
    if ((::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) || ::IsIconic(hWnd) || ::IsZoomed(hWnd))
        return;
    CRect rectWindow;
    ::GetWindowRect(hWnd, &rectWindow);
    CRect rectFitted = AfxFitToWorkArea(rectWindow);
    if (rectFitted != rectWindow)
        ::MoveWindow(hWnd, rectFitted.left, rectFitted.top, rectFitted.Width(), rectFitted.Height(), TRUE);
}
