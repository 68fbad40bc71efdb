// The framework's synchronisation objects: an event, a critical section and a scoped lock that
// works with either.
#pragma once

#include <windows.h>

class CSyncObject
{
public:
    virtual ~CSyncObject() {}
    virtual BOOL Lock(DWORD dwTimeout = INFINITE) = 0;
    virtual BOOL Unlock() = 0;
};

class CEvent : public CSyncObject
{
public:
    CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCWSTR pszName = nullptr,
           LPSECURITY_ATTRIBUTES pAttributes = nullptr);
    ~CEvent() override;
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
    // TRUE when the event was signalled within the time-out.
    BOOL Lock(DWORD dwTimeout = INFINITE) override;
    BOOL Unlock() override { return TRUE; }
    operator HANDLE() const { return m_hObject; }

    HANDLE m_hObject;
};

class CCriticalSection : public CSyncObject
{
public:
    CCriticalSection() { InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() override { DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    // A critical section has no time-out; it always waits.
    BOOL Lock(DWORD = INFINITE) override { EnterCriticalSection(&m_sect); return TRUE; }
    BOOL Unlock() override { LeaveCriticalSection(&m_sect); return TRUE; }

    CRITICAL_SECTION m_sect;
};

// Holds a synchronisation object for its own lifetime (from construction when asked).
class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD dwTimeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired;
};
