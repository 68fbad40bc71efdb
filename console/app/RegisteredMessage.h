// The console's window messages, registered with the system under their own names before the
// application starts, so that its windows can tell one another about events without knowing
// one another's classes.
#pragma once

#include <windows.h>

struct RegisteredMessage
{
    static const UINT nMsgChange;
    static const UINT nMsgBrowser;
    static const UINT nMsgFind;
    static const UINT nMsgRedraw;
    static const UINT nMsgRefresh;
    // wParam the level (0 OK, 1 warning, 2 error), lParam the line's text (const wchar_t*).
    static const UINT nMsgAddLogfile;
    static const UINT nMsgSelection;
    static const UINT nMsgGetData;
    static const UINT nMsgSetStatus;
    static const UINT nMsgReloadIconSize;
    static const UINT nMsgOutstanding;
    static const UINT nMsgNewAlarms;
    static const UINT nMsgShowAllOpen;
};
