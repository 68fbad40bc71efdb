#include "wincomponents/controls/CDialogToolBar.h"

BOOL CDialogToolBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_IDLEUPDATECMDUI)
        return CToolBar::OnWndMsg(message, wParam, lParam, pResult);
    if (CWnd* pParent = GetParent())
        UpdateButtons(pParent, (BOOL)wParam);
    *pResult = 0;
    return TRUE;
}
