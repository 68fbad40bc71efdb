#include "console/definitions/CDefineAlarmActions.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "console/definitions/CAddActionDialog.h"
#include "console/definitions/CDefineAlarmGeneral.h"
#include "console/definitions/DefinitionTexts.h"
#include "framework/window/CWinApp.h"
#include "resources/console/DefinitionsRes.h"
#include "wincomponents/controls/CFontFactory.h"

namespace
{
const SORTLIST_COLUMN actionColumns[] = {
    {L"Action", LVCFMT_LEFT},
    {L"Value", LVCFMT_LEFT},
};
} // namespace

CDefineAlarmActions::CDefineAlarmActions() : CDefinitionListPage(IDD_DEFINE_ACTIONS)
{
    CWinApp* pApp = AfxGetApp();
    m_pFont.reset(CFontFactory(pApp ? pApp->m_pMainWnd : nullptr).CreateCourierFont(10, FALSE));
}

CDefineAlarmActions::~CDefineAlarmActions()
{
}

BOOL CDefineAlarmActions::OnInitDialog()
{
    CDefinitionListPage::OnInitDialog();
    if (m_pFont)
        m_list.SetFont(m_pFont.get());
    InitList(actionColumns, 2);
    return TRUE;
}

CString CDefineAlarmActions::GetTitle() const
{
    return m_pGeneralPage ? m_pGeneralPage->GetTitle() : CString();
}

void CDefineAlarmActions::SetRow(int nItem, UINT nKind, const CString& strParameter)
{
    if (nItem < 0)
        nItem = m_list.InsertItem(m_list.GetItemCount(), ActionTypeName(nKind));
    else
        m_list.SetItemText(nItem, 0, ActionTypeName(nKind));
    m_list.SetItemData(nItem, nKind);
    m_list.SetItemText(nItem, 1, strParameter);
}

void CDefineAlarmActions::SetActions(const CAlarmDefinition& definition)
{
    for (int i = 0; i < definition.m_arrActions.GetSize(); ++i)
    {
        UINT nKind = 0;
        CString strParameter;
        if (ParseStoredAction(definition.m_arrActions[i], nKind, strParameter))
            SetRow(-1, nKind, strParameter);
    }
    m_list.AutoSizeColumns();
}

void CDefineAlarmActions::GetActions(CStringArray& arrActions) const
{
    arrActions.RemoveAll();
    for (int i = 0; i < m_list.GetItemCount(); ++i)
    {
        CString strAction;
        strAction.Format(L"%u:%s", (UINT)m_list.GetItemData(i), (const wchar_t*)m_list.GetItemText(i, 1));
        arrActions.Add(strAction);
    }
}

void CDefineAlarmActions::OnAdd()
{
    CAddActionDialog dialog(this, -1, CString(), GetTitle());
    if (dialog.DoModal() != IDOK)
        return;
    SetRow(-1, (UINT)dialog.m_nKind, dialog.m_strParameter);
    m_list.AutoSizeColumns();
}

void CDefineAlarmActions::OnModify()
{
    int nItem = m_list.GetSelectedIndex();
    if (nItem < 0)
        return;
    CAddActionDialog dialog(this, (int)m_list.GetItemData(nItem), m_list.GetItemText(nItem, 1), GetTitle());
    if (dialog.DoModal() != IDOK)
        return;
    SetRow(nItem, (UINT)dialog.m_nKind, dialog.m_strParameter);
    m_list.AutoSizeColumns();
}
