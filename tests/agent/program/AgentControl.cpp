// A small controller of the agent's service: sends one control and prints the state reached.
//   AgentControl <service> start [args...] | stop | pause | continue | interrogate | query
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace
{
const wchar_t* StateWord(DWORD dwState)
{
    switch (dwState)
    {
    case SERVICE_STOPPED: return L"stopped";
    case SERVICE_START_PENDING: return L"start_pending";
    case SERVICE_STOP_PENDING: return L"stop_pending";
    case SERVICE_RUNNING: return L"running";
    case SERVICE_CONTINUE_PENDING: return L"continue_pending";
    case SERVICE_PAUSE_PENDING: return L"pause_pending";
    case SERVICE_PAUSED: return L"paused";
    default: return L"unknown";
    }
}

void PrintStatus(const SERVICE_STATUS& status)
{
    wprintf(L"%ls checkpoint=%lu accepted=%lu waithint=%lu\n", StateWord(status.dwCurrentState),
            (unsigned long)status.dwCheckPoint, (unsigned long)status.dwControlsAccepted,
            (unsigned long)status.dwWaitHint);
    fflush(stdout);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE hService = hManager ? OpenServiceW(hManager, argv[1], SERVICE_ALL_ACCESS) : nullptr;
    if (!hService)
    {
        wprintf(L"error %lu\n", (unsigned long)GetLastError());
        return 1;
    }
    SERVICE_STATUS status = {};
    BOOL bOk = TRUE;
    const wchar_t* pszVerb = argv[2];
    if (!wcscmp(pszVerb, L"start"))
    {
        std::vector<const wchar_t*> args(argv + 3, argv + argc);
        bOk = StartServiceW(hService, (DWORD)args.size(), args.empty() ? nullptr : args.data());
        // The first state the service reports: start pending, with no controls accepted yet.
        if (bOk && QueryServiceStatus(hService, &status))
            PrintStatus(status);
    }
    else if (!wcscmp(pszVerb, L"query"))
        bOk = QueryServiceStatus(hService, &status);
    else
    {
        DWORD dwControl = !wcscmp(pszVerb, L"stop")       ? SERVICE_CONTROL_STOP
                          : !wcscmp(pszVerb, L"pause")    ? SERVICE_CONTROL_PAUSE
                          : !wcscmp(pszVerb, L"continue") ? SERVICE_CONTROL_CONTINUE
                                                          : SERVICE_CONTROL_INTERROGATE;
        bOk = ControlService(hService, dwControl, &status);
    }
    if (!bOk)
    {
        wprintf(L"error %lu\n", (unsigned long)GetLastError());
        return 1;
    }
    if (wcscmp(pszVerb, L"start"))
        PrintStatus(status);
    CloseServiceHandle(hService);
    CloseServiceHandle(hManager);
    return 0;
}
