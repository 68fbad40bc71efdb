#include "agent/EventLog/EventLogSource.h"

namespace
{
CEventLogSource* g_pInstalledSource = nullptr;
}

HANDLE CWin32EventLogSource::Open(const wchar_t* pszLogName)
{
    return OpenEventLogW(nullptr, pszLogName);
}

void CWin32EventLogSource::Close(HANDLE hLog)
{
    CloseEventLog(hLog);
}

BOOL CWin32EventLogSource::GetCount(HANDLE hLog, DWORD* pdwCount)
{
    return GetNumberOfEventLogRecords(hLog, pdwCount);
}

BOOL CWin32EventLogSource::GetOldest(HANDLE hLog, DWORD* pdwOldest)
{
    return GetOldestEventLogRecord(hLog, pdwOldest);
}

BOOL CWin32EventLogSource::SeekRead(HANDLE hLog, BOOL bForwards, DWORD dwRecord, void* pBuffer,
                                    DWORD dwSize, DWORD* pdwRead, DWORD* pdwNeeded)
{
    DWORD dwFlags = EVENTLOG_SEEK_READ | (bForwards ? EVENTLOG_FORWARDS_READ : EVENTLOG_BACKWARDS_READ);
    return ReadEventLogW(hLog, dwFlags, dwRecord, pBuffer, dwSize, pdwRead, pdwNeeded);
}

BOOL CWin32EventLogSource::NotifyChange(HANDLE hLog, HANDLE hEvent)
{
    return NotifyChangeEventLog(hLog, hEvent);
}

CEventLogSource& EventLogSource()
{
    static CWin32EventLogSource platform;
    return g_pInstalledSource ? *g_pInstalledSource : platform;
}

void SetEventLogSource(CEventLogSource* pSource)
{
    g_pInstalledSource = pSource;
}
