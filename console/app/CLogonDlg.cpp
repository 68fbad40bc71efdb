#include "console/app/CLogonDlg.h"

#include "framework/window/AfxMessageBox.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/BelvaneRes.h"
#include "support/AppPaths.h"
#include "support/EventLogWriter.h"
#include "support/FileVersionInfo.h"
#include "support/MD5Digest.h"
#include "support/TextFile.h"

#define SECURITY_WIN32
#include <security.h>

#include <string>

namespace
{
const WORD nLogonCategory = 1;
const DWORD nLogonEventId = 13;
const DWORD nRetryDelayMs = 1000;

// Overwrites the text before emptying it: an emptied string keeps its characters in memory.
void WipeText(CString& strText)
{
    if (!strText.IsEmpty())
        SecureZeroMemory(strText.GetBuffer(), (size_t)strText.GetLength() * sizeof(wchar_t));
    strText.Empty();
}

BOOL HasText(HWND hDialog, int nID)
{
    return ::GetWindowTextLengthW(::GetDlgItem(hDialog, nID)) > 0;
}
} // namespace

BEGIN_MESSAGE_MAP(CLogonDlg, CDialog)
    ON_CONTROL(EN_CHANGE, IDC_LOGON_USERNAME, OnChangeField)
    ON_CONTROL(EN_CHANGE, IDC_LOGON_PASSWORD, OnChangeField)
END_MESSAGE_MAP()

CLogonDlg::CLogonDlg(CWnd* pParent) : CDialog(IDD_LOGON, pParent), m_strAccountsFile(AccountsFilePath())
{
}

CString CLogonDlg::HashText(const CString& strPassword)
{
    // Made at its full size, so that no grown-out copy is left behind, and wiped after use.
    std::string bytes((size_t)strPassword.GetLength(), '\0');
    for (int i = 0; i < strPassword.GetLength(); ++i)
        bytes[(size_t)i] = (char)(strPassword[i] & 0xFF);
    CString strHash;
    HashPassword(bytes.data(), bytes.size(), strHash);
    SecureZeroMemory(&bytes[0], bytes.size());
    return strHash;
}

CString CLogonDlg::AccountsFilePath()
{
    return GetAppPaths().GetProgramFolder() + L"TervokQuorvexUserAccounts.txt";
}

CString CLogonDlg::WindowsAccount()
{
    wchar_t szName[512 + 1] = L"";
    ULONG nSize = 512;
    if (!GetUserNameExW(NameSamCompatible, szName, &nSize))
        return CString();
    return szName;
}

BOOL CLogonDlg::IsHashText(const CString& strValue)
{
    if (strValue.GetLength() != 39)
        return FALSE;
    for (int i = 0; i < 39; ++i)
    {
        BOOL bDash = i % 5 == 4;
        if (bDash ? strValue[i] != L'-' : !iswxdigit(strValue[i]))
            return FALSE;
    }
    return TRUE;
}

// A stored hash text is compared as a hash only, without regard to the case of its digits:
// typing the hash itself must not log anyone on, or reading the file would be enough. A stored
// plain-text password is compared exactly, letter case included, as passwords are everywhere
// else; ignoring case would let far more guesses through.
BOOL CLogonDlg::FindAccount(const CStringArray& lines, CString& strUserName, const CString& strPassword)
{
    CString strHash = HashText(strPassword);
    for (int i = 0; i < lines.GetSize(); ++i)
    {
        const CString& strLine = lines[i];
        int nTab = strLine.Find(L'\t');
        if (nTab <= 0)
            continue;
        CString strName = strLine.Left(nTab);
        if (strName.CompareNoCase(strUserName) != 0)
            continue;
        strUserName = strName;
        CString strStored = strLine.Mid(nTab + 1);
        BOOL bMatch = IsHashText(strStored) ? strStored.CompareNoCase(strHash) == 0 : strStored == strPassword;
        if (bMatch)
            return TRUE;
    }
    return FALSE;
}

void CLogonDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LOGON_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_LOGON_USERNAME, m_strUserName);
}

BOOL CLogonDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableOk();
    CFileVersionInfo version;
    SetWindowText(GetWindowText() + version.GetProductName());
    return TRUE;
}

void CLogonDlg::OnChangeField()
{
    EnableOk();
}

// Reads the controls, not the members: it runs while the members go into the controls. Only
// the lengths: the password's text is not copied at every key.
void CLogonDlg::EnableOk()
{
    BOOL bBoth = HasText(m_hWnd, IDC_LOGON_USERNAME) && HasText(m_hWnd, IDC_LOGON_PASSWORD);
    if (CWnd* pOk = GetDlgItem(IDOK))
        pOk->EnableWindow(bBoth);
}

void CLogonDlg::OnOK()
{
    UpdateData(TRUE);
    CStringArray lines;
    CTextFile(m_strAccountsFile).ReadLinesSkipComments(lines, TRUE);
    BOOL bFound = FindAccount(lines, m_strUserName, m_strPassword);
    WipeText(m_strPassword);
    if (!bFound)
    {
        RefuseLogon();
        return;
    }
    ReportLogon();
    // The name in the file's letter case, which the framework's OK takes back from the control;
    // the password box is emptied with it.
    UpdateData(FALSE);
    CDialog::OnOK();
}

void CLogonDlg::ReportLogon()
{
    CString strText;
    strText.Format(L"Windows user %s has logged on as %s", (const wchar_t*)WindowsAccount(),
                   (const wchar_t*)m_strUserName);
    CString strError;
    CEventLogWriter().Write(EVENTLOG_INFORMATION_TYPE, nLogonCategory, nLogonEventId, strText, strError);
}

void CLogonDlg::RefuseLogon()
{
    AfxShowMessageBox(m_hWnd, L"Incorrect user name and/or password.", L"Error", MB_OK | MB_ICONSTOP);
    HCURSOR hOld = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    UpdateData(FALSE);
    EnableOk();
    Sleep(nRetryDelayMs);
    SetCursor(hOld);
}
