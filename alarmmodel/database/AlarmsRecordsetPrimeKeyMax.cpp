#include "alarmmodel/database/AlarmsRecordsetPrimeKeyMax.h"

#include "alarmmodel/database/AlarmsRecordset.h"

CAlarmsRecordsetPrimeKeyMax::CAlarmsRecordsetPrimeKeyMax(CDatabase* pDatabase) : CRecordset(pDatabase)
{
    m_nFields = 1;
    m_nDefaultType = snapshot;
    m_strTable.Format(L"[%s]", kAlarmsTableName);
}

void CAlarmsRecordsetPrimeKeyMax::DoFieldExchange(CFieldExchange* pFX)
{
    RFX_Double(pFX, L"Max([FLD_PRIME_KEY])", m_dblMaxKey);
}
