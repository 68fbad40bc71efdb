// The colour picker whose sixteen custom colours survive the program: read from the profile when
// a dialog object is made, written back whenever one is destroyed, OK or not.
#pragma once

#include "framework/window/CColorDialog.h"

class COwnColorDialog : public CColorDialog
{
public:
    explicit COwnColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    ~COwnColorDialog() override;

    DECLARE_MESSAGE_MAP()
};
