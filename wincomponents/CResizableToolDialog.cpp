#include "wincomponents/CResizableToolDialog.h"

#include "framework/gdi/CPaintDC.h"

namespace
{
int Share(int d, int nMode)
{
    switch (nMode)
    {
    case 1:
        return d / 2;
    case 2:
        return d;
    case 3:
        return d / 3;
    case 4:
        return (2 * d) / 3;
    default:
        return 0;
    }
}

const UINT nProgramIcon = 128;
} // namespace

BEGIN_MESSAGE_MAP(CResizableToolDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
END_MESSAGE_MAP()

CResizableToolDialog::CResizableToolDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_bGripHidden(FALSE), m_rectInitialWindow(0, 0, 0, 0),
      m_rectInitialClient(0, 0, 0, 0)
{
}

void CResizableToolDialog::SetLayout(const LAYOUT_ANCHOR* pRecords, int nCount)
{
    m_anchors.assign((size_t)std::max(0, nCount), ANCHORED_CONTROL());
    for (size_t i = 0; i < m_anchors.size(); ++i)
        m_anchors[i].anchor = pRecords[i];
}

void CResizableToolDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CResizableToolDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nProgramIcon));
    if (hIcon)
        SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    GetWindowRect(&m_rectInitialWindow);
    GetClientRect(&m_rectInitialClient);
    // Client coordinates, so that the layout needs no frame metrics.
    POINT ptOrigin = {0, 0};
    ::ClientToScreen(m_hWnd, &ptOrigin);
    for (ANCHORED_CONTROL& item : m_anchors)
        CaptureAnchoredControl(m_hWnd, ptOrigin, item);
    return TRUE;
}

void CResizableToolDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_rectInitialWindow.IsRectEmpty() || nType == SIZE_MINIMIZED)
        return;
    int dx = cx - m_rectInitialClient.Width();
    int dy = cy - m_rectInitialClient.Height();
    for (const ANCHORED_CONTROL& item : m_anchors)
    {
        HWND hControl = item.bFound ? ::GetDlgItem(m_hWnd, item.anchor.nControlId) : nullptr;
        if (!hControl)
            continue;
        const LAYOUT_ANCHOR& a = item.anchor;
        const RECT& rc = item.rcDesign;
        if (a.nWidthMode || a.nHeightMode)
            ::SetWindowPos(hControl, nullptr, 0, 0, rc.right - rc.left + Share(dx, a.nWidthMode),
                           rc.bottom - rc.top + Share(dy, a.nHeightMode), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (a.nXMode || a.nYMode)
            ::SetWindowPos(hControl, nullptr, rc.left + Share(dx, a.nXMode), rc.top + Share(dy, a.nYMode), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

BOOL CResizableToolDialog::IsResizable() const
{
    return (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_THICKFRAME) != 0;
}

CRect CResizableToolDialog::GripRect() const
{
    CRect rect;
    ::GetClientRect(m_hWnd, &rect);
    return CRect(rect.right - ::GetSystemMetrics(SM_CXHSCROLL), rect.bottom - ::GetSystemMetrics(SM_CYVSCROLL),
                 rect.right, rect.bottom);
}

void CResizableToolDialog::OnPaint()
{
    CPaintDC dc(this);
    if (IsResizable() && !m_bGripHidden)
    {
        CRect rect = GripRect();
        ::DrawFrameControl(dc.m_hDC, &rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

LRESULT CResizableToolDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam)
{
    if (!m_rectInitialWindow.IsRectEmpty())
    {
        MINMAXINFO* pInfo = (MINMAXINFO*)lParam;
        pInfo->ptMinTrackSize.x = m_rectInitialWindow.Width();
        pInfo->ptMinTrackSize.y = m_rectInitialWindow.Height();
    }
    return Default();
}

LRESULT CResizableToolDialog::OnNcHitTest(WPARAM, LPARAM lParam)
{
    LRESULT nHit = Default();
    if (nHit != HTCLIENT || !IsResizable() || m_bGripHidden)
        return nHit;
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    return GripRect().PtInRect(pt) ? HTBOTTOMRIGHT : nHit;
}
