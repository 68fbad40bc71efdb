// A sizing bar that, while docked, shows a gripper of two raised lines along its leading side
// and a small close button that hides the bar. Floating, the mini frame's caption and close
// box stand in for them.
#pragma once

#include "wincomponents/sizingbars/CBarCloseButton.h"
#include "wincomponents/sizingbars/CSizingControlBar.h"

class CSizingControlBarG : public CSizingControlBar
{
    DECLARE_DYNAMIC(CSizingControlBarG)
public:
    CSizingControlBarG();

    virtual BOOL HasGripper() const { return !IsFloating(); }
    void CalcClientArea(CRect& rect, UINT nDockBarID) override;
    void PaintGripper(HDC hDC, const CRect& rectClient) override;
    // Follows the mouse over the close button: raised under the cursor, pushed while pressed.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int m_nGripperSize; // room of the gripper or caption strip at the leading side
    CBarCloseButton m_btnClose;

protected:
    LRESULT OnNcHitTest(CPoint point) override;
};
