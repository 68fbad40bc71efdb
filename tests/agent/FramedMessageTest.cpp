#include "agent/FramedMessage.h"
#include "agent/MessageCipher.h"

#include "Loopback.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace
{
DWORD WordAt(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24); }

void PutWord(std::vector<BYTE>& b, size_t at, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (BYTE)(v >> (8 * i));
}

// Deciphered copy of a built agent message.
std::vector<BYTE> Plain(const CFramedMessage& msg, DWORD dwKeyNumber)
{
    std::vector<BYTE> bytes(msg.GetData(), msg.GetData() + msg.GetLength());
    CMessageCipher().Decrypt(dwKeyNumber, bytes.data() + 20, (DWORD)bytes.size() - 20);
    return bytes;
}

// A frame as a peer would send it: magic, length, checksum, type, body.
std::vector<BYTE> Frame(DWORD dwType, const std::vector<BYTE>& body)
{
    std::vector<BYTE> b(20 + body.size(), 0);
    const BYTE magic[8] = {0xC0, 0xDE, 0xFE, 0xED, 0xC0, 0xDE, 0xFE, 0xED};
    memcpy(b.data(), magic, 8);
    PutWord(b, 8, (DWORD)b.size());
    PutWord(b, 16, dwType);
    if (!body.empty())
        memcpy(b.data() + 20, body.data(), body.size());
    PutWord(b, 12, CFramedMessage::Checksum(b.data(), (DWORD)b.size()));
    return b;
}

// Send calls that take at most a set number of bytes each, and can fail on chosen calls.
class CRecordingCalls : public CSocketCalls
{
public:
    int Send(SOCKET, const char*, int nLength) override
    {
        m_asked.push_back(nLength);
        size_t nCall = m_asked.size();
        for (size_t failing : m_failOnCalls)
            if (failing == nCall)
                return SOCKET_ERROR;
        if (m_nFailAll)
            return SOCKET_ERROR;
        return nLength < m_nTake ? nLength : m_nTake;
    }
    int LastError() override { return 10054; }

    int m_nTake = 1 << 30;
    bool m_nFailAll = false;
    std::vector<size_t> m_failOnCalls;
    std::vector<int> m_asked;
};
} // namespace

TEST(FramedMessage, AgentTextLayoutAndPadding)
{
    CFramedMessage abc;
    abc.BuildText(0x80000003, 0, L"abc", 3);
    ASSERT_EQ(36u, abc.GetLength());
    std::vector<BYTE> plain = Plain(abc, 3);
    const BYTE expected[36] = {0xC0, 0xDE, 0xFE, 0xED, 0xC0, 0xDE, 0xFE, 0xED, 36, 0, 0, 0, 0, 0, 0, 0,
                               0x03, 0, 0, 0x80, 1, 0, 0, 0, 0, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0, 0, 0};
    plain[12] = plain[13] = plain[14] = plain[15] = 0; // checksum checked below
    EXPECT_EQ(0, memcmp(expected, plain.data(), 36));

    CFramedMessage abcd;
    abcd.BuildText(0x80000002, 1, L"abcd", 2);
    ASSERT_EQ(44u, abcd.GetLength());
    plain = Plain(abcd, 2);
    EXPECT_EQ(1u, WordAt(&plain[24]));
    for (int i = 38; i < 44; ++i)
        EXPECT_EQ(0, plain[i]) << "padding byte " << i;

    CFramedMessage empty;
    empty.BuildText(0x80000007, 1, L"", 7);
    EXPECT_EQ(36u, empty.GetLength());
    EXPECT_EQ(0x80000007u, empty.GetType());
}

TEST(FramedMessage, ChecksumCoversTheEncipheredBytes)
{
    CFramedMessage msg;
    msg.BuildText(0x80000002, 0, L"checksum over what travels", 2);
    std::vector<BYTE> bytes(msg.GetData(), msg.GetData() + msg.GetLength());
    DWORD dwStored = WordAt(&bytes[12]);
    bytes[12] = bytes[13] = bytes[14] = bytes[15] = 0;
    EXPECT_EQ(CFramedMessage::Checksum(bytes.data(), (DWORD)bytes.size()), dwStored);
    std::vector<BYTE> plain = Plain(msg, 2);
    plain[12] = plain[13] = plain[14] = plain[15] = 0;
    EXPECT_NE(CFramedMessage::Checksum(plain.data(), (DWORD)plain.size()), dwStored);
}

