// The base of the console's resizable tool dialogs: its controls follow the dialog's growth by
// an anchor table (each of width, height, left and top: 0 fixed, 1 a half of the growth, 2 the
// whole growth, 3 a third, 4 two thirds), it never shrinks below its template size, and it
// paints a size grip in its bottom-right corner unless told not to.
#pragma once

#include "framework/window/CDialog.h"
#include "wincomponents/LayoutAnchor.h"

#include <vector>

class CResizableToolDialog : public CDialog
{
public:
    CResizableToolDialog(UINT nIDTemplate, CWnd* pParentWnd);

    // Before the window exists, usually from the derived constructor.
    void SetLayout(const LAYOUT_ANCHOR* pRecords, int nCount);

    BOOL m_bGripHidden; // set to paint no size grip

protected:
    // Called first by the derived initialisation: the program's icon, the controls' places.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsResizable() const;
    CRect GripRect() const;

    std::vector<ANCHORED_CONTROL> m_anchors;
    CRect m_rectInitialWindow; // empty until the controls' places are known
    CRect m_rectInitialClient;
};
