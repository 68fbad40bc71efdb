// Socket calls that all end by one deadline, so that a peer that stops sending or reading
// cannot hold its connection's thread beyond it, or earlier when the owner sets the end flag
// (closing or shutting down a socket does not wake a wait on it everywhere). For non-blocking
// sockets.
#pragma once

#include "agent/FramedMessage.h"

class CDeadlineSocketCalls : public CSocketCalls
{
public:
    // The deadline is that many milliseconds from now; a non-zero *pEnded ends every wait.
    explicit CDeadlineSocketCalls(DWORD dwMilliseconds, volatile LONG* pEnded = nullptr);

    // All nLength bytes, or SOCKET_ERROR.
    int Send(SOCKET s, const char* pData, int nLength) override;
    int Receive(SOCKET s, char* pData, int nLength) override;
    int LastError() override { return m_nLastError; }
    BOOL HasTimedOut() const { return m_nLastError == WSAETIMEDOUT; }
    // Waits until the socket can be read (or written); FALSE at the deadline or the end flag.
    BOOL WaitUntilReady(SOCKET s, BOOL bForWriting);

    // Makes a socket non-blocking; FALSE when that failed.
    static BOOL MakeNonBlocking(SOCKET s);

    // How often a wait looks at the end flag.
    enum { END_CHECK_MS = 200 };

private:
    ULONGLONG m_nDeadline;
    volatile LONG* m_pEnded;
    int m_nLastError;
};
