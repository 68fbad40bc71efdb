// The panel of the "Open Alarms" bar: one row per originating system with the number of its
// open alarms, after a first row "All Systems" with the total. A double click opens the
// outstanding-alarms window on that system's open alarms; with "Auto" ticked the panel
// recounts whenever new alarms have been loaded while it shows.
#pragma once

#include "wincomponents/layout/CDialogLayout.h"
#include "wincomponents/lists/CSortListCtrl.h"
#include "wincomponents/layout/cdxCDynamicBarDlg.h"

#include <vector>

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
    struct SystemCount
    {
        CString strFrom;
        unsigned nOpen;
    };

    // Gives the list that many rows, keeping those it has; no row stays selected.
    void ShowRowCount(int nRows);
    void SetRow(int nRow, const CString& strFrom, const CString& strCount);
    // Every system with a name and its open alarms, in the data source's order, and the open
    // alarms of all rows; FALSE when the count failed, which is reported.
    BOOL CountOpenBySystem(CDatabase& database, std::vector<SystemCount>& systems, unsigned& nTotal);
    // Every system with a name and its open alarms as the data source compares names, and the
    // open alarms of all rows; throws CDBException.
    static void ReadSystemCounts(CDatabase& database, std::vector<SystemCount>& systems, unsigned& nTotal);
    // The count with its digits grouped by ",".
    static CString CountText(unsigned nCount);
};
