#include "console/service/CDsnParameterEditDlg.h"

#include "framework/window/CDataExchange.h"
#include "resources/console/ServiceRes.h"

CDsnParameterEditDlg::CDsnParameterEditDlg(CWnd* pParentWnd, const wchar_t* pszDsn, const wchar_t* pszParameters)
    : CDialog(IDD_DSN_PARAMETER_EDIT, pParentWnd), m_strDsn(pszDsn), m_strParameters(pszParameters)
{
    m_strHelp = L"Define additional parameters to be passed as part "
                L"of the ODBC connection string for each DSN.\n\n"
                L"For instance, a username and password can be "
                L"specified for a SQL Server connection using the "
                L"parameters UID=<user>;Pwd=<pass>";
}

void CDsnParameterEditDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DSN_HELP, m_strHelp);
    DDX_Text(pDX, IDC_DSN_NAME, m_strDsn);
    DDX_Text(pDX, IDC_DSN_PARAMETERS, m_strParameters);
}
