// Scratch folders, registry keys and raw file access for the support library's tests.
#pragma once

#include "framework/window/CWinApp.h"
#include "framework/Framework.h"

#include <string>

namespace testsupport
{
// A fresh, empty folder under TEMP (with a trailing backslash), removed with its files.
class CScratchFolder
{
public:
    explicit CScratchFolder(const wchar_t* pszName = L"tvk");
    ~CScratchFolder();
    CString Path(const wchar_t* pszFile) const { return m_strPath + pszFile; }
    const CString& Folder() const { return m_strPath; }

private:
    CString m_strPath;
};

// A key path under HKLM\SOFTWARE that no other test process uses; removed afterwards.
class CScratchKey
{
public:
    explicit CScratchKey(HKEY hRoot = HKEY_LOCAL_MACHINE);
    ~CScratchKey();
    // "SOFTWARE\TervokTest\<unique>"
    const CString& Path() const { return m_strPath; }
    CString Sub(const wchar_t* pszRelative) const { return m_strPath + L"\\" + pszRelative; }

private:
    HKEY m_hRoot;
    CString m_strPath;
};

// The application object "Belvane" with its profile under a key of HKCU\Software that no
// other test process uses; the key is removed afterwards.
class CScratchProfileApp
{
public:
    CScratchProfileApp();
    ~CScratchProfileApp();

    CString m_strKey;
    CWinApp m_app;
};

std::string ReadBytes(const wchar_t* pszFile);
void WriteBytes(const wchar_t* pszFile, const std::string& bytes);
BOOL FileExists(const wchar_t* pszFile);
// The files (not folders) in a folder given with its trailing backslash.
int CountFiles(const CString& folder);

// The raw value, FALSE when missing.
BOOL QueryRaw(HKEY hRoot, const wchar_t* pszKey, const wchar_t* pszName, DWORD& dwType, std::string& data);
BOOL KeyExists(HKEY hRoot, const wchar_t* pszKey);

CStringArray Lines(std::initializer_list<const wchar_t*> items);

// The folder of this test program, with a trailing backslash.
CString ProgramFolder();
} // namespace testsupport
