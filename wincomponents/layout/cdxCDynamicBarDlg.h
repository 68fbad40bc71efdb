// A dynamic child dialog that lives inside a docking bar: the bar creates it, routes commands
// and command UI to it, and it never ends itself (OK, Cancel and the close box do nothing).
#pragma once

#include "wincomponents/layout/cdxCDynamicChildDlg.h"

class cdxCDynamicBarDlg : public cdxCDynamicChildDlg
{
    DECLARE_DYNAMIC(cdxCDynamicBarDlg)
public:
    cdxCDynamicBarDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr, UINT nFreedom = fdAll, UINT nFlags = 0);

    // Creates the dialog window from its template as a child of pParent.
    virtual BOOL CreateBarDialog(CWnd* pParent);
    // Updates the dialog's own controls against the bar's target.
    virtual void UpdateBarCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT GetTemplateId() const { return m_nIDTemplate; }

protected:
    void OnOK() override;
    void OnCancel() override;
    void OnClose();
    DECLARE_MESSAGE_MAP()
};
