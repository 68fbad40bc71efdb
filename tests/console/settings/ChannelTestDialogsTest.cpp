#include "SettingsFixture.h"

#include "alarmmodel/channels/CommandRunner.h"
#include "alarmmodel/channels/SpeechVoice.h"
#include "console/settings/CNetSendTest.h"
#include "console/settings/CSMSTest.h"
#include "console/settings/CSMTPMailTest.h"
#include "console/settings/CSpeachTest.h"
#include "console/settings/ChannelTestTexts.h"
#include "resources/console/SettingsRes.h"
#include "support/AppProfile.h"

namespace
{
class ChannelTestDialogs : public SettingsFixture
{
protected:
    // A file that a command run by mistake would write; gone before and after the test.
    CString MarkFile()
    {
        wchar_t szTemp[MAX_PATH] = L"";
        ::GetTempPathW(MAX_PATH, szTemp);
        m_strMark.Format(L"%spwned-%lu.txt", szTemp, GetCurrentProcessId());
        ::DeleteFileW(m_strMark);
        return m_strMark;
    }
    ~ChannelTestDialogs() override
    {
        if (!m_strMark.IsEmpty())
            ::DeleteFileW(m_strMark);
    }
    static BOOL Exists(const CString& strPath) { return ::GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES; }

    CString m_strMark;
};

struct SSpoken
{
    CString strText;
    DWORD dwFlags = 0;
    int nWaits = 0;
};
SSpoken g_spoken;

class CRecordingOutput : public CSpeechOutput
{
public:
    HRESULT Speak(const wchar_t* pszText, DWORD dwFlags) override
    {
        g_spoken.strText = pszText;
        g_spoken.dwFlags = dwFlags;
        return S_OK;
    }
    HRESULT WaitUntilDone() override
    {
        ++g_spoken.nWaits;
        return S_OK;
    }
    HRESULT GetLastResult(HRESULT* phrLast) override
    {
        *phrLast = S_OK;
        return S_OK;
    }
};

HRESULT CreateRecordingOutput(CSpeechOutput** ppOutput)
{
    *ppOutput = new CRecordingOutput;
    return S_OK;
}

HRESULT CreateNoVoice(CSpeechOutput**)
{
    return REGDB_E_CLASSNOTREG;
}
} // namespace

// One test for both: the command runner's work files are the same for every run.
TEST_F(ChannelTestDialogs, NetSendShowsTheCommandAndWhatItWroteAndHostileTextsRunNothingElse)
{
    CNetSendTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_NET_SEND_TEST, &Host()));
    EXPECT_EQ(0, GetText(&dialog, IDC_TEST_OUTPUT).Find(L"NET SEND {name | * | /DOMAIN[:name] | /USERS} message\r\n"));
    EXPECT_EQ(CString(L"26 characters"), GetText(&dialog, IDC_TEST_CHAR_COUNT));
    EXPECT_TRUE(IsEnabled(&dialog, IDC_NET_SEND_SERVICE));
    Click(&dialog, IDOK);
    CString strShown = GetText(&dialog, IDC_TEST_OUTPUT);
    EXPECT_EQ(0, strShown.Find(L"Command\r\n-------\r\nNET SEND /users A test message from Tervok\r\n\r\nOutput\r\n------\r\n"))
        << CStringA(strShown).GetString();
    // The batch file echoes its command line; Wine's NET answers with its usage.
    EXPECT_NE(-1, strShown.Find(L">NET SEND /users A test message from Tervok"))
        << CStringA(strShown).GetString();
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    EXPECT_EQ(CString(L"/users"), GetAppProfile().GetString(L"CNetSendTest::m_strSendTo", L""));

    Type(&dialog, IDC_NET_SEND_MESSAGE, L"   ");
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    EXPECT_EQ(CString(L"0 characters"), GetText(&dialog, IDC_TEST_CHAR_COUNT));
    Type(&dialog, IDC_NET_SEND_MESSAGE, L"Hello\r\n");
    Click(&dialog, IDOK);
    EXPECT_EQ(0, GetText(&dialog, IDC_TEST_OUTPUT).Find(L"Command\r\n-------\r\nNET SEND /users Hello\r\n\r\nOutput"));
    SetText(&dialog, IDC_NET_SEND_TO, L" ");
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));

    const CString strMark = MarkFile();
    // The check itself: the same words run as a command do write the file.
    CStringArray arrOutput, arrErrors;
    RunCommandCaptured(L"echo PWNED > " + strMark, arrOutput, arrErrors);
    ASSERT_TRUE(Exists(strMark));
    ::DeleteFileW(strMark);

    struct SCase
    {
        CString strSendTo;
        CString strMessage;
    };
    const SCase cases[] = {
        {L"/users", L"x & echo PWNED > " + strMark},
        {L"/users", L"x | echo PWNED > " + strMark},
        {L"x&echo PWNED>" + strMark, L"hello"},
        // A quote opened in the name and closed in the message.
        {L"\"a", L"b\" & echo PWNED > " + strMark},
        {L"/users", L"%TEMP% \"quoted & kept\" > " + strMark},
    };
    for (const SCase& test : cases)
    {
        SetText(&dialog, IDC_NET_SEND_TO, test.strSendTo);
        Type(&dialog, IDC_NET_SEND_MESSAGE, test.strMessage);
        Click(&dialog, IDOK);
        CString strReport = GetText(&dialog, IDC_TEST_OUTPUT);
        EXPECT_FALSE(Exists(strMark)) << CStringA(strReport).GetString();
        EXPECT_EQ(0, strReport.Find(L"Command\r\n-------\r\nNET SEND ")) << CStringA(strReport).GetString();
        ::DeleteFileW(strMark);
    }
    EXPECT_EQ(CString(L"NET SEND x^&echo PWNED^>f hello"), NetSendTestCommand(L"x&echo PWNED>f", L"hello"));
    EXPECT_EQ(CString(L"NET SEND \"a b\" ^& echo %%TEMP%%"), NetSendTestCommand(L"\"a", L"b\" & echo %TEMP%"));
    dialog.DestroyWindow();
}

