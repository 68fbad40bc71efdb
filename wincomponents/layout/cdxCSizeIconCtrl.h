// The size grip of a dynamic window: a size-box scroll bar in the bottom-right corner of its
// parent, drawn with the system's grip bitmap and the diagonal sizing cursor, and out of sight
// while the parent is maximised.
#pragma once

#include "framework/window/CWnd.h"

class cdxCSizeIconCtrl : public CWnd
{
    DECLARE_DYNAMIC(cdxCSizeIconCtrl)
public:
    cdxCSizeIconCtrl();

    // Created hidden, covering the parent's client area; the system shrinks it to the corner.
    BOOL Create(CWnd* pParent, UINT nID);

    BOOL m_bHideWhenZoomed;

protected:
    void OnPaint();
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsGripShown() const;
};
