#include "TestServices.h"

namespace
{
HKEY OpenServiceKey(const CString& strName)
{
    HKEY hKey = nullptr;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\" + strName, 0, KEY_READ, &hKey);
    return hKey;
}

// A service that ignores the stop request is ended by force.
void StopForcibly(SC_HANDLE hService)
{
    SERVICE_STATUS status;
    ControlService(hService, SERVICE_CONTROL_STOP, &status);
    SERVICE_STATUS_PROCESS process = {};
    DWORD cb = 0;
    for (int i = 0; i < 20; ++i)
    {
        if (!QueryServiceStatusEx(hService, SC_STATUS_PROCESS_INFO, (BYTE*)&process, sizeof(process), &cb) ||
            process.dwCurrentState == SERVICE_STOPPED)
            return;
        Sleep(100);
    }
    HANDLE hProcess = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process.dwProcessId);
    if (hProcess)
    {
        TerminateProcess(hProcess, 1);
        WaitForSingleObject(hProcess, 5000);
        CloseHandle(hProcess);
    }
}
} // namespace

CString UniqueServiceName(const wchar_t* pszTag)
{
    CString strName;
    strName.Format(L"GantrelTest%s%lu", pszTag, GetCurrentProcessId());
    return strName;
}

CString FakeServiceCommand(const wchar_t* pszMode)
{
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    CString strFolder(szPath);
    strFolder = strFolder.Left(strFolder.ReverseFind(L'\\') + 1);
    CString strCommand;
    strCommand.Format(L"\"%sFakeService.exe\" %s", strFolder.GetString(), pszMode);
    return strCommand;
}

CStringA Narrow(const CString& str)
{
    return CStringA(str);
}

BOOL CTestService::Create(const wchar_t* pszMode)
{
    SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE hService = CreateServiceW(hManager, m_strName, m_strName, SERVICE_ALL_ACCESS,
                                        SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                        FakeServiceCommand(pszMode), nullptr, nullptr, nullptr, nullptr, nullptr);
    if (hService)
        CloseServiceHandle(hService);
    CloseServiceHandle(hManager);
    return hService != nullptr;
}

DWORD CTestService::State() const
{
    SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE hService = OpenServiceW(hManager, m_strName, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status = {};
    BOOL bRead = hService && QueryServiceStatus(hService, &status);
    if (hService)
        CloseServiceHandle(hService);
    CloseServiceHandle(hManager);
    return bRead ? status.dwCurrentState : 0;
}

DWORD CTestService::RegistryDword(const wchar_t* pszValue) const
{
    HKEY hKey = OpenServiceKey(m_strName);
    DWORD dwValue = 0xFFFFFFFF, cb = sizeof(dwValue);
    RegQueryValueExW(hKey, pszValue, nullptr, nullptr, (BYTE*)&dwValue, &cb);
    RegCloseKey(hKey);
    return dwValue;
}

CString CTestService::RegistryString(const wchar_t* pszValue) const
{
    HKEY hKey = OpenServiceKey(m_strName);
    wchar_t szValue[1024] = L"";
    DWORD cb = sizeof(szValue) - sizeof(wchar_t);
    RegQueryValueExW(hKey, pszValue, nullptr, nullptr, (BYTE*)szValue, &cb);
    RegCloseKey(hKey);
    return szValue;
}

void CTestService::Remove()
{
    SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE hService = OpenServiceW(hManager, m_strName, SERVICE_ALL_ACCESS);
    if (hService)
    {
        StopForcibly(hService);
        DeleteService(hService);
        CloseServiceHandle(hService);
    }
    CloseServiceHandle(hManager);
}
