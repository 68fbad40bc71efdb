// A dynamic dialog used as a child window.
#pragma once

#include "wincomponents/layout/cdxCDynamicDialog.h"

class cdxCDynamicChildDlg : public cdxCDynamicDialog
{
    DECLARE_DYNAMIC(cdxCDynamicChildDlg)
public:
    cdxCDynamicChildDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr, UINT nFreedom = fdAll, UINT nFlags = 0)
        : cdxCDynamicDialog(nIDTemplate, pParentWnd, nFreedom, nFlags) {}
};
