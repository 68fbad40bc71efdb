#include "framework/bars/CDockBar.h"

#include "framework/bars/CToolBar.h"
#include "framework/frames/CFrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

CDockBar::CDockBar(BOOL bFloating) : m_arrBars{nullptr}, m_bFloating(bFloating), m_bAutoDelete(FALSE),
      m_rectLayout(0, 0, 0, 0)
{
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    const wchar_t* szClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (m_bFloating)
        dwStyle &= ~CBRS_ALIGN_ANY;
    return CreateBar(0, szClass, dwStyle | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, pParentWnd,
                     nID);
}

int CDockBar::FindBar(const CControlBar* pBar) const
{
    auto it = std::find(m_arrBars.begin(), m_arrBars.end(), pBar);
    return pBar && it != m_arrBars.end() ? (int)(it - m_arrBars.begin()) : -1;
}

int CDockBar::GetRowCount() const
{
    return (int)std::count(m_arrBars.begin(), m_arrBars.end(), nullptr) - 1;
}

int CDockBar::GetRowOf(const CControlBar* pBar) const
{
    int nIndex = FindBar(pBar);
    return nIndex < 0 ? -1 : (int)std::count(m_arrBars.begin(), m_arrBars.begin() + nIndex, nullptr) - 1;
}

std::vector<CControlBar*> CDockBar::GetRowBars(int nRow) const
{
    std::vector<CControlBar*> bars;
    int nCurrent = -1;
    for (CControlBar* pBar : m_arrBars)
    {
        if (!pBar)
            ++nCurrent;
        else if (nCurrent == nRow)
            bars.push_back(pBar);
    }
    return bars;
}

void CDockBar::GetRowBounds(int nIndex, int& nFirst, int& nLast) const
{
    nFirst = nIndex;
    while (nFirst > 0 && m_arrBars[nFirst - 1])
        --nFirst;
    nLast = nIndex;
    while (nLast + 1 < (int)m_arrBars.size() && m_arrBars[nLast + 1])
        ++nLast;
}

void CDockBar::InsertRowBreak(int nIndex)
{
    if (nIndex <= 0 || nIndex >= (int)m_arrBars.size() || !m_arrBars[nIndex] || !m_arrBars[nIndex - 1])
        return; // a row's start is already a break
    m_arrBars.insert(m_arrBars.begin() + nIndex, nullptr);
}

int CDockBar::GetDockedCount() const
{
    return (int)m_arrBars.size() - GetRowCount() - 1;
}

int CDockBar::GetDockedVisibleCount() const
{
    return (int)std::count_if(m_arrBars.begin(), m_arrBars.end(),
                              [](CControlBar* pBar) { return pBar && pBar->IsVisible(); });
}

void CDockBar::Adopt(CControlBar* pBar)
{
    if (pBar->m_pDockBar && pBar->m_pDockBar != this)
        ((CDockBar*)pBar->m_pDockBar)->RemoveControlBar(pBar);
    DWORD dwStyle = pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING | CBRS_BORDER_ANY);
    dwStyle |= m_bFloating ? CBRS_FLOATING | CBRS_ALIGN_TOP : m_dwStyle & CBRS_ALIGN_ANY;
    pBar->SetBarStyle(dwStyle);
    pBar->m_pDockBar = this;
    pBar->m_pDockSite = m_pDockSite;
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        ::SetParent(pBar->m_hWnd, m_hWnd);
    // A new orientation changes the bar's non-client room (the gripper's side).
    ::SetWindowPos(pBar->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!lpRect)
    {
        DockControlBarInRow(pBar, GetRowCount(), 0);
        return;
    }
    // The row the rectangle's leading part overlaps, judged from the rows' current places.
    CRect rect(*lpRect);
    ::ScreenToClient(m_hWnd, (POINT*)&rect.left);
    ::ScreenToClient(m_hWnd, (POINT*)&rect.right);
    BOOL bHorz = IsHorzDockBar();
    int nAcross = bHorz ? rect.top + std::min(8, rect.Height() / 2) : rect.left + std::min(8, rect.Width() / 2);
    int nAlong = bHorz ? rect.left : rect.top;
    int nRow = nAcross < 0 ? -1 : GetRowCount();
    int nStart = 0;
    for (int r = 0; r < GetRowCount() && nRow >= 0; ++r)
    {
        int nThickness = 0;
        for (CControlBar* pRowBar : GetRowBars(r))
            if (pRowBar != pBar && pRowBar->IsVisible())
                nThickness = std::max(nThickness, (int)(bHorz ? BarSize(pRowBar).cy : BarSize(pRowBar).cx));
        if (nThickness && nAcross < nStart + nThickness)
        {
            nRow = r;
            break;
        }
        nStart += nThickness;
    }
    RemoveControlBar(pBar);
    Adopt(pBar);
    if (nRow < 0)
    {
        // Above the first row: a new first row.
        m_arrBars.insert(m_arrBars.begin() + 1, {pBar, nullptr});
    }
    else
    {
        // Within the row, before the first bar that starts further along.
        std::vector<CControlBar*> row = GetRowBars(nRow);
        int nInsert = -1;
        for (CControlBar* pRowBar : row)
        {
            CPoint offset = BarOffset(pRowBar);
            if ((bHorz ? offset.x : offset.y) > nAlong)
            {
                nInsert = FindBar(pRowBar);
                break;
            }
        }
        if (nInsert < 0 && !row.empty())
            nInsert = FindBar(row.back()) + 1;
        if (nInsert < 0)
            m_arrBars.insert(m_arrBars.end(), {pBar, nullptr});
        else
            m_arrBars.insert(m_arrBars.begin() + nInsert, pBar);
    }
    PlaceAlong(pBar, nAlong);
}