TEST(FramedMessage, RecordLayoutAndChecksum)
{
    const BYTE payload[4] = {0x61, 0, 0, 0};
    CFramedMessage record;
    record.BuildRecord(20, payload, 4);
    ASSERT_EQ(33u, record.GetLength());
    EXPECT_EQ(1961u, record.GetWord(12));
    EXPECT_EQ(20u, record.GetType());
    EXPECT_EQ(1u, record.GetWord(20));
    EXPECT_EQ(0u, record.GetWord(24));
    EXPECT_EQ(0x61, record.GetData()[28]);
    EXPECT_EQ(0, record.GetData()[32]);
}

TEST(FramedMessage, TextRoundTripThroughDecipher)
{
    CFramedMessage msg;
    msg.BuildText(0x80000004, 1, L"Targets updated \u00e9\u4e2d", 4);
    EXPECT_EQ(1, msg.Decipher(4, 20));
    EXPECT_STREQ(L"Targets updated \u00e9\u4e2d", msg.GetText());
    EXPECT_EQ(1u, msg.GetResult());
}

TEST(FramedMessage, SendLoopChunksAndPartialSends)
{
    std::vector<BYTE> payload(100000 - 29, 'x');
    CFramedMessage big;
    big.BuildRecord(20, payload.data(), (DWORD)payload.size());
    ASSERT_EQ(100000u, big.GetLength());

    CRecordingCalls whole;
    EXPECT_EQ(CFramedMessage::eSent, big.Send(0, FALSE, whole));
    EXPECT_EQ((std::vector<int>{32768, 32768, 32768, 1696}), whole.m_asked);
    EXPECT_EQ(100000u, big.m_nBytesSent);

    CRecordingCalls partial;
    partial.m_nTake = 30000;
    EXPECT_EQ(CFramedMessage::eSent, big.Send(0, FALSE, partial));
    EXPECT_EQ((std::vector<int>{32768, 32768, 32768, 10000}), partial.m_asked);

    CRecordingCalls trickle;
    trickle.m_nTake = 1000;
    EXPECT_EQ(CFramedMessage::eCallsUsedUp, big.Send(0, FALSE, trickle));
    EXPECT_EQ(64u, trickle.m_asked.size());
    EXPECT_EQ(64000u, big.m_nBytesSent);
    EXPECT_EQ(10054, big.m_nLastSocketError);
}

TEST(FramedMessage, FailedSendCallStopsOrRetries)
{
    const BYTE payload[3] = {1, 2, 3};
    CFramedMessage msg;
    msg.BuildRecord(20, payload, 3);

    CRecordingCalls stop;
    stop.m_failOnCalls = {1};
    EXPECT_EQ(CFramedMessage::eCallFailed, msg.Send(0, FALSE, stop));
    EXPECT_EQ(1u, stop.m_asked.size());
    EXPECT_EQ(32u, msg.m_nFailedCallBytes);
    EXPECT_EQ(10054, msg.m_nLastSocketError);

    CRecordingCalls retry;
    retry.m_failOnCalls = {1, 2};
    EXPECT_EQ(CFramedMessage::eSent, msg.Send(0, TRUE, retry));
    EXPECT_EQ(3u, retry.m_asked.size());

    CRecordingCalls never;
    never.m_nFailAll = true;
    EXPECT_EQ(CFramedMessage::eCallsUsedUp, msg.Send(0, TRUE, never));
    EXPECT_EQ(64u, never.m_asked.size());
    EXPECT_EQ(0u, msg.m_nBytesSent);
}

TEST(FramedMessageLoopback, SendsOverARealSocket)
{
    CLoopbackPair pair;
    ASSERT_TRUE(pair.IsValid());
    CFramedMessage out;
    out.BuildText(0x80000003, 0, L"status", 3);
    ASSERT_EQ(CFramedMessage::eSent, out.Send(pair.m_peer, FALSE));
    CFramedMessage in;
    ASSERT_EQ(CFramedMessage::eReceived, in.Receive(pair.m_local));
    EXPECT_EQ(out.GetLength(), in.GetLength());
    EXPECT_EQ(0, memcmp(out.GetData(), in.GetData(), out.GetLength()));
}

