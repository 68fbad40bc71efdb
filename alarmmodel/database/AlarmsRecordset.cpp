#include "alarmmodel/database/AlarmsRecordset.h"

const wchar_t kAlarmsTableName[] = L"TBL_ALARMS_005";

namespace
{
const int kLongText = 65536; // the declared length of long columns; they are read whole
}

CAlarmsRecordset::CAlarmsRecordset(CDatabase* pDatabase) : CRecordset(pDatabase)
{
    m_nFields = 16;
    m_nDefaultType = snapshot;
    m_strPrimaryKey = L"[FLD_PRIME_KEY]";
}

CString CAlarmsRecordset::GetDefaultSQL()
{
    CString strTable;
    strTable.Format(L"[%s]", kAlarmsTableName);
    return strTable;
}

void CAlarmsRecordset::DoFieldExchange(CFieldExchange* pFX)
{
    RFX_Date(pFX, L"[FLD_TIMESTAMP]", m_tsTimestamp);
    RFX_Long(pFX, L"[FLD_CLASS]", m_lClass);
    RFX_Long(pFX, L"[FLD_INDEX]", m_lIndex);
    RFX_Long(pFX, L"[FLD_PRIME_KEY]", m_lPrimeKey);
    RFX_Text(pFX, L"[FLD_FROM]", m_strFrom, 255, SQL_VARCHAR, 0);
    RFX_Text(pFX, L"[FLD_TITLE]", m_strTitle, 255, SQL_VARCHAR, 0);
    RFX_Text(pFX, L"[FLD_DESCRIPTION]", m_strDescription, 255, SQL_VARCHAR, 0);
    RFX_Date(pFX, L"[FLD_PROCESSED]", m_tsProcessed);
    RFX_Long(pFX, L"[FLD_OUTSTANDING]", m_lOutstanding);
    RFX_Text(pFX, L"[FLD_STATUS]", m_strStatus, 255, SQL_VARCHAR, 0);
    RFX_Text(pFX, L"[FLD_ASSIGNED_TO]", m_strAssignedTo, 255, SQL_VARCHAR, 0);
    RFX_Text(pFX, L"[FLD_PRIORITY]", m_strPriority, 255, SQL_VARCHAR, 0);
    RFX_Text(pFX, L"[FLD_ALARM_DEFN]", m_strAlarmDefn, kLongText, SQL_VARCHAR, 0);
    RFX_Text(pFX, L"[FLD_LOG]", m_strLog, kLongText, SQL_VARCHAR, 0);
    RFX_Text(pFX, L"[FLD_MATCH_TEXT]", m_strMatchText, kLongText, SQL_VARCHAR, 0);
    RFX_Text(pFX, L"[FLD_RESOLUTION]", m_strResolution, kLongText, SQL_VARCHAR, 0);
}
