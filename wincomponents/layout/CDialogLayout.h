// A layout helper a dialog keeps as a member: once attached, each size change moves and sizes
// the dialog's anchored controls by a share of the growth since Attach. Size modes: 1 a half,
// 2 the whole growth, 4 a third, 5 two thirds; position modes: 1 a half, 2 the whole growth,
// 6 a third, 7 two thirds; any other value is fixed. The growth counts one pixel more than
// the window grew.
#pragma once

#include "framework/gdi/CRect.h"
#include "wincomponents/layout/LayoutAnchor.h"

#include <vector>

class CWnd;

class CDialogLayout
{
public:
    CDialogLayout();
    virtual ~CDialogLayout();

    void SetItems(const LAYOUT_ANCHOR* pRecords, int nCount);
    // Captures the controls' places in pWnd and its initial sizes. FALSE when a control of
    // the table is missing; that control is then left alone.
    BOOL Attach(CWnd* pWnd, CWnd* pToolTipOwner, BOOL bFlag);
    // The layout step; nothing before Attach.
    void OnSize();

    BOOL m_bHasFrame; // frame metrics are counted only when set
    int m_nExtraTop;

private:
    void RecordInitialSizes();

    BOOL m_bSizesKnown;
    CRect m_rectInitialClient;
    CRect m_rectLayoutWindow;
    CRect m_rectInitialWindow;
    std::vector<ANCHORED_CONTROL> m_items;
    BOOL m_bFlag;
    int m_nInitialHeight;
    int m_nInitialWidth;
    int m_nFrameX;
    int m_nCaptionHeight;
    int m_nFrameY;
    CWnd* m_pToolTipOwner;
    CWnd* m_pWnd;

    CDialogLayout(const CDialogLayout&) = delete;
    CDialogLayout& operator=(const CDialogLayout&) = delete;
};
