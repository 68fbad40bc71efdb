#include "console/settings/CSMTPMailTest.h"

#include "alarmmodel/channels/SmtpClient.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/SettingsRes.h"
#include "support/AppProfile.h"
#include "support/StringEx.h"

#include <exception>
#include <memory>

namespace
{
// Profile key and member of each field, in the controls' order.
struct SField
{
    const wchar_t* pszKey;
    int nID;
    CString CSMTPMailTest::*pMember;
    const wchar_t* pszDefault;
};

const SField Fields[] = {
    {L"CSMTPMailTest::IDC_EDIT1", IDC_SMTP_TEST_SERVER, &CSMTPMailTest::m_strServer, L""},
    {L"CSMTPMailTest::IDC_EDIT2", IDC_SMTP_TEST_SENDER_NAME, &CSMTPMailTest::m_strSenderName, L""},
    {L"CSMTPMailTest::IDC_EDIT3", IDC_SMTP_TEST_SENDER_EMAIL, &CSMTPMailTest::m_strSenderEmail, L""},
    {L"CSMTPMailTest::IDC_EDIT4", IDC_SMTP_TEST_SUBJECT, &CSMTPMailTest::m_strSubject, L""},
    {L"CSMTPMailTest::IDC_EDIT5", IDC_SMTP_TEST_TO, &CSMTPMailTest::m_strTo, L""},
    {L"CSMTPMailTest::IDC_EDIT6", IDC_SMTP_TEST_CC, &CSMTPMailTest::m_strCc, L""},
    {L"CSMTPMailTest::IDC_EDIT7", IDC_SMTP_TEST_BCC, &CSMTPMailTest::m_strBcc, L""},
    {L"CSMTPMailTest::IDC_EDIT8", IDC_SMTP_TEST_MESSAGE, &CSMTPMailTest::m_strMessage, L"A test message from Tervok"},
    {L"CSMTPMailTest::IDC_USERNAME", IDC_SMTP_TEST_USERNAME, &CSMTPMailTest::m_strUsername, L""},
    {L"CSMTPMailTest::IDC_PASSWORD", IDC_SMTP_TEST_PASSWORD, &CSMTPMailTest::m_strPassword, L""},
};
// The first eight fields take part in the Send rule.
const int RuleFields = 8;

std::unique_ptr<char[]> Narrow(const CString& str)
{
    return std::unique_ptr<char[]>(CStringEx(str).ToNarrow());
}
} // namespace

BEGIN_MESSAGE_MAP(CSMTPMailTest, CChannelTestDialog)
    ON_CONTROL(EN_CHANGE, IDC_SMTP_TEST_SERVER, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMTP_TEST_SENDER_NAME, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMTP_TEST_SENDER_EMAIL, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMTP_TEST_SUBJECT, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMTP_TEST_TO, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMTP_TEST_CC, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMTP_TEST_BCC, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMTP_TEST_MESSAGE, OnTextChange)
END_MESSAGE_MAP()

CSMTPMailTest::CSMTPMailTest(CWnd* pParentWnd) : CChannelTestDialog(IDD_SMTP_MAIL_TEST, pParentWnd)
{
    for (const SField& field : Fields)
        this->*field.pMember = GetAppProfile().GetString(field.pszKey, field.pszDefault);
}

void CSMTPMailTest::DoDataExchange(CDataExchange* pDX)
{
    CChannelTestDialog::DoDataExchange(pDX);
    for (const SField& field : Fields)
        DDX_Text(pDX, field.nID, this->*field.pMember);
}

BOOL CSMTPMailTest::OnInitDialog()
{
    CChannelTestDialog::OnInitDialog();
    SetCourierFont({IDC_TEST_OUTPUT});
    CString strIntro;
    strIntro.LoadString(IDS_SMTP_TEST_INTRO);
    ShowOutput(strIntro);
    return TRUE;
}

void CSMTPMailTest::OnTextChange()
{
    if (m_bInitialised)
        ApplySendRule();
}

void CSMTPMailTest::ApplySendRule()
{
    UpdateData(TRUE);
    for (int i = 0; i < RuleFields; ++i)
        (this->*Fields[i].pMember).TrimRight();
    BOOL bComplete = !m_strServer.IsEmpty() && !m_strSenderEmail.IsEmpty() && !m_strSubject.IsEmpty() &&
                     !m_strTo.IsEmpty() && !m_strMessage.IsEmpty();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), bComplete);
}

void CSMTPMailTest::SaveFields()
{
    for (const SField& field : Fields)
        GetAppProfile().WriteString(field.pszKey, this->*field.pMember);
}

void CSMTPMailTest::OnOK()
{
    CWaitCursor wait;
    ApplySendRule();
    SaveFields();
    CString strTranscript;
    CString strStatus = SendMail(strTranscript);
    SetDlgItemText(IDC_SMTP_TEST_STATUS, strStatus);
    ShowOutput(strTranscript);
}

CString CSMTPMailTest::SendMail(CString& strTranscript)
{
    // The profile keeps an empty sender name; the mail shows the address then.
    CString strSenderName = m_strSenderName.IsEmpty() ? m_strSenderEmail : m_strSenderName;
    try
    {
        CSmtpClient smtp;
        if (!smtp.Connect(Narrow(m_strServer).get(), 0))
        {
            strTranscript = CString(smtp.m_strTranscript);
            // A refused connection leaves no error text; an empty status would read as success.
            return smtp.m_szErrorText[0] ? CString(smtp.m_szErrorText) : L"Cannot connect to the SMTP server " + m_strServer;
        }
        if (smtp.SetCredentials(Narrow(m_strUsername).get(), Narrow(m_strPassword).get()))
        {
            smtp.SetSenderName(Narrow(strSenderName).get());
            smtp.SetSenderAddress(Narrow(m_strSenderEmail).get());
            smtp.SetSubject(Narrow(m_strSubject).get());
            smtp.AddTo(Narrow(m_strTo).get(), "");
            smtp.AddCc(Narrow(m_strCc).get(), "");
            smtp.AddBcc(Narrow(m_strBcc).get(), "");
            smtp.SetBody(Narrow(m_strMessage).get());
            if (smtp.IsConnected())
                smtp.Send();
        }
        smtp.Quit();
        strTranscript = CString(smtp.m_strTranscript);
        return CString(smtp.m_szErrorText);
    }
    catch (const std::exception& error)
    {
        return CString(error.what());
    }
}
