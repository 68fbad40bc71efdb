#include "console/service/CServicePageDatabase.h"

#include "framework/window/CDataExchange.h"
#include "resources/console/ServiceRes.h"

namespace
{
const UINT_PTR nRefreshTimer = 100;
const UINT nFirstDelay = 10;
const UINT nCompactDelay = 50;
const UINT nRefreshPeriod = 10000;
} // namespace

BEGIN_MESSAGE_MAP(CServicePageDatabase, CPropertyPage)
    ON_WM_TIMER()
    ON_COMMAND(IDC_DATABASE_COMPACT, OnCompact)
END_MESSAGE_MAP()

CServicePageDatabase::CServicePageDatabase() : CPropertyPage(IDD_SERVICE_DATABASE), m_list(FALSE)
{
}

void CServicePageDatabase::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DATABASE_LIST, m_list);
}

BOOL CServicePageDatabase::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_list.SetUp();
    SetTimer(nRefreshTimer, nFirstDelay);
    return TRUE;
}

void CServicePageDatabase::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == nRefreshTimer)
    {
        KillTimer(nRefreshTimer);
        m_list.Refresh();
        SetTimer(nRefreshTimer, nRefreshPeriod);
    }
    CPropertyPage::OnTimer(nIDEvent);
}

void CServicePageDatabase::OnCompact()
{
    if (m_list.Compact())
        SetTimer(nRefreshTimer, nCompactDelay);
}
