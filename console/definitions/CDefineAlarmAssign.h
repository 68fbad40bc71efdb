// The Assigned Resource page of the alarm-definition sheet: assignee and priority, each picked
// from the values other definitions use or typed new.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "framework/window/CPropertyPage.h"
#include "wincomponents/lists/CDataComboBox.h"

class CDefineAlarmAssign : public CPropertyPage
{
public:
    CDefineAlarmAssign();

    void SetAssign(const CAlarmDefinition& definition, const CStringArray& arrAssignees,
                   const CStringArray& arrPriorities);
    CString GetAssignedTo() const { return m_comboAssignedTo.GetWindowText(); }
    CString GetPriority() const { return m_comboPriority.GetWindowText(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CDataComboBox m_comboPriority;
    CDataComboBox m_comboAssignedTo;
};
