#include "framework/window/AfxWindowPlacement.h"

#include <utility>

namespace
{
POINT g_ptWorkspaceOrigin = {0, 0};

// Only where Windows itself gives workspace coordinates.
BOOL InWorkspace(HWND hWnd)
{
    return !(GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) && !(GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}
} // namespace

BOOL AfxGetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* pPlacement)
{
    if (!GetWindowPlacement(hWnd, pPlacement))
        return FALSE;
    if (InWorkspace(hWnd))
        OffsetRect(&pPlacement->rcNormalPosition, -g_ptWorkspaceOrigin.x, -g_ptWorkspaceOrigin.y);
    return TRUE;
}

BOOL AfxSetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* pPlacement)
{
    WINDOWPLACEMENT placement = *pPlacement;
    if (InWorkspace(hWnd))
        OffsetRect(&placement.rcNormalPosition, g_ptWorkspaceOrigin.x, g_ptWorkspaceOrigin.y);
    return SetWindowPlacement(hWnd, &placement);
}

POINT AfxSetWorkspaceOrigin(POINT ptOrigin)
{
    std::swap(g_ptWorkspaceOrigin, ptOrigin);
    return ptOrigin;
}
