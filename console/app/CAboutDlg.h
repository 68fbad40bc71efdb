// The About box: product, build date and copyright from the program's version block, and a
// button to the maker's home page.
#pragma once

#include "framework/window/CDialog.h"

class CAboutDlg : public CDialog
{
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);

    CString m_strBuildDate;
    CString m_strCopyright;
    CString m_strProductLine;

    // "%s v%s%s%s build %u": product, version, " " and the special build when there is one,
    // build number.
    static CString Caption();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTervok();
    DECLARE_MESSAGE_MAP()
};

// The maker's web pages that the console opens.
extern const wchar_t* const g_pszTervokHomePage;
