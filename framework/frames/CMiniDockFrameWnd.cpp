#include "framework/frames/CMiniDockFrameWnd.h"

#include "framework/bars/CDockContext.h"
#include "framework/bars/CToolBar.h"
#include "framework/frames/CFrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CWnd)

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE), m_bInLayout(FALSE)
{
}

BOOL CMiniDockFrameWnd::Create(CFrameWnd* pDockSite, CPoint pt, BOOL bSizable)
{
    const wchar_t* szClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (bSizable ? WS_THICKFRAME : 0);
    if (!CreateEx(WS_EX_TOOLWINDOW, szClass, L"", dwStyle, CRect(pt.x, pt.y, pt.x + 100, pt.y + 40), pDockSite, 0))
        return FALSE;
    if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE, AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    m_wndDockBar.m_pDockSite = pDockSite;
    // The frame's list holds the bars it lays out, not this dock bar.
    pDockSite->RemoveControlBar(&m_wndDockBar);
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetBar() const
{
    for (CControlBar* pBar : m_wndDockBar.m_arrBars)
        if (pBar)
            return pBar;
    return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout()
{
    m_bInLayout = TRUE;
    CSize size = m_wndDockBar.CalcFixedLayout(FALSE, TRUE);
    size.cx = std::max(size.cx, 40L);
    size.cy = std::max(size.cy, 16L);
    ::SetWindowPos(m_wndDockBar.m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndDockBar.LayoutRows(TRUE, size.cx);
    CRect rect(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, WS_EX_TOOLWINDOW);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (CControlBar* pBar = GetBar())
    {
        CString strText = pBar->GetWindowText();
        if (GetWindowText() != strText)
            SetWindowText(strText);
    }
    m_bInLayout = FALSE;
}

void CMiniDockFrameWnd::OnSizeByUser()
{
    CControlBar* pBar = GetBar();
    if (m_bInLayout || !pBar || !(GetStyle() & WS_THICKFRAME))
        return;
    CRect rect;
    GetClientRect(&rect);
    pBar->CalcDynamicLayout(rect.Width(), LM_HORZ);
    pBar->CalcDynamicLayout(rect.Height(), LM_HORZ | LM_LENGTHY);
    RecalcLayout();
}

BOOL CMiniDockFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CControlBar* pBar = GetBar();
    CDockContext* pContext = pBar ? pBar->m_pDockContext : nullptr;
    switch (message)
    {
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && pContext)
        {
            ::SetForegroundWindow(m_hWnd);
            pContext->StartDrag(CPoint(lParam));
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && pContext)
        {
            pContext->ToggleDocking();
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            OnSizeByUser();
        break;
    case WM_CLOSE:
        if (pBar && pBar->m_pDockSite)
            pBar->m_pDockSite->ShowControlBar(pBar, FALSE, FALSE);
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY:
        if (CToolBar::OnToolTipText((NMHDR*)lParam))
        {
            *pResult = 0;
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
