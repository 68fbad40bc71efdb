#include "console/alarms/CAlarmsListView.h"

#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "console/alarms/CAlarmsListFrame.h"
#include "console/alarms/CHighlighting.h"
#include "console/alarms/COutstandingBrowser.h"
#include "console/alarms/COutstandingFind.h"
#include "console/alarms/CSetStatus.h"
#include "console/app/CBelvaneApp.h"
#include "console/app/CMainFrame.h"
#include "console/app/RegisteredMessage.h"
#include "console/definitions/CDefineAlarm.h"
#include "framework/controls/CMenu.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/frames/CPrintInfo.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CCmdUI.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/OutstandingRes.h"
#include "support/AppProfile.h"
#include "wincomponents/dialogs/CentreWindow.h"

#include <windowsx.h>

IMPLEMENT_DYNCREATE(CAlarmsListView, CResizableFormView)

BEGIN_MESSAGE_MAP(CAlarmsListView, CResizableFormView)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ALARM_LIST, OnAlarmItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_ALARM_LIST, OnAlarmColumnClick)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgGetData, OnGetData)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgFind, OnFind)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgBrowser, OnBrowserSearch)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgShowAllOpen, OnShowAllOpen)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgRefresh, OnRefreshMessage)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgSetStatus, OnSetStatusMessage)
    ON_COMMAND(ID_OUTSTANDING_REFRESH, OnRefresh)
    ON_COMMAND(ID_OUTSTANDING_VIEW_DEFINITION, OnViewDefinition)
    ON_COMMAND(ID_OUTSTANDING_DELETE, OnDelete)
    ON_COMMAND(ID_OUTSTANDING_DELETE_ALL, OnDeleteAll)
    ON_COMMAND(ID_OUTSTANDING_SET_STATUS, OnSetStatus)
    ON_COMMAND(ID_EDIT_SELECT_ALL_ROWS, OnSelectAll)
    ON_COMMAND(ID_EDIT_DESELECT_ALL_ROWS, OnDeselectAll)
    ON_COMMAND(ID_OUTSTANDING_CLOSE_ALL, OnCloseAll)
    ON_COMMAND(ID_OUTSTANDING_FIND, OnFindCommand)
    ON_COMMAND(ID_OUTSTANDING_HIGHLIGHTING, OnHighlighting)
    ON_COMMAND(ID_OUTSTANDING_CHANGE_LAYOUT, OnChangeLayout)
    ON_COMMAND(ID_OUTSTANDING_SET_WIDTHS, OnSetWidths)
    ON_COMMAND(ID_OUTSTANDING_BROWSER, OnBrowser)
    ON_NOTIFY(NM_DBLCLK, IDC_ALARM_LIST, OnAlarmDblClk)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_BROWSER, OnUpdateBrowser)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_VIEW_DEFINITION, OnUpdateOneSelected)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_DELETE, OnUpdateAnySelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_DESELECT_ALL_ROWS, OnUpdateAnySelected)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_DELETE_ALL, OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_SET_STATUS, OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_CLOSE_ALL, OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_FIND, OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL_ROWS, OnUpdateNotAllSelected)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_CHANGE_LAYOUT, OnUpdateChangeLayout)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateNothingToSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateNothingToSave)
END_MESSAGE_MAP()

