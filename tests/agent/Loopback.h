// Loopback sockets for the tests of the frame and of forwarding: a listener, a connected pair.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

// A listening socket on a free loopback port.
class CLoopbackListener
{
public:
    CLoopbackListener()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 0), &data);
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        m_address.sin_family = AF_INET;
        m_address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int nLength = sizeof(m_address);
        bind(m_socket, (sockaddr*)&m_address, sizeof(m_address));
        listen(m_socket, 16);
        getsockname(m_socket, (sockaddr*)&m_address, &nLength);
    }
    ~CLoopbackListener()
    {
        closesocket(m_socket);
        WSACleanup();
    }
    int GetPort() const { return ntohs(m_address.sin_port); }

    SOCKET m_socket = INVALID_SOCKET;
    sockaddr_in m_address = {};
};

class CLoopbackPair
{
public:
    CLoopbackPair()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 0), &data);
        CLoopbackListener listener;
        m_peer = socket(AF_INET, SOCK_STREAM, 0);
        connect(m_peer, (sockaddr*)&listener.m_address, sizeof(listener.m_address));
        m_local = accept(listener.m_socket, nullptr, nullptr);
        BOOL bNoDelay = TRUE;
        setsockopt(m_peer, IPPROTO_TCP, TCP_NODELAY, (const char*)&bNoDelay, sizeof(bNoDelay));
    }
    ~CLoopbackPair()
    {
        ClosePeer();
        closesocket(m_local);
        WSACleanup();
    }
    void ClosePeer()
    {
        if (m_peer != INVALID_SOCKET)
            closesocket(m_peer);
        m_peer = INVALID_SOCKET;
    }
    bool IsValid() const { return m_local != INVALID_SOCKET && m_peer != INVALID_SOCKET; }
    void PeerSend(const void* p, size_t n) { send(m_peer, (const char*)p, (int)n, 0); }

    SOCKET m_local = INVALID_SOCKET; // the receiving side under test
    SOCKET m_peer = INVALID_SOCKET;  // the other end, played by the test
};
