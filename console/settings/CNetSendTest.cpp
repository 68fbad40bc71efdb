#include "console/settings/CNetSendTest.h"

#include "alarmmodel/channels/CommandRunner.h"
#include "console/service/CMessengerServiceDlg.h"
#include "console/settings/ChannelTestTexts.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/SettingsRes.h"
#include "support/AppProfile.h"

BEGIN_MESSAGE_MAP(CNetSendTest, CChannelTestDialog)
    ON_CONTROL(EN_CHANGE, IDC_NET_SEND_TO, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_NET_SEND_MESSAGE, OnTextChange)
    ON_COMMAND(IDC_NET_SEND_SERVICE, OnService)
END_MESSAGE_MAP()

CNetSendTest::CNetSendTest(CWnd* pParentWnd) : CChannelTestDialog(IDD_NET_SEND_TEST, pParentWnd)
{
    m_strSendTo = GetAppProfile().GetString(L"CNetSendTest::m_strSendTo", L"/users");
    m_strMessage = GetAppProfile().GetString(L"CNetSendTest::m_strMessage", L"A test message from Tervok");
}

void CNetSendTest::DoDataExchange(CDataExchange* pDX)
{
    CChannelTestDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NET_SEND_TO, m_strSendTo);
    DDX_Text(pDX, IDC_NET_SEND_MESSAGE, m_strMessage);
}

BOOL CNetSendTest::OnInitDialog()
{
    CChannelTestDialog::OnInitDialog();
    SetCourierFont({IDC_TEST_OUTPUT, IDC_NET_SEND_TO, IDC_NET_SEND_MESSAGE});
    CString strUsage;
    strUsage.LoadString(IDS_NET_SEND_USAGE);
    ShowOutput(strUsage);
    ApplySendRule();
    return TRUE;
}

void CNetSendTest::OnService()
{
    CMessengerServiceDlg dialog(this);
    dialog.DoModal();
}

void CNetSendTest::OnTextChange()
{
    if (m_bInitialised)
        ApplySendRule();
}

void CNetSendTest::ApplySendRule()
{
    UpdateData(TRUE);
    m_strSendTo.TrimRight();
    m_strMessage.TrimRight();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), !m_strSendTo.IsEmpty() && !m_strMessage.IsEmpty());
    SetDlgItemText(IDC_TEST_CHAR_COUNT, CharacterCountText(m_strMessage));
}

void CNetSendTest::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // A line break typed after the text would make the command two lines.
    m_strSendTo.TrimRight();
    m_strMessage.TrimRight();
    CWaitCursor wait;
    GetAppProfile().WriteString(L"CNetSendTest::m_strSendTo", m_strSendTo);
    GetAppProfile().WriteString(L"CNetSendTest::m_strMessage", m_strMessage);
    CString strCommand = NetSendTestCommand(m_strSendTo, m_strMessage);
    CStringArray arrOutput, arrErrors;
    RunCommandCaptured(strCommand, arrOutput, arrErrors);
    ShowOutput(CommandReportText(strCommand, arrOutput, arrErrors));
    UpdateWindow();
}
