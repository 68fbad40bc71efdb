// The base of the criteria test dialogs: four rows of a field list and a value edit, whose
// commands reach the dialog as a field chosen in a row or a value changed.
#pragma once

#include "console/definitions/CriteriaTestRows.h"
#include "framework/window/CDialog.h"

class CCriteriaTestRowsDialog : public CDialog
{
public:
    CCriteriaTestRowsDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual void OnFieldChosen(int nRow) = 0;
    virtual void Evaluate() = 0;
};
