#include "console/app/StatusPaneTexts.h"

#include "support/RegistryStore.h"
#include "support/StringEx.h"

const wchar_t* const g_pszAlarmsServiceName = L"TervokAlarmsService";

namespace
{
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
