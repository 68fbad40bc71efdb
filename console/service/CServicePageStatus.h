// The "Service Status" page of the service sheet: the alarms service's state and the counters
// it publishes in the volatile registry subkey, read four times a second; Start, Stop, the
// service's log file and the program folder.
#pragma once

#include "framework/controls/CStatic.h"
#include "framework/window/CPropertyPage.h"

class CServicePageStatus : public CPropertyPage
{
public:
    CServicePageStatus();

    // Reads the service's state and values and shows them.
    void UpdateStatus();

    CString m_strDisplayName;
    CString m_strLastAlarm;
    CString m_strLogfile;
    CString m_strAlarmsCreated;
    CString m_strServiceName;
    CString m_strStarted;
    CString m_strStatus;
    CString m_strProcessed;
    CString m_strDatabaseSize;
    CString m_strQueueSize;
    CStatic m_wndLogfile;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnStart();
    void OnStop();
    void OnViewLog();
    void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    void StartOrStop(BOOL bStart);
};
