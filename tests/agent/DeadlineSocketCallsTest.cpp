#include "Loopback.h"
#include "agent/DeadlineSocketCalls.h"

#include <vector>

namespace
{
const DWORD DEADLINE_MS = 300;
// Far above the deadline, far below a wait without end.
const ULONGLONG LATEST_MS = 10000;

class DeadlineCalls : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pair.IsValid());
        ASSERT_TRUE(CDeadlineSocketCalls::MakeNonBlocking(m_pair.m_local));
        m_nStart = GetTickCount64();
    }
    ULONGLONG Elapsed() const { return GetTickCount64() - m_nStart; }

    CLoopbackPair m_pair;
    ULONGLONG m_nStart = 0;
};
} // namespace

TEST_F(DeadlineCalls, ReceiveFromASilentPeerEndsAtTheDeadline)
{
    CDeadlineSocketCalls calls(DEADLINE_MS);
    char buffer[16];
    EXPECT_EQ(SOCKET_ERROR, calls.Receive(m_pair.m_local, buffer, sizeof(buffer)));
    EXPECT_TRUE(calls.HasTimedOut());
    EXPECT_GE(Elapsed() + 20, DEADLINE_MS);
    EXPECT_LT(Elapsed(), LATEST_MS);
}

TEST_F(DeadlineCalls, SendToAPeerThatDoesNotReadEndsAtTheDeadline)
{
    std::vector<char> data(64 * 1024 * 1024, 'x');
    CDeadlineSocketCalls calls(DEADLINE_MS);
    EXPECT_EQ(SOCKET_ERROR, calls.Send(m_pair.m_local, data.data(), (int)data.size()));
    EXPECT_TRUE(calls.HasTimedOut());
    EXPECT_LT(Elapsed(), LATEST_MS);
}

TEST_F(DeadlineCalls, FrameWhoseBodyStallsIsGivenUpAndAWholeOneArrives)
{
    CFramedMessage request;
    request.BuildRecord(3, (const BYTE*)"payload", 7);
    // The header and two bytes of the body, then nothing.
    m_pair.PeerSend(request.GetData(), CFramedMessage::nHeaderSize + 2);
    CDeadlineSocketCalls stalled(DEADLINE_MS);
    CFramedMessage received;
    EXPECT_EQ(CFramedMessage::eBodyFailed, received.Receive(m_pair.m_local, stalled));
    EXPECT_TRUE(stalled.HasTimedOut());
    EXPECT_LT(Elapsed(), LATEST_MS);

    CLoopbackPair fresh;
    ASSERT_TRUE(CDeadlineSocketCalls::MakeNonBlocking(fresh.m_local));
    fresh.PeerSend(request.GetData(), request.GetLength());
    CDeadlineSocketCalls whole(5000);
    ASSERT_EQ(CFramedMessage::eReceived, received.Receive(fresh.m_local, whole));
    EXPECT_EQ(request.GetLength(), received.GetLength());
    EXPECT_EQ(0, memcmp(request.GetData(), received.GetData(), request.GetLength()));
}

static DWORD WINAPI SetEndFlagSoon(void* pFlag)
{
    Sleep(300);
    InterlockedExchange((volatile LONG*)pFlag, 1);
    return 0;
}

TEST_F(DeadlineCalls, EndFlagEndsTheWaitSoon)
{
    volatile LONG nEnded = 0;
    CDeadlineSocketCalls calls(60000, &nEnded);
    HANDLE hThread = CreateThread(nullptr, 0, SetEndFlagSoon, (void*)&nEnded, 0, nullptr);
    char buffer[16];
    EXPECT_EQ(SOCKET_ERROR, calls.Receive(m_pair.m_local, buffer, sizeof(buffer)));
    EXPECT_EQ(WSAECONNABORTED, calls.LastError());
    EXPECT_FALSE(calls.HasTimedOut());
    EXPECT_LT(Elapsed(), LATEST_MS);
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);
}
