#include "agent/CommandConnection.h"

#include "agent/AgentTime.h"
#include "agent/CommandServer.h"
#include "agent/DeadlineSocketCalls.h"
#include "agent/FramedMessage.h"
#include "agent/GlobalLocks.h"
#include "agent/LogonProvider.h"
#include "agent/SocketErrorText.h"
#include "agent/TargetList.h"
#include "agent/TraceLog.h"
#include "support/EventLogWriter.h"
#include "support/FileVersionInfo.h"
#include "support/RegistryStore.h"
#include "support/StringEx.h"
#include "support/SystemErrorText.h"
#include "support/TextFile.h"

#include <process.h>

namespace
{
const DWORD STATUS_REQUEST = 3;
const DWORD SET_TARGETS_REQUEST = 4;
const DWORD TRACE_TAIL_REQUEST = 7;
const int TAG_LENGTH = 7;

struct STargetRequest
{
    CString strAsking, strAccount, strPassword, strTargets[3];
};

void ParseTargetRequest(const CString& strRequest, STargetRequest& request)
{
    CStringArray arrItems;
    CStringEx(strRequest).Split(L'\t', arrItems);
    for (int i = 0; i < arrItems.GetSize(); i++)
    {
        CString strTag = arrItems[i].Left(TAG_LENGTH), strValue = arrItems[i].Mid(TAG_LENGTH);
        if (strTag == L"{{ZRAO:")
            request.strAsking = strValue;
        else if (strTag == L"{{ZRAU:")
            request.strAccount = strValue;
        else if (strTag == L"{{ZRAP:")
            request.strPassword = strValue;
        else if (strTag == L"{{ZRA1:")
            request.strTargets[0] = strValue;
        else if (strTag == L"{{ZRA2:")
            request.strTargets[1] = strValue;
        else if (strTag == L"{{ZRA3:")
            request.strTargets[2] = strValue;
    }
}

// Control characters other than the separating TAB have no place in a request: they would end
// up in the target file and the event log.
BOOL HoldsControlCharacters(const CString& strText)
{
    for (int i = 0; i < strText.GetLength(); i++)
        if (strText[i] < 0x20 && strText[i] != L'\t')
            return TRUE;
    return FALSE;
}

void WriteEvent(WORD wType, DWORD dwId, const CString& strText)
{
    CString strError;
    CEventLogWriter().Write(wType, 1, dwId, strText, strError);
}
} // namespace

CCommandConnection::CCommandConnection(CCommandServer* pServer)
    : m_pServer(pServer), m_bStarted(FALSE), m_hThread(nullptr), m_socket(INVALID_SOCKET), m_address(),
      m_nWaitingSince(0), m_nEnded(0)
{
    m_startedEvent.Create();
}

CCommandConnection::~CCommandConnection()
{
    if (m_hThread)
    {
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
    }
    if (m_socket != INVALID_SOCKET)
        closesocket(m_socket);
}

BOOL CCommandConnection::Accept(SOCKET listener, BOOL& bAccepted)
{
    sockaddr_in peer = {};
    int nLength = sizeof(peer);
    SOCKET s = accept(listener, (sockaddr*)&peer, &nLength);
    bAccepted = s != INVALID_SOCKET;
    if (!bAccepted)
        return FALSE;
    m_socket = s;
    memcpy(m_address, &peer.sin_addr, 4);
    m_strAddress.Format(L"%u.%u.%u.%u", (unsigned)m_address[0], (unsigned)m_address[1], (unsigned)m_address[2],
                        (unsigned)m_address[3]);
    TraceLog().WriteLine(L"Connection");
    TraceLog().WriteLine(L"==========");
    TraceLog().WriteLine(L"From ...: %s", m_strAddress.GetString());
    TraceLog().WriteLine(L"Time ...: %s", CAgentTime::Now().AscTime().GetString());
    TraceLog().WriteLine(L"");
    if (!CDeadlineSocketCalls::MakeNonBlocking(m_socket) || !m_pServer->MakeRoom())
    {
        Refuse();
        return FALSE;
    }
    m_hThread = (HANDLE)_beginthreadex(nullptr, 0, ThreadEntry, this, 0, nullptr);
    if (!m_hThread)
    {
        Refuse();
        return FALSE;
    }
    m_startedEvent.Wait(INFINITE);
    return m_bStarted;
}

