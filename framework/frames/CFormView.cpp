#include "framework/frames/CFormView.h"

#include "framework/frames/CFrameWnd.h"
#include "framework/window/CDialog.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CFormView, CView)

CFormView::CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate)
{
}

BOOL CFormView::Create(const wchar_t*, const wchar_t*, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxCreateDialog(this, m_nIDTemplate, pParentWnd ? pParentWnd->m_hWnd : nullptr))
        return FALSE;
    CRect rectTemplate;
    GetWindowRect(&rectTemplate);
    SetScrollSizes(MM_TEXT, CSize(rectTemplate.Width(), rectTemplate.Height()));
    ::SetWindowLongPtrW(m_hWnd, GWLP_ID, (LONG_PTR)nID);
    // A form is a child, whatever the template says; a bordered view has the sunken edge.
    ModifyStyle(WS_POPUP | WS_CAPTION | WS_BORDER, WS_CHILD | (dwStyle & WS_VISIBLE), 0);
    if (dwStyle & WS_BORDER)
        ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

void CFormView::GetDeviceScrollSizes(int& nMapMode, CSize& sizeTotal, CSize& sizePage, CSize& sizeLine) const
{
    nMapMode = MM_TEXT;
    sizeTotal = m_totalDev;
    CRect rect;
    GetClientRect(&rect);
    sizePage = CSize(rect.Width(), rect.Height());
    sizeLine = CSize(std::max(1, (int)sizePage.cx / 10), std::max(1, (int)sizePage.cy / 10));
}

void CFormView::SetScrollSizes(int, SIZE sizeTotal)
{
    m_totalDev = sizeTotal;
    if (m_hWnd)
        UpdateBars();
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

void CFormView::UpdateBars()
{
    CRect rect;
    GetClientRect(&rect);
    const int anBars[2] = {SB_HORZ, SB_VERT};
    const LONG anTotal[2] = {m_totalDev.cx, m_totalDev.cy};
    const LONG anPage[2] = {rect.Width(), rect.Height()};
    LONG* apnPos[2] = {&m_ptScroll.x, &m_ptScroll.y};
    for (int i = 0; i < 2; ++i)
    {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMax = anPage[i] < anTotal[i] ? anTotal[i] - 1 : 0;
        si.nPage = anPage[i] < anTotal[i] ? (UINT)anPage[i] : 0;
        si.nPos = std::max(0L, std::min(*apnPos[i], anTotal[i] - anPage[i]));
        ::SetScrollInfo(m_hWnd, anBars[i], &si, TRUE);
    }
    ScrollToPosition(CPoint(std::max(0L, std::min(m_ptScroll.x, anTotal[0] - anPage[0])),
                            std::max(0L, std::min(m_ptScroll.y, anTotal[1] - anPage[1]))));
}

void CFormView::ScrollToPosition(CPoint pt)
{
    int dx = m_ptScroll.x - pt.x;
    int dy = m_ptScroll.y - pt.y;
    m_ptScroll = pt;
    ::SetScrollPos(m_hWnd, SB_HORZ, pt.x, TRUE);
    ::SetScrollPos(m_hWnd, SB_VERT, pt.y, TRUE);
    if (dx || dy)
        ::ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr,
                         SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

int CFormView::ScrollTarget(int nBar, UINT nCode) const
{
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, nBar, &si);
    int nLine = std::max(1, (int)si.nPage / 10);
    int nPos = si.nPos;
    switch (nCode)
    {
    case SB_LINEUP: nPos -= nLine; break;
    case SB_LINEDOWN: nPos += nLine; break;
    case SB_PAGEUP: nPos -= (int)si.nPage; break;
    case SB_PAGEDOWN: nPos += (int)si.nPage; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: nPos = si.nTrackPos; break;
    case SB_TOP: nPos = 0; break;
    case SB_BOTTOM: nPos = si.nMax; break;
    default: break;
    }
    return std::max(0, std::min(nPos, si.nMax - std::max(0, (int)si.nPage - 1)));
}

BOOL CFormView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if ((message == WM_HSCROLL || message == WM_VSCROLL) && !lParam)
    {
        int nTarget = ScrollTarget(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        ScrollToPosition(message == WM_HSCROLL ? CPoint(nTarget, m_ptScroll.y) : CPoint(m_ptScroll.x, nTarget));
        *pResult = 0;
        return TRUE;
    }
    BOOL bHandled = CView::OnWndMsg(message, wParam, lParam, pResult);
    if (message == WM_SIZE && wParam != SIZE_MINIMIZED)
        UpdateBars();
    return bHandled;
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // The dialog manager would eat the frames' shortcuts: they go first.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame; pFrame = pFrame->GetParentFrame())
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}
