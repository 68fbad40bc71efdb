// The two detail panes of the outstanding-alarms window, in a fixed-pitch font: the fields of
// one alarm's match text ("field = value" lines; a carriage return in a value continues it on a
// row of its own, a TAB becomes four blanks) and the lines of its log. The panes follow the
// list's selection, except while a load or a find changes it.
#pragma once

#include "framework/gdi/CFont.h"

#include <memory>

class CListedAlarms;
class CSortListCtrl;
class CWnd;

class CAlarmDetailPanes
{
public:
    CAlarmDetailPanes(CSortListCtrl& fieldList, CSortListCtrl& logList);
    ~CAlarmDetailPanes();

    // The font (made for the view's screen) and the columns.
    void SetUp(CWnd* pView);
    void Show(const CListedAlarms& alarms, UINT nKey);
    void Clear();

    // The first selected row's alarm is shown unless it is already; with no row selected, what
    // is kept for key 0 (normally nothing). Nothing while following is off.
    void FollowSelection(const CListedAlarms& alarms);
    BOOL IsFollowing() const { return m_bFollowing; }
    void SetFollowing(BOOL bFollowing) { m_bFollowing = bFollowing; }
    // The next selection change shows its alarm even when that is the one shown.
    void ForgetShown() { m_nShownKey = -1; }

private:
    CSortListCtrl& m_wndFieldList;
    CSortListCtrl& m_wndLogList;
    std::unique_ptr<CFont> m_pFont;
    int m_nShownKey;
    BOOL m_bFollowing;
};
