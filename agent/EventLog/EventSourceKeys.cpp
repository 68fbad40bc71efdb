#include "agent/EventLog/EventSourceKeys.h"

#include <vector>

CEventSourceKeys::~CEventSourceKeys()
{
    for (std::map<CString, HKEY>::iterator it = m_keys.begin(); it != m_keys.end(); ++it)
        RegCloseKey(it->second);
}

LONG CEventSourceKeys::Open(const CString& strPath, HKEY& hKey)
{
    std::map<CString, HKEY>::iterator it = m_keys.find(strPath);
    if (it != m_keys.end())
    {
        hKey = it->second;
        return ERROR_SUCCESS;
    }
    LONG lResult = RegOpenKeyExW(HKEY_LOCAL_MACHINE, strPath, 0, KEY_READ, &hKey);
    if (lResult == ERROR_SUCCESS)
        m_keys[strPath] = hKey;
    return lResult;
}

void CEventSourceKeys::Forget(const CString& strPath)
{
    std::map<CString, HKEY>::iterator it = m_keys.find(strPath);
    if (it == m_keys.end())
        return;
    RegCloseKey(it->second);
    m_keys.erase(it);
}

// One query into a buffer of the largest size taken; a longer value is not read.
LONG CEventSourceKeys::QueryString(HKEY hKey, const wchar_t* pszValue, int nMaxLength, CString& strValue)
{
    std::vector<wchar_t> buffer((size_t)nMaxLength + 1, 0);
    DWORD dwType = 0, dwSize = (DWORD)nMaxLength * sizeof(wchar_t);
    LONG lResult = RegQueryValueExW(hKey, pszValue, nullptr, &dwType, (BYTE*)buffer.data(), &dwSize);
    if (lResult == ERROR_SUCCESS && dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        lResult = ERROR_INVALID_DATATYPE;
    if (lResult == ERROR_SUCCESS)
        strValue = buffer.data();
    return lResult;
}

void CEventSourceKeys::BeginPass()
{
    m_passValues.clear();
    m_bInPass = TRUE;
}

void CEventSourceKeys::EndPass()
{
    m_passValues.clear();
    m_bInPass = FALSE;
}

LONG CEventSourceKeys::ReadString(const CString& strPath, const wchar_t* pszValue, int nMaxLength, CString& strValue,
                                  BOOL* pbRead)
{
    if (!m_bInPass)
        return ReadFromKey(strPath, pszValue, nMaxLength, strValue, pbRead);
    CString strName = strPath + L"\\" + pszValue;
    std::map<CString, CReadValue>::iterator it = m_passValues.find(strName);
    if (it == m_passValues.end())
    {
        CReadValue read = {ERROR_SUCCESS, FALSE, CString()};
        read.lOpen = ReadFromKey(strPath, pszValue, nMaxLength, read.strValue, &read.bRead);
        it = m_passValues.insert(std::make_pair(strName, read)).first;
    }
    *pbRead = it->second.bRead;
    if (it->second.bRead)
        strValue = it->second.strValue;
    return it->second.lOpen;
}

LONG CEventSourceKeys::ReadFromKey(const CString& strPath, const wchar_t* pszValue, int nMaxLength, CString& strValue,
                                   BOOL* pbRead)
{
    *pbRead = FALSE;
    HKEY hKey = nullptr;
    LONG lOpen = Open(strPath, hKey);
    if (lOpen != ERROR_SUCCESS)
        return lOpen;
    LONG lQuery = QueryString(hKey, pszValue, nMaxLength, strValue);
    if (lQuery == ERROR_KEY_DELETED)
    {
        Forget(strPath);
        lOpen = Open(strPath, hKey);
        if (lOpen != ERROR_SUCCESS)
            return lOpen;
        lQuery = QueryString(hKey, pszValue, nMaxLength, strValue);
    }
    *pbRead = lQuery == ERROR_SUCCESS;
    return lOpen;
}
