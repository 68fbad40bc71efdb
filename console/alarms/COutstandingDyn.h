// The panel of the "Open Alarms" bar: one row per originating system with the number of its
// open alarms, after a first row "All Systems" with the total. A double click opens the
// outstanding-alarms window on that system's open alarms; with "Auto" ticked the panel
// recounts whenever new alarms have been loaded while it shows.
#pragma once

#include "wincomponents/layout/CDialogLayout.h"
#include "wincomponents/lists/CSortListCtrl.h"
#include "wincomponents/layout/cdxCDynamicBarDlg.h"

class CDatabase;

class COutstandingDyn : public cdxCDynamicBarDlg
{
public:
    explicit COutstandingDyn(CWnd* pParent = nullptr);

    // Recounts every system's open alarms; the list stays empty when the database cannot open.
    void OnRefresh();

    CSortListCtrl m_list;
    BOOL m_bAutoUpdate;
    CDialogLayout m_layout;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnAutoUpdate();
    void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnNewAlarms(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The open alarms of one system (pszFrom), or of all (null), as a grouped number; empty
    // when the count failed, which is reported.
    CString CountOpen(CDatabase& database, const wchar_t* pszFrom);
};
