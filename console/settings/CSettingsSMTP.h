// The "SMTP Mail" page of the Options sheet: server, account and sender of the mail actions.
#pragma once

#include "framework/window/CPropertyPage.h"

class CSettingsSMTP : public CPropertyPage
{
public:
    // Reads the options.
    CSettingsSMTP();

    // Takes the controls' values and writes all five to the options: ERROR_SUCCESS, or the
    // reason of the first one refused, after which none is written.
    LONG Save();

    CString m_strPassword;
    CString m_strSenderEmail;
    CString m_strSenderName;
    CString m_strServer;
    CString m_strUsername;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTestSmtp();
    DECLARE_MESSAGE_MAP()
};
