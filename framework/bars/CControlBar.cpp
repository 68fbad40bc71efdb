#include "framework/bars/CControlBar.h"

#include "framework/bars/CDockBar.h"
#include "framework/bars/CDockContext.h"
#include "framework/frames/CFrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_dwStyle(0), m_nStateFlags(0), m_pDockSite(nullptr), m_pDockBar(nullptr), m_dwDockStyle(0),
      m_pDockContext(nullptr), m_cxLeftBorder(6),
      m_cxRightBorder(6), m_cyTopBorder(2), m_cyBottomBorder(2)
{
}

CControlBar::~CControlBar()
{
    delete m_pDockContext;
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
}

BOOL CControlBar::CreateBar(DWORD dwExStyle, const wchar_t* lpszClassName, DWORD dwStyle, DWORD dwCtrlStyle,
                            CWnd* pParentWnd, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    if (!CreateEx(dwExStyle, lpszClassName, nullptr, (dwStyle & ~CBRS_ALL) | dwCtrlStyle | WS_CHILD,
                  CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    m_pDockSite = pParentWnd && pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? (CFrameWnd*)pParentWnd
                                                                                 : GetParentFrame();
    if (m_pDockSite)
        m_pDockSite->AddControlBar(this);
    // The frame lays its children out in their order: a bar that stays on the frame (a status
    // bar) keeps the outermost strip, outside the dock bars.
    if (m_pDockSite && !IsKindOf(RUNTIME_CLASS(CDockBar)) && m_pDockSite->GetDockBar(AFX_IDW_DOCKBAR_BOTTOM))
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    if (!m_pDockContext)
        m_pDockContext = new CDockContext(this);
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar)
        ((CDockBar*)m_pDockBar)->RemoveControlBar(this);
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    CWnd::OnDestroy();
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size;
    if (bStretch)
        (bHorz ? size.cx : size.cy) = 32767;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    (void)bHorz;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += 1;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += 1;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= 1;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= 1;
    rect.left += m_cxLeftBorder;
    rect.right -= m_cxRightBorder;
    rect.top += m_cyTopBorder;
    rect.bottom -= m_cyBottomBorder;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (m_hWnd && (GetStyle() & WS_VISIBLE));
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

void CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* pLayout)
{
    if (!(m_nStateFlags & (delayHide | delayShow)))
        return;
    UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                  (m_nStateFlags & delayShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    m_nStateFlags &= ~(delayHide | delayShow);
    if (pLayout && pLayout->hDWP)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, nFlags);
    else
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, nFlags);
}

void CControlBar::OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout)
{
    BOOL bVisible = IsVisible();
    if (pLayout->hDWP)
        RecalcDelayShow(pLayout);
    if (!bVisible || !(m_dwStyle & CBRS_ALIGN_ANY) || IsFloating())
        return;
    BOOL bHorz = IsHorz();
    DWORD dwMode = (pLayout->bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
    CSize size = (m_dwStyle & CBRS_SIZE_DYNAMIC) ? CalcDynamicLayout(-1, dwMode)
                                                  : CalcFixedLayout(pLayout->bStretch, bHorz);
    RECT& free = pLayout->rect;
    size.cx = std::min(size.cx, free.right - free.left);
    size.cy = std::min(size.cy, free.bottom - free.top);
    CRect rect(free);
    if (m_dwStyle & CBRS_ALIGN_TOP)
    {
        rect.bottom = rect.top + size.cy;
        free.top += size.cy;
    }
    else if (m_dwStyle & CBRS_ALIGN_BOTTOM)
    {
        rect.top = rect.bottom - size.cy;
        free.bottom -= size.cy;
    }
    else if (m_dwStyle & CBRS_ALIGN_LEFT)
    {
        rect.right = rect.left + size.cx;
        free.left += size.cx;
    }
    else
    {
        rect.left = rect.right - size.cx;
        free.right -= size.cx;
    }
    if (bHorz)
        pLayout->sizeTotal.cy += size.cy;
    else
        pLayout->sizeTotal.cx += size.cx;
    if (pLayout->hDWP)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                         rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CControlBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SIZEPARENT)
    {
        OnSizeParent((AFX_SIZEPARENTPARAMS*)lParam);
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_IDLEUPDATECMDUI)
    {
        // An MDI frame routes on to its active child.
        CFrameWnd* pTarget = m_pDockSite ? m_pDockSite : GetParentFrame();
        if (pTarget && IsVisible())
            OnUpdateCmdUI(pTarget, (BOOL)wParam);
        *pResult = 0;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
