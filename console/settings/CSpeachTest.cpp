#include "console/settings/CSpeachTest.h"

#include "alarmmodel/channels/SpeechVoice.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/SettingsRes.h"
#include "support/AppProfile.h"

BEGIN_MESSAGE_MAP(CSpeachTest, CChannelTestDialog)
    ON_COMMAND(IDC_SPEECH_SPEAK, OnSpeak)
    ON_CONTROL(EN_CHANGE, IDC_SPEECH_TEXT, OnTextChange)
END_MESSAGE_MAP()

CSpeachTest::CSpeachTest(CWnd* pParentWnd) : CChannelTestDialog(IDD_SPEECH_TEST, pParentWnd)
{
    m_strIntro.LoadString(IDS_SPEECH_TEST_INTRO);
    m_strText = GetAppProfile().GetString(L"CSpeachTest::m_strText", L"A test from Tervok");
}

void CSpeachTest::DoDataExchange(CDataExchange* pDX)
{
    CChannelTestDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SPEECH_TEXT, m_strText);
}

BOOL CSpeachTest::OnInitDialog()
{
    CChannelTestDialog::OnInitDialog();
    ShowOutput(m_strIntro);
    ApplySpeakRule();
    return TRUE;
}

void CSpeachTest::OnTextChange()
{
    if (m_bInitialised)
        ApplySpeakRule();
}

// White space counts as text.
void CSpeachTest::ApplySpeakRule()
{
    UpdateData(TRUE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SPEECH_SPEAK), !m_strText.IsEmpty());
}

void CSpeachTest::OnSpeak()
{
    CWaitCursor wait;
    UpdateData(TRUE);
    GetAppProfile().WriteString(L"CSpeachTest::m_strText", m_strText);
    // The voice waits for the end of the speech when it goes.
    CSpeechVoice voice(this);
    if (voice.m_pVoice)
        voice.Speak(m_strText, FALSE, FALSE, TRUE);
    else
        ShowOutput(voice.m_strError);
}
