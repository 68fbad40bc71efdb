#include "alarmmodel/database/AlarmsColumnRecordset.h"

#include "alarmmodel/database/AlarmsRecordset.h"

CAlarmsColumnRecordset::CAlarmsColumnRecordset(CDatabase* pDatabase, const wchar_t* pszColumn)
    : CRecordset(pDatabase), m_strColumn(pszColumn)
{
    m_nFields = 1;
    m_nDefaultType = snapshot;
}

CString CAlarmsColumnRecordset::GetDefaultSQL()
{
    CString strTable;
    strTable.Format(L"[%s]", kAlarmsTableName);
    return strTable;
}

void CAlarmsColumnRecordset::DoFieldExchange(CFieldExchange* pFX)
{
    RFX_Text(pFX, m_strColumn, m_strValue, 255, SQL_VARCHAR, 0);
}
