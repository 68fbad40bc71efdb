#include "../Loopback.h"
#include "agent/EventLog/EventLog.h"
#include "agent/EventLog/SpoolEventLogSource.h"
#include "agent/TraceLog.h"

namespace
{
// A collector's listening socket: counts the connections made to it.
class CCountingListener : public CLoopbackListener
{
public:
    int CountConnections()
    {
        int nCount = 0;
        for (;;)
        {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(m_socket, &readable);
            timeval tv = {1, 0};
            if (select(0, &readable, nullptr, nullptr, &tv) <= 0)
                return nCount;
            closesocket(accept(m_socket, nullptr, nullptr));
            nCount++;
        }
    }
};

// A spool of one record in "Application", the monitor's log index for it, and clean-up.
class ForwardTarget : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t szPath[MAX_PATH];
        GetModuleFileNameW(nullptr, szPath, MAX_PATH);
        *wcsrchr(szPath, L'\\') = 0;
        m_strSpool.Format(L"%s\\spool-forward-%lu", szPath, (unsigned long)GetCurrentProcessId());
        CreateDirectoryW(m_strSpool, nullptr);
        m_pSpool = new CSpoolEventLogSource(m_strSpool);
        SetEventLogSource(m_pSpool);
        SEventRecordFields fields;
        fields.strSource = L"TervokUnitSource";
        m_pSpool->Append(L"Application", CSpoolEventLogSource::BuildImage(fields));
    }
    void TearDown() override
    {
        SetEventLogSource(nullptr);
        delete m_pSpool;
        DeleteFileW(m_strSpool + L"\\Application.spool");
        RemoveDirectoryW(m_strSpool);
    }
    static int ApplicationLog(const CEventLogMonitorChanges& monitor)
    {
        for (int i = 0; i < monitor.GetLogCount(); i++)
            if (monitor.GetLog(i).m_strLogName.CompareNoCase(L"Application") == 0)
                return i;
        return -1;
    }
    static int CountCacheFiles(const CString& strFolder)
    {
        int nCount = 0;
        WIN32_FIND_DATAW data;
        HANDLE hFind = FindFirstFileW(strFolder + L"AgentNotSent-*.xml", &data);
        if (hFind == INVALID_HANDLE_VALUE)
            return 0;
        do
            nCount++;
        while (FindNextFileW(hFind, &data));
        FindClose(hFind);
        return nCount;
    }

    CString m_strSpool;
    CSpoolEventLogSource* m_pSpool = nullptr;
};
} // namespace

TEST_F(ForwardTarget, PortOutOfRangeIsNeitherCutNorCached)
{
    CCountingListener collector;
    CEventLogMonitorChanges monitor;
    monitor.SetSocketTimeout(5000);
    int nLog = ApplicationLog(monitor);
    ASSERT_GE(nLog, 0);
    int nCachedBefore = CountCacheFiles(monitor.GetCacheFolder());

    // 65536 more than the collector's port: cut to 16 bits it would be the collector's.
    CString strInvalid, strValid;
    strInvalid.Format(L"127.0.0.1:%d", collector.GetPort() + 65536);
    strValid.Format(L"127.0.0.1:%d", collector.GetPort());
    CStringArray targets;
    targets.Add(strInvalid);
    targets.Add(strValid);
    std::vector<BOOL> flags(2, TRUE);
    ASSERT_EQ(1, monitor.ForwardNextRecord(nLog, targets, flags));
    EXPECT_FALSE(flags[0]);
    EXPECT_TRUE(flags[1]);
    EXPECT_EQ(1, collector.CountConnections()) << "only the valid target's push arrives";
    EXPECT_EQ(nCachedBefore, CountCacheFiles(monitor.GetCacheFolder()));

    CString strResult;
    EXPECT_EQ(0, monitor.SendToTarget(L"127.0.0.1", collector.GetPort() + 65536, L"text", strResult));
    EXPECT_EQ(0, collector.CountConnections());
    EXPECT_NE(-1, strResult.Find(L"port")) << (const char*)CStringA(strResult);
}

// Untraced (the service's level), the monitor neither counts the log's records nor asks for each
// record's size first: a record larger than its kept buffer, the end of the log and a clear
// must still be read as before.
TEST_F(ForwardTarget, LargeRecordsTheLogsEndAndAClearAreReadWithoutTheCount)
{
    ASSERT_FALSE(TraceLog().Traces(9));
    CCountingListener collector;
    CEventLogMonitorChanges monitor;
    monitor.SetSocketTimeout(5000);
    int nLog = ApplicationLog(monitor);
    ASSERT_GE(nLog, 0);
    SEventRecordFields fields;
    fields.strSource = L"TervokUnitSource";
    fields.arrStrings.Add(CString(L'x', 3000));
    fields.arrStrings.Add(CString(L'y', 3000));
    m_pSpool->Append(L"Application", CSpoolEventLogSource::BuildImage(fields));
    CStringArray targets;
    targets.Add(CString(L"127.0.0.1:") + CString(std::to_wstring(collector.GetPort()).c_str()));
    std::vector<BOOL> flags(1, TRUE);

    EXPECT_EQ(1, monitor.ForwardNextRecord(nLog, targets, flags));
    EXPECT_EQ(1, monitor.ForwardNextRecord(nLog, targets, flags));
    EXPECT_EQ(2u, monitor.GetLog(nLog).m_lastRecord.Number());
    CStringArray arrStrings;
    monitor.GetLog(nLog).m_lastRecord.GetStrings(arrStrings, 2);
    ASSERT_EQ(2, arrStrings.GetSize());
    EXPECT_EQ(3000, arrStrings[1].GetLength()) << "the record larger than the first buffer, whole";
    EXPECT_EQ(0, monitor.ForwardNextRecord(nLog, targets, flags)) << "none left";
    EXPECT_EQ(2, collector.CountConnections());

    ASSERT_TRUE(m_pSpool->Clear(L"Application"));
    EXPECT_EQ(0, monitor.ForwardNextRecord(nLog, targets, flags)) << "an empty log";
    m_pSpool->Append(L"Application", CSpoolEventLogSource::BuildImage(fields));
    EXPECT_EQ(1, monitor.ForwardNextRecord(nLog, targets, flags));
    EXPECT_EQ(1u, monitor.GetLog(nLog).m_lastRecord.Number()) << "read again from the cleared log's first record";
    EXPECT_EQ(1, collector.CountConnections());
    EXPECT_TRUE(flags[0]);
}
