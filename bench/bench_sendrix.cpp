// Alarms per second through Sendrix.dll over its kept connection to a loopback receiver, beside
// a baseline that sends the same frames over one raw socket in the same run, and the cost of
// each step of a call on its own.
//
// Where a call's time went under Wine (64-bit build, this machine under other developers'
// load; microseconds per alarm, ranges over several runs):
//   before: whole call 464-520 = send 89-97 + two settings read 148-160 (each text value
//           queried twice, size then text) + connection probe 232-248 (blocking switch, peek,
//           switch back: three socket calls) + record 12 (8 of them the C library's time(),
//           which reads the time zone); 1,563-2,154 alarms/s beside 10,160-12,101 raw: 15-19 %.
//   after:  whole call 191-229 = send 92-117 + two settings read 69-119 (one query each, on
//           the kept key) + probe 0 (a zero-byte receive stays pending on the kept connection
//           until its peer closes; its state is read from memory, the socket looked at only
//           when it has ended) + record 4; 4,195-5,238 alarms/s beside 8,058-10,328 raw:
//           48-58 % (nine runs). On a quieter machine, with the record's number lines and the
//           sent text made without the printf family (record 8 -> 4): whole call 133-170 =
//           send 67-78 + settings 62-71 + the rest; 5,863-6,769 alarms/s beside 12,217-13,532
//           raw, 47-51 %. A send with the zero-byte receive pending costs what a plain one does.
// A call's floor is the raw socket's send plus one round trip to the wineserver per setting
// (40-50 us each here, against 90-120 for the send): about 55 % of the raw rate at best.
#include "agent/FramedMessage.h"
#include "alarmsend/AlarmPeerWatch.h"
#include "alarmsend/AlarmRecord.h"

#include <winsock2.h>
#include <windows.h>

#include "tests/alarmsend/AlarmSettingsWriter.h"
#include "tests/alarmsend/SendrixLibrary.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace
{
const int kAlarms = 20000;
const int kRounds = 20;
const wchar_t kNames[] = L"Computer\0Source\0EventID\0Message\0";
const wchar_t kValues[] = L"PC-0042\0Disk\0" L"7\0The device has a bad block.\0";

// Accepts connections and drains them until told to stop.
class CReceiver
{
public:
    CReceiver()
    {
        m_listen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a = {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_listen, (sockaddr*)&a, sizeof(a));
        int len = sizeof(a);
        getsockname(m_listen, (sockaddr*)&a, &len);
        m_nPort = ntohs(a.sin_port);
        listen(m_listen, 4);
        m_thread = std::thread([this] { Run(); });
    }
    ~CReceiver()
    {
        closesocket(m_listen);
        m_thread.join();
    }
    int m_nPort;
    std::atomic<long long> m_nBytes{0};

private:
    void Run()
    {
        for (;;)
        {
            SOCKET s = accept(m_listen, nullptr, nullptr);
            if (s == INVALID_SOCKET)
                return;
            std::thread([this, s] {
                char buf[65536];
                int n;
                while ((n = recv(s, buf, sizeof(buf), 0)) > 0)
                    m_nBytes += n;
                closesocket(s);
            }).detach();
        }
    }
    SOCKET m_listen;
    std::thread m_thread;
};

double Since(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

SOCKET ConnectLoopback(int nPort)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons((u_short)nPort);
    connect(s, (sockaddr*)&a, sizeof(a));
    return s;
}

// Microseconds per call of one step of a Sendrix call, on its own.
template <class Step> void Profile(const char* pszStep, Step step)
{
    const int kCalls = 2000;
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalls; ++i)
        step();
    printf("  %-52s %7.1f us\n", pszStep, Since(t0) * 1e6 / kCalls);
}

