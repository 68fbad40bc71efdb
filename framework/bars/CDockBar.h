// A dock bar: the strip along one edge of a frame (ids AFX_IDW_DOCKBAR_TOP, _LEFT, _RIGHT,
// _BOTTOM) or the inside of a floating mini frame (AFX_IDW_DOCKBAR_FLOAT) that holds docked bars
// in rows. Its thickness is that of its rows; empty, it takes no room.
//
// Rows. m_arrBars lists the docked bars row after row, and a null entry ends a row. The list
// always begins with a null entry and ends with one, so it reads
//     null, bars of row 0, null, bars of row 1, null
// and a row is the run of bars between two null entries; there are no empty rows. The bars of
// a row stand in the order they sit: left to right on a horizontal dock bar, top to bottom on a
// vertical one. Rows run away from the frame's edge into its interior on the top and left dock
// bars, and towards the edge on the bottom and right ones (row 0 is always the top or left row).
// A bar keeps the place in its row where it was put (its window position); the layout only
// pushes it on as far as the bar before it needs. Bars that size themselves along a row read and
// change this list: GetRowBounds finds a row, InsertRowBreak splits one.
#pragma once

#include "framework/bars/CControlBar.h"

#include <vector>

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);

    // dwStyle: the alignment of the frame's edge (CBRS_ALIGN_*), or none when floating.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Docks the bar; lpRect (screen coordinates) chooses the row it overlaps and the place in it,
    // without one the bar gets a new row after the others.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Docks the bar at the end of row nRow (a new last row when there is no such row), at
    // nOffset along the row.
    void DockControlBarInRow(CControlBar* pBar, int nRow, int nOffset);
    // Docks the bar in a row of its own that becomes row nRow (the last row when there is no
    // such row), at nOffset along it.
    void DockControlBarAsRow(CControlBar* pBar, int nRow, int nOffset);
    // Takes the bar out of its row; an emptied row goes too. FALSE when the bar is not here.
    BOOL RemoveControlBar(CControlBar* pBar);

    // --- the rows
    // The index of the bar in m_arrBars, or -1.
    int FindBar(const CControlBar* pBar) const;
    int GetRowCount() const;
    // The row of the bar, or -1.
    int GetRowOf(const CControlBar* pBar) const;
    // The bars of row nRow in order (empty past the last row).
    std::vector<CControlBar*> GetRowBars(int nRow) const;
    // The indexes of the first and last bar of the row holding index nIndex.
    void GetRowBounds(int nIndex, int& nFirst, int& nLast) const;
    // Ends a row before the bar at nIndex: the bars from there on form a row of their own.
    void InsertRowBreak(int nIndex);
    // Bars docked here, and those of them that are visible.
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;

    BOOL IsFloatingDockBar() const { return m_bFloating; }
    BOOL IsHorzDockBar() const { return m_bFloating || (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Places the rows' visible bars (bMove: moves their windows) and answers the room they take;
    // nLength limits how far along the bar they may reach.
    CSize LayoutRows(BOOL bMove, int nLength);

    std::vector<CControlBar*> m_arrBars;
    BOOL m_bFloating;
    BOOL m_bAutoDelete; // the frame's dock bars go with their windows
    CRect m_rectLayout; // the room the frame's last layout gave the dock bar, in its parent

protected:
    void PostNcDestroy() override;
    void OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout) override;
    // The bar's size in this dock bar's orientation.
    CSize BarSize(CControlBar* pBar) const;
    // The bar's place along the row and across it, in this dock bar's client coordinates.
    CPoint BarOffset(CControlBar* pBar) const;
    // Puts the bar at the end of row nRow, or (bOwnRow) in a new row before it; past the last
    // row, in a new last row.
    void InsertInRow(CControlBar* pBar, int nRow, BOOL bOwnRow);
    // Moves the bar to nOffset along its row.
    void PlaceAlong(CControlBar* pBar, int nOffset);
    // Hands the bar to this dock bar: parent, style and frame.
    void Adopt(CControlBar* pBar);
};
