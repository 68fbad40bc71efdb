// "SMTP Mail Test": sends one mail through an SMTP server and shows the dialogue and the last
// error. Its fields come back from the profile, not from the options.
#pragma once

#include "console/settings/CChannelTestDialog.h"

class CSMTPMailTest : public CChannelTestDialog
{
public:
    explicit CSMTPMailTest(CWnd* pParentWnd);

    CString m_strServer;
    CString m_strSenderName;
    CString m_strSenderEmail;
    CString m_strSubject;
    CString m_strTo;
    CString m_strCc;
    CString m_strBcc;
    CString m_strMessage;
    CString m_strUsername;
    CString m_strPassword;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Send: the dialog stays open.
    void OnOK() override;
    void OnTextChange();
    DECLARE_MESSAGE_MAP()

private:
    void ApplySendRule();
    void SaveFields();
    // The status line's text.
    CString SendMail(CString& strTranscript);
};
