#include "support/AppPaths.h"

#include "support/FileVersionInfo.h"

#include <shlobj.h>

#include <cstdlib>

namespace
{
// The main module's file; the C runtime's record of the program when Windows cannot say.
CString MainModuleFile()
{
    wchar_t path[MAX_PATH + 1] = L"";
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return CString(path);
    return _pgmptr ? CString(_pgmptr) : CString();
}

// TEMP, replaced by its short form when Windows has one.
CString ShortTemp()
{
    wchar_t temp[32768] = L"";
    DWORD n = GetEnvironmentVariableW(L"TEMP", temp, 32768);
    if (n == 0 || n >= 32768)
        return CString();
    wchar_t shortPath[262] = L"";
    DWORD m = GetShortPathNameW(temp, shortPath, 261);
    if (m > 0 && m < 261)
        return CString(shortPath);
    return CString(temp);
}
} // namespace

CAppPaths::CAppPaths()
{
    InitializeSRWLock(&m_lock);
}

const CString& CAppPaths::GetModulePath()
{
    CLock lock(m_lock);
    if (m_strModulePath.IsEmpty())
        m_strModulePath = MainModuleFile();
    return m_strModulePath;
}

const CString& CAppPaths::GetProgramFolder()
{
    CLock lock(m_lock);
    if (m_strProgramFolder.IsEmpty())
    {
        CString file = MainModuleFile();
        int slash = file.ReverseFind(L'\\');
        m_strProgramFolder = slash >= 0 ? file.Left(slash + 1) : file;
    }
    return m_strProgramFolder;
}

const CString& CAppPaths::GetSystemFolder()
{
    CLock lock(m_lock);
    if (m_strSystemFolder.IsEmpty())
    {
        wchar_t folder[262] = L"";
        UINT n = GetSystemDirectoryW(folder, 261);
        if (n > 0 && n < 261)
            m_strSystemFolder = folder;
        if (!m_strSystemFolder.IsEmpty() && m_strSystemFolder[m_strSystemFolder.GetLength() - 1] != L'\\')
            m_strSystemFolder += L'\\';
    }
    return m_strSystemFolder;
}

const CString& CAppPaths::GetTempFolder()
{
    CLock lock(m_lock);
    if (m_strTempFolder.IsEmpty())
        m_strTempFolder = ShortTemp();
    return m_strTempFolder;
}

const CString& CAppPaths::GetWorkFolder()
{
    CLock lock(m_lock);
    if (m_strWorkFolder.IsEmpty())
        m_strWorkFolder = ShortTemp() + L"\\Tervok";
    // Made on every call: someone may have removed it since the last one.
    CreateDirectoryW(m_strWorkFolder, nullptr);
    return m_strWorkFolder;
}

const CString& CAppPaths::GetSpecialFolder(int nFolder, CString& strMember)
{
    CLock lock(m_lock);
    if (!strMember.IsEmpty())
        return strMember;
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, nFolder, &pidl)) || !pidl)
        return strMember;
    wchar_t path[MAX_PATH + 1] = L"";
    if (SHGetPathFromIDListW(pidl, path))
        strMember = path;
    // Wine gives some of these with a trailing backslash; callers append "\name" themselves.
    if (strMember.GetLength() > 3 && strMember[strMember.GetLength() - 1] == L'\\')
        strMember = strMember.Left(strMember.GetLength() - 1);
    CoTaskMemFree(pidl);
    return strMember;
}

const CString& CAppPaths::GetDocumentsFolder()
{
    return GetSpecialFolder(CSIDL_PERSONAL, m_strDocumentsFolder);
}

const CString& CAppPaths::GetUserAppDataFolder()
{
    return GetSpecialFolder(CSIDL_APPDATA, m_strUserAppDataFolder);
}

const CString& CAppPaths::GetCommonAppDataFolder()
{
    return GetSpecialFolder(CSIDL_COMMON_APPDATA, m_strCommonAppDataFolder);
}

void CAppPaths::MakeDataFolder(const CString& strBase, CString& strMember)
{
    CFileVersionInfo version;
    CString company, product;
    company.Format(L"%s\\%s\\", strBase.GetString(), version.GetValue(L"CompanyName"));
    product.Format(L"%s%s\\", company.GetString(), version.GetProductName());
    CreateDirectoryW(company, nullptr);
    CreateDirectoryW(product, nullptr);

    strMember.Empty();
    const CString* folders[] = {&strBase, &company, &product};
    for (const CString* folder : folders)
    {
        if (SetCurrentDirectoryW(*folder))
            strMember = *folder;
    }
}

BOOL CAppPaths::MakeCommonDataFolder()
{
    MakeDataFolder(GetCommonAppDataFolder(), m_strCommonDataFolder);
    return TRUE;
}

BOOL CAppPaths::MakeUserDataFolder()
{
    MakeDataFolder(GetUserAppDataFolder(), m_strUserDataFolder);
    return TRUE;
}

CAppPaths& GetAppPaths()
{
    static CAppPaths paths;
    return paths;
}
