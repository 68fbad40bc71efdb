#include "console/settings/CSettingsSheet.h"

#include "framework/window/AfxMessageBox.h"
#include "support/SystemErrorText.h"

CSettingsSheet::CSettingsSheet(const wchar_t* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    AddPage(&m_pageSMS);
    AddPage(&m_pageSMTP);
}

BOOL CSettingsSheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    // Every page's window must exist before OK; the first stays the one shown.
    for (int nPage = GetPageCount() - 1; nPage >= 0; --nPage)
        SetActivePage(nPage);
    return TRUE;
}

void CSettingsSheet::OnOK()
{
    LONG lStatus = m_pageSMS.Save();
    if (lStatus == ERROR_SUCCESS)
        lStatus = m_pageSMTP.Save();
    if (lStatus != ERROR_SUCCESS)
    {
        ReportNotSaved(lStatus);
        return;
    }
    EndDialog(IDOK);
}

void CSettingsSheet::ReportNotSaved(LONG lStatus)
{
    CString strMessage;
    strMessage.Format(L"The options could not be saved. %s They are kept here: press OK to try again, or "
                      L"Cancel to discard them.",
                      (const wchar_t*)CSystemErrorText::Reason((DWORD)lStatus));
    AfxShowMessageBox(m_hWnd, strMessage, L"Error", MB_OK | MB_ICONSTOP);
}
