#include "framework/window/CColorDialog.h"

#include "framework/window/AfxDialogChooser.h"

IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

COLORREF* CColorDialog::GetSavedCustomColors()
{
    // White until the user picks others.
    static COLORREF s_colors[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    return s_colors;
}

CColorDialog::Chooser CColorDialog::SetChooser(Chooser chooser)
{
    return AfxReplaceDialogChooser(std::move(chooser));
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CDialog(0, pParentWnd), m_cc()
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    BOOL bOK = AfxDialogChooser<Chooser>() ? AfxDialogChooser<Chooser>()(m_cc) : ChooseColorW(&m_cc);
    return bOK ? IDOK : IDCANCEL;
}
