#include "support/EventLogWriter.h"

#include "support/AppPaths.h"
#include "support/SystemErrorText.h"

#include <vector>

namespace
{
BOOL g_bRegistered = FALSE;
CEventLogApi g_platformApi;
CEventLogApi* g_pApi = &g_platformApi;

CString& SourceName()
{
    static CString name(L"TervokAlarms");
    return name;
}

CString SourceKeyPath()
{
    CString path;
    path.Format(L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\%s\\%s", L"Application", SourceName().GetString());
    return path;
}

// Registered by setup or by an earlier run: the source's key exists and can be read.
BOOL IsSourceRegistered()
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SourceKeyPath(), 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(hKey);
    return TRUE;
}

CString ErrorText(DWORD dwError)
{
    return CSystemErrorText(dwError, L"", L"", L"", L"", L"").m_strText;
}

CString Failure(const wchar_t* pszFormat, LONG status)
{
    CString text;
    text.Format(pszFormat, ErrorText((DWORD)status).GetString());
    return text;
}

LONG SetText(HKEY hKey, const wchar_t* pszName, const CString& value)
{
    return RegSetValueExW(hKey, pszName, 0, REG_EXPAND_SZ, (const BYTE*)value.GetString(),
                          (DWORD)((value.GetLength() + 1) * sizeof(wchar_t)));
}

LONG SetNumber(HKEY hKey, const wchar_t* pszName, DWORD dwValue)
{
    return RegSetValueExW(hKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof dwValue);
}

// The current user's SID in sidBuffer; FALSE when the account cannot be looked up.
BOOL CurrentUserSid(std::vector<BYTE>& sidBuffer)
{
    wchar_t user[513] = L"";
    DWORD nUser = 512;
    if (!GetUserNameW(user, &nUser))
        return FALSE;
    sidBuffer.assign(65536, 0);
    DWORD cbSid = (DWORD)sidBuffer.size();
    wchar_t domain[513] = L"";
    DWORD nDomain = 512;
    SID_NAME_USE use;
    return LookupAccountNameW(nullptr, user, sidBuffer.data(), &cbSid, domain, &nDomain, &use);
}
} // namespace

HANDLE CEventLogApi::Register(const wchar_t* pszSource)
{
    return RegisterEventSourceW(nullptr, pszSource);
}

BOOL CEventLogApi::Report(HANDLE hSource, WORD wType, WORD wCategory, DWORD dwEventId, PSID pUserSid,
                          const wchar_t* pszText)
{
    const wchar_t* strings[1] = {pszText};
    return ReportEventW(hSource, wType, wCategory, dwEventId, pUserSid, 1, 0, strings, nullptr);
}

BOOL CEventLogApi::Deregister(HANDLE hSource)
{
    return DeregisterEventSource(hSource);
}

void CEventLogWriter::SetSourceName(const wchar_t* pszSource)
{
    // Another source is not registered by registering this one.
    if (SourceName() != pszSource)
        g_bRegistered = FALSE;
    SourceName() = pszSource;
}

const CString& CEventLogWriter::GetSourceName()
{
    return SourceName();
}

void CEventLogWriter::SetApi(CEventLogApi* pApi)
{
    g_pApi = pApi ? pApi : &g_platformApi;
}

BOOL CEventLogWriter::Write(WORD wType, WORD wCategory, DWORD dwEventId, const wchar_t* pszText, CString& strError)
{
    strError.Empty();
    if (!g_bRegistered)
        g_bRegistered = RegisterSource(strError);
    // Only administrators may write the source's key, but anyone may report under a registered
    // source: a standard user's entries are written all the same.
    if (!g_bRegistered && IsSourceRegistered())
    {
        strError.Empty();
        g_bRegistered = TRUE;
    }
    if (!g_bRegistered)
        return FALSE;

    HANDLE hSource = g_pApi->Register(SourceName());
    if (!hSource)
    {
        strError = CSystemErrorText().m_strText;
        return FALSE;
    }
    std::vector<BYTE> sid;
    PSID pSid = CurrentUserSid(sid) ? (PSID)sid.data() : nullptr;
    BOOL bReported = g_pApi->Report(hSource, wType, wCategory, dwEventId, pSid, pszText);
    if (!bReported)
        strError = CSystemErrorText().m_strText;
    // Released on every path, not only after success.
    g_pApi->Deregister(hSource);
    return bReported;
}

BOOL CEventLogWriter::RegisterSource(CString& strError)
{
    HKEY hKey = nullptr;
    LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, SourceKeyPath(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE, nullptr, &hKey, nullptr);
    if (status != ERROR_SUCCESS)
    {
        strError = Failure(L"Could not create the registry key(s): %s", status);
        return FALSE;
    }
    CAppPaths paths;
    const CString& folder = paths.GetProgramFolder();
    status = SetText(hKey, L"EventMessageFile", folder + L"EventMessageFile.dll");
    if (status == ERROR_SUCCESS)
        status = SetText(hKey, L"CategoryMessageFile", folder + L"CategoryMessageFile.dll");
    if (status != ERROR_SUCCESS)
        strError = Failure(L"Could not set the event message file: %s", status);
    else if ((status = SetNumber(hKey, L"TypesSupported", 31)) != ERROR_SUCCESS)
        strError = Failure(L"Could not set the supported types: %s", status);
    else if ((status = SetNumber(hKey, L"CategoryCount", 10)) != ERROR_SUCCESS)
        strError = Failure(L"Could not set the Category Count: %s", status);
    RegCloseKey(hKey);
    return status == ERROR_SUCCESS;
}
