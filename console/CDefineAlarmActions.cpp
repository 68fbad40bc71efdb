#include "console/CDefineAlarmActions.h"

#include "framework/window/CDataExchange.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "console/CAddActionDialog.h"
#include "console/CDefineAlarmGeneral.h"
#include "console/DefinitionTexts.h"
#include "framework/window/CWinApp.h"
#include "resources/console/DefinitionsRes.h"
#include "wincomponents/CFontFactory.h"

BEGIN_MESSAGE_MAP(CDefineAlarmActions, CPropertyPage)
    ON_CONTROL(BN_CLICKED, IDC_LIST_ADD, OnAdd)
    ON_CONTROL(BN_CLICKED, IDC_LIST_MODIFY, OnModify)
    ON_CONTROL(BN_CLICKED, IDC_LIST_DELETE, OnDelete)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DEFINITION_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_DEFINITION_LIST, OnDoubleClick)
END_MESSAGE_MAP()

namespace
{
const SORTLIST_COLUMN actionColumns[] = {
    {L"Action", LVCFMT_LEFT},
    {L"Value", LVCFMT_LEFT},
};
} // namespace

CDefineAlarmActions::CDefineAlarmActions() : CPropertyPage(IDD_DEFINE_ACTIONS), m_pGeneralPage(nullptr)
{
    CWinApp* pApp = AfxGetApp();
    m_pFont.reset(CFontFactory(pApp ? pApp->m_pMainWnd : nullptr).CreateCourierFont(10, FALSE));
}

CDefineAlarmActions::~CDefineAlarmActions()
{
}

void CDefineAlarmActions::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_DEFINITION_LIST, m_list);
}

BOOL CDefineAlarmActions::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (m_pFont)
        m_list.SetFont(m_pFont.get());
    m_list.SetColumns(actionColumns, 2);
    m_list.SetFullRowSelect();
    m_list.AutoSizeColumns();
    ApplyButtonRule();
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

void CDefineAlarmActions::ApplyButtonRule()
{
    int nSelected = (int)m_list.SendMessage(LVM_GETSELECTEDCOUNT);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_LIST_DELETE), nSelected >= 1);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_LIST_MODIFY), nSelected == 1);
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

void CDefineAlarmActions::OnDelete()
{
    m_list.DeleteSelectedItems();
}

void CDefineAlarmActions::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    ApplyButtonRule();
    *pResult = 0;
}

void CDefineAlarmActions::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    OnModify();
    *pResult = 0;
}
