// One alarm row of the alarm table, as the console reads and writes it.
#pragma once

#include "framework/database/CRecordset.h"

extern const wchar_t kAlarmsTableName[]; // "TBL_ALARMS_005"

class CAlarmsRecordset : public CRecordset
{
public:
    explicit CAlarmsRecordset(CDatabase* pDatabase);
    virtual ~CAlarmsRecordset() {}

    CString GetDefaultConnect() override { return L"!"; }
    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    long m_lPrimeKey = 0;
    long m_lClass = 0;
    long m_lIndex = 0;
    long m_lOutstanding = 0;
    CString m_strAlarmDefn;
    CString m_strMatchText;
    CString m_strDescription;
    CString m_strFrom;
    CString m_strLog;
    CString m_strTitle;
    CString m_strStatus;
    CString m_strAssignedTo;
    CString m_strPriority;
    CString m_strResolution;
    TIMESTAMP_STRUCT m_tsProcessed = {};
    TIMESTAMP_STRUCT m_tsTimestamp = {};
};