namespace
{
BOOL AskYesNo(const wchar_t* pszText, const wchar_t* pszCaption, CWnd* pWnd)
{
    return AfxShowMessageBox(pWnd->m_hWnd, pszText, pszCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// The operator has used keyboard or mouse within the last seconds.
BOOL OperatorActiveWithin(int nSeconds)
{
    CBelvaneApp* pApp = GetTheApp();
    return pApp && pApp->UserInputWithin(nSeconds);
}
} // namespace

CAlarmsListView::CAlarmsListView()
    : CResizableFormView(IDD_ALARMS_LIST_FORM),
      m_bDefaultView(GetAppProfile().GetBool(L"CAlarmsListView::m_bDefaultView", TRUE)), m_title(*this),
      m_newAlarms(*this, kTimerPoll, kTimerNewAlarms), m_ageing(*this), m_panes(m_wndFieldList, m_wndLogList),
      m_changes(*this), m_finder(*this), m_dataRequests(*this)
{
}

void CAlarmsListView::DoDataExchange(CDataExchange* pDX)
{
    CResizableFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LOG_LIST, m_wndLogList);
    DDX_Control(pDX, IDC_FIELD_LIST, m_wndFieldList);
    DDX_Control(pDX, IDC_ALARM_LIST, m_wndAlarmList);
}

void CAlarmsListView::OnInitialUpdate()
{
    CResizableFormView::OnInitialUpdate();
    UpdateData(FALSE);
    SetUpLayout();
    if (CAlarmsListFrame* pFrame = dynamic_cast<CAlarmsListFrame*>(GetParentFrame()))
        pFrame->m_wndBar.SetView(this);
    SetUpColumns();
    m_panes.SetUp(this);
    RepositionControls(TRUE);
    LoadAlarms(FALSE);
    SetTimer(kTimerAgeing, 5000);
    m_newAlarms.Start();
    m_panes.SetFollowing(TRUE);
    if (m_wndAlarmList.GetItemCount() > 0)
    {
        m_wndAlarmList.SelectItem(0, TRUE);
        m_panes.Show(*this, RowKey(0));
    }
}

void CAlarmsListView::SetUpLayout()
{
    if (m_bDefaultView)
    {
        static const LAYOUT_ANCHOR layout[] = {
            {IDC_ALARM_LIST, 4, 2, 0, 0}, {IDC_FIELD_LIST, 2, 2, 0, 2}, {IDC_LOG_LIST, 2, 2, 2, 2}};
        SetLayout(layout, 3);
        return;
    }
    CRect rectAlarms, rectLog;
    m_wndAlarmList.GetWindowRect(&rectAlarms);
    m_wndLogList.GetWindowRect(&rectLog);
    ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)&rectAlarms, 2);
    ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)&rectLog, 2);
    rectAlarms.bottom = rectLog.bottom;
    m_wndAlarmList.MoveWindow(rectAlarms);
    m_wndFieldList.ShowWindow(SW_HIDE);
    m_wndLogList.ShowWindow(SW_HIDE);
    static const LAYOUT_ANCHOR layout[] = {{IDC_ALARM_LIST, 4, 4, 0, 0}};
    SetLayout(layout, 1);
}

void CAlarmsListView::OnSize(UINT nType, int cx, int cy)
{
    CResizableFormView::OnSize(nType, cx, cy);
    RepositionControls(TRUE);
    for (CSortListCtrl* pList : {(CSortListCtrl*)&m_wndAlarmList, &m_wndFieldList, &m_wndLogList})
        pList->AutoSizeColumns();
}

void CAlarmsListView::LoadAlarms(BOOL bKeepWidths)
{
    CWaitCursor wait;
    m_newAlarms.Disarm();
    m_title.UnmarkNewAlarms();
    CAlarmsTable table;
    if (!table.Open())
        return;
    BOOL bFollowing = m_panes.IsFollowing();
    m_panes.SetFollowing(FALSE);
    BOOL bWasEmpty = m_wndAlarmList.GetItemCount() == 0;
    int nSelectedKey = FirstSelectedRow() >= 0 ? (int)RowKey(FirstSelectedRow()) : -1;
    m_wndAlarmList.SetRedraw(FALSE);
    ReadRows(table);
    if (SelectOnlyKey(nSelectedKey) < 0)
        m_panes.Clear();
    table.Close();
    SortAgain();
    m_ageing.ApplyHighlighting(FALSE);
    if (!bKeepWidths)
        m_wndAlarmList.AutoSizeColumns();
    m_title.ShowRows(m_wndAlarmList.GetItemCount(), kMaxRows, m_filters.TitleParts());
    m_panes.SetFollowing(bFollowing);
    if (m_bDefaultView && m_wndAlarmList.GetItemCount() > 0)
        ShowFirstSelected();
    if (bWasEmpty)
        m_wndAlarmList.AutoSizeColumns();
    m_wndAlarmList.SetRedraw(TRUE);
}

