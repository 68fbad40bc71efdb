// Chooses an item of a dialog's drop-down list as the user would: the selection, then the
// notification to the dialog.
#pragma once

#include "framework/window/CWnd.h"

inline void ChooseComboItem(CWnd* pDialog, int nID, int nItem)
{
    HWND hCombo = ::GetDlgItem(pDialog->m_hWnd, nID);
    ::SendMessageW(hCombo, CB_SETCURSEL, (WPARAM)nItem, 0);
    ::SendMessageW(pDialog->m_hWnd, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)hCombo);
}
