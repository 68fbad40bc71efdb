// The whole modem dialogue against the modem simulator behind a pseudo-terminal COM port.
#include "alarmmodel/channels/SendSMS.h"
#include "WirePeers.h"

#include <algorithm>
#include <regex>

namespace
{
struct SModem
{
    std::string port;
    std::string record;
};

SModem Modem(const char* pszMode)
{
    SModem modem;
    modem.port = PeerSetting((std::string("TERVOK_MODEM_") + pszMode + "_PORT").c_str());
    modem.record = PeerSetting((std::string("TERVOK_MODEM_") + pszMode + "_RECORD").c_str());
    EmptyFile(modem.record);
    return modem;
}

CStringArray Numbers(const wchar_t* pszText)
{
    CStringArray numbers;
    numbers.Add(pszText);
    return numbers;
}

std::vector<std::string> Log(const CSendSMS& sms)
{
    std::vector<std::string> lines;
    for (const CString& line : sms.m_arrLog)
        lines.push_back(CStringA(line).GetString());
    return lines;
}

// The PDUs the modem received, in order.
std::vector<std::string> Pdus(const std::string& record)
{
    std::vector<std::string> pdus;
    std::regex pdu("\n?([0-9A-F]+)\x1A");
    for (std::sregex_iterator it(record.begin(), record.end(), pdu), end; it != end; ++it)
        pdus.push_back((*it)[1]);
    return pdus;
}
} // namespace

TEST(ModemDialogue, OnePartTranscriptAndBytes)
{
    SModem modem = Modem("OK");
    CSendSMS sms(CString(modem.port.c_str()), Numbers(L"+41791234567"), L"Hello");
    EXPECT_TRUE(sms.Send());
    std::string record = ReadWholeFile(modem.record);
    std::vector<std::string> pdus = Pdus(record);
    ASSERT_EQ(pdus.size(), 1u);
    ASSERT_EQ(pdus[0].size(), 52u);
    std::string reference = pdus[0].substr(36, 2);
    EXPECT_EQ(pdus[0], "0051000B911497214365F70000AA0C050003" + reference + "0101906536FB0D");
    EXPECT_EQ(record, "ATZ\rAT+CMGF=?\rAT+CMGF=0\r\nAT+CSMS=0\r\nAT+CMGS=25\r\n" + pdus[0] + "\x1A" "ATZ\r");

    std::vector<std::string> expected = {
        "Connected to " + modem.port, "-", "# Reset modem", "ATZ", "OK",
        "# Query supported modes", "AT+CMGF=?", "+CMGF: (0,1)", "OK",
        "# Selecting PDU mode", "AT+CMGF=0", "OK",
        "# Checking SMS support", "AT+CSMS=0", "OK",
        "# Using 7 bit encoding", "# Sending part 1 of 1 to +41791234567", "AT+CMGS=25", ">",
        pdus[0], pdus[0], "+CMGS: 1", "OK",
        "# Reset modem", "ATZ", "OK", "-", "Closing"};
    EXPECT_EQ(Log(sms), expected);
}

TEST(ModemDialogue, TwoPartsToEachOfTwoNumbers)
{
    SModem modem = Modem("OK");
    CSendSMS sms(CString(modem.port.c_str()), Numbers(L"+41791234567;0791234567"), std::wstring(200, L'x').c_str());
    EXPECT_TRUE(sms.Send());

    std::vector<std::string> pdus = Pdus(ReadWholeFile(modem.record));
    ASSERT_EQ(pdus.size(), 4u);
    // 150 and 50 septets, numbered 1 and 2 of 2; one reference per message.
    EXPECT_EQ(pdus[0].substr(28, 2), "9D");
    EXPECT_EQ(pdus[0].substr(38, 4), "0201");
    EXPECT_EQ(pdus[1].substr(28, 2), "39");
    EXPECT_EQ(pdus[1].substr(38, 4), "0202");
    EXPECT_EQ(pdus[0].substr(36, 2), pdus[1].substr(36, 2));
    // The national number has no international prefix and an even number of digits.
    EXPECT_EQ(pdus[2].substr(0, 28), "0051000AA170193254760000AA9D");
    EXPECT_EQ(pdus[2].substr(34, 2), pdus[3].substr(34, 2));
    EXPECT_NE(pdus[0].substr(36, 2), pdus[2].substr(34, 2));

    std::vector<std::string> log = Log(sms);
    EXPECT_EQ(std::count(log.begin(), log.end(), "# Using 7 bit encoding"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "# Sending part 2 of 2 to 0791234567"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "AT+CSMS=0"), 2);
}

