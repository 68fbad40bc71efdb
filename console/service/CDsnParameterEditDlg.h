// "Specify DSN Parameters": the additional connection parameters of one data source.
#pragma once

#include "framework/window/CDialog.h"

class CDsnParameterEditDlg : public CDialog
{
public:
    CDsnParameterEditDlg(CWnd* pParentWnd, const wchar_t* pszDsn, const wchar_t* pszParameters);

    CString m_strHelp;
    CString m_strDsn;
    CString m_strParameters;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
