#include "console/definitions/CAddActionDialog.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/channels/SpeechVoice.h"
#include "console/scripts/CScriptSelect.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWinApp.h"
#include "resources/console/DefinitionsRes.h"
#include "wincomponents/controls/CFontFactory.h"
#include "wincomponents/dialogs/COwnFileDialog.h"

#include <mmsystem.h>

BEGIN_MESSAGE_MAP(CAddActionDialog, CDialog)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_EMAIL_KIND, OnUpdate)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_SMS_KIND, OnUpdate)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_SOUND_KIND, OnUpdate)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_NETSEND_KIND, OnUpdate)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_SPEECH_KIND, OnUpdate)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_SCRIPT_KIND, OnUpdate)
    ON_CONTROL(EN_CHANGE, IDC_ACTION_EMAIL, OnUpdate)
    ON_CONTROL(EN_CHANGE, IDC_ACTION_SMS, OnUpdate)
    ON_CONTROL(EN_CHANGE, IDC_ACTION_NETSEND, OnUpdate)
    ON_CONTROL(EN_CHANGE, IDC_ACTION_SPEECH, OnUpdate)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_SOUND_BROWSE, OnBrowseSound)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_SOUND_PLAY, OnPlaySound)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_SPEECH_PLAY, OnSpeak)
    ON_CONTROL(BN_CLICKED, IDC_ACTION_SCRIPT_BROWSE, OnBrowseScript)
END_MESSAGE_MAP()

namespace
{
const wchar_t* const newActionTexts[CAddActionDialog::nKinds] = {
    L"address1[;...]", L"number1[;...]", L"", L"{name | * | /DOMAIN[:name] | /USERS} message", L"", L""};

// Per kind: the controls enabled while that kind is chosen.
const int kindControls[CAddActionDialog::nKinds][2] = {
    {IDC_ACTION_EMAIL, 0},
    {IDC_ACTION_SMS, 0},
    {IDC_ACTION_SOUND_BROWSE, IDC_ACTION_SOUND},
    {IDC_ACTION_NETSEND, 0},
    {IDC_ACTION_SPEECH, IDC_ACTION_SPEECH_HINT},
    {IDC_ACTION_SCRIPT, IDC_ACTION_SCRIPT_BROWSE},
};
} // namespace

CAddActionDialog::CAddActionDialog(CWnd* pParentWnd, int nKind, const CString& strParameter, const CString& strTitle)
    : CDialog(IDD_ADD_ACTION, pParentWnd), m_nKind(nKind), m_strTitle(strTitle), m_bWriting(FALSE)
{
    for (int i = 0; i < nKinds; ++i)
        m_arrTexts[i] = newActionTexts[i];
    if (m_nKind >= 0 && m_nKind < nKinds)
        m_arrTexts[m_nKind] = strParameter;
    else
        m_nKind = ACTION_EMAIL;
    CWinApp* pApp = AfxGetApp();
    m_pFont.reset(CFontFactory(pApp ? pApp->m_pMainWnd : nullptr).CreateCourierFont(10, FALSE));
}

CAddActionDialog::~CAddActionDialog()
{
}

void CAddActionDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_ACTION_EMAIL_KIND, m_nKind);
    DDX_Text(pDX, IDC_ACTION_EMAIL, m_arrTexts[ACTION_EMAIL]);
    DDX_Text(pDX, IDC_ACTION_SMS, m_arrTexts[ACTION_SMS]);
    DDX_Text(pDX, IDC_ACTION_NETSEND, m_arrTexts[ACTION_NET_SEND]);
    DDX_Text(pDX, IDC_ACTION_SPEECH, m_arrTexts[ACTION_SPEECH]);
    DDX_Text(pDX, IDC_ACTION_SOUND, m_arrTexts[ACTION_SOUND]);
    DDX_Text(pDX, IDC_ACTION_SCRIPT, m_arrTexts[ACTION_SCRIPT]);
}

BOOL CAddActionDialog::OnInitDialog()
{
    m_bWriting = TRUE;
    CDialog::OnInitDialog();
    m_bWriting = FALSE;
    m_staticSound.SubclassDlgItem(IDC_ACTION_SOUND, this);
    if (m_pFont)
    {
        for (int nID : {IDC_ACTION_EMAIL, IDC_ACTION_NETSEND, IDC_ACTION_SMS, IDC_ACTION_SOUND})
            ::SendMessageW(::GetDlgItem(m_hWnd, nID), WM_SETFONT, (WPARAM)m_pFont->m_hObject, TRUE);
    }
    m_staticSound.ModifyStyle(0, SS_PATHELLIPSIS);
    ApplyUpdateRule();
    return TRUE;
}

void CAddActionDialog::ApplyUpdateRule()
{
    UpdateData(TRUE);
    for (int nKind = 0; nKind < nKinds; ++nKind)
    {
        for (int nID : kindControls[nKind])
        {
            if (nID)
                ::EnableWindow(::GetDlgItem(m_hWnd, nID), nKind == m_nKind);
        }
    }
    BOOL bChosen = m_nKind >= 0 && m_nKind < nKinds;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_ACTION_SOUND_PLAY),
                   m_nKind == ACTION_SOUND && !m_arrTexts[ACTION_SOUND].IsEmpty());
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_ACTION_SPEECH_PLAY),
                   m_nKind == ACTION_SPEECH && !m_arrTexts[ACTION_SPEECH].IsEmpty());
    m_strParameter = bChosen ? m_arrTexts[m_nKind] : CString();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), !m_strParameter.IsEmpty());
}

void CAddActionDialog::WriteControls()
{
    m_bWriting = TRUE;
    UpdateData(FALSE);
    m_bWriting = FALSE;
}

void CAddActionDialog::OnUpdate()
{
    // A change made while the controls are written would read them half written.
    if (!m_bWriting)
        ApplyUpdateRule();
}

void CAddActionDialog::OnBrowseSound()
{
    UpdateData(TRUE);
    if (!COwnFileDialog::OpenWaveFile(this, m_arrTexts[ACTION_SOUND], L"Select Sound File"))
        return;
    WriteControls();
    ApplyUpdateRule();
}

void CAddActionDialog::OnPlaySound()
{
    ::PlaySoundW(m_arrTexts[ACTION_SOUND], nullptr, SND_FILENAME | SND_ASYNC);
}

CString CAddActionDialog::PreviewText(const CString& strSpeech, const CString& strTitle)
{
    CString strText = strSpeech;
    strText.MakeLower();
    strText.Replace(L"{title}", CSpeechVoice::EscapeMarkup(strTitle));
    return strText;
}

void CAddActionDialog::OnSpeak()
{
    UpdateData(TRUE);
    CSpeechVoice voice(this);
    voice.Speak(PreviewText(m_arrTexts[ACTION_SPEECH], m_strTitle), FALSE, FALSE, TRUE);
}

void CAddActionDialog::OnBrowseScript()
{
    UpdateData(TRUE);
    CScriptSelect dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    m_arrTexts[ACTION_SCRIPT] = dialog.m_strTitle;
    WriteControls();
    ApplyUpdateRule();
}

void CAddActionDialog::OnOK()
{
    ApplyUpdateRule();
    if (m_strParameter.IsEmpty())
        return;
    EndDialog(IDOK);
}
