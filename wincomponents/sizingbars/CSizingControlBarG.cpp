#include "wincomponents/sizingbars/CSizingControlBarG.h"

#include "framework/frames/CFrameWnd.h"
#include "wincomponents/pictures/Draw3dFrame.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSizingControlBarG, CSizingControlBar)

CSizingControlBarG::CSizingControlBarG() : m_nGripperSize(12)
{
}

void CSizingControlBarG::CalcClientArea(CRect& rect, UINT nDockBarID)
{
    CRect rectWindow = rect;
    CSizingControlBar::CalcClientArea(rect, nDockBarID);
    // Judged by the dock bar asked about, so that the room of any place can be computed.
    BOOL bHorz = nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
    BOOL bVert = nDockBarID == AFX_IDW_DOCKBAR_LEFT || nDockBarID == AFX_IDW_DOCKBAR_RIGHT;
    if (!bHorz && !bVert)
        return;
    CPoint ptOrigin;
    if (bHorz)
    {
        rect.left = std::min(rect.left + m_nGripperSize, rect.right);
        ptOrigin = CPoint(rect.left - 13, rect.top);
    }
    else
    {
        rect.top = std::min(rect.top + m_nGripperSize, rect.bottom);
        ptOrigin = CPoint(rect.right - 12, rect.top - 13);
    }
    m_btnClose.Move(CPoint(ptOrigin.x - rectWindow.left, ptOrigin.y - rectWindow.top));
}

void CSizingControlBarG::PaintGripper(HDC hDC, const CRect& rectClient)
{
    if (!HasGripper())
        return;
    CRect rectLine = rectClient;
    rectLine.DeflateRect(1, 1);
    CRect rectButton = m_btnClose.GetRect();
    BOOL bHorz = IsHorzDocked();
    if (bHorz)
    {
        rectLine.left -= m_nGripperSize;
        rectLine.right = rectLine.left + 3;
        rectLine.top = rectButton.bottom + 3;
    }
    else
    {
        rectLine.top -= m_nGripperSize;
        rectLine.bottom = rectLine.top + 3;
        rectLine.right = rectButton.left - 3;
    }
    DrawRaisedFrame(hDC, rectLine);
    rectLine.OffsetRect(bHorz ? 3 : 0, bHorz ? 0 : 3);
    DrawRaisedFrame(hDC, rectLine);
    m_btnClose.Paint(hDC);
}

void CSizingControlBarG::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    if (!HasGripper())
        return;
    POINT pt;
    ::GetCursorPos(&pt);
    BOOL bOver = SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTCLOSE;
    BOOL bDown = ::GetKeyState(VK_LBUTTON) < 0;
    BOOL bPushed = bOver && bDown;
    BOOL bRaised = bOver && !bDown;
    if (bPushed != m_btnClose.m_bPushed || bRaised != m_btnClose.m_bRaised)
    {
        m_btnClose.m_bPushed = bPushed;
        m_btnClose.m_bRaised = bRaised;
        SendMessage(WM_NCPAINT);
    }
}

LRESULT CSizingControlBarG::OnNcHitTest(CPoint point)
{
    LRESULT nHit = CSizingControlBar::OnNcHitTest(point);
    if (nHit != HTCLIENT || !HasGripper())
        return nHit;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectButton = m_btnClose.GetRect();
    rectButton.OffsetRect(rectWindow.left, rectWindow.top);
    return rectButton.PtInRect(point) ? HTCLOSE : HTCLIENT;
}

BOOL CSizingControlBarG::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NCLBUTTONUP && wParam == HTCLOSE && m_pDockSite)
        m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    return CSizingControlBar::OnWndMsg(message, wParam, lParam, pResult);
}