TEST(FramedMessageLoopback, HeaderSplitOverTwoSegmentsIsRead)
{
    CLoopbackPair pair;
    ASSERT_TRUE(pair.IsValid());
    std::vector<BYTE> frame = Frame(3, {1, 0, 0, 0, 0, 0, 0, 0});
    std::thread peer([&] {
        pair.PeerSend(frame.data(), 7);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        pair.PeerSend(frame.data() + 7, 9);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        pair.PeerSend(frame.data() + 16, frame.size() - 16);
    });
    CFramedMessage in;
    EXPECT_EQ(CFramedMessage::eReceived, in.Receive(pair.m_local));
    peer.join();
    EXPECT_EQ(3u, in.GetType());
    EXPECT_EQ(28u, in.GetLength());
}

TEST(FramedMessageLoopback, BadHeadersAreRefusedAndTheNextConnectionIsServed)
{
    std::vector<BYTE> tooShort = Frame(3, {});
    PutWord(tooShort, 8, 12);
    std::vector<BYTE> huge = Frame(3, {});
    PutWord(huge, 8, 0x7FFFFFF0);
    std::vector<BYTE> badMagic = Frame(3, {1, 0, 0, 0});
    badMagic[3] = 0xEE;
    std::vector<BYTE> shortSetTargets = Frame(4, {1, 0, 0, 0});
    std::vector<BYTE> badChecksum = Frame(7, {1, 0, 0, 0, 1, 0, 0, 0});
    badChecksum[12] ^= 0x01;

    for (const std::vector<BYTE>* frame : {&tooShort, &huge, &badMagic, &shortSetTargets, &badChecksum})
    {
        CLoopbackPair pair;
        ASSERT_TRUE(pair.IsValid());
        pair.PeerSend(frame->data(), frame->size());
        CFramedMessage in;
        EXPECT_EQ(CFramedMessage::eRefused, in.Receive(pair.m_local));
        EXPECT_EQ(0u, in.GetLength());
    }

    CLoopbackPair good;
    std::vector<BYTE> frame = Frame(7, {1, 0, 0, 0, 1, 0, 0, 0});
    good.PeerSend(frame.data(), frame.size());
    CFramedMessage in;
    EXPECT_EQ(CFramedMessage::eReceived, in.Receive(good.m_local));
}

TEST(FramedMessageLoopback, PeerClosingEndsTheReceiveAtOnce)
{
    {
        CLoopbackPair pair;
        pair.ClosePeer();
        CFramedMessage in;
        EXPECT_EQ(CFramedMessage::eClosed, in.Receive(pair.m_local));
    }
    CLoopbackPair pair;
    std::vector<BYTE> frame = Frame(3, std::vector<BYTE>(1000, 7));
    pair.PeerSend(frame.data(), 500);
    pair.ClosePeer();
    CFramedMessage in;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CFramedMessage::eBodyFailed, in.Receive(pair.m_local));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(0u, in.GetLength());
}

TEST(FramedMessageLoopback, SeveralMessagesOnOneConnection)
{
    CLoopbackPair pair;
    std::vector<BYTE> stream;
    for (DWORD type : {3u, 5u, 7u})
    {
        std::vector<BYTE> frame = Frame(type, {1, 0, 0, 0, 0, 0, 0, 0});
        stream.insert(stream.end(), frame.begin(), frame.end());
    }
    pair.PeerSend(stream.data(), stream.size());
    for (DWORD type : {3u, 5u, 7u})
    {
        CFramedMessage in;
        ASSERT_EQ(CFramedMessage::eReceived, in.Receive(pair.m_local));
        EXPECT_EQ(type, in.GetType());
    }
}

TEST(FramedMessage, TenFailedHeaderReadsEndTheConnection)
{
    class CFailingCalls : public CSocketCalls
    {
    public:
        int Receive(SOCKET, char*, int) override { ++m_nCalls; return SOCKET_ERROR; }
        int m_nCalls = 0;
    } calls;
    CFramedMessage in;
    EXPECT_EQ(CFramedMessage::eHeaderFailed, in.Receive(0, calls));
    EXPECT_EQ(10, calls.m_nCalls);
}
