// The channel test dialogs and the Options sheet against real peers: aiosmtpd on the mail port
// and the modem simulator behind a pseudo-terminal COM port (with-peers starts both).
#include "SettingsFixture.h"
#include "WirePeers.h"

#include "alarmmodel/channels/SendSMS.h"
#include "console/definitions/CAlarmActionsDlg.h"
#include "console/settings/CSMSTest.h"
#include "console/settings/CSMTPMailTest.h"
#include "resources/console/DefinitionsRes.h"
#include "resources/console/SettingsRes.h"
#include "support/AppProfile.h"

#include <regex>

namespace
{
std::string Narrow(const CString& strText)
{
    return std::string(CStringA(strText).GetString());
}

class SettingsWire : public SettingsFixture
{
protected:
    SettingsWire() : m_mailDir(PeerSetting("TERVOK_SMTP_AIOSMTPD_DIR")) {}

    BOOL Delivered(int nMail) const
    {
        return ::GetFileAttributesA((m_mailDir + "\\mail-" + std::to_string(nMail) + ".eml").c_str()) !=
               INVALID_FILE_ATTRIBUTES;
    }
    std::string MailFile(int nMail, const char* pszKind) const
    {
        return ReadWholeFile(m_mailDir + "\\mail-" + std::to_string(nMail) + pszKind);
    }

    void FillMail(CSMTPMailTest& dialog, const wchar_t* pszServer)
    {
        SetText(&dialog, IDC_SMTP_TEST_SERVER, pszServer);
        SetText(&dialog, IDC_SMTP_TEST_SENDER_NAME, L"");
        SetText(&dialog, IDC_SMTP_TEST_SENDER_EMAIL, L"alarms@example.com");
        SetText(&dialog, IDC_SMTP_TEST_SUBJECT, L"Channel test");
        SetText(&dialog, IDC_SMTP_TEST_TO, L"ops@example.com");
        SetText(&dialog, IDC_SMTP_TEST_CC, L"cc@example.com");
        SetText(&dialog, IDC_SMTP_TEST_BCC, L"");
        Type(&dialog, IDC_SMTP_TEST_MESSAGE, L"First line\r\n.Second line");
    }

    std::string m_mailDir;
};
} // namespace

TEST_F(SettingsWire, SmtpTestDeliversToAiosmtpdAndShowsTheDialogue)
{
    CSMTPMailTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_SMTP_MAIL_TEST, &Host()));
    FillMail(dialog, L"127.0.0.1");
    Click(&dialog, IDOK);

    const std::string transcript = Narrow(GetText(&dialog, IDC_TEST_OUTPUT));
    EXPECT_EQ(CString(L""), GetText(&dialog, IDC_SMTP_TEST_STATUS));
    EXPECT_NE(transcript.find("=>   HELO 127.0.0.1\r\n"), std::string::npos) << transcript;
    EXPECT_NE(transcript.find("=>   RCPT TO: <cc@example.com>\r\n"), std::string::npos) << transcript;
    EXPECT_NE(transcript.find("  <= 250 Message accepted for delivery\r\n"), std::string::npos) << transcript;
    ASSERT_TRUE(Delivered(1));
    const std::string mail = MailFile(1, ".eml");
    // The empty sender name becomes the address.
    EXPECT_NE(mail.find("From: alarms@example.com <alarms@example.com>\r\n"), std::string::npos) << mail;
    EXPECT_NE(mail.find("Subject: Channel test\r\n"), std::string::npos) << mail;
    EXPECT_EQ("alarms@example.com\nops@example.com\ncc@example.com\n", MailFile(1, ".envelope"));
    EXPECT_EQ(0u, MailFile(1, ".body").find("First line\n.Second line"));
    EXPECT_EQ(CString(L""), GetAppProfile().GetString(L"CSMTPMailTest::IDC_EDIT2", L"<none>"));
    dialog.DestroyWindow();
}

