#include "alarmsend/AlarmPeerWatch.h"

namespace
{
const DWORD kStopWaitMs = 2000;

BOOL IsPending(const OVERLAPPED* pOverlapped)
{
    return *(volatile const ULONG_PTR*)&pOverlapped->Internal == (ULONG_PTR)STATUS_PENDING;
}
} // namespace

CAlarmPeerWatch::~CAlarmPeerWatch()
{
    if (!m_pOverlapped || IsPending(m_pOverlapped))
        return;
    CloseHandle(m_pOverlapped->hEvent);
    delete m_pOverlapped;
}

BOOL CAlarmPeerWatch::Start(SOCKET s)
{
    if (!m_pOverlapped)
    {
        HANDLE hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!hEvent)
            return FALSE;
        m_pOverlapped = new OVERLAPPED();
        m_pOverlapped->hEvent = hEvent;
    }
    HANDLE hEvent = m_pOverlapped->hEvent;
    *m_pOverlapped = OVERLAPPED();
    m_pOverlapped->hEvent = hEvent;
    ResetEvent(hEvent);

    WSABUF none = {0, nullptr};
    DWORD nReceived = 0, dwFlags = 0;
    int n = WSARecv(s, &none, 1, &nReceived, &dwFlags, (WSAOVERLAPPED*)m_pOverlapped, nullptr);
    m_bPosted = n == 0 || WSAGetLastError() == WSA_IO_PENDING;
    return m_bPosted;
}

BOOL CAlarmPeerWatch::IsQuiet() const
{
    return m_bPosted && IsPending(m_pOverlapped);
}

void CAlarmPeerWatch::Stop()
{
    if (!m_bPosted)
        return;
    m_bPosted = FALSE;
    if (IsPending(m_pOverlapped))
        WaitForSingleObject(m_pOverlapped->hEvent, kStopWaitMs);
    // A receive that has still not ended keeps its block; the next watch takes a new one.
    if (IsPending(m_pOverlapped))
        m_pOverlapped = nullptr;
}
