// One unnamed auto-reset event, created non-signalled.
#pragma once

#include <windows.h>

class CEventHandle
{
public:
    CEventHandle() : m_hEvent(nullptr) {}
    ~CEventHandle() { Close(); }
    CEventHandle(const CEventHandle&) = delete;
    CEventHandle& operator=(const CEventHandle&) = delete;

    BOOL Create();
    void Close();
    BOOL Set() { return m_hEvent && SetEvent(m_hEvent); }
    // WAIT_OBJECT_0, WAIT_TIMEOUT or WAIT_FAILED.
    DWORD Wait(DWORD dwMilliseconds) { return WaitForSingleObject(m_hEvent, dwMilliseconds); }

    HANDLE m_hEvent;
};
