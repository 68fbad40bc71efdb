#include "console/service/CServiceControl.h"

#include "console/app/StatusPaneTexts.h"
#include "support/RegistryStore.h"
#include "support/SystemErrorText.h"

#include <ctime>
#include <vector>

namespace
{
// Closes a service handle when the operation ends.
class CScHandle
{
public:
    explicit CScHandle(SC_HANDLE h) : m_h(h) {}
    ~CScHandle()
    {
        if (m_h)
            CloseServiceHandle(m_h);
    }
    CScHandle(const CScHandle&) = delete;
    CScHandle& operator=(const CScHandle&) = delete;
    SC_HANDLE m_h;
};

ServiceManagerOpener g_openManager;

SC_HANDLE OpenManager(DWORD dwAccess)
{
    return g_openManager ? g_openManager(dwAccess) : OpenSCManagerW(nullptr, nullptr, dwAccess);
}

// A configuration block of whatever size the service needs.
BOOL QueryConfigBlock(SC_HANDLE hService, DWORD dwLevel, std::vector<BYTE>& block)
{
    DWORD cbNeeded = 0;
    block.assign(1024, 0);
    for (int nTry = 0; nTry < 2; ++nTry)
    {
        BOOL bRead = dwLevel == 0 ? QueryServiceConfigW(hService, (QUERY_SERVICE_CONFIGW*)block.data(),
                                                        (DWORD)block.size(), &cbNeeded)
                                  : QueryServiceConfig2W(hService, dwLevel, block.data(), (DWORD)block.size(),
                                                         &cbNeeded);
        if (bRead)
            return TRUE;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return FALSE;
        block.assign(cbNeeded, 0);
    }
    return FALSE;
}
} // namespace

ServiceManagerOpener SetServiceManagerOpener(ServiceManagerOpener fn)
{
    ServiceManagerOpener previous = g_openManager;
    g_openManager = std::move(fn);
    return previous;
}

CServiceControl::CServiceControl(const wchar_t* pszService, int nWaitSeconds)
    : m_strService(pszService), m_nWaitSeconds(nWaitSeconds), m_bRequestRefused(FALSE), m_dwError(0)
{
}

void CServiceControl::SetError(CString& strError)
{
    CSystemErrorText text;
    m_dwError = text.m_dwError;
    strError = text.m_strText;
}

void CServiceControl::DescribeState(DWORD dwState, CString& strStatus, BOOL& bCanStart, BOOL& bCanStop)
{
    strStatus = ServiceStateName(dwState);
    bCanStart = dwState != SERVICE_RUNNING;
    bCanStop = dwState != SERVICE_STOPPED;
}

BOOL CServiceControl::QueryState(CString& strStatus, CString& strDisplayName, BOOL& bCanStart, BOOL& bCanStop,
                                 CString& strError)
{
    bCanStart = bCanStop = FALSE;
    m_dwError = 0;
    strStatus.Empty();
    strDisplayName.Empty();
    CScHandle manager(OpenManager(SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager.m_h)
    {
        SetError(strError);
        return FALSE;
    }
    CScHandle service(OpenServiceW(manager.m_h, m_strService, SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS));
    if (!service.m_h)
    {
        SetError(strError);
        return FALSE;
    }
    SERVICE_STATUS status = {};
    BOOL bRead = QueryServiceStatus(service.m_h, &status);
    if (bRead)
        DescribeState(status.dwCurrentState, strStatus, bCanStart, bCanStop);
    else
        SetError(strError);
    strDisplayName = DisplayName(service.m_h);
    return bRead;
}

CString CServiceControl::DisplayName(SC_HANDLE hService)
{
    std::vector<BYTE> block;
    if (!QueryConfigBlock(hService, 0, block))
        return CString();
    const QUERY_SERVICE_CONFIGW* pConfig = (const QUERY_SERVICE_CONFIGW*)block.data();
    return pConfig->lpDisplayName ? CString(pConfig->lpDisplayName) : CString();
}

BOOL CServiceControl::QueryConfiguration(CString& strDisplayName, DWORD& dwStartType, CString& strDescription,
                                         CString& strError)
{
    CScHandle manager(OpenManager(SC_MANAGER_ENUMERATE_SERVICE));
    CScHandle service(manager.m_h ? OpenServiceW(manager.m_h, m_strService, SERVICE_QUERY_CONFIG) : nullptr);
    std::vector<BYTE> block;
    if (!service.m_h || !QueryConfigBlock(service.m_h, 0, block))
    {
        SetError(strError);
        return FALSE;
    }
    const QUERY_SERVICE_CONFIGW* pConfig = (const QUERY_SERVICE_CONFIGW*)block.data();
    strDisplayName = pConfig->lpDisplayName ? pConfig->lpDisplayName : L"";
    dwStartType = pConfig->dwStartType;
    strDescription.Empty();
    if (QueryConfigBlock(service.m_h, SERVICE_CONFIG_DESCRIPTION, block))
    {
        const SERVICE_DESCRIPTIONW* pDescription = (const SERVICE_DESCRIPTIONW*)block.data();
        if (pDescription->lpDescription)
            strDescription = pDescription->lpDescription;
    }
    return TRUE;
}

BOOL CServiceControl::StartOrStop(BOOL bStart, CString& strError)
{
    m_bRequestRefused = FALSE;
    m_dwError = 0;
    m_strWarning.Empty();
    CScHandle manager(OpenManager(SC_MANAGER_ALL_ACCESS));
    if (!manager.m_h)
    {
        // Without rights on the manager the caller still has something to show.
        SetError(strError);
        return FALSE;
    }
    CScHandle service(OpenServiceW(manager.m_h, m_strService, SERVICE_START | SERVICE_STOP | SERVICE_QUERY_STATUS));
    if (!service.m_h)
    {
        SetError(strError);
        return FALSE;
    }
    BOOL bAccepted = FALSE;
    if (bStart)
    {
        LONG lStatus = GetRegistryStore().SetDWord(L"RestartNowait", 1);
        if (lStatus != ERROR_SUCCESS)
            m_strWarning.Format(L"RestartNowait could not be written before %s was started: %s",
                                m_strService.GetString(), CSystemErrorText::Reason((DWORD)lStatus).GetString());
        const wchar_t* arrArguments[] = {L"-nowait"};
        bAccepted = StartServiceW(service.m_h, 1, arrArguments);
    }
    else
    {
        SERVICE_STATUS status = {};
        bAccepted = ControlService(service.m_h, SERVICE_CONTROL_STOP, &status);
    }
    if (!bAccepted)
    {
        SetError(strError);
        m_bRequestRefused = TRUE;
        return FALSE;
    }
    WaitState(service.m_h, bStart ? SERVICE_STOPPED : SERVICE_RUNNING);
    return TRUE;
}

void CServiceControl::WaitState(SC_HANDLE hService, DWORD dwState)
{
    time_t tDeadline = time(nullptr) + m_nWaitSeconds;
    for (;;)
    {
        SERVICE_STATUS status = {};
        if (QueryServiceStatus(hService, &status) && status.dwCurrentState != dwState)
            return;
        Sleep(250);
        if (tDeadline <= time(nullptr))
            return;
    }
}
