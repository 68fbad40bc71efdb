// The service exports: create, start, stop and remove a service of the local machine.
#include "installactions/Gantrel.h"
#include "installactions/InstallerMessages.h"

#include "framework/core/CString.h"

namespace
{
const int kStartPauses = 120;
const DWORD kStartPauseMs = 250;
const int kStopPolls = 60;
const DWORD kStopPauseMs = 500;
const int kRemoveAttempts = 60;
const DWORD kRemovePauseMs = 500;

// A service control manager handle that closes itself.
class CScHandle
{
public:
    explicit CScHandle(SC_HANDLE h = nullptr) : m_h(h) {}
    ~CScHandle() { Close(); }
    CScHandle(const CScHandle&) = delete;
    CScHandle& operator=(const CScHandle&) = delete;

    void Close()
    {
        if (m_h)
            CloseServiceHandle(m_h);
        m_h = nullptr;
    }
    void Reset(SC_HANDLE h) { Close(); m_h = h; }
    operator SC_HANDLE() const { return m_h; }

private:
    SC_HANDLE m_h;
};

SC_HANDLE OpenManager()
{
    return OpenSCManagerW(nullptr, SERVICES_ACTIVE_DATABASEW, SC_MANAGER_ALL_ACCESS);
}

SC_HANDLE OpenNamedService(SC_HANDLE hManager, const wchar_t* pszName)
{
    return OpenServiceW(hManager, pszName, SERVICE_ALL_ACCESS);
}

// A missing name or path is refused before the service control manager sees it.
BOOL RefuseEmpty(HWND hOwner, const CString& strCaption, const CString& strArgument, DWORD dwError)
{
    if (!strArgument.IsEmpty())
        return FALSE;
    SetLastError(dwError);
    ShowErrorBox(hOwner, strCaption);
    return TRUE;
}

// Opens the manager and the named service; on failure shows the error box under the caption.
BOOL OpenManagerAndService(HWND hOwner, const CString& strCaption, const CString& strName,
                           CScHandle& hManager, CScHandle& hService)
{
    if (RefuseEmpty(hOwner, strCaption, strName, ERROR_INVALID_NAME))
        return FALSE;
    hManager.Reset(OpenManager());
    if (hManager)
        hService.Reset(OpenNamedService(hManager, strName));
    if (hService)
        return TRUE;
    ShowErrorBox(hOwner, strCaption);
    return FALSE;
}

// Waits while the start is pending. Progress is a rising check-point; the service's wait
// hint says how long it may go without progress (at least one pause); the pauses bound the
// whole wait.
void WaitWhileStartPending(SC_HANDLE hService, SERVICE_STATUS& status)
{
    DWORD dwQuietMs = 0;
    for (int nPause = 0; nPause < kStartPauses && status.dwCurrentState == SERVICE_START_PENDING; ++nPause)
    {
        DWORD dwCheckPoint = status.dwCheckPoint;
        Sleep(kStartPauseMs);
        if (!QueryServiceStatus(hService, &status))
        {
            status.dwCurrentState = SERVICE_STOPPED;
            return;
        }
        if (status.dwCheckPoint > dwCheckPoint)
            dwQuietMs = 0;
        else if ((dwQuietMs += kStartPauseMs) >= status.dwWaitHint)
            return;
    }
}

// Polls until the service has stopped; a service that will not stop is reported once.
BOOL PollUntilStopped(HWND hOwner, SC_HANDLE hService, const CString& strName)
{
    SERVICE_STATUS status = {};
    for (int nPoll = 0;; ++nPoll)
    {
        Sleep(kStopPauseMs);
        if (!QueryServiceStatus(hService, &status))
            return FALSE;
        if (status.dwCurrentState == SERVICE_STOPPED)
            return TRUE;
        if (nPoll == kStopPolls)
        {
            CString strText;
            strText.Format(L"Cannot stop service \"%s\".", strName.GetString());
            ShowWarningBox(hOwner, strText, L"Stopping Service");
            return FALSE;
        }
    }
}

// Waits for a service marked for deletion to vanish, without holding it open meanwhile.
void WaitUntilGone(SC_HANDLE hManager, const CString& strName)
{
    for (int nAttempt = 0; nAttempt < kRemoveAttempts; ++nAttempt)
    {
        Sleep(kRemovePauseMs);
        SC_HANDLE hService = OpenNamedService(hManager, strName);
        if (!hService)
            return;
        CloseServiceHandle(hService);
    }
}

// Description and the restart-on-failure policy of a newly created service.
void ConfigureNewService(SC_HANDLE hService, const CString& strDescription)
{
    SERVICE_DESCRIPTIONW description = {const_cast<wchar_t*>(strDescription.GetString())};
    ChangeServiceConfig2W(hService, SERVICE_CONFIG_DESCRIPTION, &description);

    SC_ACTION actions[3] = {{SC_ACTION_RESTART, 1000}, {SC_ACTION_RESTART, 5000}, {SC_ACTION_RESTART, 60000}};
    SERVICE_FAILURE_ACTIONSW failure = {};
    failure.dwResetPeriod = 60;
    failure.cActions = 3;
    failure.lpsaActions = actions;
    ChangeServiceConfig2W(hService, SERVICE_CONFIG_FAILURE_ACTIONS, &failure);
}

// An account without a domain part is one of the local machine.
CString QualifiedAccount(const CString& strAccount)
{
    if (strAccount.IsEmpty() || strAccount.Find(L'\\') >= 0)
        return strAccount;
    return L".\\" + strAccount;
}

// The password never appears in a box; only whether there was one.
CString MaskedPassword(const CString& strPassword)
{
    return strPassword.IsEmpty() ? CString() : CString(L"********");
}
} // namespace

