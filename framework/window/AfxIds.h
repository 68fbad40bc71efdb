// The framework's standard command, window and string ids and its private messages, with the
// numbers programs written for the platform's class library expect.
#pragma once

#include <windows.h>

// --- commands
const UINT ID_SEPARATOR = 0;
const UINT ID_FILE_NEW = 0xE100;
const UINT ID_FILE_OPEN = 0xE101;
const UINT ID_FILE_CLOSE = 0xE102;
const UINT ID_FILE_SAVE = 0xE103;
const UINT ID_FILE_SAVE_AS = 0xE104;
const UINT ID_FILE_PRINT_SETUP = 0xE106;
const UINT ID_FILE_PRINT = 0xE107;
const UINT ID_FILE_PRINT_PREVIEW = 0xE109;
const UINT ID_EDIT_COPY = 0xE122;
const UINT ID_EDIT_CUT = 0xE123;
const UINT ID_EDIT_PASTE = 0xE125;
const UINT ID_EDIT_UNDO = 0xE12B;
const UINT ID_APP_EXIT = 0xE141;         // 57665
const UINT ID_WINDOW_NEW = 0xE130;       // 57648
const UINT ID_WINDOW_ARRANGE = 0xE131;   // 57649
const UINT ID_WINDOW_CASCADE = 0xE132;   // 57650
const UINT ID_WINDOW_TILE_HORZ = 0xE133; // 57651
const UINT ID_WINDOW_TILE_VERT = 0xE134;
const UINT ID_VIEW_TOOLBAR = 0xE800;    // 59392
const UINT ID_VIEW_STATUS_BAR = 0xE801; // 59393

// --- child windows of a frame
const UINT AFX_IDW_TOOLBAR = 0xE800;
const UINT AFX_IDW_STATUS_BAR = 0xE801;
const UINT AFX_IDW_DOCKBAR_TOP = 0xE81B; // 59419
const UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
const UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
const UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
const UINT AFX_IDW_DOCKBAR_FLOAT = 0xE81F;
const UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
const UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
const UINT AFX_IDW_PANE_FIRST = 0xE900; // the view, or the MDI client
// MDI children's entries in the Window menu.
const UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;

// --- strings
const UINT AFX_IDS_IDLEMESSAGE = 0xE001; // "Ready" when the program has no resource of that id

// --- private messages
// wParam 0, lParam AFX_SIZEPARENTPARAMS*: each bar takes its room from the rectangle.
const UINT WM_SIZEPARENT = 0x0361;
// wParam a string id, or lParam the text itself: the status line's message.
const UINT WM_SETMESSAGESTRING = 0x0362;
// Sent to the views of a frame before it is first shown.
const UINT WM_INITIALUPDATE = 0x0364;

// The layout of a frame's client area, handed from bar to bar.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;      // null while only the size is asked for
    RECT rect;      // the room still free
    SIZE sizeTotal; // the room the bars took
    BOOL bStretch;  // bars stretch along their edge
};