TEST_F(ChannelTestDialogs, NetSendRefusesATextWithAControlCharacter)
{
    CNetSendTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_NET_SEND_TEST, &Host()));
    const CString strMark = MarkFile();
    Type(&dialog, IDC_NET_SEND_MESSAGE, L"x\x1A" L"echo PWNED > " + strMark);
    Click(&dialog, IDOK);
    CString strReport = GetText(&dialog, IDC_TEST_OUTPUT);
    EXPECT_FALSE(Exists(strMark));
    EXPECT_EQ(-1, strReport.Find(L"Output\r\n")) << CStringA(strReport).GetString();
    EXPECT_NE(-1, strReport.Find(L"Errors\r\n------\r\nThe command must not hold control characters: NET SEND /users x"))
        << CStringA(strReport).GetString();
    ::DeleteFileW(strMark);
    dialog.DestroyWindow();
}

TEST_F(ChannelTestDialogs, CommandReportHasABlockOnlyForStreamsThatWrote)
{
    CStringArray arrNone, arrLines;
    arrLines.Add(L"one");
    arrLines.Add(L"two");
    EXPECT_EQ(CString(L"Command\r\n-------\r\nNET SEND a b\r\n\r\n"), CommandReportText(L"NET SEND a b", arrNone, arrNone));
    EXPECT_EQ(CString(L"Command\r\n-------\r\nc\r\n\r\nOutput\r\n------\r\none\r\ntwo\r\n\r\nErrors\r\n------\r\none\r\ntwo\r\n\r\n"),
              CommandReportText(L"c", arrLines, arrLines));
    EXPECT_EQ(CString(L"Command\r\n-------\r\nc\r\n\r\nErrors\r\n------\r\none\r\ntwo\r\n\r\n"),
              CommandReportText(L"c", arrNone, arrLines));
}

TEST_F(ChannelTestDialogs, ModemLogShowsControlCharactersAsSingleBlanksWithoutEmptyLines)
{
    CStringArray arrLog;
    arrLog.Add(L"AT+CMGS=25");
    arrLog.Add(L"\r\n> \x1A");
    arrLog.Add(L"  +CMGS:\t\t 1 \r\n\r\nOK\x07 ");
    arrLog.Add(L"\r");
    EXPECT_EQ(CString(L"AT+CMGS=25\r\n>\r\n+CMGS: 1\r\nOK"), ModemLogText(arrLog));
}

