#include "agent/ServiceBase.h"

#include "agent/TraceLog.h"
#include "support/ServiceAccountName.h"

#include <vector>

namespace
{
const int ERROR_TEXT_LENGTH = 1023;
const int PROGRAM_PATH_LENGTH = 260;

CServiceBase* g_pService = nullptr;
wchar_t g_szServiceName[256] = {0};
SERVICE_STATUS_HANDLE g_hStatus = nullptr;
wchar_t g_szErrorText[ERROR_TEXT_LENGTH + 1] = {0};
SERVICE_TABLE_ENTRYW g_dispatchTable[] = {{g_szServiceName, CServiceBase::ServiceMain}, {nullptr, nullptr}};
} // namespace

CServiceBase::CServiceBase(const wchar_t* pszServiceName, const wchar_t* pszDisplayName,
                           const wchar_t* pszDescription, const wchar_t* pszNotice)
    : m_nRunState(RUN_CONSTRUCTED), m_bConsole(FALSE), m_bUsage(FALSE), m_bInstall(FALSE), m_bRemove(FALSE),
      m_dwCheckPoint(1), m_dwStartType(SERVICE_DEMAND_START), m_strNotice(pszNotice),
      m_strDisplayName(pszDisplayName), m_strDescription(pszDescription), m_strServiceName(pszServiceName)
{
    m_stopEvent.Create();
    memset(&m_status, 0, sizeof(m_status));
    m_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    g_pService = this;
    wcsncpy(g_szServiceName, pszServiceName, 255);

    wchar_t szPath[PROGRAM_PATH_LENGTH + 1] = {0};
    DWORD n = GetModuleFileNameW(nullptr, szPath, PROGRAM_PATH_LENGTH);
    if (n == 0 || n >= PROGRAM_PATH_LENGTH)
        WriteErrorBlock(L"Error Creating Service", GetLastError());
    else
        m_strProgramPath = szPath;
    ParseCommandLine(GetCommandLineW());
}

CServiceBase::~CServiceBase()
{
    if (g_pService == this)
        g_pService = nullptr;
}

const wchar_t* CServiceBase::MaskedPassword(const CString& strPassword)
{
    return strPassword.IsEmpty() ? L"" : L"********";
}

// Words are cut at spaces; quotes mean nothing, so a quoted path with spaces gives several.
void CServiceBase::SplitWords(const wchar_t* pszCommandLine, CStringArray& arrWords)
{
    CString strRest(pszCommandLine);
    strRest.Trim();
    while (!strRest.IsEmpty())
    {
        int nSpace = strRest.Find(L' ');
        if (nSpace < 0)
        {
            arrWords.Add(strRest);
            break;
        }
        arrWords.Add(strRest.Left(nSpace));
        strRest = strRest.Mid(nSpace + 1);
        strRest.TrimLeft();
    }
}

void CServiceBase::ParseCommandLine(const wchar_t* pszCommandLine)
{
    SplitWords(pszCommandLine, m_arrWords);
    int nPasswordWord = -1;
    std::vector<bool> debugWords((size_t)m_arrWords.GetSize(), false);
    for (int i = 0; i < m_arrWords.GetSize(); i++)
    {
        const CString& strWord = m_arrWords[i];
        if (strWord.IsEmpty() || (strWord[0] != L'-' && strWord[0] != L'/'))
            continue;
        CString strSwitch = strWord.Mid(1);
        if (strSwitch.CompareNoCase(L"?") == 0 || strSwitch.CompareNoCase(L"h") == 0)
            m_bUsage = TRUE;
        else if (strSwitch.CompareNoCase(L"debug") == 0)
        {
            m_bConsole = TRUE;
            debugWords[(size_t)i] = true;
        }
        else if (strSwitch.CompareNoCase(L"install") == 0)
        {
            m_bInstall = TRUE;
            if (i + 1 < m_arrWords.GetSize())
                m_dwStartType = m_arrWords[++i].CompareNoCase(L"auto") == 0 ? SERVICE_AUTO_START : SERVICE_DEMAND_START;
            if (i + 1 < m_arrWords.GetSize())
                m_strAccountName = m_arrWords[++i];
            if (i + 1 < m_arrWords.GetSize())
            {
                m_strPassword = m_arrWords[++i];
                nPasswordWord = i;
            }
        }
        else if (strSwitch.CompareNoCase(L"remove") == 0)
            m_bRemove = TRUE;
    }
    // The trace shows every word, but never a password.
    for (int i = 0; i < m_arrWords.GetSize(); i++)
    {
        TraceLog().Trace(1, L"Argument [%u] = %s", (unsigned)i,
                         i == nPasswordWord ? MaskedPassword(m_arrWords[i]) : m_arrWords[i].GetString());
        if (debugWords[(size_t)i])
            TraceLog().Trace(1, L"Argument set to Debug Mode");
    }
}

