// The waits, the pause and the clock that drive the monitor's schedule, so that the schedule
// can be run without waiting for it.
#pragma once

#include <windows.h>

#include <ctime>

class CMonitorClock
{
public:
    virtual ~CMonitorClock() {}
    virtual DWORD Wait(HANDLE hEvent, DWORD dwMilliseconds) { return WaitForSingleObject(hEvent, dwMilliseconds); }
    virtual void Pause(DWORD dwMilliseconds) { ::Sleep(dwMilliseconds); }
    // Seconds since 1 January 1970 UTC.
    virtual __time64_t Now() { return _time64(nullptr); }
};