TEST_F(ChannelTestDialogs, SmsSendNeedsACheckedNumberAndATextAndChecksTheirLengths)
{
    CSMSTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_SMS_TEST, &Host()));
    EXPECT_EQ(0, GetText(&dialog, IDC_TEST_OUTPUT).Find(L"Use this option to test your SMS / GSM integration."));
    EXPECT_EQ(CString(L"26 characters"), GetText(&dialog, IDC_TEST_CHAR_COUNT));
    EXPECT_EQ(CString(L"COM1"), dialog.m_comboPorts.GetSelText());
    // The first number is checked but empty.
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    EXPECT_TRUE(IsEnabled(&dialog, IDC_SMS_TEST_GSM1));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_SMS_TEST_GSM2));
    SetText(&dialog, IDC_SMS_TEST_GSM1, L"   ");
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    SetText(&dialog, IDC_SMS_TEST_GSM1, L"+41790000001");
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    Type(&dialog, IDC_SMS_TEST_TEXT, L"\r\n ");
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    Type(&dialog, IDC_SMS_TEST_TEXT, L"Hello");
    EXPECT_EQ(CString(L"5 characters"), GetText(&dialog, IDC_TEST_CHAR_COUNT));

    ::SendDlgItemMessageW(dialog.m_hWnd, IDC_SMS_TEST_USE_GSM1, BM_SETCHECK, BST_UNCHECKED, 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SMS_TEST_USE_GSM1, BN_CLICKED));
    PumpUntilIdle();
    EXPECT_FALSE(IsEnabled(&dialog, IDC_SMS_TEST_GSM1));
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    ::SendDlgItemMessageW(dialog.m_hWnd, IDC_SMS_TEST_USE_GSM3, BM_SETCHECK, BST_CHECKED, 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SMS_TEST_USE_GSM3, BN_CLICKED));
    PumpUntilIdle();
    EXPECT_TRUE(IsEnabled(&dialog, IDC_SMS_TEST_GSM3));
    SetText(&dialog, IDC_SMS_TEST_GSM3, L"0791234567");
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));

    // The edits stop typing at the limits; text put past them gets the framework's message.
    EXPECT_EQ(64u, (UINT)::SendDlgItemMessageW(dialog.m_hWnd, IDC_SMS_TEST_GSM2, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(4096u, (UINT)::SendDlgItemMessageW(dialog.m_hWnd, IDC_SMS_TEST_TEXT, EM_GETLIMITTEXT, 0, 0));
    ::SendDlgItemMessageW(dialog.m_hWnd, IDC_SMS_TEST_GSM3, EM_LIMITTEXT, 0, 0);
    SetText(&dialog, IDC_SMS_TEST_GSM3, CString(L'1', 65));
    ASSERT_FALSE(m_arrBoxes.empty());
    EXPECT_EQ(CString(L"Please enter no more than 64 characters."), m_arrBoxes.back());
    SetText(&dialog, IDC_SMS_TEST_GSM3, L"0791234567");
    m_arrBoxes.clear();
    ::SendDlgItemMessageW(dialog.m_hWnd, IDC_SMS_TEST_TEXT, EM_LIMITTEXT, 0, 0);
    Type(&dialog, IDC_SMS_TEST_TEXT, CString(L'x', 4097));
    ASSERT_FALSE(m_arrBoxes.empty());
    EXPECT_EQ(CString(L"Please enter no more than 4096 characters."), m_arrBoxes.back());
    dialog.DestroyWindow();
}

TEST_F(ChannelTestDialogs, SmtpSendStartsEnabledNeedsTheMandatoryFieldsAndRemembersTheLogin)
{
    CSMTPMailTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_SMTP_MAIL_TEST, &Host()));
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    EXPECT_EQ(0, GetText(&dialog, IDC_TEST_OUTPUT).Find(L"Use this option to test your SMTP email integration."));
    EXPECT_EQ(CString(L"A test message from Tervok"), GetText(&dialog, IDC_SMTP_TEST_MESSAGE));
    SetText(&dialog, IDC_SMTP_TEST_SERVER, L"127.0.0.2");
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    SetText(&dialog, IDC_SMTP_TEST_SENDER_EMAIL, L"alarms@example.com");
    SetText(&dialog, IDC_SMTP_TEST_SUBJECT, L"Test");
    SetText(&dialog, IDC_SMTP_TEST_TO, L"ops@example.com ");
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    SetText(&dialog, IDC_SMTP_TEST_SUBJECT, L"  ");
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    SetText(&dialog, IDC_SMTP_TEST_SUBJECT, L"Test");
    SetText(&dialog, IDC_SMTP_TEST_USERNAME, L"operator");
    SetText(&dialog, IDC_SMTP_TEST_PASSWORD, L"secret");

    // Nothing listens on 127.0.0.2: the status line says so instead of staying empty.
    Click(&dialog, IDOK);
    EXPECT_EQ(CString(L"Cannot connect to the SMTP server 127.0.0.2"), GetText(&dialog, IDC_SMTP_TEST_STATUS));
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    CAppProfile& profile = GetAppProfile();
    EXPECT_EQ(CString(L"operator"), profile.GetString(L"CSMTPMailTest::IDC_USERNAME", L""));
    EXPECT_EQ(CString(L"secret"), profile.GetString(L"CSMTPMailTest::IDC_PASSWORD", L""));
    EXPECT_EQ(CString(L"ops@example.com"), profile.GetString(L"CSMTPMailTest::IDC_EDIT5", L""));
    EXPECT_EQ(CString(L""), profile.GetString(L"CSMTPMailTest::IDC_EDIT2", L"<none>"));
    dialog.DestroyWindow();

    CSMTPMailTest again(&Host());
    ASSERT_TRUE(again.Create(IDD_SMTP_MAIL_TEST, &Host()));
    EXPECT_EQ(CString(L"127.0.0.2"), GetText(&again, IDC_SMTP_TEST_SERVER));
    EXPECT_EQ(CString(L"secret"), GetText(&again, IDC_SMTP_TEST_PASSWORD));
    again.DestroyWindow();
}

