// The event-log reader that the monitor goes through. The platform's reader is the default; a
// stand-in that serves records from files can take its place (Wine's reader is a stub).
#pragma once

#include <windows.h>

class CEventLogSource
{
public:
    virtual ~CEventLogSource() {}

    // NULL when the log cannot be opened (the last error says why).
    virtual HANDLE Open(const wchar_t* pszLogName) = 0;
    virtual void Close(HANDLE hLog) = 0;
    virtual BOOL GetCount(HANDLE hLog, DWORD* pdwCount) = 0;
    virtual BOOL GetOldest(HANDLE hLog, DWORD* pdwOldest) = 0;
    // Seek read at one record number, with the platform's buffer protocol: a buffer too small
    // fails with ERROR_INSUFFICIENT_BUFFER and *pdwNeeded holds the size to ask for.
    virtual BOOL SeekRead(HANDLE hLog, BOOL bForwards, DWORD dwRecord, void* pBuffer, DWORD dwSize,
                          DWORD* pdwRead, DWORD* pdwNeeded) = 0;
    // hEvent is signalled whenever the log gets a new record.
    virtual BOOL NotifyChange(HANDLE hLog, HANDLE hEvent) = 0;
};

class CWin32EventLogSource : public CEventLogSource
{
public:
    HANDLE Open(const wchar_t* pszLogName) override;
    void Close(HANDLE hLog) override;
    BOOL GetCount(HANDLE hLog, DWORD* pdwCount) override;
    BOOL GetOldest(HANDLE hLog, DWORD* pdwOldest) override;
    BOOL SeekRead(HANDLE hLog, BOOL bForwards, DWORD dwRecord, void* pBuffer, DWORD dwSize,
                  DWORD* pdwRead, DWORD* pdwNeeded) override;
    BOOL NotifyChange(HANDLE hLog, HANDLE hEvent) override;
};

// The process's reader: the platform's unless another was installed before the monitor starts.
CEventLogSource& EventLogSource();
void SetEventLogSource(CEventLogSource* pSource);
