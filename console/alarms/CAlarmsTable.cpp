#include "console/alarms/CAlarmsTable.h"

#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "console/alarms/AlarmsListText.h"
#include "console/app/StatusPaneTexts.h"
#include "framework/database/CDBException.h"
#include "framework/database/CDBParameterList.h"

namespace
{
void AppendClause(CString& strFilter, const CString& strClause)
{
    if (!strFilter.IsEmpty())
        strFilter += L" AND ";
    strFilter += strClause;
}

void AppendEquals(CString& strFilter, CDBParameterList& params, const wchar_t* pszColumn, const CString& strValue)
{
    if (strValue.IsEmpty())
        return;
    CString strClause;
    strClause.Format(L"([%s] = ?)", pszColumn);
    AppendClause(strFilter, strClause);
    params.AddText(strValue);
}

// The recordset selects the alarm row of the key alone.
void FilterByKey(CRecordset& rs, UINT nKey)
{
    rs.m_strFilter = L"([FLD_PRIME_KEY] = ?)";
    rs.m_filterParams.RemoveAll();
    rs.m_filterParams.AddLong((long)nKey);
}
} // namespace

BOOL IsTimestampText(const CString& strText)
{
    static const wchar_t szPattern[] = L"dddd-dd-dd dd:dd:dd";
    if (strText.GetLength() != (int)wcslen(szPattern))
        return FALSE;
    for (int i = 0; szPattern[i]; i++)
    {
        BOOL bDigit = strText[i] >= L'0' && strText[i] <= L'9';
        if (szPattern[i] == L'd' ? !bDigit : strText[i] != szPattern[i])
            return FALSE;
    }
    return TRUE;
}

CString BuildAlarmsFilter(const AlarmsFilterTexts& filters, CDBParameterList& params)
{
    CString strFilter;
    AppendEquals(strFilter, params, L"FLD_STATUS", filters.strStatus);
    AppendEquals(strFilter, params, L"FLD_FROM", filters.strFrom);
    AppendEquals(strFilter, params, L"FLD_TITLE", filters.strTitle);
    AppendEquals(strFilter, params, L"FLD_ASSIGNED_TO", filters.strAssignedTo);
    AppendEquals(strFilter, params, L"FLD_PRIORITY", filters.strPriority);
    if (IsTimestampText(filters.strAge))
    {
        AppendClause(strFilter, L"([FLD_TIMESTAMP] >= ?)");
        params.AddTimestampText(filters.strAge);
    }
    return strFilter;
}

BOOL CAlarmsTable::Open()
{
    return CAlarmsDatabase().Open(m_database);
}

void CAlarmsTable::Close()
{
    m_database.Close();
}

CString CAlarmsTable::DatabaseName() const
{
    return DataSourceDatabaseName(m_database.m_hdbc);
}

BOOL CAlarmsTable::ReadNewest(const AlarmsFilterTexts& filters, int nMax,
                              const std::function<void(const CAlarmsRecordset&)>& fnRow)
{
    BOOL bSelected = FALSE;
    CAlarmsRecordset rs(&m_database);
    rs.m_strFilter = BuildAlarmsFilter(filters, rs.m_filterParams);
    rs.m_strSort = L"FLD_TIMESTAMP DESC";
    // Only the newest rows are read, once, front to back: the driver need not read the rest.
    rs.m_nMaxRows = (UINT)nMax;
    try
    {
        rs.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
        bSelected = TRUE;
        for (int nRead = 0; !rs.IsEOF() && nRead < nMax; rs.MoveNext(), nRead++)
            fnRow(rs);
    }
    catch (const CDBException& e)
    {
        CAlarmsDatabase().ReportError(L"Error %d loading record from %s: %s", (int)e.m_nRetCode,
                                      kAlarmsTableName, DatabaseErrorText(e).GetString());
    }
    rs.Close();
    return bSelected;
}

CAlarmsTable::WriteResult CAlarmsTable::WriteStatus(UINT nKey, const wchar_t* pszStatus, const CString& strBlock,
                                                    CString* pNewLog)
{
    try
    {
        CAlarmsRecordset rs(&m_database);
        FilterByKey(rs, nKey);
        rs.Open(CRecordset::dynaset);
        BOOL bFound = !rs.IsBOF() && !rs.IsEOF();
        if (bFound)
        {
            rs.Edit();
            rs.m_strLog += strBlock;
            rs.m_strStatus = pszStatus;
            rs.Update();
            if (pNewLog)
                *pNewLog = rs.m_strLog;
        }
        rs.Close();
        if (bFound)
            return kWritten;
        CAlarmsDatabase().ReportError(L"Alarm %u is no longer in %s: its status was not changed", nKey, kAlarmsTableName);
        return kMissing;
    }
    catch (const CDBException& e)
    {
        CAlarmsDatabase().ReportError(L"Error updating record in %s: %s", kAlarmsTableName, DatabaseErrorText(e).GetString());
        return kFailed;
    }
}

void CAlarmsTable::DeleteAlarm(UINT nKey)
{
    try
    {
        CAlarmsRecordset rs(&m_database);
        FilterByKey(rs, nKey);
        rs.Open(CRecordset::dynaset);
        if (!rs.IsBOF() && !rs.IsEOF())
            rs.Delete();
        rs.Close();
    }
    catch (const CDBException& e)
    {
        CAlarmsDatabase().ReportError(L"Error deleting record from %s: %s", kAlarmsTableName,
                                      DatabaseErrorText(e).GetString());
    }
}

void CAlarmsTable::DeleteAlarms(const std::vector<UINT>& keys, const std::function<void()>& fnDone)
{
    try
    {
        CAlarmsRecordset rs(&m_database);
        rs.m_strFilter = L"1=2";
        rs.Open(CRecordset::dynaset);
        for (UINT nKey : keys)
        {
            FilterByKey(rs, nKey);
            rs.Requery();
            if (!rs.IsBOF() && !rs.IsEOF())
                rs.Delete();
            fnDone();
        }
        rs.Close();
    }
    catch (const CDBException& e)
    {
        CAlarmsDatabase().ReportDatabaseError(L"Deleting record", GetAlarmDatabaseDsn(), kAlarmsTableName, &e);
    }
}
