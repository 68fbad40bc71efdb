#include "agent/CommandServer.h"

#include "agent/CommandConnection.h"
#include "agent/GlobalLocks.h"
#include "agent/TraceLog.h"

#include <process.h>

#include <algorithm>

namespace
{
const DWORD ACCEPT_RETRY_MS = 50;
}

CCommandServer::CCommandServer()
    : m_socket(INVALID_SOCKET), m_address(), m_hListener(nullptr), m_nPort(DEFAULT_PORT), m_wsaData(), m_bReady(0),
      m_bRunning(0)
{
    m_startEvent.Create();
    m_config.Load();
    m_nPort = m_config.GetCommandPort();
    if (WSAStartup(MAKEWORD(2, 0), &m_wsaData) != 0)
        TraceLog().SocketError(L"WinSock startup failure.");
    else
        m_bReady = 1;
}

CCommandServer::~CCommandServer()
{
    m_bRunning = 0;
    CloseSocket();
    if (m_hListener)
    {
        WaitForSingleObject(m_hListener, INFINITE);
        CloseHandle(m_hListener);
    }
    if (m_bReady)
        WSACleanup();
}

BOOL CCommandServer::CreateListeningSocket()
{
    if (!m_bReady)
        return FALSE;
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    TraceLog().Trace(4, L"Socket %d created", (int)s);
    if (s == INVALID_SOCKET)
        return FALSE;
    m_address.sin_family = AF_INET;
    m_address.sin_addr.s_addr = htonl(INADDR_ANY);
    m_address.sin_port = htons(m_nPort);
    if (bind(s, (const sockaddr*)&m_address, sizeof(m_address)) == SOCKET_ERROR)
    {
        TraceLog().SocketError(L"Socket Bind failure.");
        closesocket(s);
        return FALSE;
    }
    TraceLog().Trace(4, L"Socket %d bound to port %d", (int)s, (int)m_nPort);
    int nLength = sizeof(m_address);
    int nStatus = getsockname(s, (sockaddr*)&m_address, &nLength);
    TraceLog().Trace(4, L"Get local socket name status %d", nStatus);
    if (nStatus == SOCKET_ERROR)
    {
        TraceLog().SocketError(L"Failed to get Socket name.");
        closesocket(s);
        return FALSE;
    }
    m_socket = s;
    return TRUE;
}

int CCommandServer::Start()
{
    m_bRunning = 0;
    if (!CreateListeningSocket())
        return 0;
    m_hListener = (HANDLE)_beginthreadex(nullptr, 0, ListenerEntry, this, 0, nullptr);
    if (!m_hListener)
    {
        CloseSocket();
        return 0;
    }
    m_startEvent.Wait(INFINITE);
    return m_bRunning;
}

void CCommandServer::CloseSocket()
{
    SOCKET s = m_socket;
    m_socket = INVALID_SOCKET;
    if (s != INVALID_SOCKET)
        closesocket(s);
}

unsigned __stdcall CCommandServer::ListenerEntry(void* pParam)
{
    CCommandServer* pServer = (CCommandServer*)pParam;
    pServer->Listen();
    pServer->m_startEvent.Set();
    return 0;
}

void CCommandServer::Listen()
{
    SOCKET s = m_socket;
    int nStatus = listen(s, 0x7FFFFFFF);
    TraceLog().Trace(4, L"Listening on Socket %d : Status %d", (int)s, nStatus);
    TraceLog().Trace(4, L"");
    if (nStatus == SOCKET_ERROR)
    {
        TraceLog().SocketError(L"::listen() failure");
        return;
    }
    m_bRunning = 1;
    m_startEvent.Set();
    while (m_bRunning)
    {
        CCommandConnection* pConnection = new CCommandConnection(this);
        BOOL bAccepted = FALSE;
        if (!pConnection->Accept(s, bAccepted))
        {
            delete pConnection;
            // A failed accept ends the listener only when the server is being stopped.
            if (m_socket == INVALID_SOCKET || !m_bRunning)
                break;
            if (!bAccepted)
                Sleep(ACCEPT_RETRY_MS);
            continue;
        }
        CSingleLock lock(&GlobalLocks().m_lockConnections, TRUE);
        DeleteFinished();
    }
    m_bRunning = 0;
    EndAllConnections();
}

// Stalled or idle peers must not keep a collector out: at the cap the one that has waited
// longest for a request makes way.
BOOL CCommandServer::MakeRoom()
{
    CSingleLock lock(&GlobalLocks().m_lockConnections, TRUE);
    if (m_active.size() < (size_t)MAX_CONNECTIONS)
        return TRUE;
    CCommandConnection* pLongest = nullptr;
    for (size_t i = 0; i < m_active.size(); i++)
    {
        ULONGLONG nSince = m_active[i]->GetWaitingSince();
        if (nSince && (!pLongest || nSince < pLongest->GetWaitingSince()))
            pLongest = m_active[i];
    }
    return pLongest && pLongest->EndWhileWaiting();
}

void CCommandServer::AddActive(CCommandConnection* pConnection)
{
    m_active.push_back(pConnection);
}

void CCommandServer::MoveToFinished(CCommandConnection* pConnection)
{
    std::vector<CCommandConnection*>::iterator it = std::find(m_active.begin(), m_active.end(), pConnection);
    if (it == m_active.end())
        return;
    m_active.erase(it);
    m_finished.push_back(pConnection);
}

// Called with the connection-list lock held.
void CCommandServer::DeleteFinished()
{
    for (size_t i = 0; i < m_finished.size(); i++)
        delete m_finished[i];
    m_finished.clear();
}

// Ends every connection that is still served and waits for its thread before freeing it.
void CCommandServer::EndAllConnections()
{
    std::vector<CCommandConnection*> active;
    {
        CSingleLock lock(&GlobalLocks().m_lockConnections, TRUE);
        active = m_active;
    }
    for (size_t i = 0; i < active.size(); i++)
        active[i]->Shutdown();
    CSingleLock lock(&GlobalLocks().m_lockConnections, TRUE);
    for (size_t i = 0; i < m_active.size(); i++)
        delete m_active[i];
    m_active.clear();
    DeleteFinished();
}
