// The outstanding-alarms window's view: at most 1000 rows of the alarm table, newest first,
// within six filters kept in the profile, with the match text and log of the selected alarm in
// two detail panes (or, in the other layout, the list alone). It follows new alarms (timers 102
// and 100), ages its rows every 5 seconds (timer 101), writes status changes and deletions, and
// answers its companions' registered messages. The view keeps the window, its commands and its
// messages; the jobs behind them are the small classes it holds.
#pragma once

#include "console/alarms/CAlarmAgeing.h"
#include "console/alarms/CAlarmChanges.h"
#include "console/alarms/CAlarmDataRequests.h"
#include "console/alarms/CAlarmDetailPanes.h"
#include "console/alarms/CAlarmFinder.h"
#include "console/alarms/CAlarmsFilters.h"
#include "console/alarms/CAlarmsFrameTitle.h"
#include "console/alarms/CListedAlarms.h"
#include "wincomponents/printing/CListPrintout.h"
#include "console/alarms/CNewAlarmWatch.h"
#include "wincomponents/layout/CResizableFormView.h"

#include <memory>

class COutstandingBrowser;

class CAlarmsListView : public CResizableFormView, public CListedAlarms
{
    DECLARE_DYNCREATE(CAlarmsListView)
public:
    enum
    {
        kMaxRows = 1000,
        kTimerNewAlarms = 100,
        kTimerAgeing = 101,
        kTimerPoll = 102
    };

    CAlarmsListView();
    ~CAlarmsListView() override;

    void OnInitialUpdate() override;

    // Reads the rows again; bKeepWidths leaves the column widths as they are.
    void LoadAlarms(BOOL bKeepWidths);
    // Each filter change is stored in the profile and reloads the list.
    void SetAgeFilter(const wchar_t* pszAge, const wchar_t* pszAgeText, int nHours);
    void SetFromFilter(const wchar_t* pszText) { SetTextFilter(CAlarmsFilters::kFrom, pszText); }
    void SetStatusFilter(const wchar_t* pszText) { SetTextFilter(CAlarmsFilters::kStatus, pszText); }
    void SetAssignedToFilter(const wchar_t* pszText) { SetTextFilter(CAlarmsFilters::kAssignedTo, pszText); }
    void SetPriorityFilter(const wchar_t* pszText) { SetTextFilter(CAlarmsFilters::kPriority, pszText); }
    void SetTitleFilter(const wchar_t* pszText) { SetTextFilter(CAlarmsFilters::kTitle, pszText); }
    void ClearFilters();
    // TRUE when every row was written; alarms not found or not written are reported and
    // skipped. The list is read again afterwards.
    BOOL SetAlarmStatus(const wchar_t* pszStatus, BOOL bSelectedOnly);
    // One ageing pass: the age column and the rows older than the age filter.
    void AgeRows() { m_ageing.AgeRows(m_filters.AgeSeconds()); }
    // The print is the listed rows in their order, with the column titles on every page.
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    CSortListCtrl m_wndLogList;
    CSortListCtrl m_wndFieldList;
    // The layout with the detail panes; the other shows the list alone.
    BOOL m_bDefaultView;
    // Made on first use, then only shown and hidden; null until then.
    std::unique_ptr<COutstandingBrowser> m_pBrowser;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    void OnAlarmItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnAlarmColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnGetData(WPARAM wParam, LPARAM lParam);
    LRESULT OnFind(WPARAM wParam, LPARAM lParam);
    LRESULT OnBrowserSearch(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowAllOpen(WPARAM wParam, LPARAM lParam);
    LRESULT OnRefreshMessage(WPARAM wParam, LPARAM lParam);
    // The popup of the main menu's "Outstanding" entry at the point.
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetStatusMessage(WPARAM wParam, LPARAM lParam);

    void OnRefresh();
    void OnViewDefinition();
    void OnDelete();
    void OnDeleteAll();
    void OnSetStatus();
    void OnSelectAll();
    void OnDeselectAll();
    void OnCloseAll();
    void OnFindCommand();
    void OnHighlighting();
    void OnChangeLayout();
    void OnSetWidths();
    void OnBrowser();
    void OnAlarmDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnUpdateBrowser(CCmdUI* pCmdUI);
    void OnUpdateOneSelected(CCmdUI* pCmdUI);
    void OnUpdateAnySelected(CCmdUI* pCmdUI);
    void OnUpdateNotEmpty(CCmdUI* pCmdUI);
    void OnUpdateNotAllSelected(CCmdUI* pCmdUI);
    void OnUpdateChangeLayout(CCmdUI* pCmdUI);
    // The window keeps nothing to save: File Save and Save As stay greyed.
    void OnUpdateNothingToSave(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    void SetUpLayout();
    void SetTextFilter(CAlarmsFilters::TextFilter nFilter, const wchar_t* pszText);
    void ReadRows(CAlarmsTable& table);
    void OnIdleReload();
    void ShowFirstSelected();
    // bShow FALSE toggles: a visible browser is hidden.
    void ShowBrowser(BOOL bShow);

    CAlarmsFilters m_filters;
    CAlarmsFrameTitle m_title;
    CNewAlarmWatch m_newAlarms;
    CAlarmAgeing m_ageing;
    CAlarmDetailPanes m_panes;
    CAlarmChanges m_changes;
    CAlarmFinder m_finder;
    CAlarmDataRequests m_dataRequests;
    CListPrintout m_printout;
};
