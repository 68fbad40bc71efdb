// A caption sizing bar that hosts one dynamic-layout dialog, which fills its client area: the
// owner hands the dialog object over before the bar is created, the bar creates its window and
// takes its first size and smallest size from the dialog's template. Commands and their updates
// go to the dialog first.
#pragma once

#include "wincomponents/sizingbars/CSizingControlBarCF.h"

class cdxCDynamicBarDlg;

class cdxCDynamicBar : public CSizingControlBarCF
{
    DECLARE_DYNAMIC(cdxCDynamicBar)
public:
    cdxCDynamicBar();

    void SetBarDialog(cdxCDynamicBarDlg* pDlg) { m_pDlg = pDlg; }
    cdxCDynamicBarDlg* GetBarDialog() const { return m_pDlg; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    int OnCreateBar(LPCREATESTRUCTW lpCreateStruct);
    // The window size that gives the client size on that dock bar.
    CSize WindowSizeFor(CSize sizeClient, UINT nDockBarID);

private:
    cdxCDynamicBarDlg* m_pDlg;
    BOOL m_bRouting; // the dialog hands unhandled commands back to its parent, the bar
};
