// The SMTP client against a scripted server (exact bytes, odd replies) and against aiosmtpd
// (what a real server delivers).
#include "alarmmodel/channels/SmtpClient.h"
#include "WirePeers.h"

#include <regex>

namespace
{
const char kHeaderTail[] = "X-Mailer: Tervok AG - SMTP Mailer v1.0\r\n"
                           "MIME-Version: 1.0\r\nContent-type: text/plain; charset=US-ASCII\r\n";
const char kDateLine[] = "Date: (Sun|Mon|Tue|Wed|Thu|Fri|Sat), [0-3][0-9] "
                         "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) 20[0-9][0-9] "
                         "[0-2][0-9]:[0-5][0-9]:[0-6][0-9] \\+0000\r\n";

USHORT Port(const char* pszName)
{
    return htons((USHORT)atoi(PeerSetting(pszName).c_str()));
}

// The scripted server, set to play one scenario; returns its record file, emptied.
std::string Scripted(const char* pszScenario)
{
    std::string dir = PeerSetting("TERVOK_SMTP_SCRIPTED_DIR");
    if (FILE* f = fopen((dir + "\\scenario").c_str(), "wb"))
    {
        fputs(pszScenario, f);
        fclose(f);
    }
    EmptyFile(dir + "\\record");
    return dir + "\\record";
}

// The record once the server has seen the client's last bytes.
std::string Record(const std::string& path, const char* pszLastBytes)
{
    std::string data;
    for (int i = 0; i < 100; ++i)
    {
        data = ReadWholeFile(path);
        if (data.size() >= strlen(pszLastBytes) && data.compare(data.size() - strlen(pszLastBytes), std::string::npos, pszLastBytes) == 0)
            break;
        Sleep(20);
    }
    return data;
}

void Prepare(CSmtpClient& smtp, const char* pszBody)
{
    smtp.SetSenderName("Alarm Console");
    smtp.SetSenderAddress("alarms@example.com");
    smtp.SetSubject("Disk full");
    smtp.AddTo("ops@example.com", "");
    smtp.SetBody(pszBody);
}

std::string WithoutDate(std::string text)
{
    return std::regex_replace(text, std::regex(kDateLine), "Date: *\r\n");
}
} // namespace

TEST(SmtpDialogue, ByteForByteWithLoginAndEveryKindOfRecipient)
{
    std::string record = Scripted("normal");
    CSmtpClient smtp;
    ASSERT_TRUE(smtp.Connect("127.0.0.1", Port("TERVOK_SMTP_SCRIPTED_PORT")));
    ASSERT_TRUE(smtp.SetCredentials("user", "secret"));
    Prepare(smtp, "line 1\n.\n..x\r\nlast");
    EXPECT_TRUE(smtp.AddTo("ann@example.com", "Ann"));
    EXPECT_TRUE(smtp.AddCc("cc@example.com", ""));
    EXPECT_TRUE(smtp.AddBcc("bcc@example.com", ""));
    EXPECT_TRUE(smtp.Send()) << smtp.m_szErrorText;
    EXPECT_TRUE(smtp.Quit());
    EXPECT_FALSE(smtp.IsConnected());

    std::string bytes = Record(record, "QUIT\r\n");
    EXPECT_TRUE(std::regex_search(bytes, std::regex(kDateLine))) << bytes;
    EXPECT_EQ(WithoutDate(bytes),
              "=== connection\n"
              "HELO 127.0.0.1\r\n"
              "AUTH LOGIN\r\ndXNlcg==\r\nc2VjcmV0\r\n"
              "MAIL FROM: <alarms@example.com>\r\n"
              "RCPT TO: <ops@example.com>\r\nRCPT TO: <ann@example.com>\r\n"
              "RCPT TO: <cc@example.com>\r\nRCPT TO: <bcc@example.com>\r\n"
              "DATA\r\n"
              "Date: *\r\n"
              "From: Alarm Console <alarms@example.com>\r\n"
              "To: <ops@example.com>,Ann<ann@example.com>\r\n"
              "Cc: <cc@example.com>\r\n"
              "Subject: Disk full\r\n" +
                  std::string(kHeaderTail) +
                  "\r\n"
                  "line 1\r\n..\r\n...x\r\nlast"
                  "\r\n.\r\n"
                  "QUIT\r\n");

    // The transcript shows both directions, the end of data as ".", never the password.
    std::string transcript = smtp.m_strTranscript.GetString();
    EXPECT_NE(transcript.find("  <= 220 scripted.example ESMTP\r\n"), std::string::npos);
    EXPECT_NE(transcript.find("=>   dXNlcg==\r\n"), std::string::npos);
    EXPECT_NE(transcript.find("=>   ********\r\n"), std::string::npos);
    EXPECT_EQ(transcript.find("c2VjcmV0"), std::string::npos);
    EXPECT_NE(transcript.find("=>   .\r\n  <= 250 2.0.0 Queued\r\n"), std::string::npos);
    EXPECT_NE(std::string(smtp.m_szReplyText).find("354 End data"), std::string::npos);
}

