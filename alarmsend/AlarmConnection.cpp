#include "alarmsend/AlarmConnection.h"

#include "agent/FramedMessage.h"
#include "agent/HostAddress.h"
#include "agent/SocketErrorText.h"
#include "alarmsend/AlarmPeerWatch.h"
#include "framework/core/CSyncObjects.h"
#include "support/StringEx.h"
#include "support/SystemErrorText.h"

#include <ws2tcpip.h>

#include <ctime>

namespace
{
const DWORD kAlarmRecordType = 20;
const DWORD kPauseSeconds = 120;
const int kTimeoutSeconds = 60;

// Process-wide state, shared by every caller: a host program may raise alarms from several
// threads at once. Each alarm holds the lock from the check of the kept connection to the end of
// its frame, so that no other thread resets the peer watch, switches the socket's blocking mode
// or sends between the parts of a frame.
CCriticalSection s_lock;
SOCKET s_socket = INVALID_SOCKET;
CAlarmPeerWatch s_peerWatch;
DWORD s_nLastFailedAttempt = 0;
CString s_strLastFailure;
CString s_strAddress;
int s_nPort = 0;

DWORD SystemClock() { return (DWORD)time(nullptr); }
AlarmClockFunction s_pfnClock = SystemClock;

CString SystemText()
{
    return CSystemErrorText().m_strText;
}

// A peer that has closed (the alarms service restarted) leaves the socket readable with
// nothing to read; sending on it would seem to succeed and the alarm would be lost.
BOOL PeerHasClosed(SOCKET s)
{
    if (s_peerWatch.IsQuiet())
        return FALSE;
    // The watch has ended (or none is posted): non-blocking reads tell a close from data. What
    // the peer sent is read and dropped (no reply is used), so that a close behind it is seen.
    const int kMaxReads = 64;
    u_long nonBlocking = 1;
    if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0)
        return FALSE;
    char buffer[512];
    int n = 0;
    for (int i = 0; i < kMaxReads && (n = recv(s, buffer, sizeof(buffer), 0)) > 0; ++i)
        ;
    BOOL bClosed = n == 0 || (n == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK);
    u_long blocking = 0;
    ioctlsocket(s, FIONBIO, &blocking);
    if (!bClosed)
        s_peerWatch.Start(s);
    return bClosed;
}

BOOL IsFatal(int nError)
{
    switch (nError)
    {
    case WSAETIMEDOUT:
    case WSAECONNRESET:
    case WSAECONNABORTED:
    case WSAENOTCONN:
    case WSAESHUTDOWN:
    case WSAENOTSOCK:
    case WSAENETRESET:
        return TRUE;
    default:
        return FALSE;
    }
}

// The send calls of the frame's loop, writing the text of every failed call. After a fatal
// error no further call reaches the socket, so a dead connection never costs more than one
// time-out.
class CAlarmSocketCalls : public CSocketCalls
{
public:
    explicit CAlarmSocketCalls(CString& strError) : m_strError(strError) {}

    int Send(SOCKET s, const char* pData, int nLength) override
    {
        if (m_nFatalError)
            return SOCKET_ERROR;
        int n = ::send(s, pData, nLength, 0);
        if (n == SOCKET_ERROR)
        {
            int nError = WSAGetLastError();
            m_strError.Format(L"Error sending %u bytes to alarms service using socket %u - %s", (unsigned)nLength,
                              (unsigned)s, (const wchar_t*)CSocketErrorText(nError));
            m_nLastError = nError;
            if (IsFatal(nError))
                m_nFatalError = nError;
        }
        return n;
    }
    int LastError() override { return m_nLastError; }

    int m_nFatalError = 0;

private:
    CString& m_strError;
    int m_nLastError = 0;
};

