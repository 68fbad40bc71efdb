// The colour picker. Every colour dialog of the program shares one set of sixteen custom
// colours. The dialog itself goes through one replaceable function, so that a test can answer it.
#pragma once

#include "framework/window/CDialog.h"

#include <commdlg.h>
#include <functional>

class CColorDialog : public CDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    typedef std::function<BOOL(CHOOSECOLORW& cc)> Chooser;

    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }

    // The process-wide sixteen custom colours.
    static COLORREF* GetSavedCustomColors();
    // Returns the chooser that was in place; an empty one restores the system's dialog.
    static Chooser SetChooser(Chooser chooser);

    CHOOSECOLORW m_cc;
};