TEST(SmtpDialogue, NoLoginNoCcAndNoHeaderInjection)
{
    std::string record = Scripted("normal");
    CSmtpClient smtp;
    ASSERT_TRUE(smtp.Connect("127.0.0.1", Port("TERVOK_SMTP_SCRIPTED_PORT")));
    strcpy(smtp.m_szPassword, "secret"); // a password alone is never sent
    Prepare(smtp, "");
    smtp.SetSubject("Alarm\r\nBcc: victim@example.com");
    smtp.SetSenderName("Eve\nReply-To: eve@example.com");
    EXPECT_FALSE(smtp.AddTo("x@example.com\r\nRSET", ""));
    EXPECT_FALSE(smtp.AddCc("", "Nobody"));
    EXPECT_TRUE(smtp.Send()) << smtp.m_szErrorText;
    smtp.Quit();

    std::string bytes = WithoutDate(Record(record, "QUIT\r\n"));
    EXPECT_EQ(bytes.find("AUTH"), std::string::npos);
    EXPECT_EQ(bytes.find("RSET"), std::string::npos);
    EXPECT_NE(bytes.find("DATA\r\nDate: *\r\n"
                         "From: Eve Reply-To: eve@example.com <alarms@example.com>\r\n"
                         "To: <ops@example.com>\r\nCc: \r\n"
                         "Subject: Alarm Bcc: victim@example.com\r\n"),
              std::string::npos)
        << bytes;
}

TEST(SmtpDialogue, SecondConnectQuitsTheFirstConnection)
{
    std::string record = Scripted("normal");
    CSmtpClient smtp;
    ASSERT_TRUE(smtp.Connect("127.0.0.1", Port("TERVOK_SMTP_SCRIPTED_PORT")));
    ASSERT_TRUE(smtp.Connect("127.0.0.1", Port("TERVOK_SMTP_SCRIPTED_PORT")));
    EXPECT_TRUE(smtp.Quit());
    EXPECT_EQ(Record(record, "QUIT\r\n=== connection\nHELO 127.0.0.1\r\nQUIT\r\n"),
              "=== connection\nHELO 127.0.0.1\r\nQUIT\r\n=== connection\nHELO 127.0.0.1\r\nQUIT\r\n");
}

TEST(SmtpDialogue, SplitRepliesAndMultiLineGreetingAreReadToTheirFinalLine)
{
    std::string record = Scripted("split");
    CSmtpClient smtp;
    ASSERT_TRUE(smtp.Connect("127.0.0.1", Port("TERVOK_SMTP_SCRIPTED_PORT")));
    ASSERT_TRUE(smtp.SetCredentials("user", "secret"));
    Prepare(smtp, "text");
    EXPECT_TRUE(smtp.Send()) << smtp.m_szErrorText;
    smtp.Quit();
    std::string bytes = Record(record, "QUIT\r\n");
    EXPECT_EQ(bytes.find("!EARLY!"), std::string::npos) << bytes;
    std::string transcript = smtp.m_strTranscript.GetString();
    EXPECT_NE(transcript.find("  <= 220-scripted.example ESMTP\r\n  <= 220-second line\r\n  <= 220 ready\r\n"
                              "=>   HELO 127.0.0.1\r\n  <= 250 OK\r\n"),
              std::string::npos)
        << transcript;
}

TEST(SmtpFailures, ErrorRepliesEndTheStepWithTheirFirstLine)
{
    {
        std::string record = Scripted("auth535");
        CSmtpClient smtp;
        ASSERT_TRUE(smtp.Connect("127.0.0.1", Port("TERVOK_SMTP_SCRIPTED_PORT")));
        ASSERT_TRUE(smtp.SetCredentials("user", "wrong"));
        Prepare(smtp, "text");
        EXPECT_FALSE(smtp.Send());
        EXPECT_STREQ(smtp.m_szErrorText, "535 5.7.8 Authentication credentials invalid");
        EXPECT_EQ(smtp.m_nLastError, -1);
        smtp.Quit();
        EXPECT_EQ(Record(record, "QUIT\r\n").find("MAIL FROM"), std::string::npos);
    }
    {
        std::string record = Scripted("rcpt550");
        CSmtpClient smtp;
        ASSERT_TRUE(smtp.Connect("127.0.0.1", Port("TERVOK_SMTP_SCRIPTED_PORT")));
        Prepare(smtp, "text");
        EXPECT_FALSE(smtp.Send());
        EXPECT_STREQ(smtp.m_szErrorText, "550-5.1.1 No such user");
        smtp.Quit();
        EXPECT_EQ(Record(record, "QUIT\r\n").find("DATA"), std::string::npos);
    }
}

TEST(SmtpFailures, ServerClosingAfterDataIsAFailure)
{
    Scripted("close-after-data");
    CSmtpClient smtp;
    ASSERT_TRUE(smtp.Connect("127.0.0.1", Port("TERVOK_SMTP_SCRIPTED_PORT")));
    Prepare(smtp, "text");
    EXPECT_FALSE(smtp.Send());
    EXPECT_STREQ(smtp.m_szErrorText, "Recv error: Connection closed by the server");
    EXPECT_STREQ(smtp.m_szReplyText, "");
}

