// The print and printer set-up dialogs. The dialog itself goes through one replaceable function,
// so that a test can answer it.
#pragma once

#include "framework/window/CDialog.h"

#include <commdlg.h>
#include <functional>

class CPrintDialog : public CDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    typedef std::function<BOOL(PRINTDLGW& pd)> Chooser;

    // bPrintSetupOnly: the printer set-up dialog instead of the print dialog.
    explicit CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL. The device handles in m_pd are the dialog's answer either way: it may
    // have freed the ones it was given and made others.
    INT_PTR DoModal() override;

    // Returns the chooser that was in place; an empty one restores the system's dialog.
    static Chooser SetChooser(Chooser chooser);

    PRINTDLGW m_pd;
};
