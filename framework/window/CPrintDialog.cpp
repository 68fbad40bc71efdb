#include "framework/window/CPrintDialog.h"

#include "framework/window/AfxDialogChooser.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CDialog)

CPrintDialog::Chooser CPrintDialog::SetChooser(Chooser chooser)
{
    return AfxReplaceDialogChooser(std::move(chooser));
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CDialog(0, pParentWnd), m_pd()
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    BOOL bOK = AfxDialogChooser<Chooser>() ? AfxDialogChooser<Chooser>()(m_pd) : PrintDlgW(&m_pd);
    return bOK ? IDOK : IDCANCEL;
}
