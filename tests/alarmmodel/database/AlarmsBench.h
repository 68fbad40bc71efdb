// What the alarm database tests share: the console's registry store on a chosen data source,
// a fresh alarm table, and a stand-in main window that records the report lines it is sent.
#pragma once

#include "alarmmodel/database/AlarmsDatabase.h"
#include "tests/OdbcBench.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace alarmsbench
{
const wchar_t kSqliteDsn[] = L"Tervok Alarms Database";
const wchar_t kPostgresDsn[] = L"Tervok Alarms PostgreSQL";
// The same server, on a session that reads a backslash in a literal as an escape.
const wchar_t kBackslashDsn[] = L"Tervok PostgreSQL Backslash";
const wchar_t kUnreachableDsn[] = L"Tervok Alarms Unreachable";

struct CapturedLine
{
    int nLevel;
    CString strText;
};

// A hidden window of the main window's class in this process.
class CMainWindowCapture
{
public:
    CMainWindowCapture();
    ~CMainWindowCapture();
    std::vector<CapturedLine> m_lines;
    // Called for every line as it arrives.
    std::function<void(const CapturedLine&)> m_onLine;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd;
};

// Points the console's store at the data source and removes the alarm table there.
void UseDataSource(const wchar_t* pszDsn);
void DropAlarmsTable(const wchar_t* pszDsn);
bool IsPostgres(const wchar_t* pszDsn);
// The test name of a data source: SQLite, PostgreSQL or PostgreSQLBackslash.
std::string DataSourceName(const ::testing::TestParamInfo<const wchar_t*>& info);
// A query's rows as text, one line per row, read outside Wine with sqlite3 or psql.
CStringA QueryOutside(const wchar_t* pszDsn, const char* pszSQL);
// The lines of a report, prefixes included, joined with "\n".
CString Joined(const CStringArray& arrLines);
} // namespace alarmsbench
