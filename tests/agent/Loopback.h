// A connected pair of loopback sockets for the frame's tests.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

class CLoopbackPair
{
public:
    CLoopbackPair()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 0), &data);
        SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int nLength = sizeof(addr);
        bind(listener, (sockaddr*)&addr, sizeof(addr));
        listen(listener, 1);
        getsockname(listener, (sockaddr*)&addr, &nLength);
        m_peer = socket(AF_INET, SOCK_STREAM, 0);
        connect(m_peer, (sockaddr*)&addr, sizeof(addr));
        m_local = accept(listener, nullptr, nullptr);
        closesocket(listener);
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
