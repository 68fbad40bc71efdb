// Writes one of Sendrix's settings (AlarmAddress, AlarmPort) the way an administrator would.
#pragma once

#include <windows.h>

#include <cwchar>

inline void WriteAlarmSetting(const wchar_t* pszName, const wchar_t* pszValue)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, pszName, 0, REG_SZ, (const BYTE*)pszValue, (DWORD)((wcslen(pszValue) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}
