// The base of the console's resizable tool dialogs: its controls follow the dialog's growth by
// an anchor table (each of width, height, left and top: 0 fixed, 1 a half of the growth, 2 the
// whole growth, 3 a third, 4 two thirds), it never shrinks below its template size, paints a
// size grip in its bottom-right corner unless told not to, may carry a toolbar, shows tooltips
// from the string table, updates its controls' and menu's command UI every 250 ms, and keeps
// its screen rectangle in the profile ("Window Geometry %08X %08X") for the next opening.
#pragma once

#include "framework/window/CDialog.h"
#include "wincomponents/controls/CDialogToolBar.h"
#include "wincomponents/layout/LayoutAnchor.h"

#include <vector>

class CResizableToolDialog : public CDialog
{
public:
    // Timers of the base; derived dialogs use other ids.
    static const UINT_PTR nSaveTimer = 1002;
    static const UINT_PTR nTickTimer = 1003;

    CResizableToolDialog(UINT nIDTemplate, CWnd* pParentWnd);
    ~CResizableToolDialog() override;

    // Before the window exists, usually from the derived constructor.
    void SetLayout(const LAYOUT_ANCHOR* pRecords, int nCount);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The profile value's name: one number when m_nGeometryId2 is -1, else both.
    CString GeometryKey() const;
    BOOL WasRestoredFromProfile() const { return m_bRestoredFromProfile; }
    HWND GetToolTip() const { return m_hToolTip; }

    BOOL m_bCanGrowWidth;    // FALSE pins the width to the template's
    BOOL m_bCanGrowHeight;   // FALSE pins the height to the template's
    BOOL m_bGripHidden;      // set to paint no size grip
    BOOL m_bGeometryEnabled; // FALSE neither saves nor restores the rectangle
    BOOL m_bRestoreAtInit;   // the initialisation restores the stored rectangle
    BOOL m_bTooltipsOn;
    UINT m_nGeometryId1;     // the template id unless changed
    int m_nGeometryId2;
    UINT m_nTickMessage;     // when set, posted to the dialog on every 250 ms tick
    CDialogToolBar m_wndToolBar; // created by the derived dialog when it wants one

protected:
    // Called first by the derived initialisation: the program's icon, the controls' places,
    // the stored rectangle, the tooltips and the tick.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnMove(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void SaveGeometry();
    void RestoreGeometry();

private:
    BOOL IsResizable() const;
    // To the stored rectangle, already fitted into a work area.
    void MoveToStored(const CRect& rectFitted);
    CRect GripRect() const;
    void RecordInitialSizes();
    void LayOut(int dx, int dy);
    void UpdateCommandUI();
    BOOL OnToolTipText(NMHDR* pNMHDR);

    std::vector<ANCHORED_CONTROL> m_anchors;
    BOOL m_bSizesKnown;
    BOOL m_bGeometryLoaded;
    BOOL m_bRestoredFromProfile;
    CRect m_rectInitialWindow;
    CRect m_rectInitialClient;
    HWND m_hToolTip;
};
