#include "alarmsend/AlarmConnection.h"
#include "alarmsend/AlarmRecord.h"

#include <gtest/gtest.h>

namespace
{
CStringArrayEx List(const wchar_t* pList, int nCount)
{
    CStringArrayEx items;
    ParseFieldList(nCount, pList, items);
    return items;
}

CStringArrayEx Record(int nClass, const CStringArray& names, const CStringArray& values)
{
    CStringArrayEx lines;
    BuildAlarmRecord(nClass, L"Host version 1.0 build 7, (c)", 1234, names, values, lines);
    return lines;
}
} // namespace

TEST(AlarmRecord, LinesInOrderWithClassNameAndFields)
{
    CStringArrayEx lines = Record(1, List(L"Computer\0Source\0", 0), List(L"PC1\0App\0", 0));
    ASSERT_EQ(16, lines.GetSize());
    EXPECT_STREQ(L"#   for futher processing.", lines[3]);
    EXPECT_EQ(0, lines[5].Find(L"#   Alarms class = '"));
    EXPECT_STREQ(L"CLASS=1", lines[8]);
    EXPECT_STREQ(L"FROM=Host version 1.0 build 7, (c)", lines[9]);
    EXPECT_STREQ(L"TIME=1234", lines[10]);
    EXPECT_STREQ(L"FIELD=Computer", lines[11]);
    EXPECT_STREQ(L"VALUE=PC1", lines[12]);
    EXPECT_STREQ(L"VALUE=App", lines[14]);
    EXPECT_STREQ(L"EOR", lines[15]);
}

TEST(AlarmRecord, UnknownClassIsNamedUnknown)
{
    CStringArrayEx lines = Record(7, List(nullptr, 0), List(nullptr, 0));
    EXPECT_STREQ(L"#   Alarms class = 'Unknown'", lines[5]);
    EXPECT_STREQ(L"CLASS=7", lines[8]);
}

TEST(AlarmRecordFields, CountLimitsThePairs)
{
    CStringArrayEx lines = Record(1, List(L"a\0b\0c\0", 2), List(L"1\0002\0003\0", 2));
    EXPECT_STREQ(L"FIELD=b", lines[lines.GetSize() - 3]);
    EXPECT_STREQ(L"VALUE=2", lines[lines.GetSize() - 2]);
    EXPECT_EQ(1, lines.Contains(L"FIELD=a"));
    EXPECT_EQ(0, lines.Contains(L"FIELD=c"));
}

TEST(AlarmRecordFields, EmptyOrNullListsGiveOneEmptyPair)
{
    for (const wchar_t* list : {L"\0", (const wchar_t*)nullptr})
    {
        CStringArrayEx lines = Record(1, List(list, 0), List(list, 0));
        EXPECT_STREQ(L"FIELD=", lines[11]);
        EXPECT_STREQ(L"VALUE=", lines[12]);
        EXPECT_EQ(14, lines.GetSize());
    }
}

TEST(AlarmRecordFields, MissingValuesAreEmpty)
{
    CStringArrayEx lines = Record(1, List(L"a\0b\0", 0), List(L"1\0", 0));
    EXPECT_STREQ(L"VALUE=1", lines[12]);
    EXPECT_STREQ(L"FIELD=b", lines[13]);
    EXPECT_STREQ(L"VALUE=", lines[14]);
}

TEST(AlarmRecordFields, CountNeverReadsPastTheEndMark)
{
    // What follows a list's double NUL belongs to the caller, not to the list.
    const wchar_t names[] = L"a\0\0secret\0more\0";
    const wchar_t values[] = L"1\0\0hidden\0";
    CStringArrayEx lines = Record(1, List(names, 5), List(values, 5));
    EXPECT_EQ(0, lines.Contains(L"FIELD=secret"));
    EXPECT_EQ(0, lines.Contains(L"VALUE=hidden"));
    EXPECT_STREQ(L"FIELD=a", lines[11]);
    EXPECT_STREQ(L"VALUE=1", lines[12]);
    EXPECT_EQ(14, lines.GetSize());
}

TEST(AlarmSocketTimeouts, ClampedTo2And300Seconds)
{
    WSADATA wsa;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &wsa));
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_NE(INVALID_SOCKET, s);
    auto read = [s](int option) {
        DWORD ms = 0;
        int len = sizeof(ms);
        getsockopt(s, SOL_SOCKET, option, (char*)&ms, &len);
        return ms;
    };
    SetSocketTimeouts(s, 1, 600);
    EXPECT_EQ(2000u, read(SO_RCVTIMEO));
    EXPECT_EQ(300000u, read(SO_SNDTIMEO));
    SetSocketTimeouts(s, 3, 299);
    EXPECT_EQ(3000u, read(SO_RCVTIMEO));
    EXPECT_EQ(299000u, read(SO_SNDTIMEO));
    closesocket(s);
    WSACleanup();
}

namespace
{
DWORD s_nNow = 1000000;
DWORD FakeClock() { return s_nNow; }

// A loopback port with nothing listening on it.
int ClosedPort()
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, (sockaddr*)&a, sizeof(a));
    int len = sizeof(a);
    getsockname(s, (sockaddr*)&a, &len);
    closesocket(s);
    return ntohs(a.sin_port);
}
} // namespace

TEST(AlarmConnectPause, RefusedAttemptPausesFor120Seconds)
{
    WSADATA wsa;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &wsa));
    SetAlarmClock(FakeClock);
    int port = ClosedPort();
    CString first, second, third;
    EXPECT_EQ(0, AlarmConnect(L"127.0.0.1", port, first));
    EXPECT_EQ(0, first.Find(L"Error connecting to 127.0.0.1 port "));

    // Now something listens there, but within the pause no attempt is made.
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons((u_short)port);
    ASSERT_EQ(0, bind(listener, (sockaddr*)&a, sizeof(a)));
    listen(listener, 1);
    s_nNow += 119;
    EXPECT_EQ(0, AlarmConnect(L"127.0.0.1", port, second));
    EXPECT_EQ(first, second);

    s_nNow += 1;
    EXPECT_EQ(1, AlarmConnect(L"127.0.0.1", port, third));
    AlarmDisconnect();
    closesocket(listener);
    SetAlarmClock(nullptr);
    WSACleanup();
}

TEST(AlarmConnectPause, UnknownHostIsReported)
{
    WSADATA wsa;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &wsa));
    SetAlarmClock(FakeClock);
    s_nNow += 100000;
    CString error;
    EXPECT_EQ(0, AlarmConnect(L"no-such-host.invalid", 7261, error));
    EXPECT_EQ(0, error.Find(L"Error getting host info for no-such-host.invalid - ")) << (const char*)CStringA(error);
    SetAlarmClock(nullptr);
    WSACleanup();
}
