#include "wincomponents/layout/cdxCDynamicBar.h"

#include "wincomponents/layout/cdxCDynamicBarDlg.h"

IMPLEMENT_DYNAMIC(cdxCDynamicBar, CSizingControlBarCF)

cdxCDynamicBar::cdxCDynamicBar() : m_pDlg(nullptr), m_bRouting(FALSE)
{
}

int cdxCDynamicBar::OnCreateBar(LPCREATESTRUCTW lpCreateStruct)
{
    if (CSizingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_dwSizingStyle = (m_dwSizingStyle | scbsSizeChildren) & ~scbsEdgeAll;
    if (!m_pDlg || !m_pDlg->CreateBarDialog(this))
        return -1;
    m_pDlg->m_nFlags |= cdxCDynamicWnd::flSWPCopyBits;
    CSize sizeClient = m_pDlg->m_szMin;
    m_szFloat = m_szMinFloat = WindowSizeFor(sizeClient, AFX_IDW_DOCKBAR_FLOAT);
    m_szVert = m_szMinVert = WindowSizeFor(sizeClient, AFX_IDW_DOCKBAR_LEFT);
    m_szHorz = m_szMinHorz = WindowSizeFor(sizeClient, AFX_IDW_DOCKBAR_TOP);
    return 0;
}

CSize cdxCDynamicBar::WindowSizeFor(CSize sizeClient, UINT nDockBarID)
{
    const int nProbe = 1000;
    CRect rect(0, 0, nProbe, nProbe);
    DWORD dwSizingStyle = m_dwSizingStyle;
    CalcClientArea(rect, nDockBarID);
    m_dwSizingStyle = dwSizingStyle; // the probe leaves the edges as they are
    return CSize(sizeClient.cx + nProbe - rect.Width(), sizeClient.cy + nProbe - rect.Height());
}

BOOL cdxCDynamicBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_bRouting)
        return FALSE;
    BOOL bHandled = FALSE;
    if (m_pDlg && m_pDlg->m_hWnd)
    {
        m_bRouting = TRUE;
        bHandled = m_pDlg->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        m_bRouting = FALSE;
    }
    return bHandled || CSizingControlBarCF::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void cdxCDynamicBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CSizingControlBarCF::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    // The dialog's controls are the dialog's commands: they update against the bar's route,
    // which reaches the dialog first.
    if (m_pDlg && m_pDlg->m_hWnd)
        m_pDlg->UpdateBarCmdUI(this, bDisableIfNoHndler);
}

BOOL cdxCDynamicBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_CREATE)
    {
        *pResult = OnCreateBar((LPCREATESTRUCTW)lParam);
        return TRUE;
    }
    if (message == WM_COMMAND && m_pDlg && m_pDlg->m_hWnd && !m_bRouting)
    {
        m_bRouting = TRUE;
        BOOL bHandled = m_pDlg->OnCommand(wParam, lParam);
        m_bRouting = FALSE;
        if (bHandled)
        {
            *pResult = 0;
            return TRUE;
        }
    }
    return CSizingControlBarCF::OnWndMsg(message, wParam, lParam, pResult);
}
