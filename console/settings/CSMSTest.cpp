#include "console/settings/CSMSTest.h"

#include "alarmmodel/channels/SendSMS.h"
#include "console/settings/ChannelTestTexts.h"
#include "console/settings/ComPortList.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/SettingsRes.h"
#include "support/AppProfile.h"

BEGIN_MESSAGE_MAP(CSMSTest, CChannelTestDialog)
    ON_CONTROL(EN_CHANGE, IDC_SMS_TEST_GSM1, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMS_TEST_TEXT, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMS_TEST_GSM2, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_SMS_TEST_GSM3, OnTextChange)
    ON_CONTROL(BN_CLICKED, IDC_SMS_TEST_USE_GSM1, OnTargetClicked)
    ON_CONTROL(BN_CLICKED, IDC_SMS_TEST_USE_GSM2, OnTargetClicked)
    ON_CONTROL(BN_CLICKED, IDC_SMS_TEST_USE_GSM3, OnTargetClicked)
END_MESSAGE_MAP()

CSMSTest::CSMSTest(CWnd* pParentWnd) : CChannelTestDialog(IDD_SMS_TEST, pParentWnd)
{
    CAppProfile& profile = GetAppProfile();
    m_strTargetGSM1 = profile.GetString(L"CSMSTest::m_strTargetGSM1", L"");
    m_strTargetGSM2 = profile.GetString(L"CSMSTest::m_strTargetGSM2", L"");
    m_strTargetGSM3 = profile.GetString(L"CSMSTest::m_strTargetGSM3", L"");
    m_strText = profile.GetString(L"CSMSTest::m_strText", L"A test message from Tervok");
    m_bTargetGSM1 = profile.GetBool(L"CSMSTest::m_bTargetGSM1", TRUE);
    m_bTargetGSM2 = profile.GetBool(L"CSMSTest::m_bTargetGSM2", FALSE);
    m_bTargetGSM3 = profile.GetBool(L"CSMSTest::m_bTargetGSM3", FALSE);
}

void CSMSTest::DoDataExchange(CDataExchange* pDX)
{
    CChannelTestDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SMS_TEST_PORT, m_comboPorts);
    DDX_Text(pDX, IDC_SMS_TEST_GSM1, m_strTargetGSM1);
    DDV_MaxChars(pDX, m_strTargetGSM1, 64);
    DDX_Text(pDX, IDC_SMS_TEST_GSM2, m_strTargetGSM2);
    DDV_MaxChars(pDX, m_strTargetGSM2, 64);
    DDX_Text(pDX, IDC_SMS_TEST_GSM3, m_strTargetGSM3);
    DDV_MaxChars(pDX, m_strTargetGSM3, 64);
    DDX_Text(pDX, IDC_SMS_TEST_TEXT, m_strText);
    DDV_MaxChars(pDX, m_strText, 4096);
    DDX_Check(pDX, IDC_SMS_TEST_USE_GSM1, m_bTargetGSM1);
    DDX_Check(pDX, IDC_SMS_TEST_USE_GSM2, m_bTargetGSM2);
    DDX_Check(pDX, IDC_SMS_TEST_USE_GSM3, m_bTargetGSM3);
}

BOOL CSMSTest::OnInitDialog()
{
    CChannelTestDialog::OnInitDialog();
    FillComPortCombo(m_comboPorts, GetAppProfile().GetString(L"CSMSTest::m_comboPorts", L""));
    SetCourierFont({IDC_TEST_OUTPUT, IDC_SMS_TEST_GSM1, IDC_SMS_TEST_GSM2, IDC_SMS_TEST_GSM3, IDC_SMS_TEST_TEXT});
    CString strIntro;
    strIntro.LoadString(IDS_SMS_TEST_INTRO);
    ShowOutput(strIntro);
    ApplySendRule();
    ApplyTargetRule();
    return TRUE;
}

void CSMSTest::OnTextChange()
{
    if (m_bInitialised)
        ApplySendRule();
}

void CSMSTest::OnTargetClicked()
{
    if (m_bInitialised)
        ApplyTargetRule();
}

void CSMSTest::ApplySendRule()
{
    UpdateData(TRUE);
    m_strTargetGSM1.TrimRight();
    m_strTargetGSM2.TrimRight();
    m_strTargetGSM3.TrimRight();
    m_strText.TrimRight();
    BOOL bNumber = (m_bTargetGSM1 && !m_strTargetGSM1.IsEmpty()) || (m_bTargetGSM2 && !m_strTargetGSM2.IsEmpty()) ||
                   (m_bTargetGSM3 && !m_strTargetGSM3.IsEmpty());
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), bNumber && !m_strText.IsEmpty());
    SetDlgItemText(IDC_TEST_CHAR_COUNT, CharacterCountText(m_strText));
}

void CSMSTest::ApplyTargetRule()
{
    UpdateData(TRUE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SMS_TEST_GSM1), m_bTargetGSM1);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SMS_TEST_GSM2), m_bTargetGSM2);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SMS_TEST_GSM3), m_bTargetGSM3);
    ApplySendRule();
}

void CSMSTest::SaveFields()
{
    CAppProfile& profile = GetAppProfile();
    profile.WriteString(L"CSMSTest::m_strTargetGSM1", m_strTargetGSM1);
    profile.WriteString(L"CSMSTest::m_strTargetGSM2", m_strTargetGSM2);
    profile.WriteString(L"CSMSTest::m_strTargetGSM3", m_strTargetGSM3);
    profile.WriteString(L"CSMSTest::m_strText", m_strText);
    profile.WriteBool(L"CSMSTest::m_bTargetGSM1", m_bTargetGSM1);
    profile.WriteBool(L"CSMSTest::m_bTargetGSM2", m_bTargetGSM2);
    profile.WriteBool(L"CSMSTest::m_bTargetGSM3", m_bTargetGSM3);
    profile.WriteString(L"CSMSTest::m_comboPorts", m_comboPorts.GetSelText());
}

void CSMSTest::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    SaveFields();
    CStringArray arrNumbers;
    const CString* numbers[] = {&m_strTargetGSM1, &m_strTargetGSM2, &m_strTargetGSM3};
    const int checks[] = {m_bTargetGSM1, m_bTargetGSM2, m_bTargetGSM3};
    for (int i = 0; i < 3; ++i)
        if (checks[i] && !numbers[i]->IsEmpty())
            arrNumbers.Add(*numbers[i]);
    CWaitCursor wait;
    CSendSMS sms(m_comboPorts.GetSelText(), arrNumbers, m_strText);
    sms.Send();
    ShowOutput(ModemLogText(sms.m_arrLog));
}
