#include "console/service/CSelectDSN.h"

#include "console/service/CDsnParametersDlg.h"
#include "console/service/DataSourceNames.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/ServiceRes.h"

const wchar_t* const g_pszDefaultDsn = L"Tervok Alarms Database";

BEGIN_MESSAGE_MAP(CSelectDSN, CDialog)
    ON_COMMAND(IDC_SELECT_DSN_ADVANCED, OnAdvanced)
END_MESSAGE_MAP()

CSelectDSN::CSelectDSN(CWnd* pParentWnd, const wchar_t* pszCurrentDsn)
    : CDialog(IDD_SELECT_DSN, pParentWnd), m_strDSN(pszCurrentDsn), m_nDsnChoice(1), m_bParametersSaved(FALSE)
{
}

CString CSelectDSN::ChosenDsn() const
{
    return m_nDsnChoice == 0 ? CString(g_pszDefaultDsn) : m_strDSN;
}

void CSelectDSN::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SELECT_DSN_NAME, m_comboDsn);
    DDX_Radio(pDX, IDC_SELECT_DSN_DEFAULT, m_nDsnChoice);
}

BOOL CSelectDSN::OnInitDialog()
{
    CDialog::OnInitDialog();
    CStringArrayEx arrNames;
    if (!ListDataSourceNames(arrNames))
        return TRUE;
    m_comboDsn.AddItems(arrNames);
    m_comboDsn.SetCurSel(0);
    m_comboDsn.FindAndSelect(m_strDSN);
    m_store.Load();
    m_storeLoaded.CopyFrom(m_store);
    return TRUE;
}

void CSelectDSN::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strDSN = m_comboDsn.GetWindowText();
    if (!SaveParameters())
        return;
    EndDialog(IDOK);
}

BOOL CSelectDSN::SaveParameters()
{
    if (!m_store.IsDirty())
        return TRUE;
    // Another program may have changed other data sources' parameters since the dialog opened.
    CDsnParameterStore stored;
    CDsnParameterStore::LoadResult result = stored.LoadStored();
    if (!stored.ApplyChanges(m_storeLoaded, m_store))
        return TRUE;
    if (result == CDsnParameterStore::loadUnreadable)
    {
        AfxShowMessageBox(m_hWnd,
                          L"The stored additional DSN parameters cannot be read on this machine, so they are left "
                          L"as they are: the changes made to them here are not saved. The chosen data source is "
                          L"taken.",
                          L"Error", MB_OK | MB_ICONSTOP);
        return TRUE;
    }
    if (stored.Save())
    {
        m_bParametersSaved = TRUE;
        return TRUE;
    }
    AfxShowMessageBox(m_hWnd,
                      L"The additional DSN parameters could not be saved. They are kept here: press OK to try "
                      L"again, or Cancel to discard them.",
                      L"Error", MB_OK | MB_ICONSTOP);
    return FALSE;
}

void CSelectDSN::OnAdvanced()
{
    CDsnParametersDlg dialog(this, &m_store);
    if (dialog.DoModal() == IDOK && dialog.m_store.IsDirty())
        m_store.CopyFrom(dialog.m_store);
}