// One try of the whole frame on the current connection.
int SendFrame(CFramedMessage& frame, CString& strError, int& nFatalError)
{
    CAlarmSocketCalls calls(strError);
    if (frame.Send(s_socket, TRUE, calls) == CFramedMessage::eSent)
    {
        strError = L"Sent " + DecimalText((int)frame.GetLength()) + L" bytes to alarms service " + s_strAddress +
                   L":" + DecimalText(s_nPort);
        return 1;
    }
    strError.Format(L"Failed to send %u bytes to socket %u: %s", (unsigned)frame.GetLength(), (unsigned)s_socket,
                    (const wchar_t*)CSocketErrorText(calls.LastError()));
    nFatalError = calls.m_nFatalError;
    AlarmDisconnect();
    return 0;
}
} // namespace

void SetAlarmClock(AlarmClockFunction pfnClock)
{
    s_pfnClock = pfnClock ? pfnClock : SystemClock;
}

void SetSocketTimeouts(SOCKET s, int nReceiveSeconds, int nSendSeconds)
{
    auto clamp = [](int n) { return n < 3 ? 2 : (n >= 300 ? 300 : n); };
    DWORD receiveMs = (DWORD)clamp(nReceiveSeconds) * 1000;
    DWORD sendMs = (DWORD)clamp(nSendSeconds) * 1000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, (const char*)&receiveMs, sizeof(receiveMs));
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, (const char*)&sendMs, sizeof(sendMs));
}

int AlarmConnect(const wchar_t* pszAddress, int nPort, CString& strError)
{
    CSingleLock lock(&s_lock, TRUE);
    if (s_socket != INVALID_SOCKET)
        return 1;
    DWORD now = s_pfnClock();
    if (s_nLastFailedAttempt != 0 && now < s_nLastFailedAttempt + kPauseSeconds)
    {
        strError = s_strLastFailure;
        return 0;
    }
    s_nLastFailedAttempt = now;
    s_strAddress = pszAddress;
    s_nPort = nPort;

    CHostAddress host;
    if (!host.Resolve(pszAddress))
    {
        strError.Format(L"Error getting host info for %s - %s", pszAddress, (const wchar_t*)SystemText());
        s_strLastFailure = strError;
        return 0;
    }
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
    {
        strError.Format(L"Error creating socket - %s", (const wchar_t*)SystemText());
        s_strLastFailure = strError;
        return 0;
    }
    SetSocketTimeouts(s, kTimeoutSeconds, kTimeoutSeconds);
    sockaddr_in to = host.SocketAddress(nPort);
    if (connect(s, (const sockaddr*)&to, sizeof(to)) != 0)
    {
        strError.Format(L"Error connecting to %s port %d - %s", pszAddress, nPort, (const wchar_t*)SystemText());
        s_strLastFailure = strError;
        closesocket(s);
        return 0;
    }
    s_socket = s;
    s_peerWatch.Start(s);
    s_nLastFailedAttempt = 0;
    s_strLastFailure.Empty();
    return 1;
}

void AlarmDisconnect()
{
    CSingleLock lock(&s_lock, TRUE);
    if (s_socket != INVALID_SOCKET)
        closesocket(s_socket);
    s_peerWatch.Stop();
    s_socket = INVALID_SOCKET;
    s_strAddress.Empty();
    s_nPort = 0;
}

int AlarmTransmit(const wchar_t* pszAddress, int nPort, const BYTE* pRecord, DWORD nBytes, CString& strError)
{
    CSingleLock lock(&s_lock, TRUE);
    strError.Empty();
    if (s_socket != INVALID_SOCKET && PeerHasClosed(s_socket))
        AlarmDisconnect();
    if (!AlarmConnect(pszAddress, nPort, strError))
        return 0;

    CFramedMessage frame;
    frame.BuildRecord(kAlarmRecordType, pRecord, nBytes);
    int nFatalError = 0;
    if (SendFrame(frame, strError, nFatalError))
        return 1;
    // A connection lost under us is made once more and the whole frame sent again; after a
    // time-out the caller has waited long enough.
    if (nFatalError == 0 || nFatalError == WSAETIMEDOUT)
        return 0;
    CString strFirstError = strError;
    if (!AlarmConnect(pszAddress, nPort, strError))
    {
        strError = strFirstError + L" - " + strError;
        return 0;
    }
    return SendFrame(frame, strError, nFatalError);
}
