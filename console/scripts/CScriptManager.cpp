#include "console/scripts/CScriptManager.h"

#include "console/scripts/CScriptDefine.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/ScriptsRes.h"
#include "wincomponents/controls/CFontFactory.h"

namespace
{
const LAYOUT_ANCHOR layout[] = {
    {IDC_SCRIPTS_LIST, 2, 2, 0, 0},   {IDC_SCRIPTS_TEXT, 2, 0, 0, 2},   {IDC_SCRIPTS_ADD, 0, 0, 0, 2},
    {IDC_SCRIPTS_COPY, 0, 0, 0, 2},   {IDC_SCRIPTS_MODIFY, 0, 0, 0, 2}, {IDC_SCRIPTS_DELETE, 0, 0, 0, 2},
    {IDC_SCRIPTS_FRAME, 0, 0, 0, 2},  {IDOK, 0, 0, 0, 2},               {IDCANCEL, 0, 0, 0, 2},
};

const SORTLIST_COLUMN columns[] = {{L"Title", LVCFMT_LEFT}};
} // namespace

BEGIN_MESSAGE_MAP(CScriptManager, CResizableToolDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_SCRIPTS_LIST, OnItemChanged)
    ON_CONTROL(BN_CLICKED, IDC_SCRIPTS_ADD, OnAdd)
    ON_CONTROL(BN_CLICKED, IDC_SCRIPTS_DELETE, OnDelete)
    ON_CONTROL(BN_CLICKED, IDC_SCRIPTS_COPY, OnCopy)
    ON_CONTROL(BN_CLICKED, IDC_SCRIPTS_MODIFY, OnModify)
    ON_NOTIFY(NM_DBLCLK, IDC_SCRIPTS_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CScriptManager::CScriptManager(CWnd* pParentWnd) : CResizableToolDialog(IDD_SCRIPT_MANAGER, pParentWnd)
{
    SetLayout(layout, (int)(sizeof layout / sizeof layout[0]));
}

CScriptManager::~CScriptManager()
{
}

void CScriptManager::DoDataExchange(CDataExchange* pDX)
{
    CResizableToolDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SCRIPTS_LIST, m_list);
    DDX_Text(pDX, IDC_SCRIPTS_TEXT, m_strText);
}

BOOL CScriptManager::OnInitDialog()
{
    CResizableToolDialog::OnInitDialog();
    m_pFont.reset(CFontFactory(this).CreateCourierFont(10, FALSE));
    GetDlgItem(IDC_SCRIPTS_TEXT)->SetFont(m_pFont.get());
    m_list.SetFont(m_pFont.get());
    m_list.SetColumns(columns, 1);
    m_list.AutoSizeColumns();
    m_loaded.Load();
    m_scripts.CopyFrom(m_loaded);
    FillList();
    return TRUE;
}

void CScriptManager::FillList()
{
    m_list.DeleteAllItems();
    CStringArray arrNames;
    m_scripts.GetNames(arrNames);
    for (int i = 0; i < arrNames.GetSize(); ++i)
        m_list.InsertItem(i, arrNames[i]);
    m_list.SortByFirstColumn();
    m_list.AutoSizeColumns();
    ShowText();
}

void CScriptManager::ShowText()
{
    UpdateData(TRUE);
    m_strText = m_scripts.Lookup(m_list.GetSelectedText(0));
    UpdateData(FALSE);
}

void CScriptManager::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    int nSelected = (int)m_list.SendMessage(LVM_GETSELECTEDCOUNT);
    GetDlgItem(IDC_SCRIPTS_ADD)->EnableWindow(TRUE);
    GetDlgItem(IDC_SCRIPTS_COPY)->EnableWindow(nSelected == 1);
    GetDlgItem(IDC_SCRIPTS_MODIFY)->EnableWindow(nSelected == 1);
    GetDlgItem(IDC_SCRIPTS_DELETE)->EnableWindow(nSelected >= 1);
    ShowText();
    *pResult = 0;
}

