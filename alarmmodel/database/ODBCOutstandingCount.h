// The number of alarm rows that match the caller's filter.
#pragma once

#include "framework/database/CRecordset.h"

class CODBCOutstandingCount : public CRecordset
{
public:
    explicit CODBCOutstandingCount(CDatabase* pDatabase);
    virtual ~CODBCOutstandingCount() {}

    CString GetDefaultConnect() override { return L"!"; }
    CString GetDefaultSQL() override { return m_strTable; }
    void DoFieldExchange(CFieldExchange* pFX) override;

    double m_dblCount = 0.0;
    CString m_strTable;
};
