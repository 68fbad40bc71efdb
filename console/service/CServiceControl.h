// State, start and stop of one service on the local machine. An object lives for one
// operation and holds no handles between calls; failures come back as the system's own texts.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

#include <functional>

class CServiceControl
{
public:
    // A start or stop waits up to nWaitSeconds for the service to leave its state.
    explicit CServiceControl(const wchar_t* pszService, int nWaitSeconds = 5);
    virtual ~CServiceControl() {}

    // TRUE when the status was read; the flags say which of Start and Stop may be offered and
    // are both FALSE whenever the status was not read.
    BOOL QueryState(CString& strStatus, CString& strDisplayName, BOOL& bCanStart, BOOL& bCanStop,
                    CString& strError);
    // The configured start type (SERVICE_AUTO_START ...) and the optional description.
    BOOL QueryConfiguration(CString& strDisplayName, DWORD& dwStartType, CString& strDescription,
                            CString& strError);
    // TRUE when the manager accepted the request; the state need not have changed yet. A start
    // first writes RestartNowait = 1 and passes the one argument "-nowait".
    BOOL StartOrStop(BOOL bStart, CString& strError);
    // After a failed StartOrStop: TRUE when the service was opened and the start or stop itself
    // was refused.
    BOOL RequestRefused() const { return m_bRequestRefused; }
    // The system's code of the last failure, 0 after a success.
    DWORD ErrorCode() const { return m_dwError; }
    // After StartOrStop: what it could not store on the way (RestartNowait refused to a user who
    // may only read the console's settings), as a line for the log window; empty when nothing.
    const CString& Warning() const { return m_strWarning; }

    // The state's status text and the Start and Stop flags of that state.
    static void DescribeState(DWORD dwState, CString& strStatus, BOOL& bCanStart, BOOL& bCanStop);

private:
    void WaitState(SC_HANDLE hService, DWORD dwState);
    void SetError(CString& strError);
    CString DisplayName(SC_HANDLE hService);

    CString m_strService;
    int m_nWaitSeconds;
    BOOL m_bRequestRefused;
    DWORD m_dwError;
    CString m_strWarning;
};

// Opens the local service control manager; replaceable so that a test can play a manager that
// refuses. An empty function restores the system's. Returns the function that was in place.
typedef std::function<SC_HANDLE(DWORD dwAccess)> ServiceManagerOpener;
ServiceManagerOpener SetServiceManagerOpener(ServiceManagerOpener fn);
