#include "console/alarms/COutstandingDyn.h"

#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/ODBCOutstandingCount.h"
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
    CAlarmsDatabase alarms;
    CStringArray arrSystems;
    alarms.LoadDistinctFrom(arrSystems);
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    m_list.SendMessage(LVM_SETITEMCOUNT, (WPARAM)arrSystems.GetSize() + 1);
    CDatabase database;
    if (alarms.Open(database))
    {
        m_list.InsertItem(0, szAllSystems);
        m_list.SetItemText(0, 1, CountOpen(database, nullptr));
        for (int i = 0; i < arrSystems.GetSize(); ++i)
        {
            m_list.InsertItem(i + 1, arrSystems[i]);
            m_list.SetItemText(i + 1, 1, CountOpen(database, arrSystems[i]));
        }
    }
    m_list.AutoSizeColumns();
    m_list.SetRedraw(TRUE);
    ::InvalidateRect(m_list.m_hWnd, nullptr, FALSE);
}

CString COutstandingDyn::CountOpen(CDatabase& database, const wchar_t* pszFrom)
{
    CODBCOutstandingCount rs(&database);
    // The system's name is bound, never part of the SQL text: any name counts right.
    if (pszFrom)
    {
        rs.m_strFilter = L"([FLD_FROM] = ?) AND ([FLD_STATUS] = ?)";
        rs.m_filterParams.AddText(pszFrom);
    }
    else
        rs.m_strFilter = L"([FLD_STATUS] = ?)";
    rs.m_filterParams.AddText(szOpen);
    CStringEx strCount;
    try
    {
        if (!rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly))
            return strCount;
        strCount.Format(L"%u", (unsigned)rs.m_dblCount);
        strCount.GroupDigits();
        rs.Close();
    }
    catch (const CDBException& e)
    {
        CAlarmsDatabase alarms;
        alarms.ReportError(L"Exception getting record count");
        alarms.ReportError(L"Table ..: %s", rs.GetTableName().GetString());
        alarms.ReportError(L"Error ..: %s", DatabaseErrorText(e).GetString());
    }
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
