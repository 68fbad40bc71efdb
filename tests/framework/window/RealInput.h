// Real input for tests that need the system's own mouse and keyboard handling (drag loops):
// sent from a second thread while the window's thread sits in a modal loop, so every step
// waits a little for that loop to see it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

inline void RealMouseMove(POINT pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (pt.x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (pt.y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

inline void RealMouseButton(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

inline void RealKey(WORD wVk, BOOL bDown)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVk;
    input.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

// Moves in nSteps even steps from one point to another, the last step landing on the end.
inline void RealMouseGlide(POINT from, POINT to, int nSteps)
{
    for (int i = 1; i <= nSteps; ++i)
        RealMouseMove(POINT{from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps});
}

// Runs the input script on its own thread while this thread handles messages (and with them
// any drag loop the input starts), until the script has ended and the queue is empty.
inline void RunWithRealInput(const std::function<void()>& script)
{
    std::atomic<bool> bDone(false);
    std::thread input([&] {
        script();
        bDone = true;
    });
    MSG msg;
    while (!bDone)
    {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    input.join();
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