TEST(ModemDialogue, TextWithoutGsmFormGoesOutAsUcs2AndBadNumbersAreRefused)
{
    SModem modem = Modem("OK");
    CSendSMS sms(CString(modem.port.c_str()), Numbers(L"079-123 +41791234567"),
                 L"\u041F\u0440\u0438\u0432\u0435\u0442 \u4F60\u597D");
    // The refused number makes the whole send fail; the good one still gets its message.
    EXPECT_FALSE(sms.Send());

    std::vector<std::string> pdus = Pdus(ReadWholeFile(modem.record));
    ASSERT_EQ(pdus.size(), 1u);
    EXPECT_EQ(pdus[0].substr(0, 36), "0051000B911497214365F70008AA18050003");
    EXPECT_EQ(pdus[0].substr(42), "041F044004380432043504420020" "4F60597D");

    std::vector<std::string> log = Log(sms);
    EXPECT_EQ(std::count(log.begin(), log.end(),
                         "Error: invalid number 079-123 (only digits and a leading + are allowed)"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "# Using 16 bit encoding"), 1);
}

TEST(ModemDialogue, EmptyTextStillResetsAndChecksEveryNumber)
{
    SModem modem = Modem("OK");
    CSendSMS sms(CString(modem.port.c_str()), Numbers(L"+41 +42"), L"");
    EXPECT_TRUE(sms.Send());
    EXPECT_EQ(ReadWholeFile(modem.record), "ATZ\rAT+CMGF=?\rAT+CMGF=0\r\nAT+CSMS=0\r\nAT+CSMS=0\r\nATZ\r");
}

TEST(SilentModem, FirstSilentReadEndsTheDialogue)
{
    SModem modem = Modem("SILENT");
    CSendSMS sms(CString(modem.port.c_str()), Numbers(L"+41791234567"), L"Hello");
    DWORD start = GetTickCount();
    EXPECT_FALSE(sms.Send());
    EXPECT_LT(GetTickCount() - start, 10000u);

    std::vector<std::string> log = Log(sms);
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[3], "ATZ");
    EXPECT_TRUE(std::regex_match(log[4], std::regex("Read error: timeout after [0-9]+ ms"))) << log[4];
    EXPECT_EQ(log[5], "-");
    EXPECT_EQ(log[6], "Closing");
    EXPECT_EQ(ReadWholeFile(modem.record), "ATZ\r");
}

TEST(RefusingModem, ErrorAtCmgsSendsNoPdu)
{
    SModem modem = Modem("CMGS_ERROR");
    CSendSMS sms(CString(modem.port.c_str()), Numbers(L"+41791234567"), std::wstring(200, L'x').c_str());
    EXPECT_FALSE(sms.Send());

    std::string record = ReadWholeFile(modem.record);
    EXPECT_TRUE(Pdus(record).empty());
    EXPECT_EQ(record, "ATZ\rAT+CMGF=?\rAT+CMGF=0\r\nAT+CSMS=0\r\nAT+CMGS=152\r\nAT+CMGS=64\r\nATZ\r");
    std::vector<std::string> log = Log(sms);
    auto at = std::find(log.begin(), log.end(), "AT+CMGS=152");
    ASSERT_NE(at, log.end());
    EXPECT_EQ(*(at + 1), "ERROR");
    EXPECT_EQ(*(at + 2), "# Using 7 bit encoding");
}
