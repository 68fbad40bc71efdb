#include "console/service/CDsnParametersDlg.h"

#include "alarmmodel/database/ConnectStringMask.h"
#include "console/service/CDsnParameterEditDlg.h"
#include "console/service/DataSourceNames.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/ServiceRes.h"

BEGIN_MESSAGE_MAP(CDsnParametersDlg, CDialog)
    ON_COMMAND(IDC_DSN_MODIFY, OnModify)
    ON_COMMAND(IDC_DSN_CLEAR, OnClear)
    ON_NOTIFY(NM_DBLCLK, IDC_DSN_LIST, OnDoubleClick)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DSN_LIST, OnItemChanged)
END_MESSAGE_MAP()

CDsnParametersDlg::CDsnParametersDlg(CWnd* pParentWnd, CDsnParameterStore* pSource)
    : CDialog(IDD_DSN_PARAMETERS, pParentWnd)
{
    if (pSource)
        m_store.CopyFrom(*pSource);
}

void CDsnParametersDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DSN_LIST, m_list);
    DDX_Control(pDX, IDC_DSN_MODIFY, m_btnModify);
    DDX_Control(pDX, IDC_DSN_CLEAR, m_btnClear);
}

BOOL CDsnParametersDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const SORTLIST_COLUMN arrColumns[] = {{L"DSN", LVCFMT_LEFT}, {L"Additional Parameters", LVCFMT_LEFT}};
    m_list.SetColumns(arrColumns, 2);
    m_list.SetFullRowSelect();
    CStringArrayEx arrNames;
    ListDataSourceNames(arrNames);
    for (int nRow = 0; nRow < arrNames.GetSize(); ++nRow)
    {
        CString strParameters;
        m_store.GetParameters(arrNames[nRow], strParameters);
        m_list.InsertItem(nRow, arrNames[nRow]);
        m_list.SetItemText(nRow, 1, MaskConnectPasswords(strParameters));
    }
    m_list.AutoSizeColumns();
    SetButtonStates();
    return TRUE;
}

void CDsnParametersDlg::SetButtonStates()
{
    BOOL bOneSelected = m_list.SendMessage(LVM_GETSELECTEDCOUNT) == 1;
    m_btnModify.EnableWindow(bOneSelected);
    m_btnClear.EnableWindow(bOneSelected);
}

void CDsnParametersDlg::OnModify()
{
    int nRow = m_list.GetSelectedIndex();
    if (nRow < 0)
        return;
    CString strDsn = m_list.GetItemText(nRow, 0);
    // The list shows the passwords masked; the store holds the text to edit.
    CString strParameters;
    m_store.GetParameters(strDsn, strParameters);
    CDsnParameterEditDlg dialog(this, strDsn, strParameters);
    if (dialog.DoModal() == IDCANCEL)
        return;
    m_store.SetParameters(strDsn, dialog.m_strParameters);
    m_list.SetItemText(nRow, 1, MaskConnectPasswords(dialog.m_strParameters));
    m_list.AutoSizeColumns();
}

void CDsnParametersDlg::OnClear()
{
    int nRow = m_list.GetSelectedIndex();
    if (nRow < 0)
        return;
    m_store.RemoveParameters(m_list.GetItemText(nRow, 0));
    m_list.SetItemText(nRow, 1, L"");
    m_list.AutoSizeColumns();
}

void CDsnParametersDlg::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    OnModify();
    *pResult = 0;
}

void CDsnParametersDlg::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    SetButtonStates();
    *pResult = 0;
}
