#include "agent/WorkerThread.h"

#include "framework/core/CException.h"

#include <process.h>

CWorkerThread::CWorkerThread()
    : m_eventStart(FALSE, FALSE), m_eventFinished(TRUE, TRUE), m_dwTimeout(INFINITE), m_bStop(FALSE),
      m_bRunning(FALSE), m_hThread(nullptr)
{
}

CWorkerThread::~CWorkerThread()
{
}

HANDLE CWorkerThread::Start(unsigned nStackSize, LPSECURITY_ATTRIBUTES pSecurity, DWORD dwTimeout)
{
    m_bRunning = TRUE;
    m_bStop = FALSE;
    m_dwTimeout = dwTimeout;
    m_eventFinished.ResetEvent();
    // Suspended until the handle is stored, because the thread closes it as it ends.
    uintptr_t hThread = _beginthreadex(pSecurity, nStackSize, ThreadEntry, this, CREATE_SUSPENDED, nullptr);
    m_hThread = reinterpret_cast<HANDLE>(hThread);
    if (!m_hThread)
    {
        m_bRunning = FALSE;
        m_eventFinished.SetEvent();
        return nullptr;
    }
    HANDLE hResult = m_hThread;
    ResumeThread(hResult);
    return hResult;
}

void CWorkerThread::Stop()
{
    m_bStop = TRUE;
    m_eventStart.SetEvent();
    m_eventFinished.Lock(INFINITE);
    Sleep(250);
}

unsigned __stdcall CWorkerThread::ThreadEntry(void* pParam)
{
    CWorkerThread* pThis = static_cast<CWorkerThread*>(pParam);
    // An exception must not leave the owner waiting in Stop for ever.
    try
    {
        pThis->Body();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    pThis->Finish();
    return 0;
}

void CWorkerThread::Body()
{
    Initialize();
    while (!m_bStop)
    {
        m_eventStart.Lock(m_dwTimeout);
        if (!m_bStop)
            Work();
    }
    Cleanup();
}

void CWorkerThread::Finish()
{
    HANDLE hThread = m_hThread;
    m_hThread = nullptr;
    m_bRunning = FALSE;
    CloseHandle(hThread);
    // Last: once signalled, the owner may destroy this object.
    m_eventFinished.SetEvent();
}
