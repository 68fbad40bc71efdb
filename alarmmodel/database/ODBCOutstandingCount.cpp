#include "alarmmodel/database/ODBCOutstandingCount.h"

#include "alarmmodel/database/AlarmsRecordset.h"

CODBCOutstandingCount::CODBCOutstandingCount(CDatabase* pDatabase) : CRecordset(pDatabase)
{
    m_nFields = 1;
    m_nDefaultType = snapshot;
    m_strTable.Format(L"[%s]", kAlarmsTableName);
}

void CODBCOutstandingCount::DoFieldExchange(CFieldExchange* pFX)
{
    RFX_Double(pFX, L"Count([FLD_PRIME_KEY])", m_dblCount);
}