void CAlarmsListView::ReadRows(CAlarmsTable& table)
{
    ForgetTexts();
    int nRead = 0;
    BOOL bSelected = table.ReadNewest(m_filters.TextsForLoad(), kMaxRows,
                                      [&](const CAlarmsRecordset& rs) { ShowRecord(nRead++, rs); });
    CMainFrame* pMain = GetMainFrame();
    if (bSelected && pMain)
        pMain->SetDatabaseFile(table.DatabaseName());
    TrimRows(nRead);
}

void CAlarmsListView::ShowFirstSelected()
{
    int nRow = FirstSelectedRow();
    if (nRow < 0)
        nRow = 0;
    m_panes.Show(*this, RowKey(nRow));
    m_wndAlarmList.SelectItem(nRow, TRUE);
    m_wndAlarmList.EnsureVisible(nRow, FALSE);
}

void CAlarmsListView::OnAlarmItemChanged(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    m_panes.FollowSelection(*this);
}

void CAlarmsListView::OnAlarmColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    SortOnColumnClick(reinterpret_cast<const NMLISTVIEW*>(pNMHDR));
    *pResult = 0;
}

void CAlarmsListView::SetAgeFilter(const wchar_t* pszAge, const wchar_t* pszAgeText, int nHours)
{
    m_filters.SetAge(pszAge, pszAgeText, nHours);
    LoadAlarms(FALSE);
}

void CAlarmsListView::SetTextFilter(CAlarmsFilters::TextFilter nFilter, const wchar_t* pszText)
{
    m_filters.SetText(nFilter, pszText);
    LoadAlarms(FALSE);
}

void CAlarmsListView::ClearFilters()
{
    if (m_filters.Clear())
        LoadAlarms(FALSE);
}

LRESULT CAlarmsListView::OnShowAllOpen(WPARAM, LPARAM lParam)
{
    m_filters.ShowAllOpen((const wchar_t*)lParam);
    LoadAlarms(FALSE);
    return 0;
}

void CAlarmsListView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerPoll && m_newAlarms.Poll())
        m_title.MarkNewAlarms();
    else if (nIDEvent == kTimerNewAlarms)
        OnIdleReload();
    else if (nIDEvent == kTimerAgeing && !OperatorActiveWithin(2))
        AgeRows();
    Default();
}

void CAlarmsListView::OnIdleReload()
{
    if (!m_newAlarms.IsReloadDue())
        return;
    KillTimer(kTimerAgeing);
    LoadAlarms(TRUE);
    SetTimer(kTimerAgeing, 5000);
    if (CMainFrame* pMain = GetMainFrame())
        pMain->SendMessageToDescendants(RegisteredMessage::nMsgNewAlarms, 0, 0, TRUE, FALSE);
}

BOOL CAlarmsListView::SetAlarmStatus(const wchar_t* pszStatus, BOOL bSelectedOnly)
{
    CAlarmChanges::Outcome outcome = m_changes.SetStatus(pszStatus, bSelectedOnly);
    if (outcome == CAlarmChanges::kNoDataSource)
        return FALSE;
    LoadAlarms(FALSE);
    return outcome == CAlarmChanges::kAllWritten;
}

LRESULT CAlarmsListView::OnSetStatusMessage(WPARAM wParam, LPARAM lParam)
{
    const wchar_t* pszStatus = (const wchar_t*)lParam;
    // What the list shows may be gone from the table: it is read again.
    if (pszStatus && m_changes.SetStatusOfKey((UINT)wParam, pszStatus) == CAlarmChanges::kNotAllWritten)
        LoadAlarms(FALSE);
    return 0;
}

