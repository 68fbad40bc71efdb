// The registry keys of event sources, opened once and kept: every record reads values of its
// source's key, and each open and close of a key is a round trip to the Wine server.
#pragma once

#include "framework/Framework.h"

#include <map>

class CEventSourceKeys
{
public:
    CEventSourceKeys() = default;
    ~CEventSourceKeys();
    CEventSourceKeys(const CEventSourceKeys&) = delete;
    CEventSourceKeys& operator=(const CEventSourceKeys&) = delete;

    // Reads a string value (up to nMaxLength characters) of the key at strPath under
    // HKEY_LOCAL_MACHINE. Returns the result of opening the key: ERROR_SUCCESS when it is open,
    // whether or not the value was read (*pbRead). A key that could not be opened is tried again
    // at the next read, and one deleted since it was opened is opened anew, so a value always
    // comes from the key as it is now.
    LONG ReadString(const CString& strPath, const wchar_t* pszValue, int nMaxLength, CString& strValue, BOOL* pbRead);

    // Between these two calls a value is read from the registry once and then answered from
    // memory: the records of one pass share their sources' message files.
    void BeginPass();
    void EndPass();

private:
    struct CReadValue
    {
        LONG lOpen;
        BOOL bRead;
        CString strValue;
    };
    LONG ReadFromKey(const CString& strPath, const wchar_t* pszValue, int nMaxLength, CString& strValue, BOOL* pbRead);

    LONG Open(const CString& strPath, HKEY& hKey);
    void Forget(const CString& strPath);
    static LONG QueryString(HKEY hKey, const wchar_t* pszValue, int nMaxLength, CString& strValue);

    std::map<CString, HKEY> m_keys;
    BOOL m_bInPass = FALSE;
    std::map<CString, CReadValue> m_passValues;
};
