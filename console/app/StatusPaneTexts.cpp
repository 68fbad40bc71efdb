#include "console/app/StatusPaneTexts.h"

#include "support/RegistryStore.h"
#include "support/StringEx.h"

#include <sqlext.h>

#include <algorithm>
#include <vector>

const wchar_t* const g_pszAlarmsServiceName = L"TervokAlarmsService";

namespace
{
DriverInfoFunction& DriverInfo()
{
    static DriverInfoFunction s_fn;
    return s_fn;
}

SQLRETURN GetInfo(SQLHDBC hdbc, SQLUSMALLINT nInfo, SQLPOINTER pValue, SQLSMALLINT cbValue, SQLSMALLINT* pcbValue)
{
    return DriverInfo() ? DriverInfo()(hdbc, nInfo, pValue, cbValue, pcbValue)
                        : ::SQLGetInfoW(hdbc, nInfo, pValue, cbValue, pcbValue);
}

CString Grouped(DWORD dwValue)
{
    CStringEx strNumber;
    strNumber.Format(L"%u", dwValue);
    strNumber.GroupDigits();
    return strNumber;
}

// Closes a service handle when the query ends.
class CServiceHandle
{
public:
    explicit CServiceHandle(SC_HANDLE h) : m_h(h) {}
    ~CServiceHandle()
    {
        if (m_h)
            CloseServiceHandle(m_h);
    }
    CServiceHandle(const CServiceHandle&) = delete;
    CServiceHandle& operator=(const CServiceHandle&) = delete;
    SC_HANDLE m_h;
};
} // namespace

CString AlarmsPaneText()
{
    return L"Alarms: " + Grouped(GetRegistryStore().GetVolatileDWord(L"AlarmMessageCount", 0));
}

CString ProcessedPaneText()
{
    return L"Processed: " + Grouped(GetRegistryStore().GetVolatileDWord(L"AlarmAnalysed", 0));
}

CString LastUpdatePaneText()
{
    return L"Last update: " + GetRegistryStore().GetVolatileString(L"AlarmLastMessage", L"");
}

CString DatabasePaneText(UINT nDatabaseMB)
{
    return L"Database: " + Grouped(nDatabaseMB) + L" MB";
}

CString StatusPaneText(const CString& strState)
{
    return L"Status: " + strState;
}

CString ServiceStateName(DWORD dwState)
{
    switch (dwState)
    {
    case SERVICE_STOPPED:
        return L"Stopped";
    case SERVICE_START_PENDING:
        return L"Start pending";
    case SERVICE_STOP_PENDING:
        return L"Stop pending";
    case SERVICE_RUNNING:
        return L"Running";
    case SERVICE_CONTINUE_PENDING:
        return L"Continue pending";
    case SERVICE_PAUSE_PENDING:
        return L"Pending";
    case SERVICE_PAUSED:
        return L"Paused";
    default:
        return CString();
    }
}

CString QueryServiceStateText(const wchar_t* pszService)
{
    CServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager.m_h)
        return CString();
    CServiceHandle service(OpenServiceW(manager.m_h, pszService, SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS));
    if (!service.m_h)
        return CString();
    SERVICE_STATUS status = {};
    if (!QueryServiceStatus(service.m_h, &status))
    {
        CString strError;
        strError.Format(L"Error: %08X", GetLastError());
        return strError;
    }
    return ServiceStateName(status.dwCurrentState);
}

BOOL DatabaseFileMB(const CString& strDatabase, UINT& nMB)
{
    CString strPath = strDatabase;
    if (GetFileAttributesW(strPath) == INVALID_FILE_ATTRIBUTES)
        strPath += L".mdb";
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(strPath, GetFileExInfoStandard, &data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    ULONGLONG nBytes = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    nMB = (UINT)((nBytes + 1048575) / 1048576);
    return TRUE;
}

DriverInfoFunction SetDriverInfoFunction(DriverInfoFunction fn)
{
    DriverInfoFunction previous = DriverInfo();
    DriverInfo() = std::move(fn);
    return previous;
}

CString DataSourceDatabaseName(SQLHDBC hdbc)
{
    // Room for an ordinary path first; a longer name is asked again with room for all of it,
    // as far as the call's byte count reaches.
    const size_t nMostChars = 0x7FFF / sizeof(wchar_t);
    std::vector<wchar_t> name(MAX_PATH + 1, 0);
    for (;;)
    {
        SQLSMALLINT cbName = 0;
        if (!SQL_SUCCEEDED(GetInfo(hdbc, SQL_DATABASE_NAME, name.data(), (SQLSMALLINT)(name.size() * sizeof(wchar_t)),
                                   &cbName)))
            return CString();
        size_t nNeeded = std::min((size_t)std::max<SQLSMALLINT>(cbName, 0) / sizeof(wchar_t) + 1, nMostChars);
        if (nNeeded <= name.size())
            return CString(name.data());
        name.assign(nNeeded, 0);
    }
}

CString DriverInfoText(SQLHDBC hdbc, SQLUSMALLINT nItem)
{
    if (nItem == SQL_DATABASE_NAME)
        return DataSourceDatabaseName(hdbc);
    wchar_t szText[1024] = {0};
    SQLSMALLINT cbText = 0;
    if (!SQL_SUCCEEDED(GetInfo(hdbc, nItem, szText, sizeof(szText) - sizeof(wchar_t), &cbText)))
        return CString();
    return CString(szText);
}
