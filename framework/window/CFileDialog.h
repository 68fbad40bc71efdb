// The open and save file dialogs. Filters are given as "Name|pattern|...||". The dialog goes
// through one replaceable function, so that a test can answer it.
#pragma once

#include "framework/window/CDialog.h"

#include <commdlg.h>
#include <functional>
#include <vector>

class CFileDialog : public CDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    typedef std::function<BOOL(OPENFILENAMEW& ofn, BOOL bOpenFileDialog)> Chooser;

    // lpszDefExt may be given with or without its dot; the dialog wants it without.
    CFileDialog(BOOL bOpenFileDialog, const wchar_t* lpszDefExt = nullptr, const wchar_t* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;
    CString GetPathName() const { return CString(m_ofn.lpstrFile); }

    // Replaces the dialog's default title.
    void SetTitle(const wchar_t* lpszTitle);

    static Chooser SetChooser(Chooser chooser);

    OPENFILENAMEW m_ofn;
    BOOL m_bOpenFileDialog;

private:
    std::vector<wchar_t> m_vecFileName;
    CString m_strDefExt;
    std::vector<wchar_t> m_vecFilter;
    CString m_strTitle;
};
