#include "console/settings/CSettingsSMS.h"

#include "alarmmodel/Options.h"
#include "console/settings/CSMSTest.h"
#include "console/settings/ComPortList.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/SettingsRes.h"
#include "support/RegistryStore.h"

BEGIN_MESSAGE_MAP(CSettingsSMS, CPropertyPage)
    ON_COMMAND(IDC_SETTINGS_TEST, OnTestSms)
END_MESSAGE_MAP()

CSettingsSMS::CSettingsSMS() : CPropertyPage(IDD_SETTINGS_SMS)
{
}

void CSettingsSMS::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETTINGS_PORT, m_comboPorts);
}

BOOL CSettingsSMS::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillComPortComboKeepingChosen(m_comboPorts, GetOptions().GetSmsComPort());
    return TRUE;
}

void CSettingsSMS::OnTestSms()
{
    CSMSTest dialog(this);
    dialog.DoModal();
}

LONG CSettingsSMS::Save()
{
    return GetRegistryStore().SetStringA("COptions::SMS_COMPort", SelectedComPort(m_comboPorts));
}