void CScriptManager::Changed(const CString& strSelect)
{
    FillList();
    if (!strSelect.IsEmpty())
        m_list.SelectByText(strSelect, 0);
    ShowText();
    GetDlgItem(IDOK)->EnableWindow(TRUE);
}

void CScriptManager::Define(const CString& strTitle, const CString& strText, const CString& strOldTitle)
{
    CScriptDefine dialog(this, strTitle, strText, TRUE);
    dialog.CheckAgainst(&m_scripts, strOldTitle);
    if (dialog.DoModal() != IDOK)
        return;
    if (strOldTitle.IsEmpty())
        m_scripts.SetScript(dialog.m_strTitle, dialog.m_strScript);
    else
        m_scripts.RenameScript(strOldTitle, dialog.m_strTitle, dialog.m_strScript);
    Changed(dialog.m_strTitle);
}

void CScriptManager::OnAdd()
{
    Define(CString(), CString(), CString());
}

void CScriptManager::OnCopy()
{
    CString strTitle = m_list.GetSelectedText(0);
    if (!strTitle.IsEmpty())
        Define(L"Copy of " + strTitle, m_scripts.Lookup(strTitle), CString());
}

void CScriptManager::OnModify()
{
    CString strTitle = m_list.GetSelectedText(0);
    if (!strTitle.IsEmpty())
        Define(strTitle, m_scripts.Lookup(strTitle), strTitle);
}

void CScriptManager::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    OnModify();
    *pResult = 0;
}

void CScriptManager::OnDelete()
{
    CStringArray arrTitles;
    m_list.GetSelectedTexts(arrTitles, 0);
    if (arrTitles.GetSize() == 0 ||
        AfxShowMessageBox(m_hWnd, L"Really delete the selected scripts ?", L"Delete", MB_YESNO | MB_ICONQUESTION) !=
            IDYES)
        return;
    for (int i = 0; i < arrTitles.GetSize(); ++i)
        m_scripts.RemoveScript(arrTitles[i]);
    Changed(CString());
}

void CScriptManager::OnOK()
{
    if (SaveChanges())
        EndDialog(IDOK);
}

// Only the scripts changed here are written over, so that nothing another Script Manager saved
// meanwhile is undone; a failed save keeps the dialog and its changes for another try.
BOOL CScriptManager::SaveChanges()
{
    CScriptDefinitionMap file;
    const int nRecords = file.Load();
    // Written from the part that was read, a cut file would lose the scripts past the cut.
    if (file.m_bDamaged)
        return ReportNotSaved(file.m_strError + L" It was not written, so that the scripts past the damage are kept.");
    // A file that gives no script now may be one that cannot be read at the moment: then this
    // dialog's own copy is written whole rather than only its changes.
    if (nRecords == 0)
        file.CopyFrom(m_loaded);
    CStringArray arrTitles;
    m_scripts.GetChangedNames(m_loaded, arrTitles);
    for (const CString& strTitle : arrTitles)
    {
        if (file.SameScript(m_loaded, strTitle) || file.SameScript(m_scripts, strTitle) || KeepOwnChange(strTitle))
            file.TakeScript(m_scripts, strTitle);
    }
    return file.Save() || ReportNotSaved(file.m_strError);
}

BOOL CScriptManager::ReportNotSaved(const CString& strWhy)
{
    AfxShowMessageBox(m_hWnd, strWhy + L" The changes are kept in the Script Manager only.", L"Save Scripts",
                      MB_OK | MB_ICONSTOP);
    return FALSE;
}

BOOL CScriptManager::KeepOwnChange(const CString& strTitle)
{
    CString strMessage;
    strMessage.Format(L"Another Script Manager saved the script \"%s\" after this one was opened. Keep the change "
                      L"made here ?",
                      (const wchar_t*)strTitle);
    return AfxShowMessageBox(m_hWnd, strMessage, L"Script Manager", MB_YESNO | MB_ICONQUESTION) == IDYES;
}
