// The "SMS" page of the Options sheet: the COM port of the GSM modem.
#pragma once

#include "framework/window/CPropertyPage.h"
#include "wincomponents/lists/CDataComboBox.h"

class CSettingsSMS : public CPropertyPage
{
public:
    CSettingsSMS();

    // Writes the selected port to the options: ERROR_SUCCESS, or the reason it was refused.
    LONG Save();

    CDataComboBox m_comboPorts;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTestSms();
    DECLARE_MESSAGE_MAP()
};
