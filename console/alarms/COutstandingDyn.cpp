#include "console/alarms/COutstandingDyn.h"

#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "console/alarms/AlarmsListText.h"
#include "console/app/CBelvaneApp.h"
#include "console/app/CMainFrame.h"
#include "console/app/RegisteredMessage.h"
#include "framework/database/CDBException.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/OutstandingRes.h"
#include "support/AppProfile.h"
#include "support/StringEx.h"

namespace
{
const wchar_t szAutoUpdate[] = L"COutstandingDyn::m_bAutoUpdate";
const wchar_t szAllSystems[] = L"All Systems";
const wchar_t szOpen[] = L"Open";

const LAYOUT_ANCHOR anchors[] = {
    {IDC_DYN_REFRESH, 2, 0, 0, 0},
    {IDC_DYN_AUTO, 0, 0, 2, 0},
    {IDC_DYN_LIST, 2, 2, 0, 0},
};

// A system and the number of its open alarms, one row per system.
class COpenBySystemRecordset : public CRecordset
{
public:
    explicit COpenBySystemRecordset(CDatabase* pDatabase) : CRecordset(pDatabase) { m_nFields = 2; }
    CString GetDefaultConnect() override { return L"!"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        RFX_Text(pFX, L"[FLD_FROM]", m_strFrom, 255, SQL_VARCHAR, 0);
        RFX_Double(pFX, L"[OPEN_COUNT]", m_dblOpen);
    }

    CString m_strFrom;
    double m_dblOpen = 0.0;
};

const SORTLIST_COLUMN columns[] = {
    {L"From", LVCFMT_LEFT},
    {L"Open", LVCFMT_RIGHT},
    {L"", LVCFMT_LEFT},
};
} // namespace

BEGIN_MESSAGE_MAP(COutstandingDyn, cdxCDynamicBarDlg)
    ON_WM_SIZE()
    ON_COMMAND(IDC_DYN_REFRESH, OnRefresh)
    ON_COMMAND(IDC_DYN_AUTO, OnAutoUpdate)
    ON_NOTIFY(NM_DBLCLK, IDC_DYN_LIST, OnDblClkList)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgNewAlarms, OnNewAlarms)
END_MESSAGE_MAP()

COutstandingDyn::COutstandingDyn(CWnd* pParent)
    : cdxCDynamicBarDlg(IDD_OUTSTANDING_DYN, pParent),
      m_bAutoUpdate(GetAppProfile().GetBool(szAutoUpdate, FALSE))
{
    // The bar keeps the panel's place; the panel stores none of its own.
    m_strRegistryName.Empty();
}

void COutstandingDyn::DoDataExchange(CDataExchange* pDX)
{
    cdxCDynamicBarDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DYN_LIST, m_list);
    DDX_Check(pDX, IDC_DYN_AUTO, m_bAutoUpdate);
}

BOOL COutstandingDyn::OnInitDialog()
{
    cdxCDynamicBarDlg::OnInitDialog();
    m_layout.SetItems(anchors, sizeof anchors / sizeof anchors[0]);
    m_layout.Attach(this, GetParent(), FALSE);
    m_list.SetColumns(columns, sizeof columns / sizeof columns[0]);
    m_list.SetFullRowSelect();
    m_list.AutoSizeColumns();
    return TRUE;
}

void COutstandingDyn::OnSize(UINT nType, int cx, int cy)
{
    m_layout.OnSize();
    cdxCDynamicBarDlg::OnSize(nType, cx, cy);
}

void COutstandingDyn::OnAutoUpdate()
{
    UpdateData(TRUE);
    GetAppProfile().WriteBool(szAutoUpdate, m_bAutoUpdate);
}

LRESULT COutstandingDyn::OnNewAlarms(WPARAM, LPARAM)
{
    if (IsWindowVisible() && m_bAutoUpdate)
        OnRefresh();
    return 0;
}

void COutstandingDyn::OnRefresh()
{
    CWaitCursor wait;
    std::vector<SystemCount> systems;
    unsigned nTotal = 0;
    BOOL bCounted = FALSE;
    CAlarmsDatabase alarms;
    CDatabase database;
    BOOL bOpen = alarms.Open(database);
    if (bOpen)
        bCounted = CountOpenBySystem(database, systems, nTotal);
    ShowRowCount(bOpen ? (int)systems.size() + 1 : 0);
    if (bOpen)
    {
        SetRow(0, szAllSystems, bCounted ? CountText(nTotal) : CString());
        for (size_t i = 0; i < systems.size(); ++i)
            SetRow((int)i + 1, systems[i].strFrom, CountText(systems[i].nOpen));
    }
    m_list.AutoSizeColumns();
}

