#include "console/settings/CSettingsSMTP.h"

#include "alarmmodel/Options.h"
#include "console/settings/CSMTPMailTest.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/SettingsRes.h"
#include "support/RegistryStore.h"

BEGIN_MESSAGE_MAP(CSettingsSMTP, CPropertyPage)
    ON_COMMAND(IDC_SETTINGS_TEST, OnTestSmtp)
END_MESSAGE_MAP()

CSettingsSMTP::CSettingsSMTP() : CPropertyPage(IDD_SETTINGS_SMTP)
{
    const COptions& options = GetOptions();
    m_strPassword = options.GetSmtpPassword();
    m_strSenderEmail = options.GetSmtpSenderEmail();
    m_strSenderName = options.GetSmtpSenderName();
    m_strServer = options.GetSmtpServer();
    m_strUsername = options.GetSmtpUsername();
}

void CSettingsSMTP::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SETTINGS_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_SETTINGS_SENDER_EMAIL, m_strSenderEmail);
    DDX_Text(pDX, IDC_SETTINGS_SENDER_NAME, m_strSenderName);
    DDX_Text(pDX, IDC_SETTINGS_SERVER, m_strServer);
    DDX_Text(pDX, IDC_SETTINGS_USERNAME, m_strUsername);
}

void CSettingsSMTP::OnTestSmtp()
{
    CSMTPMailTest dialog(this);
    dialog.DoModal();
}

LONG CSettingsSMTP::Save()
{
    UpdateData(TRUE);
    const struct
    {
        const char* pszName;
        const CString& strValue;
    } options[] = {{"COptions::SMTP_Password", m_strPassword},
                   {"COptions::SMTP_SenderEmail", m_strSenderEmail},
                   {"COptions::SMTP_SenderName", m_strSenderName},
                   {"COptions::SMTP_Server", m_strServer},
                   {"COptions::SMTP_Username", m_strUsername}};
    CRegistryStore& store = GetRegistryStore();
    for (const auto& option : options)
    {
        LONG lStatus = store.SetStringA(option.pszName, option.strValue);
        if (lStatus != ERROR_SUCCESS)
            return lStatus;
    }
    return ERROR_SUCCESS;
}
