// The console's main frame for the window benchmarks, and the message pump they share.
#pragma once

#include "console/app/CBelvaneApp.h"
#include "console/app/CMainFrame.h"
#include "resources/console/BelvaneRes.h"

// Handles every message waiting in the thread's queue.
inline void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The application's main frame, shown; null when it cannot be made.
inline CMainFrame* ShowBenchMainFrame(CBelvaneApp& app)
{
    app.AddTemplates();
    app.RegisterMainWindowClass();
    CMainFrame* pFrame = new CMainFrame;
    if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr))
        return nullptr;
    app.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOWNORMAL);
    return pFrame;
}