int __cdecl ServiceStart(HWND hOwner, const wchar_t* pszServiceName)
{
    CString strName(pszServiceName);
    CString strCaption = FormatCaption(L"Starting %s", strName);
    CScHandle hManager, hService;
    if (!OpenManagerAndService(hOwner, strCaption, strName, hManager, hService))
        return 0;
    if (!StartServiceW(hService, 0, nullptr))
    {
        ShowErrorBox(hOwner, strCaption);
        return 0;
    }
    SERVICE_STATUS status = {};
    if (!QueryServiceStatus(hService, &status))
    {
        ShowErrorBox(hOwner, strCaption);
        return 0;
    }
    WaitWhileStartPending(hService, status);
    return status.dwCurrentState == SERVICE_RUNNING ? 1 : 0;
}

int __cdecl ServiceStop(HWND hOwner, const char* pszServiceName)
{
    CString strName(pszServiceName);
    CString strCaption = FormatCaption(L"Stopping %s", strName);
    CScHandle hManager, hService;
    if (!OpenManagerAndService(hOwner, strCaption, strName, hManager, hService))
        return 0;
    SERVICE_STATUS status = {};
    if (QueryServiceStatus(hService, &status) && status.dwCurrentState == SERVICE_STOPPED)
        return 1;
    if (!ControlService(hService, SERVICE_CONTROL_STOP, &status))
    {
        ShowErrorBox(hOwner, strCaption);
        return 0;
    }
    return PollUntilStopped(hOwner, hService, strName) ? 1 : 0;
}

int __cdecl ServiceRemove(HWND hOwner, const char* pszServiceName)
{
    CString strName(pszServiceName);
    CString strCaption = FormatCaption(L"Removing %s", strName);
    CScHandle hManager, hService;
    if (!OpenManagerAndService(hOwner, strCaption, strName, hManager, hService))
        return 0;
    BOOL bDeleted = DeleteService(hService);
    DWORD dwError = GetLastError();
    hService.Close();
    if (!bDeleted)
    {
        SetLastError(dwError);
        ShowErrorBox(hOwner, strCaption);
        return 0;
    }
    WaitUntilGone(hManager, strName);
    return 1;
}

