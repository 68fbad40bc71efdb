// Plays a user who is not an administrator, for whom HKEY_LOCAL_MACHINE\SOFTWARE can be read
// but not written: while the object lives, Everyone may only read the keys named. Each key's
// own security comes back when it is restored or the object ends. A store must open the key
// afresh to meet the change: a handle opened before keeps the access it was given.
#pragma once

#include <windows.h>

#include <sddl.h>

#include <string>
#include <vector>

class CReadOnlyRegistryKey
{
public:
    // Paths under HKEY_LOCAL_MACHINE; each is created when missing.
    explicit CReadOnlyRegistryKey(std::vector<std::wstring> arrPaths) : m_arrPaths(std::move(arrPaths))
    {
        for (const std::wstring& strPath : m_arrPaths)
        {
            HKEY hKey = nullptr;
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, strPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
            DWORD dwSize = 0;
            RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, nullptr, &dwSize);
            std::vector<BYTE> original(dwSize);
            if (RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, original.data(), &dwSize) != ERROR_SUCCESS)
                original.clear();
            m_arrOriginals.push_back(original);
            RegCloseKey(hKey);
        }
        for (const std::wstring& strPath : m_arrPaths)
            Apply(strPath, L"D:P(A;;KR;;;WD)");
    }
    ~CReadOnlyRegistryKey() { Restore(); }
    CReadOnlyRegistryKey(const CReadOnlyRegistryKey&) = delete;
    CReadOnlyRegistryKey& operator=(const CReadOnlyRegistryKey&) = delete;

    // FALSE where the registry grants writing despite the keys' security.
    bool Holds() const
    {
        for (const std::wstring& strPath : m_arrPaths)
        {
            HKEY hKey = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, strPath.c_str(), 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS)
            {
                RegCloseKey(hKey);
                return false;
            }
        }
        return true;
    }

    void Restore()
    {
        if (m_bRestored)
            return;
        m_bRestored = true;
        for (size_t i = m_arrPaths.size(); i-- > 0;)
        {
            if (m_arrOriginals[i].empty())
                Apply(m_arrPaths[i], L"D:P(A;;KA;;;WD)");
            else
                SetSecurity(m_arrPaths[i], m_arrOriginals[i].data());
        }
    }

private:
    static void Apply(const std::wstring& strPath, const wchar_t* pszSddl)
    {
        PSECURITY_DESCRIPTOR pSecurity = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(pszSddl, SDDL_REVISION_1, &pSecurity, nullptr))
            return;
        SetSecurity(strPath, pSecurity);
        LocalFree(pSecurity);
    }
    static void SetSecurity(const std::wstring& strPath, PSECURITY_DESCRIPTOR pSecurity)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, strPath.c_str(), 0, WRITE_DAC, &hKey) != ERROR_SUCCESS)
            return;
        RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pSecurity);
        RegCloseKey(hKey);
    }

    std::vector<std::wstring> m_arrPaths;
    std::vector<std::vector<BYTE>> m_arrOriginals;
    bool m_bRestored = false;
};
