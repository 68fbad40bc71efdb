// "Net Send Test": sends one message with NET SEND through the command runner and shows the
// command with its output and errors. Addressee and text come back from the profile.
#pragma once

#include "console/settings/CChannelTestDialog.h"

class CNetSendTest : public CChannelTestDialog
{
public:
    explicit CNetSendTest(CWnd* pParentWnd);

    CString m_strSendTo;
    CString m_strMessage;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Send: the dialog stays open.
    void OnOK() override;
    void OnTextChange();
    void OnService();
    DECLARE_MESSAGE_MAP()

private:
    void ApplySendRule();
};