void CServiceBase::WriteUsage()
{
    TraceLog().WriteLine(L"Command line");
    TraceLog().WriteLine(L"============");
    TraceLog().WriteLine(L"-install <Auto/Manual> <username> <password> to install the service");
    TraceLog().WriteLine(L"-remove                                      to remove the service");
    TraceLog().WriteLine(L"-debug                                       to run on console (debug)");
    TraceLog().WriteLine(L"-?                                           displays this message");
}

void CServiceBase::Start()
{
    TraceLog().Trace(1, L"Start()");
    if (m_bUsage)
        WriteUsage();
    else if (m_bConsole)
        RunConsole();
    else if (m_bInstall)
        Install();
    else if (m_bRemove)
        Remove();
    else
        StartDispatcher();
}

const wchar_t* CServiceBase::StateName(DWORD dwState)
{
    switch (dwState)
    {
    case SERVICE_STOPPED: return L"Stopped";
    case SERVICE_START_PENDING: return L"Start Pending";
    case SERVICE_STOP_PENDING: return L"Stop pending";
    case SERVICE_RUNNING: return L"Running";
    case SERVICE_CONTINUE_PENDING: return L"Continue Pending";
    case SERVICE_PAUSE_PENDING: return L"Pause Pending";
    case SERVICE_PAUSED: return L"Paused";
    default: return L"Unknown";
    }
}

const wchar_t* CServiceBase::ErrorText(DWORD dwCode)
{
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwCode,
                             MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), g_szErrorText, ERROR_TEXT_LENGTH, nullptr);
    if (n == 0)
        _snwprintf(g_szErrorText, ERROR_TEXT_LENGTH, L"Error %u", (unsigned)dwCode);
    g_szErrorText[ERROR_TEXT_LENGTH] = 0;
    size_t nLength = wcslen(g_szErrorText);
    while (nLength && (g_szErrorText[nLength - 1] == L'\r' || g_szErrorText[nLength - 1] == L'\n'))
        g_szErrorText[--nLength] = 0;
    return g_szErrorText;
}

void CServiceBase::WriteErrorBlock(const wchar_t* pszHeading, DWORD dwCode)
{
    TraceLog().WriteLine(L"%s", pszHeading);
    TraceLog().WriteLine(L"%s", CString(L'=', (int)wcslen(pszHeading)).GetString());
    TraceLog().WriteLine(L"Status code ...: %u", (unsigned)dwCode);
    TraceLog().WriteLine(L"Status text ...: %s", ErrorText(dwCode));
    TraceLog().WriteLine(L"");
}

