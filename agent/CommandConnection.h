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

    // A set-target-list request's answer; public for the tests of the request's text.
    static DWORD SetTargets(const CString& strRequest, CString& strReply);
    static CString StatusText();
    static CString TraceTail();

    enum { IDLE_TIMEOUT_MS = 300000, TAIL_LENGTH = 0x40000 };

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
    BOOL Answer(CFramedMessage& request);
    void Disconnect();
    static CString TimeNow();
};
