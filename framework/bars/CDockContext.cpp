#include "framework/bars/CDockContext.h"

#include "framework/bars/CDockBar.h"
#include "framework/frames/CFrameWnd.h"

#include <cstdlib>

namespace
{
// How far the cursor may stand off a dock bar's strip and still dock there.
const int kDockZone = 16;
} // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0), m_nMRURow(-1),
      m_ptMRUFloatPos(-1, -1), m_ptStart(0, 0),
      m_rectStart(0, 0, 0, 0)
{
}

CRect CDockContext::TrackerAt(CPoint pt) const
{
    CRect rect(m_rectStart);
    rect.OffsetRect(pt.x - m_ptStart.x, pt.y - m_ptStart.y);
    return rect;
}

void CDockContext::DrawTracker(const CRect& rect) const
{
    HDC hDC = ::GetDCEx(nullptr, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!hDC)
        hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, ::GetStockObject(GRAY_BRUSH));
    const int n = 3;
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), n, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.bottom - n, rect.Width(), n, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.top + n, n, rect.Height() - 2 * n, PATINVERT);
    ::PatBlt(hDC, rect.right - n, rect.top + n, n, rect.Height() - 2 * n, PATINVERT);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
}

void CDockContext::StartDrag(CPoint pt)
{
    HWND hWnd = m_pBar->m_hWnd;
    m_ptStart = pt;
    ::GetWindowRect(hWnd, &m_rectStart);
    ::SetCapture(hWnd);
    CRect rectLast = m_rectStart;
    CPoint ptLast = pt;
    DrawTracker(rectLast);
    BOOL bDone = FALSE;
    BOOL bCancel = FALSE;
    BOOL bMoved = FALSE;
    MSG msg;
    while (!bDone && !bCancel && ::GetCapture() == hWnd && ::GetMessageW(&msg, nullptr, 0, 0))
    {
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            ::GetCursorPos(&ptLast);
            if (std::abs(ptLast.x - m_ptStart.x) > ::GetSystemMetrics(SM_CXDRAG) ||
                std::abs(ptLast.y - m_ptStart.y) > ::GetSystemMetrics(SM_CYDRAG))
                bMoved = TRUE;
            DrawTracker(rectLast);
            rectLast = TrackerAt(ptLast);
            DrawTracker(rectLast);
            bDone = msg.message == WM_LBUTTONUP;
            break;
        case WM_KEYDOWN:
            bCancel = msg.wParam == VK_ESCAPE;
            break;
        case WM_RBUTTONDOWN:
            bCancel = TRUE;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }
    DrawTracker(rectLast);
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    // A press without a move is no drag.
    if (bDone && bMoved)
        EndDrag(ptLast);
}

CDockBar* CDockContext::DockBarAt(CPoint pt, const CRect&) const
{
    CFrameWnd* pFrame = m_pBar->m_pDockSite;
    if (!pFrame)
        return nullptr;
    static const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                               AFX_IDW_DOCKBAR_RIGHT};
    for (UINT nID : ids)
    {
        CDockBar* pDockBar = pFrame->GetDockBar(nID);
        if (!pDockBar || !(pDockBar->GetBarStyle() & m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        CRect rect;
        ::GetWindowRect(pDockBar->m_hWnd, &rect);
        // The strip reaches a little into the frame, so that an empty dock bar can be hit.
        DWORD dwAlign = pDockBar->GetBarStyle();
        if (dwAlign & CBRS_ALIGN_TOP)
            rect.bottom += kDockZone;
        else if (dwAlign & CBRS_ALIGN_BOTTOM)
            rect.top -= kDockZone;
        else if (dwAlign & CBRS_ALIGN_LEFT)
            rect.right += kDockZone;
        else
            rect.left -= kDockZone;
        if (::PtInRect(&rect, pt))
            return pDockBar;
    }
    return nullptr;
}

void CDockContext::EndDrag(CPoint pt)
{
    CFrameWnd* pFrame = m_pBar->m_pDockSite;
    if (!pFrame)
        return;
    CRect rect = TrackerAt(pt);
    if (CDockBar* pDockBar = DockBarAt(pt, rect))
        pFrame->DockControlBar(m_pBar, pDockBar, &rect);
    else
        pFrame->FloatControlBar(m_pBar, CPoint(rect.left, rect.top));
}

void CDockContext::ToggleDocking()
{
    CFrameWnd* pFrame = m_pBar->m_pDockSite;
    if (!pFrame)
        return;
    if (m_pBar->IsFloating())
    {
        CDockBar* pDockBar = pFrame->GetDockBar(m_uMRUDockID);
        if (!pDockBar || !(pDockBar->GetBarStyle() & m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            pFrame->DockControlBar(m_pBar);
        else if (m_nMRURow >= 0)
            pFrame->DockControlBarAsRow(m_pBar, pDockBar, m_nMRURow, m_rectMRUDockPos);
        else
            pFrame->DockControlBar(m_pBar, pDockBar, m_rectMRUDockPos.IsRectEmpty() ? nullptr : &m_rectMRUDockPos);
        return;
    }
    CPoint pt = m_ptMRUFloatPos;
    if (pt.x == -1 && pt.y == -1)
    {
        CRect rect;
        ::GetWindowRect(m_pBar->m_hWnd, &rect);
        pt = CPoint(rect.left + 20, rect.top + 20);
    }
    pFrame->FloatControlBar(m_pBar, pt);
}
