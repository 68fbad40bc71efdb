// Where one forwarded record's time goes inside the agent: each step of the monitor's per-record
// path timed over the same records from a spool log, beside the whole path and a bare
// connection that carries the same frame. Run by bench/agent-forward; by hand:
//   bench_agent_steps.exe MESSAGE-DLL COUNT COLLECTOR-PORT
#include "agent/AgentTime.h"
#include "agent/EventLog/EventLog.h"
#include "agent/EventLog/EventRecordText.h"
#include "agent/EventLog/ForwardCounters.h"
#include "agent/EventLog/SpoolEventLogSource.h"
#include "agent/FramedMessage.h"
#include "agent/TraceLog.h"
#include "bench/BenchClock.h"
#include "support/RegistryStore.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <functional>
#include <vector>

namespace
{
const wchar_t kLog[] = L"Application";
const wchar_t kSourceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\TervokBenchSource";
const wchar_t kStoreKey[] = L"SOFTWARE\\Tervok AG\\QuorvexBench";
// Levelled lines that one forwarded record writes; dropped at the service's trace level 0.
const int kTraceLinesPerRecord = 25;

void Report(const char* pszStep, int nCount, const std::function<void(int)>& step)
{
    double t0 = BenchSeconds();
    for (int i = 0; i < nCount; i++)
        step(i);
    printf("%-44s %8.1f us\n", pszStep, (BenchSeconds() - t0) * 1e6 / nCount);
    fflush(stdout);
}

struct SStep
{
    const char* pszName;
    std::function<void(int)> step;
};

// Steps whose difference matters, taken in turns so that a change of the machine's load falls on
// all of them: the median and the fastest of the rounds, per record.
void ReportInTurns(const std::vector<SStep>& steps, int nCount, int nRounds)
{
    std::vector<std::vector<double>> times(steps.size());
    int nPerRound = nCount / nRounds, nDone = 0;
    for (int nRound = 0; nRound < nRounds; nRound++, nDone += nPerRound)
        for (size_t s = 0; s < steps.size(); s++)
        {
            double t0 = BenchSeconds();
            for (int i = 0; i < nPerRound; i++)
                steps[s].step(nDone + i);
            times[s].push_back((BenchSeconds() - t0) * 1e6 / nPerRound);
        }
    for (size_t s = 0; s < steps.size(); s++)
    {
        std::sort(times[s].begin(), times[s].end());
        printf("%-44s %8.1f us (fastest round %.1f)\n", steps[s].pszName, times[s][times[s].size() / 2], times[s][0]);
    }
    fflush(stdout);
}

void SetString(HKEY hKey, const wchar_t* pszName, const wchar_t* pszValue)
{
    RegSetValueExW(hKey, pszName, 0, REG_EXPAND_SZ, (const BYTE*)pszValue, (DWORD)((wcslen(pszValue) + 1) * sizeof(wchar_t)));
}

BOOL ReadRecord(CEventLogSource& source, DWORD dwNumber, CEventRecord& record)
{
    HANDLE hLog = source.Open(kLog);
    DWORD dwCount = 0, dwRead = 0, dwNeeded = 0;
    BYTE byte;
    BOOL bRead = hLog && source.GetCount(hLog, &dwCount) &&
                 !source.SeekRead(hLog, TRUE, dwNumber, &byte, 1, &dwRead, &dwNeeded);
    std::vector<BYTE> buffer(dwNeeded);
    bRead = bRead && source.SeekRead(hLog, TRUE, dwNumber, buffer.data(), dwNeeded, &dwRead, &dwNeeded) &&
            record.Assign(buffer.data(), dwRead);
    source.Close(hLog);
    return bRead;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    int nCount = atoi(argv[2]), nPort = atoi(argv[3]);
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);

