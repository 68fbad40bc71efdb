#include "console/alarms/CAlarmsListFrame.h"

IMPLEMENT_DYNCREATE(CAlarmsListFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CAlarmsListFrame, CMDIChildWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

const wchar_t CAlarmsListFrame::szSideBarState[] = L"CReportFrame::m_wndBar";

BOOL CAlarmsListFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style &= ~FWS_ADDTOTITLE;
    return CMDIChildWnd::PreCreateWindow(cs);
}

// Without its side bar the window still opens: the view works with the stored filters.
int CAlarmsListFrame::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    if (!m_wndBar.Create(L"Selection", this, kSideBarId, WS_VISIBLE))
        return 0;
    m_wndBar.SetBarStyle(m_wndBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_wndBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    DockControlBar(&m_wndBar, AFX_IDW_DOCKBAR_LEFT);
    m_wndBar.LoadState(szSideBarState);
    return 0;
}

BOOL CAlarmsListFrame::OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext)
{
    if (!CMDIChildWnd::OnCreateClient(lpcs, pContext))
        return FALSE;
    SetWindowText(L"Outstanding Alarms");
    return TRUE;
}
