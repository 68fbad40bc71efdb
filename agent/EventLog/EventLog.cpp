#include "agent/EventLog/EventLog.h"

#include "agent/AgentTime.h"
#include "agent/ConfigFile.h"
#include "agent/EventLog/EventLogSource.h"
#include "agent/EventLog/EventRecordText.h"
#include "agent/MessageCache.h"
#include "agent/TargetList.h"
#include "agent/TraceLog.h"
#include "support/EventLogWriter.h"

#include <algorithm>

namespace
{
const wchar_t EVENTLOG_KEY[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog";
const int LOG_NAME_LENGTH = 260;
const int MAX_GROW_READS = 4;

// Subkeys of the EventLog key that belong to the service itself, not to a log.
BOOL IsLogKeyName(const wchar_t* pszName)
{
    return _wcsicmp(pszName, L"Parameters") != 0 && _wcsicmp(pszName, L"State") != 0;
}

} // namespace

CEventLogMonitorChanges& EventLogMonitor()
{
    static CEventLogMonitorChanges monitor;
    return monitor;
}

CEventLogMonitorChanges::CEventLogMonitorChanges()
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, EVENTLOG_KEY, 0, KEY_READ, &hKey) == ERROR_SUCCESS)
    {
        wchar_t szName[LOG_NAME_LENGTH + 1];
        for (DWORD i = 0; RegEnumKeyW(hKey, i, szName, LOG_NAME_LENGTH) == ERROR_SUCCESS; i++)
        {
            if (!IsLogKeyName(szName))
                continue;
            CMonitoredLog log;
            log.m_strLogName = szName;
            m_logs.push_back(log);
            TraceLog().Trace(1, L"Loading event log %s to Event Log changes", szName);
        }
        RegCloseKey(hKey);
    }
    TraceLog().Trace(1, L"Loaded %d event logs to Event Log changes", (int)m_logs.size());
}

CEventLogMonitorChanges::~CEventLogMonitorChanges()
{
    Shutdown();
    m_logs.clear();
}

void CEventLogMonitorChanges::Shutdown()
{
    if (IsRunning())
    {
        m_bStop = TRUE;
        if (m_hChangeEvent)
            SetEvent(m_hChangeEvent);
        Stop();
    }
}

void CEventLogMonitorChanges::Start()
{
    if (m_bStarted)
        return;
    m_bStarted = TRUE;
    CWorkerThread::Start(0, nullptr, INFINITE);
}

// Before any real time, so that the first retry and prune checks pass at once.
__time64_t CEventLogMonitorChanges::FirstCheckTime()
{
    return CTime(2000, 1, 1, 0, 0, 0).GetTime();
}

void CEventLogMonitorChanges::Initialize()
{
    TraceLog().Trace(9, L"Initializing Event Log Monitor.");
    m_hChangeEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    TraceLog().Trace(9, L"  Event id ...: %08X", (unsigned)(UINT_PTR)m_hChangeEvent);

    m_bCachePending = FALSE;
    m_lastRetry.clear();
    m_timeLastPrune = FirstCheckTime();

    CStringArray arrCacheFiles;
    ListCacheFiles(arrCacheFiles, nullptr);
    for (int i = 0; i < arrCacheFiles.GetSize(); i++)
    {
        TraceLog().Trace(9, L"%s", arrCacheFiles[i].GetString());
        m_bCachePending = TRUE;
    }
    TraceLog().Trace(9, L"Outstanding file count ..: %d", arrCacheFiles.GetSize());

    for (size_t i = 0; i < m_logs.size(); i++)
        InitializeLog(m_logs[i]);

    m_eventStart.SetEvent();

    CString strText, strError;
    strText.Format(L"Startup at %s", CAgentTime(m_pClock->Now()).Stamp().GetString());
    CEventLogWriter().Write(EVENTLOG_INFORMATION_TYPE, 1, 8, strText, strError);
    TraceLog().Trace(9, L"");
}

