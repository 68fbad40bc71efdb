// The console's own writes and simple reads of the alarm table.
#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/database/AlarmsColumnRecordset.h"
#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "alarmmodel/database/AlarmsRecordsetPrimeKeyMax.h"
#include "support/RegistryStore.h"
#include "support/StringEx.h"
#include "support/SystemErrorText.h"

namespace
{
const int kKeyReadAttempts = 5;
const DWORD kKeyReadPause = 1000;
const DWORD kTimeoutShown = 120;

// The definition in the tagged lines of the definitions file.
CString DefinitionText(const CAlarmDefinition& definition)
{
    CAlarmDefinitionList list;
    CAlarmDefinition* pCopy = new CAlarmDefinition;
    pCopy->CopyFrom(definition);
    list.Add(pCopy);
    CStringArrayEx arrLines;
    list.Serialize(arrLines);
    return arrLines.Join(L"\n");
}

// "label = value" lines of the fields that the trigger source labels; the sender is the value
// of the last field labelled "from".
CString MatchText(const CAlarmDefinition& definition, const CStringArray& arrNames, const CStringArray& arrValues,
                  CString& strFrom)
{
    CStringArrayEx arrLines;
    for (int i = 0; i < arrNames.GetSize() && i < arrValues.GetSize(); i++)
    {
        CString strLabel = AlarmFieldLabelForSource((UINT)definition.m_nClass, arrNames[i]);
        if (strLabel.IsEmpty())
            continue;
        CString strValue = arrValues[i];
        strValue.Replace(L"\n", L"\r");
        strValue.Replace(L"\r\r", L"\r");
        arrLines.Add(strLabel + L" = " + strValue);
        if (strLabel.CompareNoCase(L"from") == 0)
            strFrom = strValue;
    }
    return arrLines.Join(L"\n");
}
} // namespace

TIMESTAMP_STRUCT ToTimestampStruct(const CTime& time)
{
    TIMESTAMP_STRUCT ts = {};
    ts.year = (SQLSMALLINT)time.GetYear();
    ts.month = (SQLUSMALLINT)time.GetMonth();
    ts.day = (SQLUSMALLINT)time.GetDay();
    ts.hour = (SQLUSMALLINT)time.GetHour();
    ts.minute = (SQLUSMALLINT)time.GetMinute();
    ts.second = (SQLUSMALLINT)time.GetSecond();
    return ts;
}

BOOL CAlarmsDatabase::AddAlarmRecordFromLines(const CAlarmDefinition& definition, const CStringArray& arrFieldNames,
                                              const CStringArray& arrFieldValues, const CStringArray& arrLogLines,
                                              const wchar_t* pszStatus)
{
    CStringArrayEx arrLines(arrLogLines);
    return AddAlarmRecord(definition, arrFieldNames, arrFieldValues, arrLines.Join(L"\n"), pszStatus);
}

BOOL CAlarmsDatabase::AddAlarmRecord(const CAlarmDefinition& definition, const CStringArray& arrFieldNames,
                                     const CStringArray& arrFieldValues, const wchar_t* pszLog, const wchar_t* pszStatus)
{
    CString strFrom;
    CString strMatchText = MatchText(definition, arrFieldNames, arrFieldValues, strFrom);
    CDatabase database;
    if (!Open(database))
        return FALSE;
    long lLargest = 0;
    if (!ReadLargestKey(database, lLargest))
        return FALSE;
    long lKey = lLargest + 1;
    try
    {
        InsertAlarm(database, definition, lKey, strMatchText, strFrom, pszLog, pszStatus);
    }
    catch (const CDBException& e)
    {
        ReportDatabaseError(L"Error adding record", GetAlarmDatabaseDsn(), kAlarmsTableName, &e);
        return FALSE;
    }
    // The windows learn of new alarms from this value alone.
    LONG lStatus = GetRegistryStore().SetVolatileDWord(L"AlarmLastPrimeKey", (DWORD)lKey);
    if (lStatus != ERROR_SUCCESS)
        ReportWarning(L"Alarm %ld was added, but AlarmLastPrimeKey could not be written: %s Windows that wait for "
                      L"new alarms show it only when they are refreshed.",
                      lKey, CSystemErrorText::Reason((DWORD)lStatus).GetString());
    return TRUE;
}

BOOL CAlarmsDatabase::ReadLargestKey(CDatabase& database, long& lLargest)
{
    // A table that another writer holds may be readable a moment later.
    for (int nAttempt = 1;; nAttempt++)
    {
        try
        {
            CAlarmsRecordsetPrimeKeyMax rs(&database);
            rs.Open(CRecordset::dynaset);
            if (!rs.IsEOF())
                lLargest = (long)rs.m_dblMaxKey; // an empty table's NULL reads as 0
            rs.Close();
            return TRUE;
        }
        catch (const CDBException& e)
        {
            if (nAttempt == kKeyReadAttempts)
            {
                ReportError(L"Error reading %s: %s", kAlarmsTableName, ErrorMessage(e).GetString());
                return FALSE;
            }
        }
        Sleep(kKeyReadPause);
    }
}

