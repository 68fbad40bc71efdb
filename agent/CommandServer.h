// The agent's TCP command port: a listener thread accepts collectors, and each connection is
// served by a thread of its own (status, set target list, trace-log tail).
#pragma once

#include "agent/ConfigFile.h"
#include "agent/EventHandle.h"

#include <winsock2.h>

#include <vector>

class CCommandConnection;

class CCommandServer
{
public:
    CCommandServer();
    ~CCommandServer();
    CCommandServer(const CCommandServer&) = delete;
    CCommandServer& operator=(const CCommandServer&) = delete;

    // 1 when the server listens.
    int Start();
    void CloseSocket();

    USHORT GetPort() const { return m_nPort; }
    // Called by a connection thread, under the connection-list lock.
    void AddActive(CCommandConnection* pConnection);
    void MoveToFinished(CCommandConnection* pConnection);
    // Room for one more connection: TRUE below the cap, or when the connection that has waited
    // longest for a request was ended for it.
    BOOL MakeRoom();

    enum { MAX_CONNECTIONS = 32, DEFAULT_PORT = 7257 };

private:
    BOOL CreateListeningSocket();
    static unsigned __stdcall ListenerEntry(void* pParam);
    void Listen();
    void DeleteFinished();
    void EndAllConnections();

    std::vector<CCommandConnection*> m_active;
    std::vector<CCommandConnection*> m_finished;
    volatile SOCKET m_socket;
    sockaddr_in m_address;
    HANDLE m_hListener;
    CEventHandle m_startEvent;
    CConfigFile m_config;
    USHORT m_nPort;
    WSADATA m_wsaData;
    int m_bReady;
    volatile int m_bRunning;
};
