// One collector connected to the command port, served by its own thread.
#pragma once

#include "agent/EventHandle.h"
#include "framework/Framework.h"

#include <winsock2.h>

class CCommandServer;
class CFramedMessage;

class CCommandConnection
{
public:
    explicit CCommandConnection(CCommandServer* pServer);
    ~CCommandConnection();
    CCommandConnection(const CCommandConnection&) = delete;
    CCommandConnection& operator=(const CCommandConnection&) = delete;

    // Accepts the next collector on the listening socket and starts serving it; FALSE when no
    // connection was accepted (bAccepted tells whether the accept itself failed).
    BOOL Accept(SOCKET listener, BOOL& bAccepted);
    // Ends the connection from outside (shutdown) and waits for its thread.
    void Shutdown();
    // Refuses an accepted connection without serving it.
    void Refuse();
    // Ends the connection from outside when it waits for a request; FALSE when it does not.
    // Called under the connection-list lock.
    BOOL EndWhileWaiting();
    // Since when the connection waits for a request (GetTickCount64), 0 while it answers one.
    ULONGLONG GetWaitingSince() const { return m_nWaitingSince; }

    // A set-target-list request's answer; public for the tests of the request's text.
    static DWORD SetTargets(const CString& strRequest, CString& strReply);
    static CString StatusText();
    static CString TraceTail();

    // A collector may stay idle between requests for IDLE_TIMEOUT_MS; once a request has
    // begun to arrive it must be whole within REQUEST_TIMEOUT_MS, and a reply must be taken
    // within REPLY_TIMEOUT_MS.
    enum { IDLE_TIMEOUT_MS = 300000, REQUEST_TIMEOUT_MS = 30000, REPLY_TIMEOUT_MS = 30000, TAIL_LENGTH = 0x40000 };

    CCommandServer* m_pServer;
    volatile BOOL m_bStarted;
    HANDLE m_hThread;
    CEventHandle m_startedEvent;
    volatile SOCKET m_socket;
    BYTE m_address[4];
    CString m_strAddress;

private:
    static unsigned __stdcall ThreadEntry(void* pParam);
    void Serve();
    BOOL WaitForRequest();
    BOOL ReceiveRequest(CFramedMessage& request);
    void SetWaiting(BOOL bWaiting);
    BOOL Answer(CFramedMessage& request);
    void Disconnect();

    ULONGLONG m_nWaitingSince;
    // Set from outside to end the connection; its socket calls look at it while they wait.
    volatile LONG m_nEnded;
};
