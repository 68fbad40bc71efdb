// "SMS Test": sends a text to up to three GSM numbers through the modem on a chosen COM port
// and shows the modem dialogue. Its fields come back from the profile, not from the options.
#pragma once

#include "console/settings/CChannelTestDialog.h"
#include "wincomponents/lists/CDataComboBox.h"

class CSMSTest : public CChannelTestDialog
{
public:
    explicit CSMSTest(CWnd* pParentWnd);

    CDataComboBox m_comboPorts;
    CString m_strTargetGSM1;
    CString m_strTargetGSM2;
    CString m_strTargetGSM3;
    CString m_strText;
    int m_bTargetGSM1;
    int m_bTargetGSM2;
    int m_bTargetGSM3;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Send: the dialog stays open.
    void OnOK() override;
    void OnTextChange();
    void OnTargetClicked();
    DECLARE_MESSAGE_MAP()

private:
    void ApplySendRule();
    void ApplyTargetRule();
    void SaveFields();
};
