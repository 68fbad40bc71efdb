#include "console/service/CDatabaseStatusDlg.h"

#include "framework/window/CDataExchange.h"
#include "resources/console/ServiceRes.h"

namespace
{
const UINT_PTR nRefreshTimer = 100;
const UINT nRefreshDelay = 50;
} // namespace

BEGIN_MESSAGE_MAP(CDatabaseStatusDlg, CDialog)
    ON_WM_TIMER()
    ON_COMMAND(IDC_DATABASE_COMPACT, OnCompact)
END_MESSAGE_MAP()

CDatabaseStatusDlg::CDatabaseStatusDlg(CWnd* pParentWnd)
    : CDialog(IDD_DATABASE_STATUS, pParentWnd), m_list(TRUE)
{
}

void CDatabaseStatusDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DATABASE_LIST, m_list);
}

BOOL CDatabaseStatusDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetUp();
    SetTimer(nRefreshTimer, nRefreshDelay);
    return TRUE;
}

void CDatabaseStatusDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == nRefreshTimer)
    {
        KillTimer(nRefreshTimer);
        m_list.Refresh();
    }
    CDialog::OnTimer(nIDEvent);
}

void CDatabaseStatusDlg::OnCompact()
{
    if (m_list.Compact())
        SetTimer(nRefreshTimer, nRefreshDelay);
}