// Wine draws the list's scroll bars again at every row inserted or deleted while the list
// redraws: the count changes with redrawing off, and rows that stay are rewritten in place.
void COutstandingDyn::ShowRowCount(int nRows)
{
    m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (m_list.GetItemCount() == nRows)
        return;
    m_list.SetRedraw(FALSE);
    while (m_list.GetItemCount() > nRows)
        m_list.DeleteItem(m_list.GetItemCount() - 1);
    m_list.SendMessage(LVM_SETITEMCOUNT, (WPARAM)nRows);
    while (m_list.GetItemCount() < nRows)
        m_list.InsertItem(m_list.GetItemCount(), L"");
    m_list.SetRedraw(TRUE);
    ::InvalidateRect(m_list.m_hWnd, nullptr, FALSE);
}

void COutstandingDyn::SetRow(int nRow, const CString& strFrom, const CString& strCount)
{
    if (m_list.GetItemText(nRow, 0) != strFrom)
        m_list.SetItemText(nRow, 0, strFrom);
    if (m_list.GetItemText(nRow, 1) != strCount)
        m_list.SetItemText(nRow, 1, strCount);
}

// One query in place of one count per system, in SQL that every driver takes. The total is over
// all rows, those without a system included.
BOOL COutstandingDyn::CountOpenBySystem(CDatabase& database, std::vector<SystemCount>& systems, unsigned& nTotal)
{
    try
    {
        ReadSystemCounts(database, systems, nTotal);
        return TRUE;
    }
    catch (const CDBException& e)
    {
        CAlarmsDatabase alarms;
        alarms.ReportError(L"Exception getting record count");
        alarms.ReportError(L"Table ..: [%s]", kAlarmsTableName);
        alarms.ReportError(L"Error ..: %s", DatabaseErrorText(e).GetString());
        systems.clear();
        return FALSE;
    }
}

// The systems (with no open alarm each) and the open alarms grouped by system, grouped once more
// by the data source: only it knows which names are equal (Access compares without regard to
// case, SQL Server and the MySQL family also ignore trailing blanks), and it names a group by any
// of its rows. A join of the two would do as well, but SQLite then compares the names bytewise.
void COutstandingDyn::ReadSystemCounts(CDatabase& database, std::vector<SystemCount>& systems, unsigned& nTotal)
{
    COpenBySystemRecordset rs(&database);
    CString strSQL;
    strSQL.Format(L"SELECT BY_SYSTEM.[FLD_FROM], SUM(BY_SYSTEM.[OPEN_COUNT]) FROM "
                  L"(SELECT DISTINCT [FLD_FROM], 0 AS [OPEN_COUNT] FROM [%s] UNION ALL "
                  L"SELECT [FLD_FROM], COUNT(*) FROM [%s] WHERE [FLD_STATUS] = ? GROUP BY [FLD_FROM]) AS BY_SYSTEM "
                  L"GROUP BY BY_SYSTEM.[FLD_FROM]",
                  kAlarmsTableName, kAlarmsTableName);
    rs.m_filterParams.AddText(szOpen);
    rs.Open(CRecordset::forwardOnly, strSQL, CRecordset::readOnly);
    for (; !rs.IsEOF(); rs.MoveNext())
    {
        unsigned nOpen = (unsigned)rs.m_dblOpen;
        nTotal += nOpen;
        if (!rs.m_strFrom.IsEmpty())
            systems.push_back({rs.m_strFrom, nOpen});
    }
}

CString COutstandingDyn::CountText(unsigned nCount)
{
    CStringEx strCount;
    strCount.Format(L"%u", nCount);
    strCount.GroupDigits();
    return strCount;
}

void COutstandingDyn::OnDblClkList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    int nRow = m_list.GetSelectedIndex();
    CBelvaneApp* pApp = GetTheApp();
    CMainFrame* pFrame = GetMainFrame();
    if (nRow < 0 || !pApp || !pFrame)
        return;
    pApp->ShowAlarmsWindow();
    CString strFrom = m_list.GetItemText(nRow, 0);
    pFrame->SendMessageToDescendants(RegisteredMessage::nMsgShowAllOpen, 0,
                                     nRow == 0 ? 0 : (LPARAM)strFrom.GetString());
}
