// The benchmarks' alarm table: 100,000 rows made by the data source itself, after the table
// was dropped and made again by the console's start-up check.
#pragma once

#include "alarmmodel/database/AlarmsDatabase.h"

#include <cstdio>

const int kAlarmsTableRows = 100000;

// 100,000 rows made by the data source itself: 5 statuses, 50 titles, 200 senders.
inline const wchar_t kSqliteFill[] =
    L"INSERT INTO TBL_ALARMS_005 (FLD_PRIME_KEY,FLD_TIMESTAMP,FLD_CLASS,FLD_INDEX,FLD_FROM,FLD_TITLE,"
    L"FLD_DESCRIPTION,FLD_PROCESSED,FLD_OUTSTANDING,FLD_STATUS,FLD_LOG,FLD_ASSIGNED_TO,FLD_PRIORITY) "
    L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
    L"SELECT i, datetime(1700000000 + i * 60, 'unixepoch'), i % 5, 0, 'host' || (i % 200), 'Alarm ' || (i % 50), "
    L"'Description of alarm ' || i, datetime(1700000000 + i * 60, 'unixepoch'), 1, "
    L"CASE i % 5 WHEN 0 THEN 'Open' WHEN 1 THEN 'Closed' WHEN 2 THEN 'Assigned' WHEN 3 THEN 'Waiting' ELSE 'Done' END, "
    L"'log line one' || char(10) || 'log line two of alarm ' || i, 'user' || (i % 10), 'P' || (i % 3) FROM n";
inline const wchar_t kPostgresFill[] =
    L"INSERT INTO TBL_ALARMS_005 (FLD_PRIME_KEY,FLD_TIMESTAMP,FLD_CLASS,FLD_INDEX,FLD_FROM,FLD_TITLE,"
    L"FLD_DESCRIPTION,FLD_PROCESSED,FLD_OUTSTANDING,FLD_STATUS,FLD_LOG,FLD_ASSIGNED_TO,FLD_PRIORITY) "
    L"SELECT i, to_timestamp(1700000000 + i * 60), i % 5, 0, 'host' || (i % 200), 'Alarm ' || (i % 50), "
    L"'Description of alarm ' || i, to_timestamp(1700000000 + i * 60), 1, "
    L"CASE i % 5 WHEN 0 THEN 'Open' WHEN 1 THEN 'Closed' WHEN 2 THEN 'Assigned' WHEN 3 THEN 'Waiting' ELSE 'Done' END, "
    L"'log line one' || chr(10) || 'log line two of alarm ' || i, 'user' || (i % 10), 'P' || (i % 3) "
    L"FROM generate_series(1, 100000) AS i";

inline bool FillAlarmsTable(const wchar_t* pszDsn, bool bPostgres)
{
    CDatabase database;
    try
    {
        database.OpenEx(CString(L"DSN=") + pszDsn, CDatabase::noOdbcDialog);
        try
        {
            database.ExecuteSQL(L"DROP TABLE TBL_ALARMS_005");
        }
        catch (const CDBException&)
        {
        }
        database.Close();
        CAlarmsDatabase check;
        check.CheckStructure(pszDsn);
        database.OpenEx(CString(L"DSN=") + pszDsn, CDatabase::noOdbcDialog);
        database.SetQueryTimeout(600);
        database.ExecuteSQL(bPostgres ? kPostgresFill : kSqliteFill);
        if (bPostgres)
            database.ExecuteSQL(L"ANALYZE TBL_ALARMS_005");
        return true;
    }
    catch (const CDBException& e)
    {
        wprintf(L"  cannot fill %ls: %ls\n", pszDsn, e.GetErrorMessage().GetString());
        return false;
    }
}
