// A control bar whose size the user sets: docked, by dragging its inner edges (the edge facing
// the frame's interior changes its thickness, an edge between two bars of a row moves the
// boundary between them); floating, it keeps a size of its own. It keeps three sizes (docked
// horizontally, docked vertically, floating), shares its dock row's length with the other sizing
// bars of the row, and keeps its sizes in the profile. It paints no caption or gripper: derived
// bars add them through PaintGripper and CalcClientArea.
//
// Rows follow the dock bar (CDockBar), which lays its bars side by side without overlap, so a
// row's length is the sum of its bars' lengths.
#pragma once

#include "framework/bars/CControlBar.h"
#include "framework/gdi/CPoint.h"
#include "framework/gdi/CRect.h"

#include <vector>

class CDockBar;

class CSizingControlBar : public CControlBar
{
    DECLARE_DYNAMIC(CSizingControlBar)
public:
    // --- m_dwSizingStyle
    enum SizingStyle
    {
        scbsEdgeLeft = 0x01,
        scbsEdgeRight = 0x02,
        scbsEdgeTop = 0x04,
        scbsEdgeBottom = 0x08,
        scbsEdgeAll = 0x0F,
        scbsShowEdges = 0x10,   // the edges are drawn and take room
        scbsSizeChildren = 0x20 // the first child window fills the client area
    };

    CSizingControlBar();
    ~CSizingControlBar() override;

    // dwStyle holds window and bar styles (CBRS_*); the bar keeps the bar bits.
    virtual BOOL Create(const wchar_t* lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle);
    // Starts with sizeDefault in every state.
    virtual BOOL Create(const wchar_t* lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                        UINT nID, DWORD dwStyle);
    // The six sizes under the section "<name>-SCBar-<control id>" of the application's profile.
    virtual void LoadState(const wchar_t* lpszProfileName);
    virtual void SaveState(const wchar_t* lpszProfileName);

    virtual void BeginTracking(UINT nHitTest, CPoint point);
    virtual void EndTracking();
    virtual void TrackTo(CPoint point);
    virtual void InvertTracker();
    // Paints caption, gripper or buttons into the non-client area (rectClient in window coordinates).
    virtual void PaintGripper(HDC hDC, const CRect& rectClient);
    // Shrinks the window rectangle to the client rectangle for a bar on that dock bar.
    virtual void CalcClientArea(CRect& rect, UINT nDockBarID);
    // Moves the bars of the own row next to one another.
    virtual void AlignRowBars();

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    BOOL CanSizeWhileFloating() const override { return TRUE; }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL IsFloating() const;
    BOOL IsHorzDocked() const;
    BOOL IsVertDocked() const;
    BOOL IsSideTracking() const;
    // The rectangle of a sizing edge (HTLEFT, HTTOP, HTRIGHT, HTBOTTOM) in the window rectangle;
    // FALSE when the bar has no such edge.
    BOOL GetEdgeRect(const CRect& rectWindow, UINT nHitTest, CRect& rectEdge) const;
    // The visible sizing bars of the own row, in order.
    std::vector<CSizingControlBar*> GetRowSizingBars() const;

    DWORD m_dwSizingStyle;
    UINT m_nTrackEdge;
    CSize m_szHorz;
    CSize m_szVert;
    CSize m_szFloat;
    CSize m_szMinHorz;
    CSize m_szMinVert;
    CSize m_szMinFloat;
    int m_nTrackMin;
    int m_nTrackMax;
    int m_nTrackPos;
    int m_nTrackEdgeOffset;
    BOOL m_bTracking;
    BOOL m_bHoldSize;  // just shown docked: the next row negotiation leaves its length alone
    BOOL m_bRowSizing; // the dock bar asked for a full layout: the next fixed layout negotiates
    BOOL m_bDragFullWindows;
    UINT m_nDockBarId;
    int m_nEdgeWidth;

protected:
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    virtual LRESULT OnNcHitTest(CPoint point);
    void OnNcCalcSize(RECT* pRect);
    void OnNcPaint();
    void OnWindowPosChanging(WINDOWPOS* pPos);
    void OnSizeChild(int cx, int cy);
    CDockBar* GetOwnDockBar() const;
    // The size the bar has in its current orientation.
    CSize& CurrentSize();

private:
    // Shares the row's length among its sizing bars; TRUE when sizes changed.
    BOOL NegotiateRow(int nTotal, BOOL bHorz);
    void SpreadDifference(std::vector<CSizingControlBar*>& bars, int nDiff, BOOL bHorz);
    int RowLengthAvailable(BOOL bHorz) const;
    // Room the view leaves across the dock bar, for a thickness drag.
    int FreeRoomAcross() const;
    void BeginSideTracking();
    void BeginThicknessTracking();
    void TrackSide(int nDelta);
    BOOL IsLeadingEdge() const { return m_nTrackEdge == HTLEFT || m_nTrackEdge == HTTOP; }
    void SetThickness(int nThickness);
};

// Length along the dock row and thickness across it, of a size in that orientation.
inline LONG& BarLength(CSize& size, BOOL bHorz)
{
    return bHorz ? size.cx : size.cy;
}
inline LONG& BarThickness(CSize& size, BOOL bHorz)
{
    return bHorz ? size.cy : size.cx;
}
