#include "console/app/CAboutDlg.h"

#include "console/app/ShellOpen.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/BelvaneRes.h"
#include "support/FileVersionInfo.h"

const wchar_t* const g_pszTervokHomePage = L"https://www.tervok.example/";

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_COMMAND(IDC_ABOUT_TERVOK, OnTervok)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUTBOX, pParent)
{
    CFileVersionInfo version;
    m_strBuildDate.Format(L"Build date: %s", (const wchar_t*)version.m_strBuildDate);
    m_strCopyright = version.GetValue(L"LegalCopyright");
    m_strProductLine = version.m_strProductLine;
}

CString CAboutDlg::Caption()
{
    CFileVersionInfo version;
    CString strSpecial = version.GetValue(L"SpecialBuild");
    CString strCaption;
    strCaption.Format(L"%s v%s%s%s build %u", version.GetProductName(), version.GetValue(L"ProductVersion"),
                      strSpecial.IsEmpty() ? L"" : L" ", (const wchar_t*)strSpecial, version.GetBuildNumber());
    return strCaption;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ABOUT_BUILD_DATE, m_strBuildDate);
    DDX_Text(pDX, IDC_ABOUT_COPYRIGHT, m_strCopyright);
    DDX_Text(pDX, IDC_ABOUT_PRODUCT, m_strProductLine);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(Caption());
    return TRUE;
}

void CAboutDlg::OnTervok()
{
    ShellOpenTarget(m_hWnd, g_pszTervokHomePage);
}
