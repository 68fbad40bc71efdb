// Base of an object that owns one worker thread: Initialize, then Work each time the start
// event is signalled or the wait times out, then Cleanup once the stop flag is set.
#pragma once

#include "framework/core/CSyncObjects.h"

class CWorkerThread
{
public:
    CWorkerThread();
    virtual ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts the thread at once; the result is the thread handle (0 when it could not start).
    HANDLE Start(unsigned nStackSize, LPSECURITY_ATTRIBUTES pSecurity, DWORD dwTimeout);
    // Sets the stop flag, wakes the thread and waits until it has finished.
    void Stop();
    BOOL IsRunning() const { return m_bRunning; }

protected:
    virtual void Initialize() = 0;
    virtual void Work() = 0;
    virtual void Cleanup() = 0;

    CEvent m_eventStart;
    CEvent m_eventFinished;
    DWORD m_dwTimeout;
    volatile BOOL m_bStop;
    volatile BOOL m_bRunning;
    HANDLE m_hThread;

private:
    static unsigned __stdcall ThreadEntry(void* pParam);
    void Body();
    void Finish();
};
