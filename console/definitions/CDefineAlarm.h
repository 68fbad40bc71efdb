// The alarm-definition sheet: five pages over a working copy of one definition. OK, enabled
// only while the title holds more than white space, writes every page back into the copy; the
// caller takes the copy after IDOK.
#pragma once

#include "console/definitions/CDefineAlarmActions.h"
#include "console/definitions/CDefineAlarmAssign.h"
#include "console/definitions/CDefineAlarmCriteria.h"
#include "console/definitions/CDefineAlarmGeneral.h"
#include "console/definitions/CDefineAlarmThreshold.h"
#include "framework/window/CPropertySheet.h"

class CDefineAlarm : public CPropertySheet
{
public:
    // A new definition (pDefinition null) shows the present time as Created and Modified and
    // takes the time of OK as both.
    CDefineAlarm(const wchar_t* pszCaption, const CStringArray& arrAssignees, const CStringArray& arrPriorities,
                 CWnd* pParentWnd, const CAlarmDefinition* pDefinition, UINT iSelectPage = 0);

    const CAlarmDefinition& GetDefinition() const { return m_definition; }

    BOOL OnInitDialog() override;

    CAlarmDefinition m_definition;
    CDefineAlarmActions m_pageActions;
    CDefineAlarmAssign m_pageAssign;
    CDefineAlarmCriteria m_pageCriteria;
    CDefineAlarmGeneral m_pageGeneral;
    CDefineAlarmThreshold m_pageThreshold;

protected:
    void OnOK() override;
    LRESULT OnChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ApplyOkRule();

    CStringArray m_arrAssignees;
    CStringArray m_arrPriorities;
    BOOL m_bNewDefinition;
};
