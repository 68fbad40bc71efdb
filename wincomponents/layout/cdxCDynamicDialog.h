// A dialog whose controls follow its growth through a dynamic layout (see cdxCDynamicWnd); with
// a registry name it also remembers where it was left.
#pragma once

#include "framework/window/CDialog.h"
#include "wincomponents/layout/cdxCDynamicWndEx.h"

class cdxCDynamicDialog : public CDialog, public cdxCDynamicWndEx
{
    DECLARE_DYNAMIC(cdxCDynamicDialog)
public:
    cdxCDynamicDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr, UINT nFreedom = fdAll,
                      UINT nFlags = flSizeIcon | flAntiFlicker);
    ~cdxCDynamicDialog() override;

    BOOL DestroyWindow() override;

protected:
    // Derived dialogs call this first: it sets the layout up from the dialog's present size.
    BOOL OnInitDialog() override;
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnSizing(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnParentNotify(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
