// The time of the operator's last keyboard or mouse input, stamped by two thread-local hooks on
// the GUI thread, and the question whether that input is recent. A key counts whatever it
// does; the mouse counts only when the cursor really moved.
#pragma once

#include <windows.h>

#include <functional>

extern "C" {
__declspec(dllexport) LRESULT CALLBACK hookKeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
__declspec(dllexport) LRESULT CALLBACK hookMouseProc(int nCode, WPARAM wParam, LPARAM lParam);
}

// A moment on the system's tick (time since the system started) as seconds and milliseconds.
// The tick only runs forward: setting the wall clock back does not move it.
struct InputStamp
{
    long long nSeconds;
    int nMilliseconds;
};

// The clock the hooks stamp with; an empty function restores the system's tick. Returns the
// clock that was in place.
typedef std::function<InputStamp()> InputClockFunction;
InputClockFunction SetInputClock(InputClockFunction fn);

// Installs both hooks for the calling thread; they stay until RemoveInputHooks.
BOOL InstallInputHooks(HINSTANCE hInstance);
void RemoveInputHooks();
// Forgets every input seen and the cursor position.
void ResetInputState();

// TRUE when the last input is at most nSeconds old; FALSE while none has been seen.
BOOL UserInputWithin(int nSeconds);
