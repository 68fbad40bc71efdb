#include "console/settings/CChannelTestDialog.h"

#include "resources/console/SettingsRes.h"
#include "wincomponents/controls/CFontFactory.h"

CChannelTestDialog::CChannelTestDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_bInitialised(FALSE)
{
}

CChannelTestDialog::~CChannelTestDialog()
{
}

BOOL CChannelTestDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bInitialised = TRUE;
    return TRUE;
}

void CChannelTestDialog::SetCourierFont(std::initializer_list<int> controls)
{
    if (!m_pFont)
        m_pFont.reset(CFontFactory(this).CreateCourierFont(10, FALSE));
    if (!m_pFont)
        return;
    for (int nID : controls)
        ::SendDlgItemMessageW(m_hWnd, nID, WM_SETFONT, (WPARAM)m_pFont->m_hObject, TRUE);
}

void CChannelTestDialog::ShowOutput(const CString& strText)
{
    CString strShown(strText);
    strShown.Replace(L"\r\n", L"\n");
    strShown.Replace(L"\n", L"\r\n");
    SetDlgItemText(IDC_TEST_OUTPUT, strShown);
}
