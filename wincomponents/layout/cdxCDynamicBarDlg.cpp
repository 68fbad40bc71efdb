#include "wincomponents/layout/cdxCDynamicBarDlg.h"

IMPLEMENT_DYNAMIC(cdxCDynamicBarDlg, cdxCDynamicChildDlg)

BEGIN_MESSAGE_MAP(cdxCDynamicBarDlg, cdxCDynamicChildDlg)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

cdxCDynamicBarDlg::cdxCDynamicBarDlg(UINT nIDTemplate, CWnd* pParentWnd, UINT nFreedom, UINT nFlags)
    : cdxCDynamicChildDlg(nIDTemplate, pParentWnd, nFreedom, nFlags)
{
}

BOOL cdxCDynamicBarDlg::CreateBarDialog(CWnd* pParent)
{
    return Create(m_nIDTemplate, pParent);
}

void cdxCDynamicBarDlg::UpdateBarCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void cdxCDynamicBarDlg::OnOK()
{
    // The bar owns the dialog: Enter must not end it.
}

void cdxCDynamicBarDlg::OnCancel()
{
    // Nor Escape.
}

void cdxCDynamicBarDlg::OnClose()
{
    OnCancel();
}
