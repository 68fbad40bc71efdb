// The "Set Status" dialog: a new status for every listed alarm or for the selected ones.
#pragma once

#include "framework/window/CDialog.h"

class CSetStatus : public CDialog
{
public:
    // bSelection: rows are selected, so "Selected" may be chosen and starts chosen.
    CSetStatus(CWnd* pParent, const wchar_t* pszStatus, BOOL bSelection);

    CString m_strStatus;
    int m_nApplyTo; // 0 every row, 1 the selected rows

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnListDoubleClick();
    DECLARE_MESSAGE_MAP()
};
