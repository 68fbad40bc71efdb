#include "console/alarms/CHighlighting.h"

#include "framework/window/CDataExchange.h"
#include "resources/console/OutstandingRes.h"
#include "support/AppProfile.h"
#include "wincomponents/dialogs/COwnColorDialog.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CHighlighting, CDialog)
    ON_COMMAND(IDC_CHECK_NEW, OnChange)
    ON_COMMAND(IDC_CHECK_OLD, OnChange)
    ON_CONTROL(EN_CHANGE, IDC_NEW_HOURS, OnChange)
    ON_CONTROL(EN_CHANGE, IDC_OLD_HOURS, OnChange)
    ON_COMMAND(IDC_NEW_BACKGROUND, OnNewBackground)
    ON_COMMAND(IDC_NEW_TEXT, OnNewText)
    ON_COMMAND(IDC_OLD_BACKGROUND, OnOldBackground)
    ON_COMMAND(IDC_OLD_TEXT, OnOldText)
END_MESSAGE_MAP()

namespace
{
const int kNewGroup[] = {IDC_NEW_BACKGROUND, IDC_NEW_TEXT, IDC_NEW_SAMPLE, IDC_NEW_AGE_LABEL,
                         IDC_NEW_HOURS, IDC_NEW_SPIN, IDC_NEW_UNIT};
const int kOldGroup[] = {IDC_OLD_BACKGROUND, IDC_OLD_TEXT, IDC_OLD_SAMPLE, IDC_OLD_AGE_LABEL,
                         IDC_OLD_HOURS, IDC_OLD_SPIN, IDC_OLD_UNIT};
const int kGroupSize = (int)(sizeof kNewGroup / sizeof kNewGroup[0]);
} // namespace

CHighlighting::CHighlighting(CWnd* pParent) : CDialog(IDD_HIGHLIGHTING, pParent), m_bInitialised(FALSE)
{
    m_bCheckNew = GetAppProfile().GetBool(L"CHighlighting::CheckNew", FALSE);
    m_bCheckOld = GetAppProfile().GetBool(L"CHighlighting::CheckOld", FALSE);
}

void CHighlighting::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NEW_SAMPLE, m_wndNewSample);
    DDX_Control(pDX, IDC_OLD_SAMPLE, m_wndOldSample);
    DDX_Check(pDX, IDC_CHECK_NEW, m_bCheckNew);
    DDX_Check(pDX, IDC_CHECK_OLD, m_bCheckOld);
    DDX_Text(pDX, IDC_NEW_HOURS, m_strNewHours);
    DDX_Text(pDX, IDC_OLD_HOURS, m_strOldHours);
}

BOOL CHighlighting::OnInitDialog()
{
    CDialog::OnInitDialog();
    CAppProfile& profile = GetAppProfile();
    m_wndNewSample.m_crBackground = (COLORREF)profile.GetInt(L"Highlight::NewColour", 0xFFFFFF);
    m_wndNewSample.m_crText = (COLORREF)profile.GetInt(L"Highlight::NewText", 0);
    m_wndOldSample.m_crBackground = (COLORREF)profile.GetInt(L"Highlight::OldColour", 0xFFFFFF);
    m_wndOldSample.m_crText = (COLORREF)profile.GetInt(L"Highlight::OldText", 0);
    const struct
    {
        int nSpinId;
        int nDefault;
        const wchar_t* pszKey;
    } spins[] = {{IDC_NEW_SPIN, 1, L"Highlight::NewMinutes"}, {IDC_OLD_SPIN, 12, L"Highlight::OldMinutes"}};
    for (const auto& spin : spins)
    {
        HWND hSpin = ::GetDlgItem(m_hWnd, spin.nSpinId);
        ::SendMessageW(hSpin, UDM_SETRANGE32, 1, 999);
        ::SendMessageW(hSpin, UDM_SETPOS32, 0, spin.nDefault);
        ::SendMessageW(hSpin, UDM_SETPOS32, 0, profile.GetInt(spin.pszKey, spin.nDefault));
    }
    ::SendDlgItemMessageW(m_hWnd, IDC_NEW_HOURS, EM_LIMITTEXT, 3, 0);
    ::SendDlgItemMessageW(m_hWnd, IDC_OLD_HOURS, EM_LIMITTEXT, 3, 0);
    m_bInitialised = TRUE;
    OnChange();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), FALSE);
    return TRUE;
}

void CHighlighting::EnableGroup(const int* pIds, int nCount, BOOL bEnable)
{
    for (int i = 0; i < nCount; i++)
        ::EnableWindow(::GetDlgItem(m_hWnd, pIds[i]), bEnable);
}

void CHighlighting::OnChange()
{
    if (!m_bInitialised)
        return;
    UpdateData(TRUE);
    EnableGroup(kNewGroup, kGroupSize, m_bCheckNew);
    EnableGroup(kOldGroup, kGroupSize, m_bCheckOld);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), TRUE);
}

void CHighlighting::ChooseColour(CColorStatic& sample, COLORREF& crColour)
{
    COwnColorDialog dialog(crColour, CC_FULLOPEN | CC_ANYCOLOR, nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    crColour = dialog.GetColor();
    sample.Invalidate();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), TRUE);
}

void CHighlighting::OnNewBackground()
{
    ChooseColour(m_wndNewSample, m_wndNewSample.m_crBackground);
}

void CHighlighting::OnNewText()
{
    ChooseColour(m_wndNewSample, m_wndNewSample.m_crText);
}

void CHighlighting::OnOldBackground()
{
    ChooseColour(m_wndOldSample, m_wndOldSample.m_crBackground);
}

void CHighlighting::OnOldText()
{
    ChooseColour(m_wndOldSample, m_wndOldSample.m_crText);
}

int CHighlighting::SpinPosition(int nSpinId)
{
    return (int)(::SendDlgItemMessageW(m_hWnd, nSpinId, UDM_GETPOS32, 0, 0) & 0xFFFF);
}

void CHighlighting::OnOK()
{
    UpdateData(TRUE);
    CAppProfile& profile = GetAppProfile();
    profile.WriteBool(L"CHighlighting::CheckNew", m_bCheckNew);
    profile.WriteBool(L"CHighlighting::CheckOld", m_bCheckOld);
    profile.WriteInt(L"Highlight::NewColour", (int)m_wndNewSample.m_crBackground);
    profile.WriteInt(L"Highlight::NewText", (int)m_wndNewSample.m_crText);
    profile.WriteInt(L"Highlight::OldColour", (int)m_wndOldSample.m_crBackground);
    profile.WriteInt(L"Highlight::OldText", (int)m_wndOldSample.m_crText);
    profile.WriteInt(L"Highlight::NewMinutes", SpinPosition(IDC_NEW_SPIN));
    profile.WriteInt(L"Highlight::OldMinutes", SpinPosition(IDC_OLD_SPIN));
    EndDialog(IDOK);
}
