#include "TestSupport.h"

namespace testsupport
{
namespace
{
CString UniqueName(const wchar_t* pszPrefix)
{
    static LONG counter = 0;
    CString name;
    name.Format(L"%s-%lu-%lu-%ld", pszPrefix, GetCurrentProcessId(), GetTickCount(), InterlockedIncrement(&counter));
    return name;
}

void RemoveTree(const CString& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(folder + L"*", &fd);
    if (h != INVALID_HANDLE_VALUE)
    {
        do
        {
            CString name(fd.cFileName);
            if (name == L"." || name == L"..")
                continue;
            CString full = folder + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full + L"\\");
            else
            {
                SetFileAttributesW(full, FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full);
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(folder);
}
} // namespace

CScratchFolder::CScratchFolder(const wchar_t* pszName)
{
    wchar_t temp[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH, temp);
    m_strPath = CString(temp) + UniqueName(pszName) + L"\\";
    CreateDirectoryW(m_strPath, nullptr);
}

CScratchFolder::~CScratchFolder()
{
    RemoveTree(m_strPath);
}

CScratchKey::CScratchKey(HKEY hRoot) : m_hRoot(hRoot), m_strPath(L"SOFTWARE\\TervokTest\\" + UniqueName(L"key"))
{
}

CScratchKey::~CScratchKey()
{
    RegDeleteTreeW(m_hRoot, m_strPath);
}

CScratchProfileApp::CScratchProfileApp() : m_strKey(UniqueName(L"TervokTest")), m_app(L"Belvane")
{
    m_app.SetRegistryKey(m_strKey);
}

CScratchProfileApp::~CScratchProfileApp()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\" + m_strKey);
}

std::string ReadBytes(const wchar_t* pszFile)
{
    std::string bytes;
    HANDLE h = CreateFileW(pszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0)
        bytes.append(buf, n);
    CloseHandle(h);
    return bytes;
}

void WriteBytes(const wchar_t* pszFile, const std::string& bytes)
{
    HANDLE h = CreateFileW(pszFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, nullptr);
    CloseHandle(h);
}

BOOL FileExists(const wchar_t* pszFile)
{
    return GetFileAttributesW(pszFile) != INVALID_FILE_ATTRIBUTES;
}

int CountFiles(const CString& folder)
{
    int n = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(folder + L"*", &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do
    {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

BOOL QueryRaw(HKEY hRoot, const wchar_t* pszKey, const wchar_t* pszName, DWORD& dwType, std::string& data)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    DWORD cb = 0;
    LONG status = RegQueryValueExW(hKey, pszName, nullptr, &dwType, nullptr, &cb);
    data.assign(cb, '\0');
    if (status == ERROR_SUCCESS && cb)
        status = RegQueryValueExW(hKey, pszName, nullptr, &dwType, (BYTE*)&data[0], &cb);
    RegCloseKey(hKey);
    return status == ERROR_SUCCESS;
}

BOOL KeyExists(HKEY hRoot, const wchar_t* pszKey)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(hKey);
    return TRUE;
}

CStringArray Lines(std::initializer_list<const wchar_t*> items)
{
    CStringArray lines;
    for (const wchar_t* item : items)
        lines.Add(item);
    return lines;
}

CString ProgramFolder()
{
    wchar_t path[MAX_PATH + 1] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind(L'\\') + 1);
}
} // namespace testsupport