void ProfileSteps(int nPort)
{
    Profile("record lines, multi-string, frame and texts", [&] {
        CStringArrayEx arrNames, arrValues, arrLines;
        ParseFieldList(0, kNames, arrNames);
        ParseFieldList(0, kValues, arrValues);
        BuildAlarmRecord(1, L"bench_sendrix version 1.0 build 1, Tervok", GetTickCount(), arrNames, arrValues,
                         arrLines);
        int nChars = 0;
        wchar_t* pRecord = arrLines.ToMultiString(nChars);
        CFramedMessage frame;
        frame.BuildRecord(20, (const BYTE*)pRecord, (DWORD)nChars * sizeof(wchar_t));
        delete[] pRecord;
        CString strRecord = arrLines.Join(L"\n");
    });
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", 0, KEY_READ, &key);
    wchar_t value[256];
    Profile("two settings, each sized then read (4 queries)", [&] {
        for (const wchar_t* name : {L"AlarmAddress", L"AlarmPort"})
        {
            DWORD size = 0;
            RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size);
            size = sizeof(value);
            RegQueryValueExW(key, name, nullptr, nullptr, (BYTE*)value, &size);
        }
    });
    Profile("two settings, one query each", [&] {
        for (const wchar_t* name : {L"AlarmAddress", L"AlarmPort"})
        {
            DWORD size = sizeof(value);
            RegQueryValueExW(key, name, nullptr, nullptr, (BYTE*)value, &size);
        }
    });
    RegCloseKey(key);

    SOCKET s = ConnectLoopback(nPort);
    Profile("peer check: blocking switch, peek, switch back", [&] {
        u_long on = 1, off = 0;
        char byte;
        ioctlsocket(s, FIONBIO, &on);
        recv(s, &byte, 1, MSG_PEEK);
        ioctlsocket(s, FIONBIO, &off);
    });
    Profile("peer check: select, zero time-out", [&] {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval zero = {0, 0};
        select(0, &readable, nullptr, nullptr, &zero);
    });
    CAlarmPeerWatch watch;
    watch.Start(s);
    Profile("peer check: pending zero-byte receive, from memory", [&] { watch.IsQuiet(); });
    HANDLE closed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    WSAEventSelect(s, closed, FD_CLOSE);
    Profile("peer check: FD_CLOSE event, zero time-out", [&] { WaitForSingleObject(closed, 0); });
    Profile("peer check: peek of a non-blocking socket", [&] {
        char byte;
        recv(s, &byte, 1, MSG_PEEK);
    });
    closesocket(s);
    watch.Stop();
    CloseHandle(closed);

    // Does the pending receive make each send dearer?
    std::vector<char> bytes(609, 'x');
    SOCKET sSend = ConnectLoopback(nPort);
    Profile("send of 609 bytes, plain socket", [&] { send(sSend, bytes.data(), (int)bytes.size(), 0); });
    CAlarmPeerWatch sendWatch;
    sendWatch.Start(sSend);
    Profile("send of 609 bytes, zero-byte receive pending", [&] { send(sSend, bytes.data(), (int)bytes.size(), 0); });
    closesocket(sSend);
    sendWatch.Stop();
}
} // namespace

int main(int argc, char** argv)
{
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SSendrixLibrary sendrix;
    if (!sendrix.Loaded())
    {
        fprintf(stderr, "Sendrix.dll not loaded\n");
        return 1;
    }
    CReceiver receiver;
    if (argc > 1)
        receiver.m_nPort = atoi(argv[1]);
    WriteAlarmSetting(L"AlarmAddress", L"127.0.0.1");
    WriteAlarmSetting(L"AlarmPort", std::to_wstring(receiver.m_nPort).c_str());

    // One call first, for the record that the raw socket sends as it is.
    wchar_t* record = nullptr;
    wchar_t* error = nullptr;
    sendrix.send(1, 0, kNames, kValues, &record, &error);
    if (error[0])
    {
        fwprintf(stderr, L"%s\n", error);
        return 1;
    }
    std::wstring multi = record;
    sendrix.release(record);
    sendrix.release(error);
    for (wchar_t& c : multi)
        if (c == L'\n')
            c = L'\0';
    multi += std::wstring(2, L'\0');
    CFramedMessage frame;
    frame.BuildRecord(20, (const BYTE*)multi.data(), (DWORD)(multi.size() * sizeof(wchar_t)));
    SOCKET s = ConnectLoopback(receiver.m_nPort);

    // Library and raw socket take turns in rounds, so that a change in the machine's load
    // falls on both alike.
    double libSecs = 0, rawSecs = 0;
    for (int nRound = 0; nRound < kRounds; ++nRound)
    {
        auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < kAlarms / kRounds; ++i)
        {
            sendrix.send(1, 0, kNames, kValues, &record, &error);
            if (error[0])
            {
                fwprintf(stderr, L"%s\n", error);
                return 1;
            }
            sendrix.release(record);
            sendrix.release(error);
        }
        libSecs += Since(t0);
        t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < kAlarms / kRounds; ++i)
            ::send(s, (const char*)frame.GetData(), (int)frame.GetLength(), 0);
        rawSecs += Since(t0);
    }
    closesocket(s);
    printf("per call:\n");
    printf("  %-52s %7.1f us\n", "AlarmSendUnicode, whole call", libSecs * 1e6 / kAlarms);
    printf("  %-52s %7.1f us\n", "send of the prebuilt frame", rawSecs * 1e6 / kAlarms);
    ProfileSteps(receiver.m_nPort);

    printf("sendrix: %.0f alarms/s (%d alarms of %u bytes)\n", kAlarms / libSecs, kAlarms, (unsigned)frame.GetLength());
    printf("raw socket: %.0f alarms/s\n", kAlarms / rawSecs);
    printf("ratio: %.2f (sendrix / raw)\n", rawSecs / libSecs);
    return 0;
}
