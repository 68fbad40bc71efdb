#include "agent/EventLog/EventLog.h"
#include "agent/EventLog/SpoolEventLogSource.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Answers every wait at once and records the time-outs asked for. At one wait it writes a
// record to the spool, so that the following pass forwards something; at the last it reports
// the run as done and then really waits, until the monitor is stopped.
class CRecordingClock : public CMonitorClock
{
public:
    CRecordingClock(CSpoolEventLogSource& spool, size_t nRecordAt, size_t nLast)
        : m_spool(spool), m_nRecordAt(nRecordAt), m_nLast(nLast), m_hDone(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~CRecordingClock() override { CloseHandle(m_hDone); }

    DWORD Wait(HANDLE hEvent, DWORD dwMilliseconds) override
    {
        m_waits.push_back(dwMilliseconds);
        if (m_waits.size() == m_nRecordAt)
        {
            SEventRecordFields fields;
            fields.strSource = L"TervokUnitSource";
            m_spool.Append(L"Application", CSpoolEventLogSource::BuildImage(fields));
        }
        if (m_waits.size() < m_nLast)
            return WAIT_TIMEOUT;
        WaitForSingleObject(hEvent, 0); // the spool's notification of the record, not wanted here
        SetEvent(m_hDone);
        return WaitForSingleObject(hEvent, INFINITE);
    }
    void Pause(DWORD dwMilliseconds) override { m_pauses.push_back(dwMilliseconds); }
    __time64_t Now() override { return 1700000000; }

    CSpoolEventLogSource& m_spool;
    size_t m_nRecordAt, m_nLast;
    HANDLE m_hDone;
    std::vector<DWORD> m_waits, m_pauses;
};
} // namespace

TEST(MonitorSchedule, ShortWaitsThenLongOnesAndShortAgainAfterAForwardingPass)
{
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    *wcsrchr(szPath, L'\\') = 0;
    CString strSpool;
    strSpool.Format(L"%s\\spool-schedule-%lu", szPath, (unsigned long)GetCurrentProcessId());
    CreateDirectoryW(strSpool, nullptr);
    CSpoolEventLogSource spool(strSpool);
    SetEventLogSource(&spool);
    CRecordingClock clock(spool, 7, 12);
    {
        CEventLogMonitorChanges monitor;
        monitor.SetClock(&clock);
        monitor.Start();
        ASSERT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(clock.m_hDone, 60000));
        int nLog = -1;
        for (int i = 0; i < monitor.GetLogCount(); i++)
            if (monitor.GetLog(i).m_strLogName.CompareNoCase(L"Application") == 0)
                nLog = i;
        ASSERT_GE(nLog, 0);
        EXPECT_EQ(1u, monitor.GetLog(nLog).m_dwLastRecord);
        // "Parameters" belongs to the service, not to a log.
        for (int i = 0; i < monitor.GetLogCount(); i++)
            EXPECT_NE(0, monitor.GetLog(i).m_strLogName.CompareNoCase(L"Parameters"));
    }
    SetEventLogSource(nullptr);
    // Five short waits, long ones until the pass after the seventh forwards the record, then
    // four short ones again before the waits grow long.
    std::vector<DWORD> expected = {5000, 5000, 5000, 5000, 5000, 60000, 60000, 5000, 5000, 5000, 5000, 60000};
    EXPECT_EQ(expected, clock.m_waits);
    // Every wake is followed by the 1 s settle before the pass.
    EXPECT_EQ(std::vector<DWORD>(11, 1000), clock.m_pauses);
    DeleteFileW(strSpool + L"\\Application.spool");
    DeleteFileW(strSpool + L"\\System.spool");
    DeleteFileW(strSpool + L"\\TervokUnitLog.spool");
    RemoveDirectoryW(strSpool);
}