void CAlarmsListView::OnSetStatus()
{
    CSetStatus dialog(this, L"", FirstSelectedRow() >= 0);
    if (dialog.DoModal() != IDOK)
        return;
    SetAlarmStatus(dialog.m_strStatus, dialog.m_nApplyTo == 1);
}

void CAlarmsListView::OnCloseAll()
{
    if (AskYesNo(L"Really change the status of all entries in the display to 'Closed' ?", L"Close All", this))
        SetAlarmStatus(L"Closed", FALSE);
}

void CAlarmsListView::OnDelete()
{
    if (AskYesNo(L"Really delete the selected entries ?", L"Delete", this) && m_changes.DeleteSelected())
        LoadAlarms(FALSE);
}

void CAlarmsListView::OnDeleteAll()
{
    if (!AskYesNo(L"Really delete all entries ?", L"Delete All", this))
        return;
    CString strTitle = m_title.Get();
    // A row of dots that grows with each alarm and starts again after 50.
    CString strProgress;
    auto fnDone = [&] {
        if (strProgress.GetLength() >= 50)
            strProgress.Empty();
        strProgress += L".";
        m_title.Set(strProgress);
    };
    if (!m_changes.DeleteListed(fnDone))
        return;
    m_title.Set(strTitle);
    LoadAlarms(FALSE);
}

void CAlarmsListView::OnViewDefinition()
{
    int nRow = FirstSelectedRow();
    if (nRow < 0)
        return;
    CAlarmDefinitionList definitions;
    if (!ParseDefinition(RowKey(nRow), definitions))
    {
        AfxShowMessageBox(m_hWnd, L"Alarm Definition not found", L"Error", MB_OK | MB_ICONSTOP);
        return;
    }
    // What the user changes in the sheet is not stored anywhere.
    CDefineAlarm sheet(L"View Definition", definitions.GetAssignedToList(), definitions.GetPriorityList(), this,
                       definitions.GetAt(0), 0);
    sheet.DoModal();
}

LRESULT CAlarmsListView::OnContextMenu(WPARAM, LPARAM lParam)
{
    CMainFrame* pMain = GetMainFrame();
    HMENU hPopup = pMain ? FindMenuPopup(::GetMenu(pMain->m_hWnd), L"Outstanding") : nullptr;
    CFrameWnd* pFrame = GetParentFrame();
    if (hPopup)
        ::TrackPopupMenu(hPopup, TPM_RIGHTBUTTON, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 0,
                         pFrame ? pFrame->m_hWnd : m_hWnd, nullptr);
    return 0;
}

void CAlarmsListView::OnRefresh()
{
    LoadAlarms(FALSE);
}

LRESULT CAlarmsListView::OnRefreshMessage(WPARAM, LPARAM)
{
    LoadAlarms(FALSE);
    return 0;
}

void CAlarmsListView::OnSelectAll()
{
    m_wndAlarmList.SelectAll();
}

void CAlarmsListView::OnDeselectAll()
{
    m_wndAlarmList.SelectNone();
}

void CAlarmsListView::OnSetWidths()
{
    CWaitCursor wait;
    m_wndAlarmList.AutoSizeColumns();
}

void CAlarmsListView::OnChangeLayout()
{
    m_bDefaultView = !m_bDefaultView;
    GetAppProfile().WriteBool(L"CAlarmsListView::m_bDefaultView", m_bDefaultView);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->PostMessage(WM_CLOSE);
    if (CMainFrame* pMain = GetMainFrame())
        pMain->PostMessage(RegisteredMessage::nMsgOutstanding);
}

void CAlarmsListView::OnHighlighting()
{
    CHighlighting dialog(this);
    if (dialog.DoModal() == IDOK)
        m_ageing.ApplyHighlighting(TRUE);
}