TEST_F(SettingsWire, SmtpTestShowsARefusedLoginAsRefused)
{
    CSMTPMailTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_SMTP_MAIL_TEST, &Host()));
    FillMail(dialog, L"127.0.0.1");
    SetText(&dialog, IDC_SMTP_TEST_USERNAME, L"operator");
    SetText(&dialog, IDC_SMTP_TEST_PASSWORD, L"secret");
    Click(&dialog, IDOK);

    // aiosmtpd offers no login after HELO and answers AUTH LOGIN with an error.
    const std::string status = Narrow(GetText(&dialog, IDC_SMTP_TEST_STATUS));
    const std::string transcript = Narrow(GetText(&dialog, IDC_TEST_OUTPUT));
    EXPECT_TRUE(std::regex_match(status, std::regex("5[0-9][0-9] .+"))) << status;
    EXPECT_NE(transcript.find("=>   AUTH LOGIN\r\n  <= " + status + "\r\n"), std::string::npos) << transcript;
    EXPECT_EQ(transcript.find("MAIL FROM"), std::string::npos) << transcript;
    EXPECT_EQ(transcript.find("secret"), std::string::npos) << transcript;

    // A login the client cannot send is refused before the mail.
    SetText(&dialog, IDC_SMTP_TEST_USERNAME, CString(L'u', 1100));
    Click(&dialog, IDOK);
    EXPECT_EQ(CString(L"User name or password too long for AUTH LOGIN"), GetText(&dialog, IDC_SMTP_TEST_STATUS));
    Sleep(300);
    EXPECT_FALSE(Delivered(1));
    dialog.DestroyWindow();
}

TEST_F(SettingsWire, SmsTestReachesTheModemWithThePduOfTheSmsCode)
{
    const std::string port = PeerSetting("TERVOK_MODEM_OK_PORT");
    const std::string record = PeerSetting("TERVOK_MODEM_OK_RECORD");
    EmptyFile(record);
    GetAppProfile().WriteString(L"CSMSTest::m_comboPorts", CString(port.c_str()));
    CSMSTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_SMS_TEST, &Host()));
    EXPECT_EQ(port, Narrow(dialog.m_comboPorts.GetSelText()));
    SetText(&dialog, IDC_SMS_TEST_GSM1, L"+41790000001");
    Type(&dialog, IDC_SMS_TEST_TEXT, L"Hello from the SMS test");
    Click(&dialog, IDOK);

    const std::string shown = Narrow(GetText(&dialog, IDC_TEST_OUTPUT));
    EXPECT_EQ(0u, shown.find("Connected to " + port + "\r\n")) << shown;
    EXPECT_NE(shown.find("\r\n+CMGS: 1\r\nOK\r\n"), std::string::npos) << shown;
    const std::string bytes = ReadWholeFile(record);
    std::smatch pdu;
    ASSERT_TRUE(std::regex_search(bytes, pdu, std::regex("\n?([0-9A-F]+)\x1A"))) << bytes;
    CStringA septets;
    ASSERT_TRUE(CSendSMS::MapToGsmAlphabet(L"Hello from the SMS test", septets));
    std::vector<CStringA> expected;
    CSendSMS::Make7BitPdus(septets, L"+41790000001", std::stoi(pdu[1].str().substr(36, 2), nullptr, 16), expected);
    ASSERT_EQ(1u, expected.size());
    EXPECT_EQ(pdu[1].str() + "\x1A", expected[0].GetString());
    EXPECT_EQ(CString(L"+41790000001"), GetAppProfile().GetString(L"CSMSTest::m_strTargetGSM1", L""));
    dialog.DestroyWindow();
}

TEST_F(SettingsWire, MailAfterChangingTheServerInOptionsUsesTheNewServer)
{
    CRegistryStore& store = GetRegistryStore();
    // Nothing listens on 127.0.0.2.
    store.SetStringA("COptions::SMTP_Server", L"127.0.0.2");
    store.SetStringA("COptions::SMTP_SenderEmail", L"alarms@example.com");
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    definition.m_arrActions.Add(L"0:ops@example.com");
    CStringArray arrNone;
    CAlarmActionsDlg dialog(&Host(), definition, L"Belvane", L"1700000000", arrNone, arrNone);
    ASSERT_TRUE(dialog.Create(IDD_ALARM_ACTIONS, &Host()));
    Click(&dialog, IDC_ALARM_ACTIONS_START);
    EXPECT_NE(-1, GetText(&dialog, IDC_ALARM_ACTIONS_REPORT).Find(L"Cannot connect to the SMTP server 127.0.0.2"));

    EXPECT_TRUE(AnswerModal(L"Options", OkWithServer(L"127.0.0.1"),
                            [&] { Click(&dialog, IDC_ALARM_ACTIONS_OPTIONS); }));
    Click(&dialog, IDC_ALARM_ACTIONS_START);
    const std::string report = Narrow(GetText(&dialog, IDC_ALARM_ACTIONS_REPORT));
    EXPECT_NE(report.find("<= 250 Message accepted for delivery"), std::string::npos) << report;
    ASSERT_TRUE(Delivered(1));
    EXPECT_NE(MailFile(1, ".eml").find("Subject: [Tervok Alarm] Disk\r\n"), std::string::npos);
    dialog.DestroyWindow();
}
