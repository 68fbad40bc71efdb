// How the outstanding-alarms window follows new alarms. The alarms service publishes the
// highest alarm key as "AlarmLastPrimeKey"; it is polled every half second, and a new key arms
// a reload half a second later. The reload waits while the operator has used the keyboard or
// the mouse within the last 5 seconds, so a burst of alarms gives one reload and none comes in
// the middle of the operator's work.
#pragma once

#include <windows.h>

class CWnd;

class CNewAlarmWatch
{
public:
    // The timers are the window's, with these ids.
    CNewAlarmWatch(CWnd& wnd, UINT_PTR nPollTimer, UINT_PTR nReloadTimer);

    // Takes the key published now as seen and starts polling.
    void Start();
    // At the poll timer: TRUE when a new key came; the reload is armed then.
    BOOL Poll();
    // At the reload timer: TRUE when the reload is due; it is disarmed then.
    BOOL IsReloadDue();
    // A load is under way, so no armed reload is needed any more.
    void Disarm();

private:
    CWnd& m_wnd;
    UINT_PTR m_nPollTimer;
    UINT_PTR m_nReloadTimer;
    DWORD m_nLastPrimeKey;
};