TEST_F(ChannelTestDialogs, SpeechSpeaksTheTextAsMarkupOnceAndStaysOpen)
{
    CSpeechVoice::SetOutputFactory(CreateRecordingOutput);
    g_spoken = SSpoken();
    CSpeachTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_SPEECH_TEST, &Host()));
    EXPECT_EQ(0, GetText(&dialog, IDC_TEST_OUTPUT).Find(L"Microsoft text-to-speech must be installed"));
    EXPECT_NE(-1, GetText(&dialog, IDC_TEST_OUTPUT).Find(L"\"XML TTS Tutorial\" or \"SAPI XML TTS for Application Developers\"."));
    Type(&dialog, IDC_SPEECH_TEXT, L"");
    EXPECT_FALSE(IsEnabled(&dialog, IDC_SPEECH_SPEAK));
    Type(&dialog, IDC_SPEECH_TEXT, L"  ");
    EXPECT_TRUE(IsEnabled(&dialog, IDC_SPEECH_SPEAK));
    Type(&dialog, IDC_SPEECH_TEXT, L"<volume level=\"50\">Disk srv01 full</volume>");
    Click(&dialog, IDC_SPEECH_SPEAK);
    EXPECT_EQ(CString(L"<volume level=\"50\">Disk srv01 full</volume>"), g_spoken.strText);
    EXPECT_EQ(CSpeechVoice::FlagIsXml | CSpeechVoice::FlagAsync, g_spoken.dwFlags);
    EXPECT_EQ(1, g_spoken.nWaits);
    EXPECT_EQ(CString(L"<volume level=\"50\">Disk srv01 full</volume>"),
              GetAppProfile().GetString(L"CSpeachTest::m_strText", L""));
    // Enter does not close it.
    dialog.SendMessage(WM_COMMAND, IDOK);
    PumpUntilIdle();
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    dialog.DestroyWindow();
    CSpeechVoice::SetOutputFactory(nullptr);
}

TEST_F(ChannelTestDialogs, SpeechWithoutAVoiceShowsTheFailureText)
{
    CSpeechVoice::SetOutputFactory(CreateNoVoice);
    CSpeachTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_SPEECH_TEST, &Host()));
    Click(&dialog, IDC_SPEECH_SPEAK);
    CString strShown = GetText(&dialog, IDC_TEST_OUTPUT);
    EXPECT_EQ(0, strShown.Find(L"Text-to-speech error: ")) << CStringA(strShown).GetString();
    EXPECT_NE(-1, strShown.Find(L"\r\n \r\nFor information about Text-to-speech select the \"Microsoft\" entry"));
    dialog.DestroyWindow();
    CSpeechVoice::SetOutputFactory(nullptr);
}

// Wine's speech library, first disabled, then as it is. One process for both, so that no other
// test creates a voice while the override holds; it counts only while the library is not loaded.
TEST_F(ChannelTestDialogs, SpeechUnderWineShowsTheFailureWithoutAVoiceAndReturnsWithOne)
{
    CSpeachTest dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_SPEECH_TEST, &Host()));
    const CString strIntro = GetText(&dialog, IDC_TEST_OUTPUT);
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, &hKey, nullptr));
    RegSetValueExW(hKey, L"sapi", 0, REG_SZ, (const BYTE*)L"", sizeof(wchar_t));
    Click(&dialog, IDC_SPEECH_SPEAK);
    RegDeleteValueW(hKey, L"sapi");
    RegCloseKey(hKey);
    const CString strFailure = GetText(&dialog, IDC_TEST_OUTPUT);
    EXPECT_EQ(0, strFailure.Find(L"Text-to-speech error: ")) << CStringA(strFailure).GetString();

    // Wine's voice is made and its Speak does nothing: the text box stays as it was.
    dialog.SetDlgItemText(IDC_TEST_OUTPUT, strIntro);
    Click(&dialog, IDC_SPEECH_SPEAK);
    EXPECT_EQ(strIntro, GetText(&dialog, IDC_TEST_OUTPUT));
    EXPECT_EQ(CString(L"A test from Tervok"), GetAppProfile().GetString(L"CSpeachTest::m_strText", L""));
    dialog.DestroyWindow();
}