void CAlarmsListView::OnFindCommand()
{
    CStringArray arrNames;
    CUIntArray arrIds;
    m_finder.SearchColumns(arrNames, arrIds);
    COutstandingFind dialog(this, arrNames, arrIds);
    dialog.DoModal();
}

LRESULT CAlarmsListView::OnFind(WPARAM, LPARAM lParam)
{
    AlarmFindRequest* pRequest = (AlarmFindRequest*)lParam;
    if (!pRequest)
        return 0;
    m_panes.SetFollowing(FALSE);
    m_finder.Find(*pRequest);
    m_panes.SetFollowing(TRUE);
    // Selecting the first selected row again shows it in the panes.
    int nSelected = FirstSelectedRow();
    if (nSelected >= 0)
    {
        m_panes.ForgetShown();
        m_wndAlarmList.SelectItem(nSelected, FALSE);
        m_wndAlarmList.SelectItem(nSelected, TRUE);
    }
    return 0;
}

CAlarmsListView::~CAlarmsListView()
{
}

void CAlarmsListView::OnBrowser()
{
    ShowBrowser(FALSE);
}

void CAlarmsListView::OnAlarmDblClk(NMHDR*, LRESULT* pResult)
{
    ShowBrowser(TRUE);
    *pResult = 0;
}

void CAlarmsListView::OnUpdateBrowser(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pBrowser && m_pBrowser->m_hWnd && m_pBrowser->IsWindowVisible());
}

void CAlarmsListView::ShowBrowser(BOOL bShow)
{
    if (!bShow && m_pBrowser && m_pBrowser->m_hWnd && m_pBrowser->IsWindowVisible())
    {
        m_pBrowser->ShowWindow(SW_HIDE);
        return;
    }
    if (!m_pBrowser || !m_pBrowser->m_hWnd)
    {
        m_pBrowser.reset(new COutstandingBrowser(this));
        if (!m_pBrowser->Create(IDD_OUTSTANDING_BROWSER, nullptr))
        {
            m_pBrowser.reset();
            return;
        }
        CentreWindow(m_pBrowser->m_hWnd, m_hWnd);
    }
    int nSelected = FirstSelectedRow();
    m_pBrowser->SendMessage(RegisteredMessage::nMsgSelection, 0, nSelected >= 0 ? (LPARAM)RowKey(nSelected) : 0);
    m_pBrowser->ShowWindow(SW_RESTORE);
    ::SetForegroundWindow(m_pBrowser->m_hWnd);
}

LRESULT CAlarmsListView::OnBrowserSearch(WPARAM, LPARAM lParam)
{
    if (AlarmSearchRequest* pRequest = (AlarmSearchRequest*)lParam)
        m_finder.SearchNext(*pRequest);
    return 0;
}

LRESULT CAlarmsListView::OnGetData(WPARAM, LPARAM lParam)
{
    if (AlarmDataRequest* pRequest = (AlarmDataRequest*)lParam)
        m_dataRequests.Answer(*pRequest);
    return 0;
}

void CAlarmsListView::OnUpdateOneSelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndAlarmList.GetItemCountByState(COLORLIST_SELECTED) == 1);
}

void CAlarmsListView::OnUpdateAnySelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FirstSelectedRow() >= 0);
}

void CAlarmsListView::OnUpdateNothingToSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CAlarmsListView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    pInfo->m_nMaxPage = m_printout.Layout(m_wndAlarmList, pDC, pInfo->m_rectDraw);
}

void CAlarmsListView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_printout.PrintPage(m_wndAlarmList, pDC, pInfo->m_nCurPage);
}

void CAlarmsListView::OnUpdateNotEmpty(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndAlarmList.GetItemCount() > 0);
}

void CAlarmsListView::OnUpdateNotAllSelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndAlarmList.GetItemCountByState(COLORLIST_SELECTED) < m_wndAlarmList.GetItemCount());
}

void CAlarmsListView::OnUpdateChangeLayout(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bDefaultView);
}
