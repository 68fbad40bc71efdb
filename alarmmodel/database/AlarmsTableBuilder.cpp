// The alarm table in whatever data source the user chose: column types come from the driver's
// own type list, with the names of three well-known drivers corrected.
#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/NativeTypeNames.h"
#include "alarmmodel/database/ODBCTableInfo.h"
#include "alarmmodel/database/ODBCTypeInfo.h"

#include <vector>

namespace
{
struct ColumnDefinition
{
    const wchar_t* pszTable;
    const wchar_t* pszColumn;
    SQLSMALLINT nSqlType; // ODBC 2 codes: 4 integer, 9 date-time, 12 text, -1 long text
    UINT nWidth;          // 0: none
    BOOL bPrimaryKey;
    BOOL bIndexed;
};

const ColumnDefinition kColumns[] = {
    {L"TBL_ALARMS_005", L"FLD_PRIME_KEY", 4, 0, TRUE, TRUE},
    {L"TBL_ALARMS_005", L"FLD_TIMESTAMP", 9, 0, FALSE, TRUE},
    {L"TBL_ALARMS_005", L"FLD_EXPIRES", 9, 0, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_CLASS", 4, 0, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_REPEAT", 4, 0, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_INDEX", 4, 0, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_FROM", 12, 255, FALSE, TRUE},
    {L"TBL_ALARMS_005", L"FLD_TITLE", 12, 255, FALSE, TRUE},
    {L"TBL_ALARMS_005", L"FLD_DESCRIPTION", 12, 255, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_PROCESSED", 9, 0, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_ALARM_DEFN", -1, 0, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_MATCH_TEXT", -1, 0, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_OUTSTANDING", 4, 0, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_STATUS", 12, 255, FALSE, TRUE},
    {L"TBL_ALARMS_005", L"FLD_LOG", -1, 0, FALSE, FALSE},
    {L"TBL_ALARMS_005", L"FLD_ASSIGNED_TO", 12, 255, FALSE, TRUE},
    {L"TBL_ALARMS_005", L"FLD_PRIORITY", 12, 255, FALSE, TRUE},
    {L"TBL_ALARMS_005", L"FLD_RESOLUTION", -1, 0, FALSE, TRUE},
};

const SQLSMALLINT kKeptTypes[] = {9, 4, -1, -4, 12};

bool IsKeptType(SQLSMALLINT nType)
{
    for (SQLSMALLINT nKept : kKeptTypes)
        if (nKept == nType)
            return true;
    return false;
}

// The environment is ODBC 3: its date, time and timestamp codes stand for the ODBC 2 ones
// that the column table uses.
SQLSMALLINT ToOdbc2Type(long nType)
{
    switch (nType)
    {
    case SQL_TYPE_DATE: return SQL_DATE;
    case SQL_TYPE_TIME: return SQL_TIME;
    case SQL_TYPE_TIMESTAMP: return SQL_TIMESTAMP;
    default: return (SQLSMALLINT)nType;
    }
}

struct FallBack
{
    SQLSMALLINT nWanted;
    SQLSMALLINT nBorrowed;
};

// A type the driver does not list takes the name of one that serves as well. The Access
// drivers tell a Unicode program of their text types under the wide codes only.
const FallBack kFallBacks[] = {
    {SQL_INTEGER, SQL_DECIMAL},
    {SQL_VARCHAR, SQL_WVARCHAR},
    {SQL_LONGVARCHAR, SQL_WLONGVARCHAR},
};

// The standard SQL name of a type that the driver may list only with an auto-numbering row.
BOOL StandardTypeName(SQLSMALLINT nType, CString& strName)
{
    if (nType != SQL_INTEGER)
        return FALSE;
    strName = L"INTEGER";
    return TRUE;
}

typedef std::vector<std::pair<SQLSMALLINT, CString>> CandidateList;

const CString* FindCandidate(const CandidateList& candidates, SQLSMALLINT nType)
{
    for (const auto& candidate : candidates)
        if (candidate.first == nType)
            return &candidate.second;
    return nullptr;
}

// The name under which the data source lists a table created with an unquoted name.
CString StoredTableName(CDatabase* pDatabase, const wchar_t* pszTable)
{
    CString strName(pszTable);
    if (pDatabase->GetIdentifierCase() == SQL_IC_UPPER)
        strName.MakeUpper();
    else if (pDatabase->GetIdentifierCase() == SQL_IC_LOWER)
        strName.MakeLower();
    return strName;
}

// Whether the data source lists a table of that unquoted name.
BOOL HasTable(CDatabase* pDatabase, const wchar_t* pszTable)
{
    CODBCTableInfo tableInfo(pDatabase);
    tableInfo.LoadTables();
    return tableInfo.HasTable(StoredTableName(pDatabase, pszTable));
}
} // namespace

void CAlarmsDatabase::LoadTypeNames(CDatabase* pDatabase)
{
    if (pDatabase == nullptr)
        return;
    CODBCTypeInfo typeInfo(pDatabase);
    typeInfo.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
    typeInfo.LoadAll();
    typeInfo.Close();
    TakeTypeNames(typeInfo, GetDriverFileName(pDatabase->m_hdbc));
}

void CAlarmsDatabase::TakeTypeNames(const CODBCTypeInfo& typeList, const wchar_t* pszDriver)
{
    m_mapTypeNames.clear();
    CandidateList candidates;
    std::vector<SQLSMALLINT> arrAutoNumbered;
    bool bAnyTaken = false;
    SQLSMALLINT nLastType = 0;
    for (size_t i = 0; i < typeList.m_arrDataType.size(); i++)
    {
        // An auto-numbering type (Access's COUNTER, an identity, a serial) makes its own values:
        // Access refuses to take one for a column the console fills, and more than one per table.
        if (typeList.m_arrAutoIncrement[i] == SQL_TRUE)
        {
            arrAutoNumbered.push_back(ToOdbc2Type(typeList.m_arrDataType[i]));
            continue;
        }
        SQLSMALLINT nType = ToOdbc2Type(typeList.m_arrDataType[i]);
        if (bAnyTaken && nType == nLastType)
            continue; // each type's first row only
        bAnyTaken = true;
        nLastType = nType;
        CString strName = typeList.m_arrTypeName[(int)i];
        AdjustNativeTypeName(pszDriver, nType, typeList.m_arrCreateParams[(int)i], strName);
        OverrideNativeTypeName(pszDriver, nType, strName);
        candidates.push_back(std::make_pair(nType, strName));
    }
    // A driver lists one row per SQL type where several of its types share one, and for Access's
    // SQL_INTEGER that row may be COUNTER: the plain type exists all the same, under the driver's
    // own name or the standard one.
    for (SQLSMALLINT nType : arrAutoNumbered)
    {
        CString strName;
        if (IsKeptType(nType) && FindCandidate(candidates, nType) == nullptr &&
            (OverrideNativeTypeName(pszDriver, nType, strName) || StandardTypeName(nType, strName)))
            candidates.push_back(std::make_pair(nType, strName));
    }
    // Date-time columns take the timestamp type wherever the driver has one, also when it
    // lists a date type: a date column would drop the time of day of every alarm.
    if (const CString* pTimestamp = FindCandidate(candidates, SQL_TIMESTAMP))
        candidates.push_back(std::make_pair((SQLSMALLINT)9, *pTimestamp));
    for (const FallBack& fallBack : kFallBacks)
    {
        const CString* pBorrowed = FindCandidate(candidates, fallBack.nBorrowed);
        if (FindCandidate(candidates, fallBack.nWanted) == nullptr && pBorrowed != nullptr)
            candidates.push_back(std::make_pair(fallBack.nWanted, *pBorrowed));
    }
    for (const auto& candidate : candidates)
        if (IsKeptType(candidate.first))
            m_mapTypeNames[candidate.first] = candidate.second;
}

BOOL CAlarmsDatabase::EnsureAlarmsTable(CDatabase* pDatabase, const wchar_t* pszTable)
{
    if (HasTable(pDatabase, pszTable))
        return TRUE;
    ReportWarning(L"Table %s not defined", pszTable);

    CString strColumns;
    CStringArray arrStatements, arrActions;
    BOOL bEveryType = TRUE;
    for (int nPos = 0; nPos < (int)(sizeof(kColumns) / sizeof(kColumns[0])); nPos++)
    {
        const ColumnDefinition& column = kColumns[nPos];
        if (wcscmp(column.pszTable, pszTable) != 0)
            continue;
        if (!strColumns.IsEmpty())
            strColumns += L",";
        auto found = m_mapTypeNames.find(column.nSqlType);
        CString strType = found != m_mapTypeNames.end() ? found->second : CString();
        if (strType.IsEmpty())
        {
            ReportError(L"Column %s has no type: the driver lists none for SQL type %d", column.pszColumn,
                        (int)column.nSqlType);
            bEveryType = FALSE;
        }
        // The empty parameter lists of the adjusted names go; a filled one, such as Oracle's
        // NUMBER(10,0) for integers, is the declaration itself and stays.
        strType.Replace(L"()", L"");
        CString strColumn;
        if (column.nWidth > 0)
            strColumn.Format(L"%s %s(%u)", column.pszColumn, strType.GetString(), column.nWidth);
        else
            strColumn.Format(L"%s %s", column.pszColumn, strType.GetString());
        if (column.bPrimaryKey)
            strColumn += L" PRIMARY KEY NOT NULL";
        strColumns += strColumn;
        if (column.bIndexed)
        {
            CString strIndex;
            strIndex.Format(L"CREATE INDEX %s_IDX_%03d ON %s (%s)", pszTable, nPos, pszTable, column.pszColumn);
            arrStatements.Add(strIndex);
            arrActions.Add(L"Create Index");
        }
    }
    CString strCreate;
    strCreate.Format(L"CREATE TABLE %s(%s)", pszTable, strColumns.GetString());
    arrStatements.InsertAt(0, strCreate);
    arrActions.InsertAt(0, L"Create Table");

    // A column without a type is a statement that no data source takes, or one that makes a
    // column of whatever type the data source likes.
    for (int i = 0; bEveryType && i < arrStatements.GetSize(); i++)
    {
        ReportText(0, arrStatements[i]);
        ExecuteSqlReported(pDatabase, arrStatements[i], arrActions[i]);
    }
    // The driver's refusal of the table is reported above; without the table the console has
    // no database, and the check must not end as if it had one.
    if (HasTable(pDatabase, pszTable))
        return TRUE;
    ReportError(L"Table %s not created", pszTable);
    return FALSE;
}

BOOL CAlarmsDatabase::ExecuteSqlReported(CDatabase* pDatabase, const wchar_t* pszStatement, const wchar_t* pszAction)
{
    if (pDatabase == nullptr || !pDatabase->IsOpen())
        return FALSE;
    try
    {
        pDatabase->ExecuteSQL(pszStatement);
        return TRUE;
    }
    catch (const CDBException& e)
    {
        ReportError(L"Execute SQL Error");
        ReportError(L"Action ..: %s", pszAction);
        ReportError(L"SQL .....: %s", pszStatement);
        if (!e.m_strError.IsEmpty())
            ReportError(L"Error ...: %s", e.m_strError.GetString());
        if (!e.m_strStateNativeOrigin.IsEmpty())
            ReportError(L"Origin ..: %s", e.m_strStateNativeOrigin.GetString());
        return FALSE;
    }
}
