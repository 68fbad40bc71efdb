// The base of form views whose controls follow the view's growth beyond the form template's
// size, in quarter steps. Modes for each of width, height, left and top: 0 fixed, 1 a quarter of
// the growth, 2 a half, 3 three quarters, 4 the whole growth, 5 own size (width and height: the
// control's current client size; left and top: where the edge is now). A view smaller than the
// template leaves every control at its design place.
#pragma once

#include "framework/frames/CFormView.h"
#include "wincomponents/layout/LayoutAnchor.h"

#include <vector>

class CResizableFormView : public CFormView
{
    DECLARE_DYNAMIC(CResizableFormView)
public:
    explicit CResizableFormView(UINT nIDTemplate);

    // Once the view's window exists: the table, and every control's design place. FALSE when
    // a control of the table is missing; that control is then left alone.
    BOOL SetLayout(const LAYOUT_ANCHOR* pRecords, int nCount);
    // Moves and sizes the controls to the view's size; bRedraw repaints the view at once.
    void RepositionControls(BOOL bRedraw);

    int GetAnchorCount() const { return (int)m_anchors.size(); }
    const CRect& GetDesignRect() const { return m_rectDesign; }

private:
    std::vector<ANCHORED_CONTROL> m_anchors;
    CRect m_rectDesign;
};
