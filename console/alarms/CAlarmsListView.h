// The outstanding-alarms window's view: at most 1000 rows of the alarm table, newest first,
// within six filters kept in the profile, with the match text and log of the selected alarm in
// two detail panes. It follows new alarms by polling "AlarmLastPrimeKey" (timer 102) and
// reloading once the operator is idle (timer 100), ages its rows (timer 101), colours them by
// age, writes status changes and deletions, and answers its companions' registered messages.
#pragma once

#include "console/alarms/AlarmRequests.h"
#include "framework/gdi/CFont.h"
#include "wincomponents/CColorListCtrl.h"
#include "wincomponents/CResizableFormView.h"

#include <map>

class CDatabase;
class CAlarmsRecordset;

class CAlarmsListView : public CResizableFormView
{
    DECLARE_DYNCREATE(CAlarmsListView)
public:
    enum
    {
        kMaxRows = 1000,
        kTimerNewAlarms = 100,
        kTimerAgeing = 101,
        kTimerPoll = 102,
        kColumnStatus = 5,
        kColumnMatchText = 998,
        kColumnLog = 999
    };

    CAlarmsListView();
    ~CAlarmsListView() override;

    void OnInitialUpdate() override;

    void LoadAlarms(BOOL bKeepWidths);
    void SetAgeFilter(const wchar_t* pszAge, const wchar_t* pszAgeText, int nHours);
    void SetFromFilter(const wchar_t* pszText);
    void SetStatusFilter(const wchar_t* pszText);
    void SetAssignedToFilter(const wchar_t* pszText);
    void SetPriorityFilter(const wchar_t* pszText);
    void SetTitleFilter(const wchar_t* pszText);
    void ClearFilters();
    void ShowAlarmDetails(UINT nKey);
    void ApplyHighlighting(BOOL bRedraw);
    // TRUE when no row failed; rows failing are reported and skipped.
    BOOL SetAlarmStatus(const wchar_t* pszStatus, BOOL bSelectedOnly);
    // One ageing pass: the age column and the rows older than the age filter.
    void AgeRows();
    // The prime key of a row; the key of the first selected row (-1 when none).
    UINT RowKey(int nRow) const { return (UINT)m_wndAlarmList.GetItemData(nRow); }
    int FirstSelectedRow() const { return m_wndAlarmList.GetNextItem(-1, LVNI_SELECTED); }

    CSortListCtrl m_wndLogList;
    CSortListCtrl m_wndFieldList;
    CColorListCtrl m_wndAlarmList;
    std::map<UINT, CString> m_mapDefinition;
    std::map<UINT, CString> m_mapLog;
    std::map<UINT, CString> m_mapMatchText;
    std::map<UINT, __time64_t> m_mapCreated;
    int m_nDetailKey;
    CFont* m_pDetailFont;
    DWORD m_nLastPrimeKey;
    BOOL m_bDefaultView;
    BOOL m_bTrackSelection;
    int m_nAgeSecs;
    int m_nSortColumn;
    CString m_strLoadAge;
    CString m_strLoadAgeText;
    CString m_strLoadFrom;
    CString m_strLoadStatus;
    CString m_strLoadTitle;
    CString m_strLoadAssignedTo;
    CString m_strLoadPriority;

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
    void OnUpdateOneSelected(CCmdUI* pCmdUI);
    void OnUpdateAnySelected(CCmdUI* pCmdUI);
    void OnUpdateNotEmpty(CCmdUI* pCmdUI);
    void OnUpdateNotAllSelected(CCmdUI* pCmdUI);
    void OnUpdateChangeLayout(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    void SetUpLayout();
    void SetUpColumns();
    // Every column of the alarm list to its header and widest text.
    void FitAlarmColumns();
    void OnNewAlarmPoll();
    void OnIdleReload();
    void ReadRows(CDatabase& database, int& nRead);
    void ShowRow(int nRow, const CAlarmsRecordset& rs);
    void RestoreSelection(int nKey);
    void UpdateTitle();
    void ShowFirstSelected();
    CString FrameTitle() const;
    void SetFrameTitle(const CString& strTitle);
    void SetFilter(CString& strMember, const wchar_t* pszKey, const wchar_t* pszText);
    // Opens the row's record by key and appends the status block; FALSE when it failed.
    BOOL WriteStatus(CDatabase& database, UINT nKey, const wchar_t* pszStatus, const CString& strBlock,
                     CString* pNewLog);
    int RowOfKey(UINT nKey) const;
    BOOL RowMatches(int nRow, const AlarmFindRequest& request) const;
    CString CachedText(const std::map<UINT, CString>& map, UINT nKey) const;
};
