// Machine-wide settings and status: one key under a root (HKEY_LOCAL_MACHINE) and its volatile
// subkey, which Windows empties at every restart. Failures are silent: reads give the caller's
// default, writes leave the registry as it was.
#pragma once

#include "framework/core/CString.h"

class CRegistryStore
{
public:
    CRegistryStore() {}
    CRegistryStore(const CRegistryStore&) = delete;
    CRegistryStore& operator=(const CRegistryStore&) = delete;
    virtual ~CRegistryStore();

    // Opens root\path (the first part must exist, the rest is created) and, when the name is
    // not empty, its volatile subkey. Where full access is refused the keys are opened for
    // reading, so that configured values can still be read.
    void Init(HKEY hRoot, const wchar_t* pszPath, const wchar_t* pszVolatileName);

    DWORD GetDWord(const wchar_t* pszName, DWORD dwDefault);
    void SetDWord(const wchar_t* pszName, DWORD dwValue, BOOL bQuiet = FALSE);
    DWORD GetVolatileDWord(const wchar_t* pszName, DWORD dwDefault);
    void SetVolatileDWord(const wchar_t* pszName, DWORD dwValue, BOOL bQuiet = FALSE);

    // TRUE only when the stored value (or the default) is exactly 1.
    BOOL GetBool(const wchar_t* pszName, BOOL bDefault);
    // Stored as it is given, not turned into 0 or 1.
    void SetBool(const wchar_t* pszName, BOOL bValue, BOOL bQuiet = FALSE);

    CString GetString(const wchar_t* pszName, const wchar_t* pszDefault = L"");
    CString GetStringA(const char* pszName, const wchar_t* pszDefault = L"");
    CString GetVolatileString(const wchar_t* pszName, const wchar_t* pszDefault = L"");
    void SetString(const wchar_t* pszName, const wchar_t* pszValue, BOOL bQuiet = FALSE);
    void SetStringA(const char* pszName, const wchar_t* pszValue, BOOL bQuiet = FALSE);
    void SetVolatileString(const wchar_t* pszName, const wchar_t* pszValue, BOOL bQuiet = FALSE);

    // A new block (freed by the caller with delete[]) holding the value, its size in
    // *pdwSize; pDefault, with *pdwSize untouched, when the value cannot be read.
    BYTE* GetBinary(const wchar_t* pszName, DWORD* pdwSize, BYTE* pDefault = nullptr);
    void SetBinary(const wchar_t* pszName, DWORD dwSize, const BYTE* pData, BOOL bQuiet = FALSE);

    HKEY m_hRoot = nullptr;
    CString m_strPath;
    HKEY m_hKey = nullptr;
    HKEY m_hVolatileKey = nullptr;

private:
    void Close();
};

// The program's store, initialised once at start-up.
CRegistryStore& GetRegistryStore();
