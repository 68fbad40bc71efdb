// Machine-wide settings and status: one key under a root (HKEY_LOCAL_MACHINE) and its volatile
// subkey, which Windows empties at every restart. The store reports nothing itself: reads give
// the caller's default, and a refused write (a user who is not an administrator may only read
// the machine's settings) leaves the registry as it was and answers the system's error code,
// ERROR_SUCCESS once the value is stored.
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
    LONG SetDWord(const wchar_t* pszName, DWORD dwValue, BOOL bQuiet = FALSE);
    DWORD GetVolatileDWord(const wchar_t* pszName, DWORD dwDefault);
    LONG SetVolatileDWord(const wchar_t* pszName, DWORD dwValue, BOOL bQuiet = FALSE);

    // TRUE only when the stored value (or the default) is exactly 1.
    BOOL GetBool(const wchar_t* pszName, BOOL bDefault);
    // Stored as it is given, not turned into 0 or 1.
    LONG SetBool(const wchar_t* pszName, BOOL bValue, BOOL bQuiet = FALSE);

    CString GetString(const wchar_t* pszName, const wchar_t* pszDefault = L"");
    CString GetStringA(const char* pszName, const wchar_t* pszDefault = L"");
    CString GetVolatileString(const wchar_t* pszName, const wchar_t* pszDefault = L"");
    LONG SetString(const wchar_t* pszName, const wchar_t* pszValue, BOOL bQuiet = FALSE);
    LONG SetStringA(const char* pszName, const wchar_t* pszValue, BOOL bQuiet = FALSE);
    LONG SetVolatileString(const wchar_t* pszName, const wchar_t* pszValue, BOOL bQuiet = FALSE);

    // A new block (freed by the caller with delete[]) holding the value, its size in
    // *pdwSize; pDefault, with *pdwSize untouched, when the value cannot be read.
    BYTE* GetBinary(const wchar_t* pszName, DWORD* pdwSize, BYTE* pDefault = nullptr);
    LONG SetBinary(const wchar_t* pszName, DWORD dwSize, const BYTE* pData, BOOL bQuiet = FALSE);

    HKEY m_hRoot = nullptr;
    CString m_strPath;
    HKEY m_hKey = nullptr;
    HKEY m_hVolatileKey = nullptr;

private:
    void Close();

    // Why Init left the store without the key: what writes to it answer then.
    LONG m_lKeyStatus = ERROR_INVALID_HANDLE;
    LONG m_lVolatileKeyStatus = ERROR_INVALID_HANDLE;
};

// The program's store, initialised once at start-up.
CRegistryStore& GetRegistryStore();
