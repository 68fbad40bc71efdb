#include "console/scripts/CScriptSelect.h"

#include "alarmmodel/ScriptDefinitionMap.h"
#include "console/scripts/CScriptManager.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/ScriptsRes.h"

namespace
{
const LAYOUT_ANCHOR layout[] = {
    {IDC_SCRIPTS_LIST, 2, 2, 0, 0},
    {IDC_SCRIPTS_MANAGER, 0, 0, 0, 2},
    {IDOK, 0, 0, 0, 2},
    {IDCANCEL, 0, 0, 0, 2},
};

const SORTLIST_COLUMN columns[] = {{L"Title", LVCFMT_LEFT}};
} // namespace

BEGIN_MESSAGE_MAP(CScriptSelect, CResizableToolDialog)
    ON_CONTROL(BN_CLICKED, IDC_SCRIPTS_MANAGER, OnScriptManager)
    ON_NOTIFY(NM_DBLCLK, IDC_SCRIPTS_LIST, OnDoubleClick)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_SCRIPTS_LIST, OnItemChanged)
END_MESSAGE_MAP()

CScriptSelect::CScriptSelect(CWnd* pParentWnd) : CResizableToolDialog(IDD_SCRIPT_SELECT, pParentWnd)
{
    SetLayout(layout, (int)(sizeof layout / sizeof layout[0]));
    m_bGripHidden = TRUE;
}

void CScriptSelect::DoDataExchange(CDataExchange* pDX)
{
    CResizableToolDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SCRIPTS_LIST, m_list);
}

BOOL CScriptSelect::OnInitDialog()
{
    CResizableToolDialog::OnInitDialog();
    m_list.SetColumns(columns, 1);
    m_list.AutoSizeColumns();
    FillList();
    return TRUE;
}

void CScriptSelect::FillList()
{
    CScriptDefinitionMap scripts;
    scripts.Load();
    CStringArray arrNames;
    scripts.GetNames(arrNames);
    m_list.DeleteAllItems();
    for (int i = 0; i < arrNames.GetSize(); ++i)
        m_list.InsertItem(i, arrNames[i]);
    m_list.AutoSizeColumns();
    ApplyOkRule();
}

void CScriptSelect::ApplyOkRule()
{
    GetDlgItem(IDOK)->EnableWindow(m_list.GetSelectedIndex() >= 0);
}

void CScriptSelect::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    ApplyOkRule();
    *pResult = 0;
}

void CScriptSelect::OnScriptManager()
{
    CScriptManager dialog(this);
    if (dialog.DoModal() == IDOK)
        FillList();
}

void CScriptSelect::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    OnOK();
    *pResult = 0;
}

void CScriptSelect::OnOK()
{
    m_strTitle = m_list.GetSelectedText(0);
    if (!m_strTitle.IsEmpty())
        EndDialog(IDOK);
}