    HKEY hKey = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSourceKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    CString strDll(argv[1]);
    for (const wchar_t* pszName : {L"EventMessageFile", L"CategoryMessageFile", L"ParameterMessageFile"})
        SetString(hKey, pszName, strDll);
    RegCloseKey(hKey);
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, kStoreKey, L"Volatile");

    wchar_t szFolder[MAX_PATH];
    GetTempPathW(MAX_PATH, szFolder);
    CString strSpool;
    strSpool.Format(L"%sagent-steps-%lu", szFolder, GetCurrentProcessId());
    CreateDirectoryW(strSpool, nullptr);
    CSpoolEventLogSource spool(strSpool);
    SetEventLogSource(&spool);
    SEventRecordFields fields;
    fields.strSource = L"TervokBenchSource";
    fields.strComputer = L"BENCH";
    fields.dwEventId = 1000;
    fields.wCategory = 1;
    for (int i = 0; i < 2 * nCount; i++)
    {
        fields.arrStrings.RemoveAll();
        fields.arrStrings.Add(CString(L"bench") + CString(std::to_wstring(i).c_str()));
        fields.arrStrings.Add(L"state");
        spool.Append(kLog, CSpoolEventLogSource::BuildImage(fields));
    }

    CEventLogMonitorChanges& monitor = EventLogMonitor();
    int nLog = 0;
    while (nLog < monitor.GetLogCount() && monitor.GetLog(nLog).m_strLogName.CompareNoCase(kLog) != 0)
        nLog++;
    CEventRecord record;
    ReadRecord(spool, 1, record);
    CString strCategory, strMessage, strText, strResult;
    CEventRecordText::GetRecordMessage(kLog, record, strMessage);
    CEventRecordText::BuildMessageText(record, kLog, L"None", L"", strMessage, CString(), strText);
    CStringArray arrTargets;
    arrTargets.Add(CString(L"127.0.0.1:") + CString(std::to_wstring(nPort).c_str()));
    std::vector<BOOL> flags(1, TRUE);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons((u_short)nPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);

    printf("per record, %d records of %d characters:\n", nCount, strText.GetLength());
    Report("trace, levelled lines dropped", nCount, [](int) {
        for (int i = 0; i < kTraceLinesPerRecord; i++)
            TraceLog().Trace(9, L"Sending over %s record %u", kLog, (unsigned)i);
    });
    Report("read: open, count, 2 seek reads, close", nCount, [&](int i) { ReadRecord(spool, (DWORD)i + 1, record); });
    HANDLE hProbe = spool.Open(kLog);
    Report("  open and close", nCount, [&](int) { spool.Close(spool.Open(kLog)); });
    Report("  count", nCount, [&](int) { DWORD dw; spool.GetCount(hProbe, &dw); });
    Report("  seek read", nCount, [&](int i) {
        BYTE buffer[4096];
        DWORD dwRead, dwNeeded;
        spool.SeekRead(hProbe, TRUE, (DWORD)i + 1, buffer, sizeof(buffer), &dwRead, &dwNeeded);
    });
    Report("account name", nCount, [&](int) { CEventRecordText::GetAccountName(record); });
    Report("category text", nCount, [&](int) { CEventRecordText::GetRecordCategory(kLog, record, strCategory); });
    Report("message text", nCount, [&](int) { CEventRecordText::GetRecordMessage(kLog, record, strMessage); });
    // The service reads its records in passes, which look each source's message files up once.
    CEventRecordText::BeginPass();
    Report("category and message texts within a pass", nCount, [&](int) {
        CEventRecordText::GetRecordCategory(kLog, record, strCategory);
        CEventRecordText::GetRecordMessage(kLog, record, strMessage);
    });
    CEventRecordText::EndPass();
    Report("fourteen lines", nCount, [&](int) {
        CEventRecordText::BuildMessageText(record, kLog, strCategory, L"", strMessage, CString(), strText);
    });
    Report("two record times for the trace (%c)", nCount, [&](int) {
        CAgentTime(record.Fixed().TimeGenerated).Full();
        CAgentTime(record.Fixed().TimeWritten).Full();
    });
    Report("time stamp", nCount, [](int) { CAgentTime::Now().Stamp(); });
    Report("registry counter read", nCount, [](int) { GetRegistryStore().GetVolatileDWord(L"AgentMessageCount", 0); });
    Report("registry counter write", nCount, [](int) { GetRegistryStore().SetVolatileDWord(L"AgentMessageCount", 5); });
    CForwardCounters counters;
    Report("registry counters and time", nCount, [&](int) { counters.CountRecord(_time64(nullptr)); });
    auto connectOnly = [&](BOOL bPeerLook) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
        u_long ulNonBlocking = 1;
        ioctlsocket(s, FIONBIO, &ulNonBlocking);
        if (connect(s, (const sockaddr*)&address, sizeof(address)) != 0)
        {
            sockaddr_in peer;
            int nLength = sizeof(peer);
            fd_set writable;
            FD_ZERO(&writable);
            FD_SET(s, &writable);
            timeval tv = {60, 0};
            if (!bPeerLook || getpeername(s, (sockaddr*)&peer, &nLength) != 0)
                select(0, nullptr, &writable, nullptr, &tv);
        }
        closesocket(s);
    };
    std::vector<SStep> steps = {
        {"push: resolve, connect, frame, send, close",
         [&](int) { monitor.SendToTarget(L"127.0.0.1", nPort, strText, strResult); }},
        {"  socket, non-blocking, connect, select, close", [&](int) { connectOnly(FALSE); }},
        {"  socket, non-blocking, connect, peer, close", [&](int) { connectOnly(TRUE); }},
        {"bare push: connect, frame, send, close", [&](int) {
             SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
             if (connect(s, (const sockaddr*)&address, sizeof(address)) == 0)
             {
                 CFramedMessage message;
                 message.BuildText(0x80000002, 0, strText, 2);
                 message.Send(s, FALSE);
             }
             closesocket(s);
         }}};
    if (nLog < monitor.GetLogCount())
        steps.push_back({"whole record within a pass (ForwardNextRecord)",
                         [&](int) { monitor.ForwardNextRecord(nLog, arrTargets, flags); }});
    CEventRecordText::BeginPass();
    ReportInTurns(steps, nCount, 10);
    CEventRecordText::EndPass();

    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSourceKey);
    return 0;
}
