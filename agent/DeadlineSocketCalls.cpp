#include "agent/DeadlineSocketCalls.h"

CDeadlineSocketCalls::CDeadlineSocketCalls(DWORD dwMilliseconds, volatile LONG* pEnded)
    : m_nDeadline(GetTickCount64() + dwMilliseconds), m_pEnded(pEnded), m_nLastError(0)
{
}

BOOL CDeadlineSocketCalls::MakeNonBlocking(SOCKET s)
{
    u_long ulNonBlocking = 1;
    return ioctlsocket(s, FIONBIO, &ulNonBlocking) == 0;
}

BOOL CDeadlineSocketCalls::WaitUntilReady(SOCKET s, BOOL bForWriting)
{
    for (;;)
    {
        if (m_pEnded && *m_pEnded)
        {
            m_nLastError = WSAECONNABORTED;
            return FALSE;
        }
        ULONGLONG nNow = GetTickCount64();
        if (nNow >= m_nDeadline)
        {
            m_nLastError = WSAETIMEDOUT;
            return FALSE;
        }
        ULONGLONG nSlice = m_nDeadline - nNow;
        if (m_pEnded && nSlice > END_CHECK_MS)
            nSlice = END_CHECK_MS;
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(s, &ready);
        timeval tv = {(long)(nSlice / 1000), (long)(nSlice % 1000) * 1000};
        int n = select(0, bForWriting ? nullptr : &ready, bForWriting ? &ready : nullptr, nullptr, &tv);
        if (n > 0)
            return TRUE;
        if (n < 0)
        {
            m_nLastError = WSAGetLastError();
            return FALSE;
        }
    }
}

int CDeadlineSocketCalls::Receive(SOCKET s, char* pData, int nLength)
{
    while (WaitUntilReady(s, FALSE))
    {
        int n = ::recv(s, pData, nLength, 0);
        if (n != SOCKET_ERROR)
            return n;
        m_nLastError = WSAGetLastError();
        if (m_nLastError != WSAEWOULDBLOCK)
            return SOCKET_ERROR;
    }
    return SOCKET_ERROR;
}

// Sends first and waits only when the socket's buffer is full: a wait that would find the
// socket ready anyway is one more round trip to the Wine server.
int CDeadlineSocketCalls::Send(SOCKET s, const char* pData, int nLength)
{
    int nSent = 0;
    while (nSent < nLength)
    {
        if (m_pEnded && *m_pEnded)
        {
            m_nLastError = WSAECONNABORTED;
            return SOCKET_ERROR;
        }
        int n = ::send(s, pData + nSent, nLength - nSent, 0);
        if (n != SOCKET_ERROR)
        {
            nSent += n;
            continue;
        }
        m_nLastError = WSAGetLastError();
        if (m_nLastError != WSAEWOULDBLOCK || !WaitUntilReady(s, TRUE))
            return SOCKET_ERROR;
    }
    return nSent;
}
