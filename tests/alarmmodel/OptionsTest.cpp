#include "FileFixture.h"

#include "alarmmodel/Options.h"
#include "support/RegistryStore.h"

class OptionsTest : public FileFixture
{
};

TEST_F(OptionsTest, EmptyWithoutValuesAndEveryReadIsFresh)
{
    COptions& options = GetOptions();
    EXPECT_EQ(&options, &GetOptions());
    EXPECT_STREQ(L"", options.GetSmsComPort());
    EXPECT_STREQ(L"", options.GetSmtpServer());
    EXPECT_STREQ(L"", options.GetSmtpUsername());
    EXPECT_STREQ(L"", options.GetSmtpPassword());
    EXPECT_STREQ(L"", options.GetSmtpSenderName());
    EXPECT_STREQ(L"", options.GetSmtpSenderEmail());

    CRegistryStore& store = GetRegistryStore();
    store.SetStringA("COptions::SMS_COMPort", L"COM3");
    store.SetStringA("COptions::SMTP_Server", L"127.0.0.1");
    store.SetStringA("COptions::SMTP_Username", L"user");
    store.SetStringA("COptions::SMTP_Password", L"secret");
    store.SetStringA("COptions::SMTP_SenderName", L"Belvane");
    store.SetStringA("COptions::SMTP_SenderEmail", L"belvane@example.com");
    EXPECT_STREQ(L"COM3", options.GetSmsComPort());
    EXPECT_STREQ(L"127.0.0.1", options.GetSmtpServer());
    EXPECT_STREQ(L"user", options.GetSmtpUsername());
    EXPECT_STREQ(L"secret", options.GetSmtpPassword());
    EXPECT_STREQ(L"Belvane", options.GetSmtpSenderName());
    EXPECT_STREQ(L"belvane@example.com", options.GetSmtpSenderEmail());

    store.SetStringA("COptions::SMS_COMPort", L"COM4");
    EXPECT_STREQ(L"COM4", options.GetSmsComPort());
}
