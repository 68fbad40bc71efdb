// The framework's Undo, Cut, Copy and Paste: they act on the edit or rich edit control that has
// the focus, and only as far as that control can do them.
#pragma once

#include <windows.h>

// The focus window when it is an edit or a rich edit control, else null.
HWND AfxFocusEditControl();
// The control can do the command now: undo when it has something to undo, cut and copy with a
// selection (never from a password field), paste with text on the clipboard; a read-only
// control only copies.
BOOL AfxCanDoEditCommand(HWND hEdit, UINT nID);
// Sends the command's message (WM_UNDO, WM_CUT, WM_COPY, WM_PASTE) to the control.
void AfxDoEditCommand(HWND hEdit, UINT nID);
