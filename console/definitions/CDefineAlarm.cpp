#include "console/definitions/CDefineAlarm.h"

#include "console/app/RegisteredMessage.h"
#include "resources/console/BelvaneRes.h"
#include "support/TimeText.h"

BEGIN_MESSAGE_MAP(CDefineAlarm, CPropertySheet)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgChange, OnChange)
END_MESSAGE_MAP()

CDefineAlarm::CDefineAlarm(const wchar_t* pszCaption, const CStringArray& arrAssignees,
                           const CStringArray& arrPriorities, CWnd* pParentWnd, const CAlarmDefinition* pDefinition,
                           UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), m_bNewDefinition(pDefinition == nullptr)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    m_definition.StampCreated();
    if (pDefinition)
        m_definition.CopyFrom(*pDefinition);
    m_pageGeneral.m_pCriteriaPage = &m_pageCriteria;
    m_pageCriteria.m_pGeneralPage = &m_pageGeneral;
    m_pageActions.m_pGeneralPage = &m_pageGeneral;
    AddPage(&m_pageGeneral);
    AddPage(&m_pageCriteria);
    AddPage(&m_pageActions);
    AddPage(&m_pageAssign);
    AddPage(&m_pageThreshold);
    m_arrAssignees.Copy(arrAssignees);
    m_arrPriorities.Copy(arrPriorities);
}

BOOL CDefineAlarm::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_DEFINITIONS)));
    for (int nPage = GetPageCount() - 1; nPage >= 0; --nPage)
        SetActivePage(nPage);
    m_pageActions.SetActions(m_definition);
    m_pageAssign.SetAssign(m_definition, m_arrAssignees, m_arrPriorities);
    m_pageGeneral.SetTimes(CTimeText(m_definition.m_tCreated).Format(), CTimeText(m_definition.m_tModified).Format());
    m_pageGeneral.SetDefinition(m_definition);
    m_pageCriteria.SetCriteria(m_definition);
    m_pageThreshold.SetThreshold(m_definition);
    ApplyOkRule();
    return TRUE;
}

void CDefineAlarm::ApplyOkRule()
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), !m_pageGeneral.GetTitle().IsEmpty());
}

LRESULT CDefineAlarm::OnChange(WPARAM, LPARAM)
{
    ApplyOkRule();
    return 0;
}

void CDefineAlarm::OnOK()
{
    // The page being left gives its data back first; a refused value keeps the sheet open.
    CPropertyPage* pPage = GetActivePage();
    if (pPage && !pPage->OnKillActive())
        return;
    // The button may still be enabled from before the last edit was seen.
    if (m_pageGeneral.GetTitle().IsEmpty())
        return;
    m_pageActions.GetActions(m_definition.m_arrActions);
    m_pageCriteria.GetCriteria(m_definition.m_arrCriteria);
    m_definition.m_bActive = m_pageGeneral.GetActive();
    m_definition.m_nClass = (int)m_pageGeneral.GetClass();
    m_definition.m_strTitle = m_pageGeneral.GetTitle();
    m_definition.m_strDescription = m_pageGeneral.GetDescription();
    // A new definition is created when it is confirmed, so both its times are the same.
    if (m_bNewDefinition)
        m_definition.StampCreated();
    else
        m_definition.StampModified();
    m_definition.m_strAssignedTo = m_pageAssign.GetAssignedTo();
    m_definition.m_strPriority = m_pageAssign.GetPriority();
    m_definition.m_nThresholdCount = m_pageThreshold.GetThresholdCount();
    m_definition.m_nThresholdSecs = m_pageThreshold.GetThresholdSecs();
    m_definition.m_nRepeatSecs = m_pageThreshold.GetRepeatSecs();
    EndDialog(IDOK);
}
