#include "console/app/ToolCommands.h"

#include "console/app/CBelvaneApp.h"
#include "console/app/CLogonDlg.h"
#include "console/app/ShellOpen.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/BelvaneRes.h"
#include "support/AppPaths.h"
#include "support/EventLogWriter.h"
#include "support/RegistryStore.h"
#include "support/SystemErrorText.h"

const wchar_t* const szQuorvexController = L"QuorvexController.exe";
const wchar_t* const szQuorvexWindowClass = L"Quorvex-Tervok-Application";

namespace
{
const wchar_t szAuthentication[] = L"Authentication";
const WORD nGeneralCategory = 1;
const DWORD nSwitchedOffEventId = 14;
const DWORD nSwitchedOnEventId = 15;
const DWORD nRedrawDelayMs = 500;

struct HelpPage
{
    UINT nID;
    const wchar_t* pszAddress;
};

const HelpPage helpPages[] = {
    {ID_HELP_TERVOK_DOWNLOADS, L"https://www.tervok.com/downloads/"},
    {ID_HELP_TERVOK_HOME, L"https://www.tervok.com/"},
    {ID_HELP_MICROSOFT_READER, L"https://www.microsoft.com/reader/downloads/"},
    {ID_HELP_MICROSOFT_SPEECH, L"https://www.microsoft.com/speech/download/"},
};
} // namespace

BOOL IsUserAuthenticationOn()
{
    return GetRegistryStore().GetBool(szAuthentication, FALSE);
}

BOOL ToggleUserAuthentication(CWnd* pParent)
{
    CLogonDlg logon(pParent);
    return ToggleUserAuthentication(pParent, logon);
}

BOOL ToggleUserAuthentication(CWnd* pParent, CLogonDlg& logon)
{
    if (logon.DoModal() != IDOK)
        return FALSE;
    BOOL bOn = IsUserAuthenticationOn();
    CString strQuestion;
    strQuestion.Format(L"User authentication will be %s - continue?", bOn ? L"disabled" : L"enabled");
    if (AfxShowMessageBox(pParent ? pParent->m_hWnd : nullptr, strQuestion, L"Authentication",
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    LONG lStatus = GetRegistryStore().SetBool(szAuthentication, !bOn);
    if (lStatus != ERROR_SUCCESS)
    {
        CString strMessage;
        strMessage.Format(L"User authentication could not be %s. %s", bOn ? L"disabled" : L"enabled",
                          (const wchar_t*)CSystemErrorText::Reason((DWORD)lStatus));
        AfxShowMessageBox(pParent ? pParent->m_hWnd : nullptr, strMessage, L"Error", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    // Only now: after No the user who logged on before stays the console's user.
    CBelvaneApp* pApp = GetTheApp();
    if (pApp)
        pApp->m_strLogonUser = logon.m_strUserName;
    CString strText;
    strText.Format(L"by Windows user %s logged on as %s", (const wchar_t*)CLogonDlg::WindowsAccount(),
                   (const wchar_t*)logon.m_strUserName);
    CString strError;
    CEventLogWriter().Write(EVENTLOG_INFORMATION_TYPE, nGeneralCategory,
                            bOn ? nSwitchedOffEventId : nSwitchedOnEventId, strText, strError);
    return TRUE;
}

void BringUpQuorvex(CWnd* pOwner)
{
    CWaitCursor wait;
    HWND hWnd = ::FindWindowW(szQuorvexWindowClass, nullptr);
    if (!hWnd)
    {
        ShellOpenTarget(pOwner ? pOwner->m_hWnd : nullptr, GetAppPaths().GetProgramFolder() + szQuorvexController);
        return;
    }
    if (::IsIconic(hWnd))
        ::ShowWindow(hWnd, SW_RESTORE);
    ::BringWindowToTop(hWnd);
    ::SetForegroundWindow(hWnd);
    ::Sleep(nRedrawDelayMs);
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ShowUserAccountsNote(CWnd* pOwner)
{
    AfxShowMessageBox(pOwner ? pOwner->m_hWnd : nullptr, L"User accounts are defined with the Quorvex interface.",
                      L"User Accounts", MB_OK | MB_ICONINFORMATION);
}

CString HelpTarget(UINT nID)
{
    if (nID == ID_HELP_USER_GUIDE)
        return GetAppPaths().GetProgramFolder() + L"TervokAlarms.pdf";
    for (const HelpPage& page : helpPages)
    {
        if (page.nID == nID)
            return page.pszAddress;
    }
    return CString();
}
