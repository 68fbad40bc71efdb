// What the service tests share: the console's registry store on the product key with no
// volatile values and no RestartNowait, message boxes answered and kept, and the test double
// of the alarms service, not installed until a test installs it.
#pragma once

#include "GuiTest.h"

#include "AlarmsServiceDouble.h"
#include "framework/window/AfxMessageBox.h"
#include "support/RegistryStore.h"

#include <vector>

struct ShownBox
{
    CString strText;
    CString strCaption;
    UINT nType;
};

class ServiceFixture : public GuiTest
{
protected:
    ServiceFixture()
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms\\Volatile");
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
        RegDeleteValueW(GetRegistryStore().m_hKey, L"RestartNowait");
        AfxSetMessageBoxFunction([this](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT nType) {
            m_arrBoxes.push_back({pszText, pszCaption ? pszCaption : L"", nType});
            return m_nAnswer;
        });
    }
    ~ServiceFixture() override { AfxSetMessageBoxFunction(nullptr); }

    DWORD RestartNowait() { return GetRegistryStore().GetDWord(L"RestartNowait", 0); }

    CAlarmsServiceDouble m_service;
    std::vector<ShownBox> m_arrBoxes;
    int m_nAnswer = IDOK;
};