void CAlarmsDatabase::InsertAlarm(CDatabase& database, const CAlarmDefinition& definition, long lKey,
                                  const CString& strMatchText, const CString& strFrom, const wchar_t* pszLog,
                                  const wchar_t* pszStatus)
{
    // Only a new row is written: no row of the table needs to be read for it.
    CAlarmsRecordset rs(&database);
    rs.Open(CRecordset::dynaset, nullptr, CRecordset::appendOnly);
    TIMESTAMP_STRUCT tsNow = ToTimestampStruct(CTime::GetCurrentTime());
    rs.AddNew();
    rs.m_tsTimestamp = tsNow;
    rs.m_tsProcessed = tsNow;
    rs.m_lPrimeKey = lKey;
    rs.m_lClass = definition.m_nClass;
    rs.m_lOutstanding = 1;
    rs.m_strAlarmDefn = DefinitionText(definition);
    rs.m_strMatchText = strMatchText;
    rs.m_strDescription = definition.m_strDescription;
    rs.m_strTitle = definition.m_strTitle;
    rs.m_strAssignedTo = definition.m_strAssignedTo;
    rs.m_strPriority = definition.m_strPriority;
    rs.m_strFrom = strFrom;
    rs.m_strLog = pszLog;
    rs.m_strStatus = pszStatus;
    rs.Update();
    rs.Close();
}

void CAlarmsDatabase::ReportDatabaseError(const wchar_t* pszAction, const wchar_t* pszDsn, const wchar_t* pszTable,
                                          const CDBException* pException)
{
    if (pszAction != nullptr)
        ReportError(L"Action .........: %s", pszAction);
    if (pszDsn != nullptr)
        ReportError(L"DSN ............: %s", pszDsn);
    if (pszTable != nullptr)
        ReportError(L"Table ..........: %s", pszTable);
    ReportError(L"Login timeout ..: %d seconds", kTimeoutShown);
    ReportError(L"Query timeout ..: %d seconds", kTimeoutShown);
    if (pException == nullptr)
        return;
    ReportError(L"Error ..........: %08X", (int)pException->m_nRetCode);
    CString strMessage = ErrorMessage(*pException);
    ReportError(L"Error ..........: %s", strMessage.GetString());
    if (pException->m_strError != strMessage)
        ReportError(L"Error ..........: %s", pException->m_strError.GetString());
    if (!pException->m_strStateNativeOrigin.IsEmpty())
        ReportError(L"Error ..........: %s", pException->m_strStateNativeOrigin.GetString());
}

template <typename TRecordset> void CAlarmsDatabase::LoadDistinct(const wchar_t* pszColumn, CStringArray& arrValues)
{
    arrValues.RemoveAll();
    CDatabase database;
    if (!Open(database))
        return;
    TRecordset rs(&database);
    CString strSQL;
    strSQL.Format(L"SELECT DISTINCT %s FROM %s", pszColumn, kAlarmsTableName);
    try
    {
        rs.m_strFilter.Empty();
        rs.m_strSort.Empty();
        rs.Open(CRecordset::dynaset, strSQL, CRecordset::readOnly);
        for (; !rs.IsEOF(); rs.MoveNext())
            if (!rs.m_strValue.IsEmpty())
                arrValues.Add(rs.m_strValue);
    }
    catch (const CDBException& e)
    {
        ReportError(L"Error opening DSN .: %s", GetAlarmDatabaseDsn().GetString());
        ReportError(L"SQL .....: %s", strSQL.GetString());
        ReportError(L"Table ...: %s", rs.GetTableName().GetString());
        ReportError(L"Error ...: %s (%d)", ErrorMessage(e).GetString(), (int)e.m_nRetCode);
    }
}

void CAlarmsDatabase::LoadDistinctStatus(CStringArray& arrValues)
{
    LoadDistinct<CAlarmsRecordsetStatus>(L"FLD_STATUS", arrValues);
}

void CAlarmsDatabase::LoadDistinctAssignedTo(CStringArray& arrValues)
{
    LoadDistinct<CAlarmsRecordsetAssignedTo>(L"FLD_ASSIGNED_TO", arrValues);
}

void CAlarmsDatabase::LoadDistinctPriority(CStringArray& arrValues)
{
    LoadDistinct<CAlarmsRecordsetPriority>(L"FLD_PRIORITY", arrValues);
}

void CAlarmsDatabase::LoadDistinctFrom(CStringArray& arrValues)
{
    LoadDistinct<CAlarmsRecordsetFrom>(L"FLD_FROM", arrValues);
}

void CAlarmsDatabase::LoadDistinctTitles(CStringArray& arrValues)
{
    LoadDistinct<CAlarmsRecordsetTitles>(L"FLD_TITLE", arrValues);
}
