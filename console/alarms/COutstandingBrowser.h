// The "Outstanding Browser": a modeless, resizable dialog that shows one outstanding alarm in
// full beside the outstanding-alarms view that owns it. It keeps no alarm data: every alarm it
// shows, steps to, searches or sets a status on is asked of the view through its registered
// messages. Closing it only hides it.
#pragma once

#include "framework/controls/CSpinButtonCtrl.h"
#include "wincomponents/layout/CResizableToolDialog.h"
#include "wincomponents/lists/CSortListCtrl.h"

#include <map>
#include <memory>

class CFont;

class COutstandingBrowser : public CResizableToolDialog
{
public:
    explicit COutstandingBrowser(CWnd* pView);
    ~COutstandingBrowser() override;

    // Asks the view for the alarm nStep rows from nKey and shows it.
    void ShowAlarm(int nKey, int nStep);
    int GetKey() const { return m_nKey; }

    CString m_strCreated, m_strAge, m_strStatus, m_strTitle, m_strFrom, m_strClass, m_strText, m_strFind;
    CString m_strLog;   // lines separated by "\n"
    CString m_strMatch; // field/value lines separated by "\n"
    int m_nStatus;      // 0 Open, 1 Pending, 2 Closed, -1 none of them
    int m_nTextKind;    // 0 criteria, 1 description
    int m_nDisplay;     // 0 field/value lines, 1 log lines
    CSpinButtonCtrl m_spin;
    CSortListCtrl m_list;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnClose();
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    void OnStatusButton(UINT nID);
    void ShowFieldColumns();
    void ShowLogColumns();
    void UpdateFindButtons();
    void FindNext() { Find(TRUE); }
    void FindPrev() { Find(FALSE); }
    void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTextKind();
    LRESULT OnSelection(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void SetStatus(UINT nID);
    void Find(BOOL bForward);
    void SetColumns(std::initializer_list<const wchar_t*> titles);
    void FillFieldLines();
    void FillLogLines();
    void EndFilling();

    CWnd* m_pView;
    int m_nKey;
    std::map<CString, int> m_mapStatus; // lower-cased caption -> radio index
    std::unique_ptr<CFont> m_pListFont;
};