// Opens a log for the whole run, registers its change notification and takes its newest
// record as the position, so that only records written from now on are forwarded.
void CEventLogMonitorChanges::InitializeLog(CMonitoredLog& log)
{
    CEventLogSource& source = EventLogSource();
    log.m_hLog = source.Open(log.m_strLogName);
    if (!log.m_hLog)
        return;
    log.m_bNotify = source.NotifyChange(log.m_hLog, m_hChangeEvent);
    TraceLog().Trace(9, L"  Notify .....: %s", log.m_strLogName.GetString());
    TraceLog().Trace(9, L"  Status .....: %08X", (unsigned)log.m_bNotify);

    DWORD dwCount = 0, dwOldest = 0;
    if (source.GetCount(log.m_hLog, &dwCount))
        TraceLog().Trace(9, L"  Event Log \"%s\" has %u records.", log.m_strLogName.GetString(), (unsigned)dwCount);
    if (!source.GetOldest(log.m_hLog, &dwOldest))
        dwOldest = 0;
    CEventRecord record;
    if (dwCount && ReadRecord(log.m_hLog, FALSE, dwOldest + dwCount - 1, TRUE, record))
    {
        TraceLog().Trace(9, L"  Last record %d generated %s written %s", (int)record.Number(),
                         CAgentTime(record.Fixed().TimeGenerated).Full().GetString(),
                         CAgentTime(record.Fixed().TimeWritten).Full().GetString());
        log.m_lastRecord = record;
        log.m_dwLastRecord = record.Number();
    }
}

// One record by number, into the buffer kept from the last read, then into one of the size the
// reader asks for (once only, or a few times while the record keeps growing). Each read is a
// call to the event-log service: a buffer that usually fits saves one per record.
BOOL CEventLogMonitorChanges::ReadRecord(HANDLE hLog, BOOL bForwards, DWORD dwRecord, BOOL bGrowOnce,
                                         CEventRecord& record)
{
    CEventLogSource& source = EventLogSource();
    if (m_recordBuffer.empty())
        m_recordBuffer.assign(RECORD_BUFFER_BYTES, 0);
    int nGrowReads = bGrowOnce ? 1 : MAX_GROW_READS;
    for (int nRead = 0; nRead <= nGrowReads; nRead++)
    {
        DWORD dwRead = 0, dwNeeded = 0;
        if (source.SeekRead(hLog, bForwards, dwRecord, m_recordBuffer.data(), (DWORD)m_recordBuffer.size(), &dwRead,
                            &dwNeeded))
            return record.Assign(m_recordBuffer.data(), dwRead);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || dwNeeded <= m_recordBuffer.size())
            return FALSE;
        m_recordBuffer.assign(dwNeeded, 0);
    }
    return FALSE;
}

void CEventLogMonitorChanges::WaitForChanges()
{
    int nIdle = 0;
    while (!m_bStop)
    {
        DWORD dwStatus = m_pClock->Wait(m_hChangeEvent, nIdle < SHORT_WAITS ? SHORT_WAIT_MS : LONG_WAIT_MS);
        TraceLog().Trace(9, L"Event log notification set");
        TraceLog().Trace(9, L"  Wait status = %d, (WAIT_FAILED = %d)\n", (int)dwStatus, (int)WAIT_FAILED);
        TraceLog().Trace(9, L"");
        if (m_bStop)
            return;
        m_pClock->Pause(SETTLE_MS);
        if (ProcessChanges())
            nIdle = 1;
        else
            nIdle++;
    }
}

int CEventLogMonitorChanges::ProcessChanges()
{
    CStringArray arrTargets;
    CTargetList().ReadTargets(arrTargets);
    std::vector<BOOL> targetFlags((size_t)arrTargets.GetSize(), TRUE);
    TraceLog().Trace(9, L"Event Log change notification...");
    TraceLog().Trace(9, L"");

    int nForwarded = 0;
    CEventRecordText::BeginPass();
    for (int i = 0; i < (int)m_logs.size(); i++)
    {
        if (!m_logs[(size_t)i].m_bNotify)
            continue;
        while (!m_bStop && ForwardNextRecord(i, arrTargets, targetFlags))
            nForwarded = 1;
    }
    CEventRecordText::EndPass();

    if (m_bCachePending && m_pClock->Now() - m_timeLastPrune >= PRUNE_INTERVAL_S)
    {
        m_timeLastPrune = m_pClock->Now();
        PruneCache();
    }
    return nForwarded;
}

// After a log was cleared (its numbers start again) or a circular log overwrote records not
// yet read, the next number is outside the log: go on at its oldest record.
BOOL CEventLogMonitorChanges::ResynchroniseLog(CMonitoredLog& log, HANDLE hLog, DWORD dwNext)
{
    CEventLogSource& source = EventLogSource();
    DWORD dwCount = 0, dwOldest = 0;
    if (!source.GetCount(hLog, &dwCount) || !dwCount || !source.GetOldest(hLog, &dwOldest))
        return FALSE;
    DWORD dwNewest = dwOldest + dwCount - 1;
    if (dwNext >= dwOldest && dwNext <= dwNewest + 1)
        return FALSE;
    if (dwNext < dwOldest)
        TraceLog().WriteLine(L"Event log %s lost records %u to %u before they were read, going on at record %u",
                             log.m_strLogName.GetString(), (unsigned)dwNext, (unsigned)(dwOldest - 1),
                             (unsigned)dwOldest);
    else
        TraceLog().WriteLine(L"Event log %s was cleared, going on at its oldest record %u",
                             log.m_strLogName.GetString(), (unsigned)dwOldest);
    log.m_dwLastRecord = dwOldest - 1;
    return TRUE;
}