int __cdecl ServiceCreate(HWND hOwner, const wchar_t* pszBinaryPath, const wchar_t* pszServiceName,
                          const wchar_t* pszDisplayName, int bAutoStart)
{
    CString strPath(pszBinaryPath), strName(pszServiceName), strDisplay(pszDisplayName);
    DWORD dwStartType = bAutoStart ? SERVICE_AUTO_START : SERVICE_DEMAND_START;
    CString strCaption = FormatCaption(L"Starting Service: %s", strName);
    if (RefuseEmpty(hOwner, strCaption, strName, ERROR_INVALID_NAME) ||
        RefuseEmpty(hOwner, strCaption, strPath, ERROR_INVALID_PARAMETER))
        return 0;
    CScHandle hManager(OpenManager());
    if (!hManager)
    {
        ShowErrorBox(hOwner, strCaption);
        return 0;
    }
    CScHandle hService(OpenNamedService(hManager, strName));
    BOOL bDone;
    if (hService)
    {
        SERVICE_STATUS status;
        ControlService(hService, SERVICE_CONTROL_STOP, &status);
        bDone = ChangeServiceConfigW(hService, SERVICE_WIN32_OWN_PROCESS, dwStartType, SERVICE_ERROR_NORMAL,
                                     strPath, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    else
    {
        hService.Reset(CreateServiceW(hManager, strName, strDisplay, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                      dwStartType, SERVICE_ERROR_NORMAL, strPath, nullptr, nullptr, nullptr,
                                      nullptr, nullptr));
        bDone = hService != nullptr;
    }
    if (!bDone)
    {
        ShowErrorBox(hOwner, strCaption);
        return 0;
    }
    return 1;
}

int __cdecl CreateNewService(HWND hOwner, const char* pszServiceName, const char* pszDisplayName,
                             const char* pszDescription, const char* pszBinaryPath, const char* pszAccount,
                             const char* pszPassword, int bInteractive)
{
    CString strName(pszServiceName), strDisplay(pszDisplayName), strDescription(pszDescription);
    CString strPath(pszBinaryPath), strPassword(pszPassword);
    CString strAccount = QualifiedAccount(CString(pszAccount));
    CString strCaption = FormatCaption(L"Creating Service %s", strName);
    if (RefuseEmpty(hOwner, strCaption, strName, ERROR_INVALID_NAME) ||
        RefuseEmpty(hOwner, strCaption, strPath, ERROR_INVALID_PARAMETER))
        return 0;
    CScHandle hManager(OpenManager());
    if (!hManager)
    {
        ShowErrorBox(hOwner, L"Opening Service Control Manager ");
        return 0;
    }
    BOOL bLocalSystem = strAccount.IsEmpty();
    DWORD dwType = SERVICE_WIN32_OWN_PROCESS;
    if (bInteractive && bLocalSystem)
        dwType |= SERVICE_INTERACTIVE_PROCESS;
    CScHandle hService(CreateServiceW(hManager, strName, strDisplay, SERVICE_ALL_ACCESS, dwType, SERVICE_AUTO_START,
                                      SERVICE_ERROR_NORMAL, strPath, nullptr, nullptr, nullptr,
                                      bLocalSystem ? nullptr : strAccount.GetString(),
                                      bLocalSystem ? nullptr : strPassword.GetString()));
    if (!hService)
    {
        ShowErrorBox(hOwner, strCaption);
        CString strText;
        strText.Format(L"Error creating server %s, account = '%s', password = '%s'", strName.GetString(),
                       strAccount.GetString(), MaskedPassword(strPassword).GetString());
        ShowWarningBox(hOwner, strText, strCaption);
        return 0;
    }
    ConfigureNewService(hService, strDescription);
    return 1;
}
