// A service program for the service tests. Its first argument chooses how it behaves:
//   normal      starts at once, stops when asked
//   slowstart   stays start-pending for 1.5 s without raising its check-point (wait hint 4 s)
//   stuckstart  stays start-pending for ever (wait hint 1 s)
//   neverstop   starts at once, answers a stop request with stop-pending and never stops
//   alarms      as normal, and publishes the alarms service's counters in the console's
//               volatile registry subkey while it runs; its log file names its start arguments
#include <windows.h>

#include <cwchar>
#include <string>

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

// The counters and texts that the console's service sheet shows, renewed every 200 ms.
void PublishCounters(DWORD argc, wchar_t** argv)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms\\Volatile", 0, nullptr,
                        REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return;
    wchar_t szLog[MAX_PATH];
    GetTempPathW(MAX_PATH, szLog);
    wcscat_s(szLog, L"TervokAlarmsService.log");
    std::wstring strLog = L"Started with";
    for (DWORD i = 1; i < argc; ++i)
        strLog += std::wstring(L" ") + argv[i];
    HANDLE hFile = CreateFileW(szLog, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD cbWritten = 0;
    WriteFile(hFile, strLog.c_str(), (DWORD)(strLog.size() * sizeof(wchar_t)), &cbWritten, nullptr);
    CloseHandle(hFile);
    auto setText = [hKey](const wchar_t* pszName, const std::wstring& strValue) {
        RegSetValueExW(hKey, pszName, 0, REG_SZ, (const BYTE*)strValue.c_str(),
                       (DWORD)((strValue.size() + 1) * sizeof(wchar_t)));
    };
    auto setNumber = [hKey](const wchar_t* pszName, DWORD dwValue) {
        RegSetValueExW(hKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
    };
    setText(L"ServiceLogfile", szLog);
    setText(L"ServiceStartup", L"2026-12-09 08:00:00");
    for (DWORD dwCount = 1234567; WaitForSingleObject(g_hStopEvent, 200) == WAIT_TIMEOUT; ++dwCount)
    {
        setNumber(L"AlarmMessageCount", dwCount);
        setNumber(L"AlarmAnalysed", dwCount - 7);
        setNumber(L"AlarmQueueSize", dwCount % 5);
        setNumber(L"AlarmQueueSizeMax", 12);
        setText(L"AlarmLastMessage", L"Alarm number " + std::to_wstring(dwCount));
    }
    RegCloseKey(hKey);
}

void WINAPI ServiceMain(DWORD argc, wchar_t** argv)
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
    if (IsMode(L"alarms"))
        PublishCounters(argc, argv);
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
