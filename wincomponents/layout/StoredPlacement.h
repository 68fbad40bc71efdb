// Where a stored window rectangle may open: one saved on a screen that is gone, left damaged or
// never usable must not open out of sight or as a bare caption.
#pragma once

#include "framework/gdi/CRect.h"
#include "framework/gdi/CSize.h"

// FALSE when the stored rectangle is narrower or lower than sizeMin (reversed edges included) or
// larger than a rectangle can hold.
BOOL IsUsableStoredRect(const RECT& rectStored, const CSize& sizeMin);
// FALSE when it is not usable; otherwise rectFitted is it fitted into the nearest work area.
BOOL FitStoredRect(const RECT& rectStored, const CSize& sizeMin, CRect& rectFitted);

// The window's normal rectangle as its placement gives it: for a top-level window relative to the
// work area, as Windows keeps it (away from the screen's corner where the taskbar is at the top or
// left), for a child in its parent's client area. Storing this and giving it back through
// SetNormalPlace puts the window where it was, wherever the taskbar is.
BOOL GetNormalPlace(HWND hWnd, CRect& rectNormal);
// Gives the window that normal rectangle, read as GetNormalPlace reads it, keeping its show
// state and without activating it.
BOOL SetNormalPlace(HWND hWnd, const CRect& rectNormal);
// Moves a top-level window in its normal state that lies wholly or partly off the screens into
// the nearest work area; a child, or a minimised or maximised window, stays.
void MoveOntoWorkArea(HWND hWnd);
