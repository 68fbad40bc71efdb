#include "alarmmodel/Options.h"

#include "support/RegistryStore.h"

namespace
{
COptions theOptions;

CString Setting(const char* pszName)
{
    return GetRegistryStore().GetStringA(pszName, L"");
}
} // namespace

COptions& GetOptions()
{
    return theOptions;
}

CString COptions::GetSmsComPort() const
{
    return Setting("COptions::SMS_COMPort");
}

CString COptions::GetSmtpServer() const
{
    return Setting("COptions::SMTP_Server");
}

CString COptions::GetSmtpUsername() const
{
    return Setting("COptions::SMTP_Username");
}

CString COptions::GetSmtpPassword() const
{
    return Setting("COptions::SMTP_Password");
}

CString COptions::GetSmtpSenderName() const
{
    return Setting("COptions::SMTP_SenderName");
}

CString COptions::GetSmtpSenderEmail() const
{
    return Setting("COptions::SMTP_SenderEmail");
}
