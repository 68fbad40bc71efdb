// "Messenger (NET SEND) Service Status": the state, start type and description of the Windows
// Messenger service, read four times a second, with Start and Stop.
#pragma once

#include "framework/window/CDialog.h"

class CMessengerServiceDlg : public CDialog
{
public:
    explicit CMessengerServiceDlg(CWnd* pParentWnd);

    void UpdateStatus();
    void StartOrStop(const wchar_t* pszService, BOOL bStart);

    // The text of a configured start type: "Boot" ... "Disabled", else "Unknown".
    static CString StartTypeText(DWORD dwStartType);

    CString m_strDisplayName;
    CString m_strServiceName;
    CString m_strStatus;
    CString m_strDescription;
    CString m_strStartType;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnStart();
    void OnStop();
    DECLARE_MESSAGE_MAP()
};
