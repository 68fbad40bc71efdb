#include "wincomponents/layout/cdxCDynamicDialog.h"

IMPLEMENT_DYNAMIC(cdxCDynamicDialog, CDialog)

BEGIN_MESSAGE_MAP(cdxCDynamicDialog, CDialog)
    ON_WM_SIZE()
    ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_WM_TIMER()
    ON_MESSAGE(WM_PARENTNOTIFY, OnParentNotify)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

cdxCDynamicDialog::cdxCDynamicDialog(UINT nIDTemplate, CWnd* pParentWnd, UINT nFreedom, UINT nFlags)
    : CDialog(nIDTemplate, pParentWnd), cdxCDynamicWndEx(nFreedom, nFlags)
{
}

cdxCDynamicDialog::~cdxCDynamicDialog()
{
    // While the derived hooks still exist.
    DoDestroy();
}

BOOL cdxCDynamicDialog::DestroyWindow()
{
    DoDestroy();
    return CDialog::DestroyWindow();
}

BOOL cdxCDynamicDialog::OnInitDialog()
{
    BOOL bResult = CDialog::OnInitDialog();
    DoInit(this);
    return bResult;
}

void cdxCDynamicDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    DoOnSize(nType);
}

LRESULT cdxCDynamicDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam)
{
    LRESULT nResult = Default();
    DoOnGetMinMaxInfo((MINMAXINFO*)lParam);
    return nResult;
}

LRESULT cdxCDynamicDialog::OnSizing(WPARAM wParam, LPARAM)
{
    LRESULT nResult = Default();
    DoOnSizing((UINT)wParam);
    return nResult;
}

void cdxCDynamicDialog::OnTimer(UINT_PTR nIDEvent)
{
    CDialog::OnTimer(nIDEvent);
    DoOnTimer(nIDEvent);
}

LRESULT cdxCDynamicDialog::OnParentNotify(WPARAM wParam, LPARAM lParam)
{
    LRESULT nResult = Default();
    DoOnParentNotify(wParam, lParam);
    return nResult;
}

void cdxCDynamicDialog::OnDestroy()
{
    DoDestroy();
    CDialog::OnDestroy();
}
