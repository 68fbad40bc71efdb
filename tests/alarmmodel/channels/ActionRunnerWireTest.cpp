// A triggered definition's mail and SMS actions delivered to real peers: aiosmtpd on the mail
// port and the modem simulator.
#include "alarmmodel/AlarmDefinition.h"
#include "alarmmodel/channels/SendSMS.h"
#include "support/RegistryStore.h"
#include "support/StringEx.h"
#include "support/TimeText.h"
#include "tests/support/TestSupport.h"
#include "WirePeers.h"

#include <regex>

namespace
{
const wchar_t* const Number = L"+41790000001";

std::string Narrow(const CString& s)
{
    return std::string(CStringA(s).GetString());
}

int DeliveredCount(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((dir + "\\*.eml").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    do
        ++n;
    while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return n;
}

class AlarmActionsDelivery : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = PeerSetting("TERVOK_SMTP_AIOSMTPD_DIR");
        m_modemPort = PeerSetting("TERVOK_MODEM_OK_PORT");
        m_modemRecord = PeerSetting("TERVOK_MODEM_OK_RECORD");
        EmptyFile(m_modemRecord);
        CRegistryStore& store = GetRegistryStore();
        store.Init(HKEY_LOCAL_MACHINE, m_key.Path(), L"Volatile");
        store.SetStringA("COptions::SMTP_Server", L"127.0.0.1");
        store.SetStringA("COptions::SMTP_SenderName", L"Belvane");
        store.SetStringA("COptions::SMTP_SenderEmail", L"alarms@example.com");
        store.SetStringA("COptions::SMS_COMPort", CString(m_modemPort.c_str()));

        m_definition.m_strTitle = L"Disk";
        m_definition.m_strDescription = L"Disk almost full";
        m_definition.m_nClass = 1;
        m_columns = testsupport::Lines({L"FLD_RECEIVED_NAME", L"FLD_HOSTNAME", L"FLD_NOT_A_FIELD"});
        m_values = testsupport::Lines({L"srv01", L"host-a", L"ignored"});
        m_trigger = testsupport::Lines({L"a", L"b"});
    }

    BOOL Run(std::initializer_list<const wchar_t*> actions)
    {
        m_definition.m_arrActions = testsupport::Lines(actions);
        return m_definition.ExecuteAlarmActions(L"console", L"1700000000", m_columns, m_values, m_trigger, m_log);
    }
    std::string Log() const { return Narrow(CStringArrayEx(m_log).Join(L"\n")); }

    testsupport::CScratchKey m_key;
    std::string m_dir, m_modemPort, m_modemRecord;
    CAlarmDefinition m_definition;
    CStringArray m_columns, m_values, m_trigger, m_log;
};
} // namespace

TEST_F(AlarmActionsDelivery, MailAndSmsOfOneDefinitionArrive)
{
    const std::string time = Narrow(CTimeText(1700000000).Format());
    ASSERT_TRUE(Run({L"0: ops@example.com, second@example.com ", L"1:+41790000001"})) << Log();

    const std::string mail = ReadWholeFile(m_dir + "\\mail-1.eml");
    EXPECT_NE(mail.find("Subject: [Tervok Alarm] Disk (srv01)\r\n"), std::string::npos) << mail;
    EXPECT_EQ(ReadWholeFile(m_dir + "\\mail-1.envelope"), "alarms@example.com\nops@example.com\nsecond@example.com\n");
    EXPECT_EQ(ReadWholeFile(m_dir + "\\mail-1.body"),
              "[From]\nconsole\n\n[Time]\n" + time + "\n\n[Alarm]\nDisk\n\n[Description]\nDisk almost full\n\n"
              "[Trigger]\na\nb\n\n[Fields]\nFrom = srv01\nHostname = host-a\n");
    // The dialogue is in the log, between the mail action's lines.
    EXPECT_NE(Log().find("<= 250 Message accepted for delivery"), std::string::npos) << Log();

    // One PDU of the expected text to the number.
    const std::string record = ReadWholeFile(m_modemRecord);
    std::smatch pdu;
    ASSERT_TRUE(std::regex_search(record, pdu, std::regex("\n?([0-9A-F]+)\x1A"))) << record;
    const CString text = L"[Alarm] Disk (srv01) [Time] " + CString(time.c_str()) +
                         L"  [Description] Disk almost full  [Trigger] a, b.";
    CStringA septets;
    ASSERT_TRUE(CSendSMS::MapToGsmAlphabet(text, septets));
    const int reference = std::stoi(pdu[1].str().substr(36, 2), nullptr, 16);
    std::vector<CStringA> expected;
    CSendSMS::Make7BitPdus(septets, Number, reference, expected);
    ASSERT_EQ(1u, expected.size());
    EXPECT_EQ(pdu[1].str() + "\x1A", expected[0].GetString());
    EXPECT_NE(Log().find("+CMGS: 1"), std::string::npos) << Log();
}

// A login longer than the client's fields is refused before anything is sent.
TEST_F(AlarmActionsDelivery, OverlongLoginSendsNothing)
{
    GetRegistryStore().SetStringA("COptions::SMTP_Username", CString(L'u', 1100));
    const int before = DeliveredCount(m_dir);
    EXPECT_FALSE(Run({L"0:ops@example.com"}));
    EXPECT_NE(Log().find("User name or password too long for AUTH LOGIN"), std::string::npos) << Log();
    Sleep(500);
    EXPECT_EQ(before, DeliveredCount(m_dir));
}

// Failures that end the mail before its dialogue reach the log like the dialogue's own.
TEST_F(AlarmActionsDelivery, MailRefusedBeforeTheDialogueIsReported)
{
    const int before = DeliveredCount(m_dir);
    EXPECT_TRUE(Run({L"0:<ops>, line\nbreak"}));
    EXPECT_NE(Log().find("<= Failed to format message header"), std::string::npos) << Log();

    GetRegistryStore().SetStringA("COptions::SMTP_SenderEmail", L"alarms@example.com>");
    EXPECT_TRUE(Run({L"0:ops@example.com"}));
    EXPECT_NE(Log().find("<= Invalid sender email address"), std::string::npos) << Log();
    Sleep(500);
    EXPECT_EQ(before, DeliveredCount(m_dir));
}
