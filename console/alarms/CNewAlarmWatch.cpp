#include "console/alarms/CNewAlarmWatch.h"

#include "console/app/CBelvaneApp.h"
#include "framework/window/CWnd.h"
#include "support/RegistryStore.h"

namespace
{
const UINT kPollMs = 500;
const UINT kReloadDelayMs = 500;
const int kIdleSeconds = 5;

DWORD PublishedKey()
{
    return GetRegistryStore().GetVolatileDWord(L"AlarmLastPrimeKey", 0);
}
} // namespace

CNewAlarmWatch::CNewAlarmWatch(CWnd& wnd, UINT_PTR nPollTimer, UINT_PTR nReloadTimer)
    : m_wnd(wnd), m_nPollTimer(nPollTimer), m_nReloadTimer(nReloadTimer), m_nLastPrimeKey(0)
{
}

void CNewAlarmWatch::Start()
{
    m_wnd.SetTimer(m_nPollTimer, kPollMs);
    m_nLastPrimeKey = PublishedKey();
}

BOOL CNewAlarmWatch::Poll()
{
    DWORD nKey = PublishedKey();
    if (nKey == m_nLastPrimeKey)
        return FALSE;
    m_nLastPrimeKey = nKey;
    m_wnd.KillTimer(m_nReloadTimer);
    m_wnd.SetTimer(m_nReloadTimer, kReloadDelayMs);
    return TRUE;
}

BOOL CNewAlarmWatch::IsReloadDue()
{
    CBelvaneApp* pApp = GetTheApp();
    if (pApp && pApp->UserInputWithin(kIdleSeconds))
        return FALSE;
    Disarm();
    return TRUE;
}

void CNewAlarmWatch::Disarm()
{
    m_wnd.KillTimer(m_nReloadTimer);
}
