#include "support/RegistryStore.h"

#include "support/StringEx.h"

#include <cstring>
#include <vector>

namespace
{
// Full access where it is granted, otherwise read access; null, with the status, when neither
// works.
HKEY OpenExisting(HKEY hParent, const wchar_t* pszName, LONG& status)
{
    HKEY hKey = nullptr;
    status = RegOpenKeyExW(hParent, pszName, 0, KEY_ALL_ACCESS, &hKey);
    if (status == ERROR_ACCESS_DENIED)
        status = RegOpenKeyExW(hParent, pszName, 0, KEY_READ, &hKey);
    return status == ERROR_SUCCESS ? hKey : nullptr;
}

HKEY OpenOrCreate(HKEY hParent, const wchar_t* pszName, DWORD dwOptions, LONG& status)
{
    HKEY hKey = nullptr;
    status = RegCreateKeyExW(hParent, pszName, 0, nullptr, dwOptions, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    if (status == ERROR_ACCESS_DENIED)
        status = RegOpenKeyExW(hParent, pszName, 0, KEY_READ, &hKey);
    return status == ERROR_SUCCESS ? hKey : nullptr;
}

// Without a key, the reason it could not be opened.
LONG WriteValue(HKEY hKey, LONG lKeyStatus, const wchar_t* pszName, DWORD dwType, const BYTE* pData, DWORD cb)
{
    return hKey ? RegSetValueExW(hKey, pszName, 0, dwType, pData, cb) : lKeyStatus;
}

DWORD ReadDWord(HKEY hKey, const wchar_t* pszName, DWORD dwDefault)
{
    DWORD dwValue = 0;
    DWORD cb = sizeof dwValue;
    if (!hKey || RegQueryValueExW(hKey, pszName, nullptr, nullptr, (BYTE*)&dwValue, &cb) != ERROR_SUCCESS)
        return dwDefault;
    return dwValue;
}

LONG WriteDWord(HKEY hKey, LONG lKeyStatus, const wchar_t* pszName, DWORD dwValue)
{
    return WriteValue(hKey, lKeyStatus, pszName, REG_DWORD, (const BYTE*)&dwValue, sizeof dwValue);
}

// Reads a value with one query into a buffer of a common size; only a larger value is queried
// again, with the size the registry reported. At least nTail zero bytes follow the value's
// bytes. FALSE when the value cannot be read.
BOOL QueryValue(HKEY hKey, const wchar_t* pszName, DWORD nTail, std::vector<BYTE>& data, DWORD& cbValue)
{
    const DWORD kFirstSize = 512;
    const int kTries = 4; // a value that keeps growing between two queries is given up on
    DWORD cb = kFirstSize;
    for (int i = 0; hKey && i < kTries; ++i)
    {
        data.assign(cb + nTail, 0);
        LONG status = RegQueryValueExW(hKey, pszName, nullptr, nullptr, data.data(), &cb);
        if (status == ERROR_SUCCESS)
        {
            cbValue = cb;
            return TRUE;
        }
        if (status != ERROR_MORE_DATA)
            return FALSE;
    }
    return FALSE;
}

// Everything up to the first NUL, so a value stored without its terminator is still whole.
CString ReadString(HKEY hKey, const wchar_t* pszName, const wchar_t* pszDefault)
{
    std::vector<BYTE> data;
    DWORD cb = 0;
    // Room for an odd last byte and a terminator.
    if (!QueryValue(hKey, pszName, 2 * sizeof(wchar_t), data, cb))
        return CString(pszDefault);
    return CString((const wchar_t*)data.data());
}

LONG WriteString(HKEY hKey, LONG lKeyStatus, const wchar_t* pszName, const wchar_t* pszValue)
{
    CString strValue(pszValue);
    return WriteValue(hKey, lKeyStatus, pszName, REG_SZ, (const BYTE*)strValue.GetString(),
                      (DWORD)((strValue.GetLength() + 1) * sizeof(wchar_t)));
}
} // namespace

CRegistryStore::~CRegistryStore()
{
    Close();
}

void CRegistryStore::Close()
{
    if (m_hKey)
        RegCloseKey(m_hKey);
    if (m_hVolatileKey)
        RegCloseKey(m_hVolatileKey);
    m_hKey = m_hVolatileKey = nullptr;
    m_lKeyStatus = m_lVolatileKeyStatus = ERROR_INVALID_HANDLE;
}

void CRegistryStore::Init(HKEY hRoot, const wchar_t* pszPath, const wchar_t* pszVolatileName)
{
    Close();
    m_hRoot = hRoot;
    m_strPath = pszPath;

    CStringArray parts;
    CStringEx(m_strPath).Split(L'\\', parts);
    if (parts.IsEmpty())
        return;
    HKEY hKey = OpenExisting(hRoot, parts[0], m_lKeyStatus);
    for (int i = 1; hKey && i < parts.GetSize(); ++i)
    {
        HKEY hNext = OpenOrCreate(hKey, parts[i], REG_OPTION_NON_VOLATILE, m_lKeyStatus);
        RegCloseKey(hKey);
        hKey = hNext;
    }
    m_hKey = hKey;
    if (!m_hKey || !pszVolatileName || !*pszVolatileName)
        return;

    HKEY hParent = OpenExisting(hRoot, m_strPath, m_lVolatileKeyStatus);
    if (!hParent)
        return;
    m_hVolatileKey = OpenOrCreate(hParent, pszVolatileName, REG_OPTION_VOLATILE, m_lVolatileKeyStatus);
    RegCloseKey(hParent);
}

DWORD CRegistryStore::GetDWord(const wchar_t* pszName, DWORD dwDefault)
{
    return ReadDWord(m_hKey, pszName, dwDefault);
}

LONG CRegistryStore::SetDWord(const wchar_t* pszName, DWORD dwValue, BOOL)
{
    return WriteDWord(m_hKey, m_lKeyStatus, pszName, dwValue);
}

DWORD CRegistryStore::GetVolatileDWord(const wchar_t* pszName, DWORD dwDefault)
{
    return ReadDWord(m_hVolatileKey, pszName, dwDefault);
}

LONG CRegistryStore::SetVolatileDWord(const wchar_t* pszName, DWORD dwValue, BOOL)
{
    return WriteDWord(m_hVolatileKey, m_lVolatileKeyStatus, pszName, dwValue);
}

BOOL CRegistryStore::GetBool(const wchar_t* pszName, BOOL bDefault)
{
    return GetDWord(pszName, (DWORD)bDefault) == 1;
}

LONG CRegistryStore::SetBool(const wchar_t* pszName, BOOL bValue, BOOL bQuiet)
{
    return SetDWord(pszName, (DWORD)bValue, bQuiet);
}

CString CRegistryStore::GetString(const wchar_t* pszName, const wchar_t* pszDefault)
{
    return ReadString(m_hKey, pszName, pszDefault);
}

CString CRegistryStore::GetStringA(const char* pszName, const wchar_t* pszDefault)
{
    return GetString(CString(pszName), pszDefault);
}

CString CRegistryStore::GetVolatileString(const wchar_t* pszName, const wchar_t* pszDefault)
{
    return ReadString(m_hVolatileKey, pszName, pszDefault);
}

LONG CRegistryStore::SetString(const wchar_t* pszName, const wchar_t* pszValue, BOOL)
{
    return WriteString(m_hKey, m_lKeyStatus, pszName, pszValue);
}

LONG CRegistryStore::SetStringA(const char* pszName, const wchar_t* pszValue, BOOL bQuiet)
{
    return SetString(CString(pszName), pszValue, bQuiet);
}

LONG CRegistryStore::SetVolatileString(const wchar_t* pszName, const wchar_t* pszValue, BOOL)
{
    return WriteString(m_hVolatileKey, m_lVolatileKeyStatus, pszName, pszValue);
}

BYTE* CRegistryStore::GetBinary(const wchar_t* pszName, DWORD* pdwSize, BYTE* pDefault)
{
    std::vector<BYTE> data;
    DWORD cb = 0;
    if (!QueryValue(m_hKey, pszName, 0, data, cb))
        return pDefault;
    BYTE* pData = new BYTE[cb ? cb : 1];
    memcpy(pData, data.data(), cb);
    if (pdwSize)
        *pdwSize = cb;
    return pData;
}

LONG CRegistryStore::SetBinary(const wchar_t* pszName, DWORD dwSize, const BYTE* pData, BOOL)
{
    return WriteValue(m_hKey, m_lKeyStatus, pszName, REG_BINARY, pData, dwSize);
}

CRegistryStore& GetRegistryStore()
{
    static CRegistryStore store;
    return store;
}
