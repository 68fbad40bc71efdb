// A service program for the service tests. Its first argument chooses how it behaves:
//   normal      starts at once, stops when asked
//   slowstart   stays start-pending for 1.5 s without raising its check-point (wait hint 4 s)
//   stuckstart  stays start-pending for ever (wait hint 1 s)
//   neverstop   starts at once, answers a stop request with stop-pending and never stops
#include <windows.h>

#include <cwchar>

namespace
{
SERVICE_STATUS_HANDLE g_hStatus = nullptr;
SERVICE_STATUS g_status = {};
HANDLE g_hStopEvent = nullptr;
const wchar_t* g_pszMode = L"normal";

void Report(DWORD dwState, DWORD dwCheckPoint, DWORD dwWaitHint)
{
    g_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    g_status.dwCurrentState = dwState;
    g_status.dwControlsAccepted = dwState == SERVICE_START_PENDING ? 0 : SERVICE_ACCEPT_STOP;
    g_status.dwCheckPoint = dwCheckPoint;
    g_status.dwWaitHint = dwWaitHint;
    SetServiceStatus(g_hStatus, &g_status);
}

bool IsMode(const wchar_t* pszMode)
{
    return wcscmp(g_pszMode, pszMode) == 0;
}

DWORD WINAPI Handler(DWORD dwControl, DWORD, void*, void*)
{
    if (dwControl != SERVICE_CONTROL_STOP)
        return NO_ERROR;
    Report(SERVICE_STOP_PENDING, 1, 2000);
    if (!IsMode(L"neverstop"))
        SetEvent(g_hStopEvent);
    return NO_ERROR;
}

void WINAPI ServiceMain(DWORD, wchar_t** argv)
{
    g_hStatus = RegisterServiceCtrlHandlerExW(argv[0], Handler, nullptr);
    if (!g_hStatus)
        return;
    if (IsMode(L"stuckstart"))
    {
        Report(SERVICE_START_PENDING, 1, 1000);
        Sleep(INFINITE);
    }
    if (IsMode(L"slowstart"))
    {
        Report(SERVICE_START_PENDING, 1, 4000);
        Sleep(1500);
    }
    Report(SERVICE_RUNNING, 0, 0);
    WaitForSingleObject(g_hStopEvent, INFINITE);
    Report(SERVICE_STOPPED, 0, 0);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1)
        g_pszMode = argv[1];
    g_hStopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    wchar_t szName[] = L"";
    SERVICE_TABLE_ENTRYW table[] = {{szName, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherW(table) ? 0 : (int)GetLastError();
}