void CDockBar::DockControlBarInRow(CControlBar* pBar, int nRow, int nOffset)
{
    InsertInRow(pBar, nRow, FALSE);
    PlaceAlong(pBar, nOffset);
}

void CDockBar::DockControlBarAsRow(CControlBar* pBar, int nRow, int nOffset)
{
    InsertInRow(pBar, nRow, TRUE);
    PlaceAlong(pBar, nOffset);
}

void CDockBar::InsertInRow(CControlBar* pBar, int nRow, BOOL bOwnRow)
{
    RemoveControlBar(pBar);
    Adopt(pBar);
    std::vector<CControlBar*> row = GetRowBars(nRow);
    if (row.empty())
        m_arrBars.insert(m_arrBars.end(), {pBar, nullptr});
    else if (bOwnRow)
        m_arrBars.insert(m_arrBars.begin() + FindBar(row.front()), {pBar, nullptr});
    else
        m_arrBars.insert(m_arrBars.begin() + FindBar(row.back()) + 1, pBar);
}

void CDockBar::PlaceAlong(CControlBar* pBar, int nOffset)
{
    BOOL bHorz = IsHorzDockBar();
    nOffset = std::max(0, nOffset);
    ::SetWindowPos(pBar->m_hWnd, nullptr, bHorz ? nOffset : 0, bHorz ? 0 : nOffset, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    int nIndex = FindBar(pBar);
    if (nIndex < 0)
        return FALSE;
    m_arrBars.erase(m_arrBars.begin() + nIndex);
    // Two breaks in a row mean an empty row.
    if (!m_arrBars[nIndex - 1] && nIndex < (int)m_arrBars.size() && !m_arrBars[nIndex])
        m_arrBars.erase(m_arrBars.begin() + nIndex);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    return TRUE;
}

CSize CDockBar::BarSize(CControlBar* pBar) const
{
    BOOL bHorz = IsHorzDockBar();
    // A floating bar is asked for its floating size, not a docked one.
    if ((pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) && m_bFloating)
        return pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    if (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC)
        return pBar->CalcDynamicLayout(-1, bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
    return pBar->CalcFixedLayout(FALSE, bHorz);
}

CPoint CDockBar::BarOffset(CControlBar* pBar) const
{
    CRect rect;
    ::GetWindowRect(pBar->m_hWnd, &rect);
    CPoint point(rect.left, rect.top);
    ::ScreenToClient(m_hWnd, &point);
    return point;
}

CSize CDockBar::LayoutRows(BOOL bMove, int nLength)
{
    BOOL bHorz = IsHorzDockBar();
    int nAcross = 0;
    int nLongest = 0;
    for (int r = 0; r < GetRowCount(); ++r)
    {
        int nAlong = 0;
        int nThickness = 0;
        for (CControlBar* pBar : GetRowBars(r))
        {
            // Waiting shows and hides happen with the layout that allows for them.
            if (bMove)
                pBar->RecalcDelayShow(nullptr);
            if (!pBar->IsVisible())
                continue;
            CSize size = BarSize(pBar);
            int nBarLength = bHorz ? size.cx : size.cy;
            CPoint offset = BarOffset(pBar);
            int nWanted = bHorz ? offset.x : offset.y;
            // The bar keeps its place unless the one before pushes it on or it would leave the row.
            nAlong = std::max(nAlong, std::min(nWanted, nLength - nBarLength));
            if (bMove)
            {
                int x = bHorz ? nAlong : nAcross;
                int y = bHorz ? nAcross : nAlong;
                ::SetWindowPos(pBar->m_hWnd, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
            }
            nAlong += nBarLength;
            nThickness = std::max(nThickness, (int)(bHorz ? size.cy : size.cx));
        }
        nAcross += nThickness;
        nLongest = std::max(nLongest, nAlong);
    }
    return bHorz ? CSize(nLongest, nAcross) : CSize(nAcross, nLongest);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = LayoutRows(FALSE, 32767);
    if (bStretch && GetDockedVisibleCount())
        (bHorz ? size.cx : size.cy) = 32767;
    return size;
}

void CDockBar::OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout)
{
    CRect rectBefore(pLayout->rect);
    CControlBar::OnSizeParent(pLayout);
    // The room taken: the strip between the free rectangle before and after.
    m_rectLayout = rectBefore;
    if (m_dwStyle & CBRS_ALIGN_TOP)
        m_rectLayout.bottom = pLayout->rect.top;
    else if (m_dwStyle & CBRS_ALIGN_BOTTOM)
        m_rectLayout.top = pLayout->rect.bottom;
    else if (m_dwStyle & CBRS_ALIGN_LEFT)
        m_rectLayout.right = pLayout->rect.left;
    else
        m_rectLayout.left = pLayout->rect.right;
    if (pLayout->hDWP)
        LayoutRows(TRUE, IsHorzDockBar() ? m_rectLayout.Width() : m_rectLayout.Height());
}

BOOL CDockBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && CToolBar::OnToolTipText((NMHDR*)lParam))
    {
        *pResult = 0;
        return TRUE;
    }
    return CControlBar::OnWndMsg(message, wParam, lParam, pResult);
}

void CDockBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}