void CCommandConnection::Refuse()
{
    TraceLog().WriteLine(L"Connection from %s refused: %d connections are served", m_strAddress.GetString(),
                         (int)CCommandServer::MAX_CONNECTIONS);
    closesocket(m_socket);
    m_socket = INVALID_SOCKET;
}

BOOL CCommandConnection::EndWhileWaiting()
{
    if (!m_nWaitingSince || m_socket == INVALID_SOCKET)
        return FALSE;
    TraceLog().WriteLine(L"Connection from %s waited longest for a request: closing it for a new one",
                         m_strAddress.GetString());
    m_nWaitingSince = 0;
    InterlockedExchange(&m_nEnded, 1);
    return TRUE;
}

void CCommandConnection::SetWaiting(BOOL bWaiting)
{
    CSingleLock lock(&GlobalLocks().m_lockConnections, TRUE);
    m_nWaitingSince = bWaiting ? GetTickCount64() : 0;
}

void CCommandConnection::Shutdown()
{
    InterlockedExchange(&m_nEnded, 1);
    if (m_hThread)
        WaitForSingleObject(m_hThread, INFINITE);
}

unsigned __stdcall CCommandConnection::ThreadEntry(void* pParam)
{
    ((CCommandConnection*)pParam)->Serve();
    return 0;
}

void CCommandConnection::Serve()
{
    {
        CSingleLock lock(&GlobalLocks().m_lockConnections, TRUE);
        m_pServer->AddActive(this);
    }
    m_bStarted = TRUE;
    m_startedEvent.Set();
    for (;;)
    {
        SetWaiting(TRUE);
        CFramedMessage request;
        if (!WaitForRequest() || !ReceiveRequest(request))
            break;
        SetWaiting(FALSE);
        if (!Answer(request))
            break;
    }
    SetWaiting(FALSE);
    Disconnect();
    CSingleLock lock(&GlobalLocks().m_lockConnections, TRUE);
    m_pServer->MoveToFinished(this);
}

// A collector that sends nothing for IDLE_TIMEOUT_MS loses its connection.
BOOL CCommandConnection::WaitForRequest()
{
    CDeadlineSocketCalls idle(IDLE_TIMEOUT_MS, &m_nEnded);
    BOOL bReady = idle.WaitUntilReady(m_socket, FALSE);
    if (idle.HasTimedOut())
        TraceLog().WriteLine(L"Connection from %s idle for %d s, closing", m_strAddress.GetString(),
                             (int)(IDLE_TIMEOUT_MS / 1000));
    return bReady;
}

BOOL CCommandConnection::ReceiveRequest(CFramedMessage& request)
{
    CDeadlineSocketCalls calls(REQUEST_TIMEOUT_MS, &m_nEnded);
    if (request.Receive(m_socket, calls) == CFramedMessage::eReceived)
        return TRUE;
    if (calls.HasTimedOut())
        TraceLog().WriteLine(L"Connection from %s sent no whole request within %d s, closing", m_strAddress.GetString(),
                             (int)(REQUEST_TIMEOUT_MS / 1000));
    return FALSE;
}

BOOL CCommandConnection::Answer(CFramedMessage& request)
{
    DWORD dwType = request.GetType();
    CString strReply;
    DWORD dwResult = 0;
    if (dwType == STATUS_REQUEST)
        strReply = StatusText();
    else if (dwType == SET_TARGETS_REQUEST)
    {
        if (request.GetLength() < (DWORD)CFramedMessage::nTextOffset)
            return FALSE;
        request.Decipher(SET_TARGETS_REQUEST, CFramedMessage::nTextOffset);
        dwResult = SetTargets(request.GetText(), strReply);
    }
    else if (dwType == TRACE_TAIL_REQUEST)
    {
        strReply = TraceTail();
        dwResult = 1;
    }
    else
        return TRUE;

    CFramedMessage reply;
    reply.BuildText(CFramedMessage::ReplyType(dwType), dwResult, strReply, dwType);
    CDeadlineSocketCalls calls(REPLY_TIMEOUT_MS, &m_nEnded);
    CFramedMessage::ESendResult eResult = reply.Send(m_socket, FALSE, calls);
    if (calls.HasTimedOut())
        TraceLog().WriteLine(L"Connection from %s took no reply within %d s, closing", m_strAddress.GetString(),
                             (int)(REPLY_TIMEOUT_MS / 1000));
    else if (eResult == CFramedMessage::eCallFailed)
        TraceLog().WriteLine(L"Error sending %u bytes to socket %u - %s", (unsigned)reply.m_nFailedCallBytes,
                             (unsigned)m_socket, (const wchar_t*)CSocketErrorText(reply.m_nLastSocketError));
    else if (eResult == CFramedMessage::eCallsUsedUp)
        TraceLog().WriteLine(L"Failed to send %u bytes to socket %u", (unsigned)reply.GetLength(), (unsigned)m_socket);
    return eResult == CFramedMessage::eSent;
}

