#include "agent/EventLog/MessageFileSystem.h"

namespace
{
CMessageFileSystem g_platformFileSystem;
CMessageFileSystem* g_pInstalledFileSystem = nullptr;

CString FolderText(UINT (WINAPI* pGetFolder)(LPWSTR, UINT))
{
    wchar_t szFolder[MAX_PATH + 1] = {0};
    UINT n = pGetFolder(szFolder, MAX_PATH);
    CString strFolder = (n && n <= MAX_PATH) ? CString(szFolder) : CString();
    strFolder.TrimRight(L'\\');
    return strFolder;
}
} // namespace

HMODULE CMessageFileSystem::LoadMessageFile(const CString& strPath)
{
    CString strNative = NativePath(strPath);
    HMODULE hModule = LoadDataFile(strNative);
    if (!hModule && strNative != strPath)
        hModule = LoadDataFile(strPath);
    return hModule;
}

CString CMessageFileSystem::NativePath(const CString& strPath)
{
    if (!IsWow64())
        return strPath;
    CString strSystem = SystemFolder() + L"\\";
    if (strSystem.GetLength() < 2 || strPath.GetLength() <= strSystem.GetLength() ||
        strPath.Left(strSystem.GetLength()).CompareNoCase(strSystem) != 0)
        return strPath;
    return WindowsFolder() + L"\\Sysnative\\" + strPath.Mid(strSystem.GetLength());
}

BOOL CMessageFileSystem::IsWow64()
{
    BOOL bWow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &bWow64) && bWow64;
}

CString CMessageFileSystem::SystemFolder()
{
    return FolderText(GetSystemDirectoryW);
}

CString CMessageFileSystem::WindowsFolder()
{
    return FolderText(GetSystemWindowsDirectoryW);
}

HMODULE CMessageFileSystem::LoadDataFile(const CString& strPath)
{
    return LoadLibraryExW(strPath, nullptr, LOAD_LIBRARY_AS_DATAFILE | DONT_RESOLVE_DLL_REFERENCES);
}

DWORD CMessageFileSystem::FormatModuleMessage(DWORD dwFlags, HMODULE hModule, DWORD dwId, DWORD dwLanguage,
                                              LPWSTR pszBuffer, DWORD nSize, va_list* pArgs)
{
    return FormatMessageW(dwFlags | FORMAT_MESSAGE_FROM_HMODULE, hModule, dwId, dwLanguage, pszBuffer, nSize, pArgs);
}

CMessageFileSystem& MessageFileSystem()
{
    return g_pInstalledFileSystem ? *g_pInstalledFileSystem : g_platformFileSystem;
}

void SetMessageFileSystem(CMessageFileSystem* pFileSystem)
{
    g_pInstalledFileSystem = pFileSystem;
}
