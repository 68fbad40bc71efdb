#include "wincomponents/dialogs/COwnFileDialog.h"

BEGIN_MESSAGE_MAP(COwnFileDialog, CFileDialog)
END_MESSAGE_MAP()

namespace
{
const DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
const DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
const wchar_t kTextFilter[] = L"Text Files (*.TXT)|*.TXT||";
} // namespace

BOOL COwnFileDialog::Run(BOOL bOpen, const wchar_t* lpszDefExt, DWORD dwFlags, const wchar_t* lpszFilter,
                         CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle)
{
    COwnFileDialog dialog(bOpen, lpszDefExt, strPath, dwFlags, lpszFilter, pParentWnd);
    if (lpszTitle)
        dialog.SetTitle(lpszTitle);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    strPath = dialog.GetPathName();
    return TRUE;
}

BOOL COwnFileDialog::OpenTextFile(CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle)
{
    return Run(TRUE, L".txt", kOpenFlags, kTextFilter, pParentWnd, strPath, lpszTitle);
}

BOOL COwnFileDialog::OpenWaveFile(CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle)
{
    return Run(TRUE, L".wav", kOpenFlags, L"Wave Files (*.WAV)|*.WAV||", pParentWnd, strPath, lpszTitle);
}

BOOL COwnFileDialog::SaveTextFile(CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle)
{
    return Run(FALSE, L".txt", kSaveFlags, kTextFilter, pParentWnd, strPath, lpszTitle);
}

BOOL COwnFileDialog::SaveRtfFile(CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle)
{
    return Run(FALSE, L".rtf", kSaveFlags, L"Rich Text Files (*.RTF)|*.RTF||", pParentWnd, strPath, lpszTitle);
}