BOOL CServiceBase::SetStatus(DWORD dwState, DWORD dwWaitHint, DWORD dwExitCode)
{
    TraceLog().Trace(1, L"Set Service Status");
    TraceLog().Trace(1, L"  New state = %s", StateName(dwState));
    TraceLog().Trace(1, L"  Wait hint = %u", (unsigned)dwWaitHint);
    TraceLog().Trace(1, L"  Exit code = %u", (unsigned)dwExitCode);
    if (m_bConsole)
    {
        m_status.dwCurrentState = dwState;
        m_status.dwWin32ExitCode = dwExitCode;
        m_status.dwWaitHint = dwWaitHint;
        return TRUE;
    }
    m_status.dwControlsAccepted = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE | SERVICE_ACCEPT_SHUTDOWN;
    if (dwState == SERVICE_START_PENDING)
    {
        TraceLog().Trace(1, L"  Current   = Start Pending");
        m_status.dwControlsAccepted = 0;
    }
    m_status.dwCurrentState = dwState;
    m_status.dwWin32ExitCode = dwExitCode;
    m_status.dwWaitHint = dwWaitHint;
    if (dwState == SERVICE_RUNNING || dwState == SERVICE_STOPPED)
    {
        TraceLog().Trace(1, L"  Current   = Running / Stopped");
        m_status.dwCheckPoint = 0;
    }
    else
        m_status.dwCheckPoint = m_dwCheckPoint++;
    BOOL bOk = SetServiceStatus(g_hStatus, &m_status);
    if (!bOk)
        WriteErrorBlock(L"Error setting Service Control Status", GetLastError());
    return bOk;
}

BOOL CServiceBase::EnterRunning()
{
    return InterlockedCompareExchange(&m_nRunState, RUN_RUNNING, RUN_STARTING) == RUN_STARTING;
}

void CServiceBase::Stop()
{
    TraceLog().Trace(1, L"Stop()");
    m_nRunState = RUN_STOPPING;
    m_stopEvent.Set();
}

void CServiceBase::Pause()
{
    TraceLog().Trace(1, L"Pause()");
    SetStatus(SERVICE_PAUSED, 0, 0);
}

void CServiceBase::Continue()
{
    TraceLog().Trace(1, L"Continue()");
    SetStatus(SERVICE_RUNNING, 0, 0);
}

void CServiceBase::Update()
{
    SetStatus(m_status.dwCurrentState, 0, 0);
}

void WINAPI CServiceBase::ServiceControlHandler(DWORD dwControl)
{
    TraceLog().Trace(1, L"ServiceControlHandler()");
    TraceLog().Trace(1, L"  Control code = %u", (unsigned)dwControl);
    switch (dwControl)
    {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        TraceLog().Trace(1, L"  Stop");
        if (g_pService)
            g_pService->Stop();
        break;
    case SERVICE_CONTROL_PAUSE:
        TraceLog().Trace(1, L"  Pause");
        if (g_pService)
            g_pService->Pause();
        break;
    case SERVICE_CONTROL_CONTINUE:
        TraceLog().Trace(1, L"  Continue");
        if (g_pService)
            g_pService->Continue();
        break;
    case SERVICE_CONTROL_INTERROGATE:
        TraceLog().Trace(1, L"  Update");
        if (g_pService)
            g_pService->Update();
        break;
    default:
        TraceLog().Trace(1, L"  Invalid / not supported");
        break;
    }
    TraceLog().Trace(1, L"");
}

BOOL WINAPI CServiceBase::ConsoleControlHandler(DWORD dwControlType)
{
    TraceLog().Trace(1, L"ServiceControlHandler(%u)", (unsigned)dwControlType);
    if (dwControlType != CTRL_C_EVENT && dwControlType != CTRL_BREAK_EVENT)
        return FALSE;
    if (g_pService)
        g_pService->Stop();
    return TRUE;
}

void CServiceBase::RunConsole()
{
    TraceLog().Trace(1, L"Starting as Console Application");
    SetConsoleCtrlHandler(ConsoleControlHandler, TRUE);
    Run();
}

void CServiceBase::StartDispatcher()
{
    TraceLog().Trace(1, L"Start()");
    TraceLog().Trace(1, L"  Service name = %s", g_szServiceName);
    TraceLog().Trace(1, L"  Service proc = %08x", (unsigned)(UINT_PTR)&CServiceBase::ServiceMain);
    TraceLog().Trace(1, L"");
    if (!StartServiceCtrlDispatcherW(g_dispatchTable))
        WriteErrorBlock(L"Error starting Service Control Dispatcher", GetLastError());
    TraceLog().Trace(1, L"Start()");
    TraceLog().Trace(1, L"  Started");
    TraceLog().Trace(1, L"");
}