TEST(SmtpFailures, BadInputIsRefusedBeforeTheWire)
{
    CSmtpClient smtp;
    // Not connected: nothing is sent, the checks come first.
    smtp.AddCc("cc@example.com", "");
    smtp.AddBcc("bcc@example.com", "");
    EXPECT_FALSE(smtp.Send());
    EXPECT_STREQ(smtp.m_szErrorText, "Please specifiy a sender email address");
    smtp.SetSenderAddress("alarms@example.com");
    EXPECT_FALSE(smtp.Send());
    EXPECT_STREQ(smtp.m_szErrorText, "Failed to format message header");

    smtp.SetSenderAddress("alarms@example.com>\r\nRSET");
    smtp.AddTo("ops@example.com", "");
    EXPECT_FALSE(smtp.Send());
    EXPECT_STREQ(smtp.m_szErrorText, "Invalid sender email address");
    // Each refusal is in the transcript, which callers show.
    EXPECT_STREQ("  <= Please specifiy a sender email address\r\n  <= Failed to format message header\r\n"
                 "  <= Invalid sender email address\r\n",
                 smtp.m_strTranscript.GetString());

    // 765 characters still fit the login buffers in Base64, 766 do not.
    std::string fits(765, 'u'), tooLong(766, 'u');
    EXPECT_TRUE(smtp.SetCredentials(fits.c_str(), "p"));
    EXPECT_FALSE(smtp.SetCredentials(tooLong.c_str(), "p"));
    EXPECT_STREQ(smtp.m_szErrorText, "User name or password too long for AUTH LOGIN");
    EXPECT_STREQ(smtp.m_szUserName, fits.c_str());
    // A caller that filled the field itself is refused as well.
    memset(smtp.m_szUserName, 'u', sizeof smtp.m_szUserName);
    smtp.SetSenderAddress("alarms@example.com");
    EXPECT_FALSE(smtp.Send());
    EXPECT_STREQ(smtp.m_szErrorText, "User name or password too long for AUTH LOGIN");

    EXPECT_FALSE(smtp.Connect("no-such-host.invalid", 0));
    EXPECT_FALSE(smtp.IsConnected());
    EXPECT_FALSE(smtp.Quit());
}

namespace
{
std::string Delivered(const std::string& dir, int k, const char* pszPart)
{
    char name[64];
    snprintf(name, sizeof name, "\\mail-%d.%s", k, pszPart);
    return ReadWholeFile(dir + name);
}

void SendToAiosmtpd(USHORT nPort, const char* pszBody)
{
    CSmtpClient smtp;
    ASSERT_TRUE(smtp.Connect("127.0.0.1", nPort));
    Prepare(smtp, pszBody);
    smtp.AddBcc("bcc@example.com", "");
    EXPECT_TRUE(smtp.Send()) << smtp.m_szErrorText << "\n" << smtp.m_strTranscript.GetString();
    EXPECT_TRUE(smtp.Quit());
}
} // namespace

TEST(SmtpDelivery, DotLinesAndOverlongLinesArriveWhole)
{
    std::string dir = PeerSetting("TERVOK_SMTP_AIOSMTPD_DIR");
    std::string longLine(1500, 'x');
    longLine += " = end";
    std::string body = "first\n.\nQUIT\n" + longLine + "\n.last";
    SendToAiosmtpd(Port("TERVOK_SMTP_AIOSMTPD_PORT"), body.c_str());
    // The end of data gives the last line its line end.
    EXPECT_EQ(Delivered(dir, 1, "body"), body + "\n");
    EXPECT_EQ(Delivered(dir, 1, "envelope"), "alarms@example.com\nops@example.com\nbcc@example.com\n");
    std::string raw = Delivered(dir, 1, "eml");
    EXPECT_EQ(raw.find("bcc@example.com"), std::string::npos) << "Bcc must not show in the header";

    // Without long lines the body goes as it is.
    SendToAiosmtpd(Port("TERVOK_SMTP_AIOSMTPD_PORT"), "short\r\n.\r\nlines");
    EXPECT_EQ(Delivered(dir, 2, "body"), "short\n.\nlines\n");
    EXPECT_EQ(Delivered(dir, 2, "eml").find("quoted-printable"), std::string::npos);
}

TEST(SmtpDelivery, LoginAfterHeloIsRefusedByAiosmtpdWithItsReply)
{
    CSmtpClient smtp;
    ASSERT_TRUE(smtp.Connect("127.0.0.1", Port("TERVOK_SMTP_AIOSMTPD_PORT")));
    ASSERT_TRUE(smtp.SetCredentials("user", "secret"));
    Prepare(smtp, "text");
    EXPECT_FALSE(smtp.Send());
    EXPECT_EQ(std::string(smtp.m_szErrorText).substr(0, 4), "500 ");
}

TEST(SmtpMailPort, PortZeroReachesTheMailService)
{
    std::string dir = PeerSetting("TERVOK_SMTP_AIOSMTPD_DIR");
    SendToAiosmtpd(0, "through port 25");
    EXPECT_EQ(Delivered(dir, 1, "body"), "through port 25\n");
}
