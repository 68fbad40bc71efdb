// The "Open Alarms" panel's Refresh on 100,000 alarms from 500 systems, beside one grouped count
// query on the same table (open, query, read every group, close), on SQLite and PostgreSQL.
// Target: the Refresh within 2 x the grouped query. The panel's own query is timed alone too,
// to tell the database's share from the list's. A second thread asks the console's window
// for an answer all the while, to show how long the console leaves input waiting. Run through
// bench/open-alarms-bench.
#include "bench/AlarmsTableFill.h"
#include "bench/BenchClock.h"
#include "bench/BenchConsole.h"
#include "framework/window/AfxOleInit.h"
#include "support/RegistryStore.h"

#include <sqlext.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace
{
const int kSystems = 500;
const int kRepeats = 9;

// 500 systems of 200 alarms each, every status among each system's alarms. PostgreSQL is then
// left as its autovacuum leaves a table after a change of every row: vacuumed, with statistics
// of the new values; the fill's statistics would still say 200 systems, and half the table would
// be dead rows that only the sequential scans read.
bool SpreadOverSystems(const wchar_t* pszDsn, bool bPostgres)
{
    CString strSQL;
    strSQL.Format(L"UPDATE TBL_ALARMS_005 SET FLD_FROM = 'host' || ((FLD_PRIME_KEY - 1) / %d)",
                  kAlarmsTableRows / kSystems);
    try
    {
        CDatabase database;
        database.OpenEx(CString(L"DSN=") + pszDsn, CDatabase::noOdbcDialog);
        database.SetQueryTimeout(600);
        database.ExecuteSQL(strSQL);
        if (bPostgres)
            database.ExecuteSQL(L"VACUUM ANALYZE TBL_ALARMS_005");
        return true;
    }
    catch (const CDBException& e)
    {
        wprintf(L"  cannot spread the alarms: %ls\n", e.GetErrorMessage().GetString());
        return false;
    }
}

// The baseline: one grouped count of the open alarms.
const wchar_t kGroupedCount[] = L"SELECT FLD_FROM, COUNT(FLD_PRIME_KEY) FROM TBL_ALARMS_005 WHERE FLD_STATUS = 'Open' "
                                L"GROUP BY FLD_FROM";
// The panel's own query, in SQL that Access takes too: the systems, also those without open
// alarms, and the open alarms counted by system, grouped together by the data source.
const wchar_t kPanelQuery[] =
    L"SELECT BY_SYSTEM.FLD_FROM, SUM(BY_SYSTEM.OPEN_COUNT) FROM (SELECT DISTINCT FLD_FROM, 0 AS OPEN_COUNT FROM "
    L"TBL_ALARMS_005 UNION ALL SELECT FLD_FROM, COUNT(*) FROM TBL_ALARMS_005 WHERE FLD_STATUS = 'Open' GROUP BY "
    L"FLD_FROM) AS BY_SYSTEM GROUP BY BY_SYSTEM.FLD_FROM";

// One grouped query on a connection of its own, every group read. Returns the groups.
int GroupedQuery(const wchar_t* pszSQL)
{
    CDatabase database;
    if (!CAlarmsDatabase().Open(database))
        return -1;
    SQLHSTMT hStmt = database.AllocStatement();
    int nGroups = 0;
    if (SQL_SUCCEEDED(SQLExecDirectW(hStmt, (SQLWCHAR*)pszSQL, SQL_NTS)))
        for (; SQL_SUCCEEDED(SQLFetch(hStmt)); nGroups++)
        {
            wchar_t szFrom[256];
            double dCount = 0;
            SQLLEN nLength = 0;
            SQLGetData(hStmt, 1, SQL_C_WCHAR, szFrom, sizeof szFrom, &nLength);
            SQLGetData(hStmt, 2, SQL_C_DOUBLE, &dCount, 0, &nLength);
        }
    SQLFreeHandle(SQL_HANDLE_STMT, hStmt);
    return nGroups;
}

// Asks the window for an answer again and again, keeping the longest wait.
class CAnswerWatch
{
public:
    explicit CAnswerWatch(HWND hWnd) : m_hWnd(hWnd), m_bStop(false), m_bDone(false), m_dLongest(0)
    {
        m_thread = std::thread([this] { Watch(); });
    }
    // Answers the watch's last question while it ends: a join alone would leave it waiting.
    double Stop()
    {
        m_bStop = true;
        while (!m_bDone)
        {
            PumpMessages();
            Sleep(1);
        }
        m_thread.join();
        return m_dLongest;
    }

private:
    void Watch()
    {
        while (!m_bStop)
        {
            double dStart = BenchMilliseconds();
            DWORD_PTR dwResult = 0;
            SendMessageTimeoutW(m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &dwResult);
            m_dLongest = std::max(m_dLongest, BenchMilliseconds() - dStart);
            Sleep(1);
        }
        m_bDone = true;
    }

    HWND m_hWnd;
    std::atomic<bool> m_bStop;
    std::atomic<bool> m_bDone;
    double m_dLongest;
    std::thread m_thread;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Measure(CMainFrame* pFrame, const wchar_t* pszDsn, bool bPostgres)
{
    GetRegistryStore().SetString(L"AlarmDatabaseDSN", pszDsn);
    wprintf(L"%ls (%d alarms, %d systems)\n", pszDsn, kAlarmsTableRows, kSystems);
    if (!FillAlarmsTable(pszDsn, bPostgres) || !SpreadOverSystems(pszDsn, bPostgres))
        return;
    COutstandingDyn& panel = pFrame->m_dlgOpenAlarms;
    panel.OnRefresh(); // the data source's first reads
    PumpMessages();

    // Refresh and baseline take turns, so that a busy machine weighs on both alike.
    std::vector<double> refreshes, groupeds, panelQueries;
    double dLongestWait = 0;
    int nGroups = 0;
    for (int i = 0; i < kRepeats; i++)
    {
        CAnswerWatch watch(pFrame->m_hWnd);
        double dStart = BenchMilliseconds();
        panel.OnRefresh();
        // Until the last row's count shows (at most 10 minutes).
        while ((panel.m_list.GetItemCount() != kSystems + 1 || panel.m_list.GetItemText(kSystems, 1).IsEmpty()) &&
               BenchMilliseconds() - dStart < 600000)
        {
            PumpMessages();
            Sleep(1);
        }
        refreshes.push_back(BenchMilliseconds() - dStart);
        PumpMessages();
        dLongestWait = std::max(dLongestWait, watch.Stop());
        dStart = BenchMilliseconds();
        nGroups = GroupedQuery(kGroupedCount);
        groupeds.push_back(BenchMilliseconds() - dStart);
        dStart = BenchMilliseconds();
        GroupedQuery(kPanelQuery);
        panelQueries.push_back(BenchMilliseconds() - dStart);
    }
    double dRefresh = Median(refreshes), dGrouped = Median(groupeds), dPanelQuery = Median(panelQueries);

    wprintf(L"  panel rows ..................: %d (All Systems: %ls open)\n", panel.m_list.GetItemCount(),
            panel.m_list.GetItemText(0, 1).GetString());
    wprintf(L"  Refresh .....................: %8.1f ms (median of %d)\n", dRefresh, kRepeats);
    wprintf(L"  baseline: grouped count .....: %8.1f ms (%d groups, connection included, median of %d)\n", dGrouped,
            nGroups, kRepeats);
    wprintf(L"  of it the panel's query .....: %8.1f ms (the same query alone, connection included)\n", dPanelQuery);
    wprintf(L"  Refresh / grouped count .....: %8.2f x (target < 2)\n", dGrouped > 0 ? dRefresh / dGrouped : 0.0);
    wprintf(L"  longest wait for an answer ..: %8.1f ms (during the Refreshes)\n", dLongestWait);
}
} // namespace

int main()
{
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
    AfxInitRichEdit();
    CBelvaneApp app;
    app.SetRegistryKey(L"Tervok AG Bench");
    CMainFrame* pFrame = ShowBenchMainFrame(app);
    if (!pFrame)
        return 1;
    PumpMessages();
    Measure(pFrame, L"Tervok Alarms Database", false);
    Measure(pFrame, L"Tervok Alarms PostgreSQL", true);
    pFrame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    return 0;
}
