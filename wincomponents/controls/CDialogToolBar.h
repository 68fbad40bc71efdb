// A toolbar inside a dialog: its buttons are enabled and checked through the dialog's command
// routing rather than a frame's.
#pragma once

#include "framework/bars/CToolBar.h"

class CDialogToolBar : public CToolBar
{
public:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