CString CCommandConnection::StatusText()
{
    CStringArray arrTargets;
    CTargetList().ReadTargets(arrTargets);
    CStringArrayEx sorted(arrTargets);
    sorted.Sort(TRUE);
    CRegistryStore& registry = GetRegistryStore();
    CString strText;
    strText.Format(L"%s%u\t%s%s\t%s%s\t%s%s\t%s%s", L"{{ZRAM:",
                   (unsigned)registry.GetVolatileDWord(L"AgentMessageCount", 0), L"{{ZRAL:",
                   registry.GetVolatileString(L"AgentLastMessage", L"").GetString(), L"{{ZRAR:",
                   registry.GetVolatileString(L"AgentStartup", L"").GetString(), L"{{ZRAT:",
                   sorted.Join(L", ").GetString(), L"{{ZRAS:", L"Ready");
    return strText;
}

DWORD CCommandConnection::SetTargets(const CString& strRequest, CString& strReply)
{
    if (HoldsControlCharacters(strRequest))
    {
        strReply = L"Request refused: it holds control characters";
        return 0;
    }
    STargetRequest request;
    ParseTargetRequest(strRequest, request);
    int nBackslash = request.strAccount.Find(L'\\');
    CString strDomain = L".", strUser = request.strAccount;
    if (nBackslash >= 1)
    {
        strDomain = request.strAccount.Left(nBackslash);
        strUser = request.strAccount.Mid(nBackslash + 1);
    }
    CString strEvent;
    strEvent.Format(L"Windows user '%s' trying to logon using account '%s'", request.strAsking.GetString(),
                    strUser.GetString());
    WriteEvent(EVENTLOG_WARNING_TYPE, 12, strEvent);

    CLogonProvider& logon = LogonProvider();
    HANDLE hToken = nullptr;
    if (!logon.Logon(strUser, strDomain, request.strPassword, &hToken))
    {
        strReply.Format(L"Error validating username and password: %s", (const wchar_t*)CSystemErrorText());
        return 0;
    }
    strEvent.Format(L"Windows user '%s' using account '%s' has updated the list of %s targets",
                    request.strAsking.GetString(), strUser.GetString(), CFileVersionInfo().GetProductName());
    WriteEvent(EVENTLOG_WARNING_TYPE, 11, strEvent);

    DWORD dwResult = 0;
    if (!logon.Impersonate(hToken))
        strReply = (const wchar_t*)CSystemErrorText();
    else
    {
        CStringArrayEx lines;
        for (int i = 0; i < 3; i++)
            if (!request.strTargets[i].IsEmpty())
                lines.AddFormat(L"TARGET> %s", request.strTargets[i].GetString());
        CString strError;
        dwResult = CTargetList().WriteTargets(lines, strError) ? 1 : 0;
        strReply = dwResult ? CString(L"Targets updated") : strError;
        logon.Revert();
    }
    logon.CloseToken(hToken);
    return dwResult;
}

CString CCommandConnection::TraceTail()
{
    CStringArray lines;
    CTextFile(TraceLog().GetPath()).ReadLines(lines);
    CString strText = CStringArrayEx(lines).Join(L"\n");
    if (strText.GetLength() > TAIL_LENGTH)
    {
        strText = strText.Right(TAIL_LENGTH);
        int nLineEnd = strText.Find(L'\n');
        strText = nLineEnd >= 0 ? strText.Mid(nLineEnd + 1) : CString();
    }
    return strText;
}

void CCommandConnection::Disconnect()
{
    if (m_socket == INVALID_SOCKET)
        return;
    TraceLog().WriteLine(L"Disconnection");
    TraceLog().WriteLine(L"=============");
    TraceLog().WriteLine(L"Host ...: %s", m_strAddress.GetString());
    TraceLog().WriteLine(L"Time ...: %s", CAgentTime::Now().AscTime().GetString());
    TraceLog().WriteLine(L"");
    CSingleLock lock(&GlobalLocks().m_lockConnections, TRUE);
    if (closesocket(m_socket) == SOCKET_ERROR)
        TraceLog().SocketError(L"Error closing socket.");
    m_socket = INVALID_SOCKET;
}
