// The event-log monitor: one worker thread that watches every event log of the machine and
// forwards each new record to the targets, caching what cannot be delivered.
#pragma once

#include "agent/EventLog/EventRecord.h"
#include "agent/EventLog/ForwardCounters.h"
#include "agent/EventLog/MonitorClock.h"
#include "agent/WorkerThread.h"
#include "framework/Framework.h"

#include <map>
#include <vector>

class CMonitoredLog
{
public:
    BOOL m_bNotify = FALSE;
    DWORD m_dwLastRecord = 0;
    HANDLE m_hLog = nullptr;
    CString m_strLogName;
    CEventRecord m_lastRecord;
};

class CEventLogMonitorChanges : public CWorkerThread
{
public:
    CEventLogMonitorChanges();
    ~CEventLogMonitorChanges() override;

    void Start();
    // Stops the thread and waits for it. The program does this before it exits: the C
    // runtime's exit holds a lock that the thread's first use of a static object would wait for.
    void Shutdown();
    // 1 when the pass forwarded at least one record.
    int ProcessChanges();
    int ForwardNextRecord(int nLog, const CStringArray& arrTargets, std::vector<BOOL>& targetFlags);
    int SendToTarget(const CString& strHost, int nPort, const CString& strText, CString& strResult);
    const CString& GetCacheFolder();

    // The clock that the schedule runs on; the process's real one unless replaced.
    void SetClock(CMonitorClock* pClock) { m_pClock = pClock; }
    // Connect and send are each bounded by this many milliseconds.
    void SetSocketTimeout(DWORD dwMilliseconds) { m_dwSocketTimeout = dwMilliseconds; }

    int GetLogCount() const { return (int)m_logs.size(); }
    const CMonitoredLog& GetLog(int nLog) const { return m_logs[(size_t)nLog]; }

    enum { MAX_CACHE_AGE_DAYS = 30, RETRY_INTERVAL_S = 60, PRUNE_INTERVAL_S = 600,
           SHORT_WAIT_MS = 5000, LONG_WAIT_MS = 60000, SETTLE_MS = 1000, SHORT_WAITS = 5,
           RECORD_BUFFER_BYTES = 4096 };

protected:
    void Initialize() override;
    void Work() override { WaitForChanges(); }
    void Cleanup() override;

private:
    void WaitForChanges();
    void InitializeLog(CMonitoredLog& log);
    BOOL ReadRecord(HANDLE hLog, BOOL bForwards, DWORD dwRecord, BOOL bGrowOnce, CEventRecord& record);
    BOOL ResynchroniseLog(CMonitoredLog& log, HANDLE hLog, DWORD dwNext);
    void SendToTargets(const CString& strMessage, const CStringArray& arrTargets, std::vector<BOOL>& targetFlags);
    void WriteCacheFile(const CString& strHost, int nPort, const CString& strMessage, const CString& strResult);
    void RetryCachedFiles(const CString& strHost);
    void PruneCache();
    void ListCacheFiles(CStringArray& arrPaths, std::vector<ULONGLONG>* pSizes);
    static BOOL DeleteCacheFile(const CString& strPath);
    static __time64_t FirstCheckTime();
    static BOOL SplitTarget(const CString& strTarget, CString& strHost, int& nPort);

    BOOL m_bStarted = FALSE;
    BOOL m_bCachePending = FALSE;
    // Last retry per host text: a retry for one target must not hold back another's.
    std::map<CString, __time64_t> m_lastRetry;
    __time64_t m_timeLastPrune = 0;
    int m_nMaxCacheAgeDays = MAX_CACHE_AGE_DAYS;
    CString m_strCacheFolder;
    std::vector<CMonitoredLog> m_logs;
    HANDLE m_hChangeEvent = nullptr;

    CMonitorClock m_realClock;
    CMonitorClock* m_pClock = &m_realClock;
    DWORD m_dwSocketTimeout = 60000;
    CForwardCounters m_counters;
    // Grows to the largest record read; never shrinks.
    std::vector<BYTE> m_recordBuffer;
};

// The process's one monitor.
CEventLogMonitorChanges& EventLogMonitor();
