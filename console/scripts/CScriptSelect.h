// Lets the user pick one stored script by its title; the Script Manager can be opened from it.
#pragma once

#include "wincomponents/layout/CResizableToolDialog.h"
#include "wincomponents/lists/CSortListCtrl.h"

class CScriptSelect : public CResizableToolDialog
{
public:
    explicit CScriptSelect(CWnd* pParentWnd);

    CSortListCtrl m_list;
    // After OK: the chosen script's title.
    CString m_strTitle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnScriptManager();
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // From the scripts file, in the order the store gives them.
    void FillList();
    void ApplyOkRule();
};
