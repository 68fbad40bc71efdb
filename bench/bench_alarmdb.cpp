// The alarm database on a table of 100,000 rows: adding one alarm, reading the 1,000 newest
// rows of a filter in their sort order, and each distinct-value list. SQLite first, then
// PostgreSQL. Run through bench/alarmdb-bench, which sets up both data sources.
#include "alarmmodel/AlarmDefinition.h"
#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "support/RegistryStore.h"
#include "bench/AlarmsTableFill.h"
#include "bench/BenchClock.h"

#include <cstdio>

namespace
{
void Measure(const wchar_t* pszDsn, bool bPostgres)
{
    GetRegistryStore().SetString(L"AlarmDatabaseDSN", pszDsn);
    wprintf(L"%ls (%d rows)\n", pszDsn, kAlarmsTableRows);
    if (!FillAlarmsTable(pszDsn, bPostgres))
        return;

    CAlarmDefinition definition;
    definition.m_strTitle = L"Bench alarm";
    CStringArray arrNames, arrValues, arrLog;
    arrNames.Add(L"FLD_RECEIVED_NAME");
    arrValues.Add(L"benchhost");
    arrLog.Add(L"added by the benchmark");
    const int nAdds = 50;
    CAlarmsDatabase db;
    double dStart = BenchMilliseconds();
    for (int i = 0; i < nAdds; i++)
        db.AddAlarmRecordFromLines(definition, arrNames, arrValues, arrLog, L"Open");
    wprintf(L"  add one alarm ..............: %7.2f ms (mean of %d, connection included)\n", (BenchMilliseconds() - dStart) / nAdds, nAdds);

    const int nReads = 10;
    int nRead = 0;
    double dOpenTotal = 0;
    dStart = BenchMilliseconds();
    for (int i = 0; i < nReads; i++)
    {
        CDatabase database;
        db.Open(database);
        CAlarmsRecordset rs(&database);
        rs.m_strFilter = L"[FLD_STATUS] = 'Open'";
        rs.m_strSort = L"[FLD_TIMESTAMP] DESC";
        double dOpen = BenchMilliseconds();
        rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
        dOpenTotal += BenchMilliseconds() - dOpen;
        for (nRead = 0; nRead < 1000 && !rs.IsEOF(); nRead++)
            rs.MoveNext();
    }
    wprintf(L"  1,000 newest open alarms ...: %7.2f ms (%d rows, mean of %d; opening %.2f ms)\n", (BenchMilliseconds() - dStart) / nReads, nRead, nReads, dOpenTotal / nReads);

    struct Loader
    {
        const wchar_t* pszName;
        void (CAlarmsDatabase::*pfnLoad)(CStringArray&);
    };
    const Loader loaders[] = {{L"status", &CAlarmsDatabase::LoadDistinctStatus},
                              {L"assigned to", &CAlarmsDatabase::LoadDistinctAssignedTo},
                              {L"priority", &CAlarmsDatabase::LoadDistinctPriority},
                              {L"from", &CAlarmsDatabase::LoadDistinctFrom},
                              {L"titles", &CAlarmsDatabase::LoadDistinctTitles}};
    for (const Loader& loader : loaders)
    {
        CStringArray arrValues2;
        dStart = BenchMilliseconds();
        for (int i = 0; i < nReads; i++)
            (db.*loader.pfnLoad)(arrValues2);
        wprintf(L"  distinct %-12ls .......: %7.2f ms (%d values, mean of %d)\n", loader.pszName,
                (BenchMilliseconds() - dStart) / nReads, arrValues2.GetSize(), nReads);
    }
    for (const CString& strLine : db.GetReportLines())
        wprintf(L"  report: %ls\n", strLine.GetString());
}
} // namespace

int main()
{
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
    Measure(L"Tervok Alarms Database", false);
    Measure(L"Tervok Alarms PostgreSQL", true);
    return 0;
}
