// A toolbar over the system's toolbar control. Its buttons come from a toolbar resource (custom
// type 241: version 1, image width, image height, button count, then one command id per button,
// 0 for a separator) or from SetButtons. Docked along a horizontal edge the buttons form one row,
// along a vertical edge one column. At idle time each button is enabled and checked through the
// frame's command routing; tooltips and the status-bar prompt come from the command's string.
#pragma once

#include "framework/bars/CControlBar.h"
#include "framework/core/CString.h"

#include <commctrl.h>

// The resource type of toolbar resources.
const WORD RT_TOOLBAR_TYPE = 241;

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: the toolbar control's own styles (TBSTYLE_FLAT and the like).
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, const RECT& rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    // The buttons and the image size of a toolbar resource; FALSE when it is missing or damaged.
    BOOL LoadToolBar(UINT nIDResource);
    // One button per id, ID_SEPARATOR (0) for a separator; images are numbered in order.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    CSize GetButtonSize() const;
    CSize GetImageSize() const { return m_sizeImage; }

    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    // The button of the command, or -1.
    int CommandToIndex(UINT nIDFind) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL SetButtonText(int nIndex, const wchar_t* lpszText);
    CString GetButtonText(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    // The control's state bits (TBSTATE_*) of a button.
    UINT GetButtonState(int nIndex) const;
    void SetButtonState(int nIndex, UINT nState);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Enables and checks each button through pTarget's command routing.
    void UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Gives a toolbar's tooltip the command's short text (after the "\n" of its string).
    static BOOL OnToolTipText(NMHDR* pNMHDR);

protected:
    LRESULT SendCtrl(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
    // Lays the buttons out in a row (bHorz) or a column and answers the size they take.
    CSize LayoutButtons(BOOL bHorz);
    // The room the gripper and borders take around the buttons.
    CSize BorderSize(BOOL bHorz) const;
    void PaintGripper();
    // Starts moving the bar when the press falls on no button.
    BOOL OnPressOutsideButtons(UINT message, LPARAM lParam);

    CSize m_sizeImage;
};
