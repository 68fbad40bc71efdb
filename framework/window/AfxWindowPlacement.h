// Window placements as the system keeps them. Windows gives and takes the normal rectangle of a
// top-level window (one without WS_EX_TOOLWINDOW) in workspace coordinates, relative to the work
// area, which lies away from the screen's corner where the taskbar is at the top or left; Wine
// uses screen coordinates and keeps its work area at the corner. A test feeds a work-area origin
// so that these functions convert as Windows does.
#pragma once

#include <windows.h>

BOOL AfxGetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* pPlacement);
BOOL AfxSetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* pPlacement);
// Returns the origin that was in place; (0, 0), the default, converts nothing.
POINT AfxSetWorkspaceOrigin(POINT ptOrigin);
