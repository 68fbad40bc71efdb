#include "console/settings/CSettingsSheet.h"

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
    m_pageSMS.Save();
    m_pageSMTP.Save();
    EndDialog(IDOK);
}
