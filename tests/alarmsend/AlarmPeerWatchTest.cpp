#include "agent/FramedMessage.h"
#include "alarmsend/AlarmConnection.h"
#include "alarmsend/AlarmPeerWatch.h"

#include "tests/agent/Loopback.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
BOOL EndsSoon(const CAlarmPeerWatch& watch)
{
    for (int i = 0; i < 100 && watch.IsQuiet(); ++i)
        Sleep(20);
    return !watch.IsQuiet();
}

const BYTE kRecord[] = {'E', 0, 'O', 0, 'R', 0, 0, 0, 0, 0};

int Transmit(int nPort)
{
    CString strError;
    return AlarmTransmit(L"127.0.0.1", nPort, kRecord, sizeof(kRecord), strError);
}

// The next connection made to the listener, INVALID_SOCKET when none is waiting.
SOCKET NextConnection(const CLoopbackListener& listener)
{
    fd_set waiting;
    FD_ZERO(&waiting);
    FD_SET(listener.m_socket, &waiting);
    timeval wait = {0, 200000};
    if (select(0, &waiting, nullptr, nullptr, &wait) != 1)
        return INVALID_SOCKET;
    return accept(listener.m_socket, nullptr, nullptr);
}

BOOL ReceivesRecord(SOCKET s)
{
    CFramedMessage frame;
    return frame.Receive(s) == CFramedMessage::eReceived && frame.GetType() == 20;
}
} // namespace

TEST(AlarmPeerWatch, QuietUntilThePeerClosesOrSends)
{
    CLoopbackPair closing, sending;
    ASSERT_TRUE(closing.IsValid() && sending.IsValid());
    CAlarmPeerWatch watch, other;
    EXPECT_FALSE(watch.IsQuiet()) << "nothing posted: the caller must look at the socket itself";

    ASSERT_TRUE(watch.Start(closing.m_local));
    EXPECT_EQ(1, send(closing.m_local, "x", 1, 0)) << "the connection still sends";
    Sleep(100);
    EXPECT_TRUE(watch.IsQuiet());
    closing.ClosePeer();
    EXPECT_TRUE(EndsSoon(watch));

    // Data from the peer ends the watch too, and is left to be read.
    ASSERT_TRUE(other.Start(sending.m_local));
    sending.PeerSend("A", 1);
    EXPECT_TRUE(EndsSoon(other));
    char byte = 0;
    EXPECT_EQ(1, recv(sending.m_local, &byte, 1, 0));
    EXPECT_EQ('A', byte);
}

TEST(AlarmPeerWatch, StoppedAfterTheSocketClosesAndStartedOnTheNext)
{
    CLoopbackPair first, second;
    ASSERT_TRUE(first.IsValid() && second.IsValid());
    CAlarmPeerWatch watch;
    ASSERT_TRUE(watch.Start(first.m_local));
    closesocket(first.m_local);
    first.m_local = INVALID_SOCKET;
    watch.Stop();
    EXPECT_FALSE(watch.IsQuiet());

    ASSERT_TRUE(watch.Start(second.m_local));
    Sleep(100);
    EXPECT_TRUE(watch.IsQuiet()) << "the end of the first receive does not end the second";
    second.ClosePeer();
    EXPECT_TRUE(EndsSoon(watch));
    EXPECT_FALSE(watch.Start(INVALID_SOCKET));
    EXPECT_FALSE(watch.IsQuiet());
}

// The kept connection is given up only when its peer has closed: not for data from the peer,
// nor when the thread that made the last call has ended.
TEST(AlarmKeptConnection, ReplacedOnlyAfterThePeerCloses)
{
    CLoopbackListener listener;
    std::thread([&] { EXPECT_EQ(1, Transmit(listener.GetPort())); }).join();
    SOCKET first = NextConnection(listener);
    ASSERT_NE(INVALID_SOCKET, first);
    EXPECT_TRUE(ReceivesRecord(first));

    send(first, "ACK", 3, 0);
    Sleep(100);
    EXPECT_EQ(1, Transmit(listener.GetPort()));
    EXPECT_EQ(1, Transmit(listener.GetPort()));
    EXPECT_TRUE(ReceivesRecord(first));
    EXPECT_TRUE(ReceivesRecord(first));
    EXPECT_EQ(INVALID_SOCKET, NextConnection(listener)) << "no second connection";

    closesocket(first);
    Sleep(200);
    EXPECT_EQ(1, Transmit(listener.GetPort()));
    SOCKET second = NextConnection(listener);
    ASSERT_NE(INVALID_SOCKET, second) << "the alarm after the close goes over a new connection";
    EXPECT_TRUE(ReceivesRecord(second));
    closesocket(second);
    AlarmDisconnect();
}
