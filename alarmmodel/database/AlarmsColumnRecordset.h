// One text column of the alarm table, for the distinct-value lists of the filters.
#pragma once

#include "framework/database/CRecordset.h"

class CAlarmsColumnRecordset : public CRecordset
{
public:
    CAlarmsColumnRecordset(CDatabase* pDatabase, const wchar_t* pszColumn);
    virtual ~CAlarmsColumnRecordset() {}

    CString GetDefaultConnect() override { return L"!"; }
    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    CString m_strValue;

private:
    CString m_strColumn;
};

class CAlarmsRecordsetAssignedTo : public CAlarmsColumnRecordset
{
public:
    explicit CAlarmsRecordsetAssignedTo(CDatabase* pDatabase) : CAlarmsColumnRecordset(pDatabase, L"[FLD_ASSIGNED_TO]") {}
};

class CAlarmsRecordsetFrom : public CAlarmsColumnRecordset
{
public:
    explicit CAlarmsRecordsetFrom(CDatabase* pDatabase) : CAlarmsColumnRecordset(pDatabase, L"[FLD_FROM]") {}
};

class CAlarmsRecordsetPriority : public CAlarmsColumnRecordset
{
public:
    explicit CAlarmsRecordsetPriority(CDatabase* pDatabase) : CAlarmsColumnRecordset(pDatabase, L"[FLD_PRIORITY]") {}
};

class CAlarmsRecordsetStatus : public CAlarmsColumnRecordset
{
public:
    explicit CAlarmsRecordsetStatus(CDatabase* pDatabase) : CAlarmsColumnRecordset(pDatabase, L"[FLD_STATUS]") {}
};

class CAlarmsRecordsetTitles : public CAlarmsColumnRecordset
{
public:
    explicit CAlarmsRecordsetTitles(CDatabase* pDatabase) : CAlarmsColumnRecordset(pDatabase, L"[FLD_TITLE]") {}
};
