// The "Options" sheet: the GSM modem's port and the SMTP account that the notification
// channels read. Every option is written when the sheet ends with OK, none otherwise; OK whose
// writes are refused (a user who may only read the machine's settings) says so and keeps the
// sheet open.
#pragma once

#include "console/settings/CSettingsSMS.h"
#include "console/settings/CSettingsSMTP.h"
#include "framework/window/CPropertySheet.h"

class CSettingsSheet : public CPropertySheet
{
public:
    CSettingsSheet(const wchar_t* pszCaption, CWnd* pParentWnd, UINT iSelectPage = 0);

    CSettingsSMS m_pageSMS;
    CSettingsSMTP m_pageSMTP;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void ReportNotSaved(LONG lStatus);
};
