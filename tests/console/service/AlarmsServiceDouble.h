// The test double of the alarms service, installed under its real name in the prefix's
// service manager for one test and removed again, with the volatile values it writes.
#pragma once

#include "console/app/StatusPaneTexts.h"
#include "framework/core/CString.h"

#include <windows.h>

class CAlarmsServiceDouble
{
public:
    CAlarmsServiceDouble() { Remove(); }
    ~CAlarmsServiceDouble() { Remove(); }

    // Installs it, stopped, with the display name "Tervok Alarms Service".
    bool Install(DWORD dwStartType = SERVICE_DEMAND_START)
    {
        CString strCommand = L"\"Z:" + CString(TERVOK_FAKE_SERVICE) + L"\" alarms";
        strCommand.Replace(L'/', L'\\');
        SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        SC_HANDLE hService = CreateServiceW(hManager, g_pszAlarmsServiceName, L"Tervok Alarms Service",
                                            SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS, dwStartType,
                                            SERVICE_ERROR_NORMAL, strCommand, nullptr, nullptr, nullptr, nullptr,
                                            nullptr);
        if (hService)
            CloseServiceHandle(hService);
        CloseServiceHandle(hManager);
        return hService != nullptr;
    }

    // 0 when the state cannot be read.
    static DWORD State()
    {
        SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        SC_HANDLE hService = OpenServiceW(hManager, g_pszAlarmsServiceName, SERVICE_QUERY_STATUS);
        SERVICE_STATUS status = {};
        BOOL bRead = hService && QueryServiceStatus(hService, &status);
        if (hService)
            CloseServiceHandle(hService);
        CloseServiceHandle(hManager);
        return bRead ? status.dwCurrentState : 0;
    }

    // Waits up to 10 s for the state.
    static bool WaitFor(DWORD dwState)
    {
        for (int i = 0; i < 100; ++i)
        {
            if (State() == dwState)
                return true;
            Sleep(100);
        }
        return false;
    }

    static void Remove()
    {
        SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        SC_HANDLE hService = OpenServiceW(hManager, g_pszAlarmsServiceName, SERVICE_ALL_ACCESS);
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
};