void CEventLogMonitorChanges::Cleanup()
{
    CEventLogSource& source = EventLogSource();
    for (size_t i = 0; i < m_logs.size(); i++)
    {
        if (m_logs[i].m_hLog)
            source.Close(m_logs[i].m_hLog);
        m_logs[i].m_hLog = nullptr;
        m_logs[i].m_bNotify = FALSE;
    }
    if (m_hChangeEvent)
        CloseHandle(m_hChangeEvent);
    m_hChangeEvent = nullptr;
}

void CEventLogMonitorChanges::PruneCache()
{
    CConfigFile config;
    config.Load();
    CString strSize = config.GetValue(L"CACHE_SIZE", L"");
    int nMaxMB = _wtoi(strSize);
    TraceLog().Trace(9, L"Max cache size MB %s = %d", strSize.GetString(), nMaxMB);
    if (nMaxMB > 0)
    {
        int nTarget = nMaxMB * 75 / 100;
        TraceLog().Trace(9, L"Prune cache to %d", nTarget);
        CStringArray arrPaths;
        std::vector<ULONGLONG> sizes;
        ListCacheFiles(arrPaths, &sizes);
        ULONGLONG nTotalKB = 0;
        for (size_t i = 0; i < sizes.size(); i++)
            nTotalKB += (sizes[i] + 1023) / 1024;
        int nCurrent = (int)(nTotalKB / 1024);
        TraceLog().Trace(9, L"Current cache is %d", nCurrent);
        if (nCurrent >= nMaxMB)
        {
            TraceLog().Trace(9, L"Pruning (%d, %d)", nCurrent, nMaxMB);
            LONGLONG nExcess = (LONGLONG)nTotalKB - (LONGLONG)nTarget * 1024;
            TraceLog().Trace(9, L"Pruning %dKB", (int)nExcess);
            for (int i = 0; i < arrPaths.GetSize() && nExcess > 0; i++)
                if (DeleteCacheFile(arrPaths[i]))
                    nExcess -= (LONGLONG)((sizes[(size_t)i] + 1023) / 1024);
        }
    }
    TraceLog().Trace(9, L"");
}

// The cache files, sorted by name without regard to case: oldest first, as their names begin
// with the time they were written.
void CEventLogMonitorChanges::ListCacheFiles(CStringArray& arrPaths, std::vector<ULONGLONG>* pSizes)
{
    struct SEntry { CString strPath; ULONGLONG nSize; };
    std::vector<SEntry> entries;
    const CString& strFolder = GetCacheFolder();
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW(CMessageCache::FilePattern(strFolder), &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !wcscmp(data.cFileName, L".") ||
                !wcscmp(data.cFileName, L".."))
                continue;
            entries.push_back({strFolder + data.cFileName,
                               ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow});
        } while (FindNextFileW(hFind, &data));
        FindClose(hFind);
    }
    std::sort(entries.begin(), entries.end(),
              [](const SEntry& a, const SEntry& b) { return a.strPath.CompareNoCase(b.strPath) < 0; });
    arrPaths.RemoveAll();
    if (pSizes)
        pSizes->clear();
    for (size_t i = 0; i < entries.size(); i++)
    {
        arrPaths.Add(entries[i].strPath);
        if (pSizes)
            pSizes->push_back(entries[i].nSize);
    }
}

BOOL CEventLogMonitorChanges::DeleteCacheFile(const CString& strPath)
{
    if (DeleteFileW(strPath))
        return TRUE;
    DWORD dwError = GetLastError();
    TraceLog().WriteLine(L"Error removing ..: %s", strPath.GetString());
    TraceLog().WriteLine(L"Error number ....: %d", (int)dwError);
    TraceLog().WriteLine(L"Error cause .....: %d", (int)(dwError == ERROR_ACCESS_DENIED || dwError == ERROR_SHARING_VIOLATION ? 5 : 1));
    return FALSE;
}
