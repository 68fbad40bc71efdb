// The console's alarm database: a short-lived object around one database operation. It names
// the data source, opens connections, runs the start-up check (data source, table, indexes),
// writes and reads alarm rows, and reports every step as a log line that it keeps and sends
// to the console's main window.
#pragma once

#include "framework/database/CDatabase.h"
#include "framework/core/CStringArray.h"
#include "framework/core/CTime.h"

#include <map>

class CAlarmDefinition;
class CODBCTypeInfo;

// The data source of the alarm table: the registry value "AlarmDatabaseDSN" or the default.
CString GetAlarmDatabaseDsn();

// Window message under which report lines go to the main window: wParam the level (0 OK,
// 1 warning, 2 error), lParam the line's text (const wchar_t*, without the level prefix), valid
// during the call only.
UINT GetAddLogfileMessage();

// The installer's data-source call, replaceable so that what would be installed can be seen
// where no installer accepts it. Returns the previous function.
typedef BOOL(WINAPI* ConfigDataSourceFunc)(HWND hwndParent, WORD fRequest, LPCSTR pszDriver,
                                           LPCSTR pszAttributes);
ConfigDataSourceFunc SetConfigDataSourceFunction(ConfigDataSourceFunc pfnConfig);
// The installer's data-source call through that function, and its error records.
BOOL ConfigDataSource(HWND hwndParent, WORD fRequest, LPCSTR pszDriver, LPCSTR pszAttributes);
typedef SQLRETURN(WINAPI* InstallerErrorFunc)(WORD iError, DWORD* pfErrorCode, LPSTR pszErrorMsg, WORD cbErrorMsgMax,
                                              WORD* pcbErrorMsg);
InstallerErrorFunc SetInstallerErrorFunction(InstallerErrorFunc pfnError);
SQLRETURN InstallerError(WORD iError, DWORD* pfErrorCode, LPSTR pszErrorMsg, WORD cbErrorMsgMax, WORD* pcbErrorMsg);

// The path as the installer's narrow attributes can carry it: as it is where every character has
// its exact form in the ANSI code page, otherwise with its folder's short (8.3) name; empty where
// neither can (a volume that keeps no short names, a file name of such characters).
CString InstallerPath(const CString& strPath);

// An ODBC timestamp of the local time, fraction 0.
TIMESTAMP_STRUCT ToTimestampStruct(const CTime& time);

class CAlarmsDatabase
{
public:
    CAlarmsDatabase() {}
    virtual ~CAlarmsDatabase() {}

    // Opens the database on the current data source; FALSE after a reported failure.
    BOOL Open(CDatabase& database);
    // The start-up check of the named data source; what it finds it reports. TRUE when the data
    // source opened and holds the table.
    BOOL CheckStructure(const wchar_t* pszDsn);

    void ReportOk(const wchar_t* pszFormat, ...);
    void ReportWarning(const wchar_t* pszFormat, ...);
    void ReportError(const wchar_t* pszFormat, ...);
    // Each label padded with dots to one width, then "..: " and the value.
    void ReportLabelledRows(const CStringArray& arrLabels, const CStringArray& arrValues);

    // Native type names of the open database for the SQL types the table uses.
    void LoadTypeNames(CDatabase* pDatabase);
    // The same from a type list already read, as the named driver file gave it.
    void TakeTypeNames(const CODBCTypeInfo& typeList, const wchar_t* pszDriver);
    // Creates the table and its indexes when the table is missing; FALSE, reported, when the
    // table is still missing afterwards.
    BOOL EnsureAlarmsTable(CDatabase* pDatabase, const wchar_t* pszTable);
    BOOL ExecuteSqlReported(CDatabase* pDatabase, const wchar_t* pszStatement, const wchar_t* pszAction);

    // TRUE when a user or system data source of exactly that name exists.
    BOOL DataSourceExists(const wchar_t* pszDsn);
    // A Microsoft Access system data source on "<program folder><name>.mdb", made from the
    // template "blank.mdb" beside the program, or by the driver when there is none; no data
    // source where the driver makes no file.
    BOOL CreateAccessDsn(const wchar_t* pszDsn, const wchar_t* pszDescription);

    // One alarm row with the next key; publishes the key in "AlarmLastPrimeKey".
    BOOL AddAlarmRecord(const CAlarmDefinition& definition, const CStringArray& arrFieldNames,
                        const CStringArray& arrFieldValues, const wchar_t* pszLog, const wchar_t* pszStatus);
    BOOL AddAlarmRecordFromLines(const CAlarmDefinition& definition, const CStringArray& arrFieldNames,
                                 const CStringArray& arrFieldValues, const CStringArray& arrLogLines,
                                 const wchar_t* pszStatus);
    // The fixed error block; any argument may be null.
    void ReportDatabaseError(const wchar_t* pszAction, const wchar_t* pszDsn, const wchar_t* pszTable,
                             const CDBException* pException);

    // The distinct non-empty values of one column, in the data source's order.
    void LoadDistinctStatus(CStringArray& arrValues);
    void LoadDistinctAssignedTo(CStringArray& arrValues);
    void LoadDistinctPriority(CStringArray& arrValues);
    void LoadDistinctFrom(CStringArray& arrValues);
    void LoadDistinctTitles(CStringArray& arrValues);

    const CStringArray& GetReportLines() const { return m_arrReportLines; }
    const std::map<SQLSMALLINT, CString>& GetTypeNames() const { return m_mapTypeNames; }

private:
    // The exception's message, at most 512 characters.
    static CString ErrorMessage(const CDBException& e);
    void Report(int nLevel, const wchar_t* pszFormat, va_list args);
    void ReportText(int nLevel, const CString& strText);
    template <typename TRecordset> void LoadDistinct(const wchar_t* pszColumn, CStringArray& arrValues);
    BOOL ReadLargestKey(CDatabase& database, long& lLargest);
    void InsertAlarm(CDatabase& database, const CAlarmDefinition& definition, long lKey,
                     const CString& strMatchText, const CString& strFrom, const wchar_t* pszLog,
                     const wchar_t* pszStatus);
    BOOL FindAccessDriver(SQLHENV henv, CString& strDriver);
    void CopyBlankDatabase(const CString& strTemplate, const CString& strDatabaseFile);
    // Has the Access driver make an empty database where no template lies beside the program,
    // handing it the file under its installer path; FALSE, reported, when no file was made.
    BOOL CreateBlankDatabase(const CString& strDriver, const CString& strDatabaseFile, const CString& strInstallerFile);
    BOOL InstallDataSource(const CString& strDsn, const CString& strDriver, const CStringArray& arrAttributes);
    // One installer call for a system data source of the driver with these attributes.
    BOOL ConfigureDriver(const CString& strDriver, const CStringArray& arrAttributes);
    // The installer's error records, each as an error line.
    void ReportInstallerErrors();

    CStringArray m_arrReportLines;
    std::map<SQLSMALLINT, CString> m_mapTypeNames;
};