void WINAPI CServiceBase::ServiceMain(DWORD /*dwArgc*/, LPWSTR* /*ppszArgv*/)
{
    if (!g_pService)
        return;
    TraceLog().WriteLine(L"%s", g_pService->m_strDescription.GetString());
    TraceLog().WriteLine(L"%s", g_pService->m_strNotice.GetString());
    TraceLog().WriteLine(L"Build date: %S at %S", __DATE__, __TIME__);
    TraceLog().WriteLine(L"");
    g_hStatus = RegisterServiceCtrlHandlerW(g_szServiceName, ServiceControlHandler);
    if (!g_hStatus)
        return;
    g_pService->Run();
}

void CServiceBase::Install()
{
    SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!hManager)
    {
        WriteErrorBlock(L"Error Opening The Service Control Manager", GetLastError());
        return;
    }
    // The service manager refuses a bare user name.
    CString strAccount = CServiceAccountName::Qualify(m_strAccountName);
    TraceLog().WriteLine(L"Installing Service");
    TraceLog().WriteLine(L"  Service name = %s", m_strServiceName.GetString());
    TraceLog().WriteLine(L"  Display name = %s", m_strDisplayName.GetString());
    TraceLog().WriteLine(L"  Start mode   = %s", m_dwStartType == SERVICE_DEMAND_START ? L"Demand" : L"Auto");
    TraceLog().WriteLine(L"  Executable   = %s", m_strProgramPath.GetString());
    TraceLog().WriteLine(L"  Username     = %s", strAccount.GetString());
    TraceLog().WriteLine(L"  Password     = %s", MaskedPassword(m_strPassword));
    TraceLog().WriteLine(L"");
    // Quoted, so that a path with spaces cannot be read as a shorter program plus arguments.
    CString strBinaryPath = L"\"" + m_strProgramPath + L"\"";
    SC_HANDLE hService = CreateServiceW(hManager, m_strServiceName, m_strDisplayName, SERVICE_ALL_ACCESS,
                                        SERVICE_WIN32_OWN_PROCESS, m_dwStartType, SERVICE_ERROR_NORMAL, strBinaryPath,
                                        nullptr, nullptr, nullptr,
                                        strAccount.IsEmpty() ? nullptr : strAccount.GetString(),
                                        m_strPassword.GetString());
    if (hService)
        CloseServiceHandle(hService);
    else
        WriteErrorBlock(L"Error Creating Service", GetLastError());
    CloseServiceHandle(hManager);
}

void CServiceBase::Remove()
{
    SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!hManager)
    {
        WriteErrorBlock(L"Error Opening The Service Control Manager", GetLastError());
        return;
    }
    SC_HANDLE hService = OpenServiceW(hManager, m_strServiceName, SERVICE_ALL_ACCESS);
    if (!hService)
    {
        WriteErrorBlock(L"Error Opening The Service Control Manager", GetLastError());
        CloseServiceHandle(hManager);
        return;
    }
    TraceLog().Trace(1, L"Stopping Service");
    SERVICE_STATUS status;
    if (ControlService(hService, SERVICE_CONTROL_STOP, &status))
    {
        Sleep(1000);
        // A service that never leaves "stop pending" must not hold the removal for ever.
        for (int nWait = 0; nWait < REMOVE_STOP_WAITS && QueryServiceStatus(hService, &status) &&
                            status.dwCurrentState == SERVICE_STOP_PENDING;
             nWait++)
        {
            TraceLog().Trace(1, L"  .");
            Sleep(1000);
        }
        TraceLog().Trace(1, L"%s", status.dwCurrentState == SERVICE_STOPPED ? L"  Stopped." : L"  Failed to stop.");
    }
    TraceLog().Trace(1, L"%s", DeleteService(hService) ? L"  Removed." : L"  Failed to remove.");
    TraceLog().Trace(1, L"");
    CloseServiceHandle(hService);
    CloseServiceHandle(hManager);
}
