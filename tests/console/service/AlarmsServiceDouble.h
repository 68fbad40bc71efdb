// The test double of the alarms service, installed under its real name (or another service's)
// in the prefix's service manager for one test and removed again.
#pragma once

#include "console/app/StatusPaneTexts.h"
#include "framework/core/CString.h"

#include <windows.h>

class CAlarmsServiceDouble
{
public:
    explicit CAlarmsServiceDouble(const wchar_t* pszName = g_pszAlarmsServiceName) : m_strName(pszName) { Remove(); }
    ~CAlarmsServiceDouble() { Remove(); }

    // Installs it, stopped, with the display name given.
    bool Install(DWORD dwStartType = SERVICE_DEMAND_START, const wchar_t* pszDisplayName = L"Tervok Alarms Service")
    {
        CString strCommand = L"\"Z:" + CString(TERVOK_FAKE_SERVICE) + L"\" alarms";
        strCommand.Replace(L'/', L'\\');
        SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        SC_HANDLE hService = CreateServiceW(hManager, m_strName, pszDisplayName,
                                            SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS, dwStartType,
                                            SERVICE_ERROR_NORMAL, strCommand, nullptr, nullptr, nullptr, nullptr,
                                            nullptr);
        if (hService)
            CloseServiceHandle(hService);
        CloseServiceHandle(hManager);
        return hService != nullptr;
    }

    // 0 when the state cannot be read.
    DWORD State() const
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

    // Waits up to 10 s for the state.
    bool WaitFor(DWORD dwState) const
    {
        for (int i = 0; i < 100; ++i)
        {
            if (State() == dwState)
                return true;
            Sleep(100);
        }
        return false;
    }

    void Remove()
    {
        SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        SC_HANDLE hService = OpenServiceW(hManager, m_strName, SERVICE_ALL_ACCESS);
        if (hService)
        {
            SERVICE_STATUS status;
            ControlService(hService, SERVICE_CONTROL_STOP, &status);
            WaitFor(SERVICE_STOPPED);
            DeleteService(hService);
            CloseServiceHandle(hService);
        }
        CloseServiceHandle(hManager);
        for (int i = 0; i < 50 && State() != 0; ++i)
            Sleep(100);
    }

    CString m_strName;
};
