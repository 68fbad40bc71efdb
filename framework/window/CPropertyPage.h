// One page of a property sheet: a child dialog from its template that the system's sheet makes
// when the page is first shown. The page object is attached to its window at WM_INITDIALOG;
// its controls take the members' values then, and give them back when the page is left.
#pragma once

#include "framework/window/CDialog.h"

#include <prsht.h>

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate);

    // The record the sheet hands to the system for this page.
    PROPSHEETPAGEW m_psp;

    // FALSE keeps the user on the page (the data could not be taken back).
    virtual BOOL OnKillActive();
    virtual BOOL OnSetActive();
    // Enter and Escape belong to the sheet's buttons, not to the page.
    void OnOK() override {}
    void OnCancel() override {}

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
