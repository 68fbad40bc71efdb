#include "wincomponents/layout/CResizableFormView.h"

IMPLEMENT_DYNAMIC(CResizableFormView, CFormView)

namespace
{
int QuarterShare(int d, int nMode)
{
    switch (nMode)
    {
    case 1: return d / 4;
    case 2: return d / 2;
    case 3: return (3 * d) / 4;
    case 4: return d;
    default: return 0;
    }
}

const int kOwnSize = 5;
} // namespace

CResizableFormView::CResizableFormView(UINT nIDTemplate) : CFormView(nIDTemplate)
{
}

BOOL CResizableFormView::SetLayout(const LAYOUT_ANCHOR* pRecords, int nCount)
{
    m_anchors.assign((size_t)std::max(0, nCount), ANCHORED_CONTROL());
    int nMapMode = 0;
    CSize sizeTotal, sizePage, sizeLine;
    GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    m_rectDesign = CRect(rectWindow.left, rectWindow.top, rectWindow.left + sizeTotal.cx, rectWindow.top + sizeTotal.cy);
    // Places are taken in client coordinates of the unscrolled form, so that they hold whatever
    // border the view has.
    CPoint ptOrigin(-GetScrollPosition().x, -GetScrollPosition().y);
    ClientToScreen(&ptOrigin);
    BOOL bAllFound = TRUE;
    for (size_t i = 0; i < m_anchors.size(); ++i)
    {
        m_anchors[i].anchor = pRecords[i];
        bAllFound &= CaptureAnchoredControl(m_hWnd, ptOrigin, m_anchors[i]);
    }
    return bAllFound;
}

void CResizableFormView::RepositionControls(BOOL bRedraw)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    int dx = std::max(0, rectClient.Width() - m_rectDesign.Width());
    int dy = std::max(0, rectClient.Height() - m_rectDesign.Height());
    CPoint ptScroll = GetScrollPosition();
    for (const ANCHORED_CONTROL& control : m_anchors)
    {
        HWND hControl = control.bFound ? ::GetDlgItem(m_hWnd, control.anchor.nControlId) : nullptr;
        if (!hControl)
            continue;
        const LAYOUT_ANCHOR& a = control.anchor;
        const RECT& rc = control.rcDesign;
        CRect rectNow, rectNowClient;
        ::GetWindowRect(hControl, &rectNow);
        ::GetClientRect(hControl, &rectNowClient);
        ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)&rectNow, 2);
        if (a.nWidthMode || a.nHeightMode)
        {
            int cx = a.nWidthMode == kOwnSize ? rectNowClient.Width()
                                              : rc.right - rc.left + QuarterShare(dx, a.nWidthMode);
            int cy = a.nHeightMode == kOwnSize ? rectNowClient.Height()
                                               : rc.bottom - rc.top + QuarterShare(dy, a.nHeightMode);
            ::SetWindowPos(hControl, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (a.nXMode || a.nYMode)
        {
            int x = a.nXMode == kOwnSize ? rectNow.left : rc.left - ptScroll.x + QuarterShare(dx, a.nXMode);
            int y = a.nYMode == kOwnSize ? rectNow.top : rc.top - ptScroll.y + QuarterShare(dy, a.nYMode);
            ::SetWindowPos(hControl, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (bRedraw)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
