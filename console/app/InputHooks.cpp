#include "console/app/InputHooks.h"

namespace
{
BOOL g_bInputSeen = FALSE;
InputStamp g_lastInput = {0, 0};
POINT g_ptLastCursor = {-1, -1};
HHOOK g_hKeyboardHook = nullptr;
HHOOK g_hMouseHook = nullptr;

InputClockFunction& Clock()
{
    static InputClockFunction s_fn;
    return s_fn;
}

InputStamp Now()
{
    if (Clock())
        return Clock()();
    // The tick, not the wall clock: a clock set back would make every input look recent.
    ULONGLONG nTick = GetTickCount64();
    return InputStamp{(long long)(nTick / 1000), (int)(nTick % 1000)};
}

void StampInput()
{
    g_lastInput = Now();
    g_bInputSeen = TRUE;
}
} // namespace

InputClockFunction SetInputClock(InputClockFunction fn)
{
    InputClockFunction previous = Clock();
    Clock() = std::move(fn);
    return previous;
}

extern "C" LRESULT CALLBACK hookKeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    StampInput();
    return CallNextHookEx(g_hKeyboardHook, nCode, wParam, lParam);
}

extern "C" LRESULT CALLBACK hookMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (wParam == WM_MOUSEMOVE)
    {
        POINT pt;
        if (GetCursorPos(&pt) && (pt.x != g_ptLastCursor.x || pt.y != g_ptLastCursor.y))
        {
            g_ptLastCursor = pt;
            StampInput();
        }
    }
    return CallNextHookEx(g_hMouseHook, nCode, wParam, lParam);
}

BOOL InstallInputHooks(HINSTANCE hInstance)
{
    DWORD dwThread = GetCurrentThreadId();
    g_hKeyboardHook = SetWindowsHookExW(WH_KEYBOARD, hookKeyboardProc, hInstance, dwThread);
    g_hMouseHook = SetWindowsHookExW(WH_MOUSE, hookMouseProc, hInstance, dwThread);
    return g_hKeyboardHook && g_hMouseHook;
}

void RemoveInputHooks()
{
    if (g_hKeyboardHook)
        UnhookWindowsHookEx(g_hKeyboardHook);
    if (g_hMouseHook)
        UnhookWindowsHookEx(g_hMouseHook);
    g_hKeyboardHook = g_hMouseHook = nullptr;
}

void ResetInputState()
{
    g_bInputSeen = FALSE;
    g_lastInput = InputStamp{0, 0};
    g_ptLastCursor = POINT{-1, -1};
}

BOOL UserInputWithin(int nSeconds)
{
    if (!g_bInputSeen)
        return FALSE;
    InputStamp now = Now();
    // 64-bit arithmetic: no overflow for any span a clock can give.
    long long nElapsed = (now.nSeconds - g_lastInput.nSeconds) * 1000LL +
                         (now.nMilliseconds - g_lastInput.nMilliseconds);
    return nElapsed <= (long long)nSeconds * 1000LL;
}
