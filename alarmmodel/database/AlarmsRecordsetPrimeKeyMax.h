// The largest alarm key of the whole table (SQL NULL when the table is empty).
#pragma once

#include "framework/database/CRecordset.h"

class CAlarmsRecordsetPrimeKeyMax : public CRecordset
{
public:
    explicit CAlarmsRecordsetPrimeKeyMax(CDatabase* pDatabase);
    virtual ~CAlarmsRecordsetPrimeKeyMax() {}

    CString GetDefaultConnect() override { return L"!"; }
    CString GetDefaultSQL() override { return m_strTable; }
    void DoFieldExchange(CFieldExchange* pFX) override;

    double m_dblMaxKey = 0.0;
    CString m_strTable;
};
