#include "framework/window/CFileDialog.h"

#include "framework/window/AfxDialogChooser.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace
{
// Room for a long path; the dialog writes into this buffer.
const size_t kFileNameChars = 4096;
} // namespace

CFileDialog::Chooser CFileDialog::SetChooser(Chooser chooser)
{
    return AfxReplaceDialogChooser(std::move(chooser));
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const wchar_t* lpszDefExt, const wchar_t* lpszFileName,
                         DWORD dwFlags, const wchar_t* lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_vecFileName(kFileNameChars, 0)
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_vecFileName.data();
    m_ofn.nMaxFile = (DWORD)m_vecFileName.size();
    if (lpszFileName)
        lstrcpynW(m_ofn.lpstrFile, lpszFileName, (int)m_ofn.nMaxFile);
    if (lpszDefExt && *lpszDefExt)
    {
        // The dialog would append the dot a second time.
        m_strDefExt = lpszDefExt[0] == L'.' ? lpszDefExt + 1 : lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFilter)
    {
        for (const wchar_t* p = lpszFilter; *p; ++p)
            m_vecFilter.push_back(*p == L'|' ? L'\0' : *p);
        m_vecFilter.push_back(L'\0');
        m_vecFilter.push_back(L'\0');
        m_ofn.lpstrFilter = m_vecFilter.data();
    }
}

void CFileDialog::SetTitle(const wchar_t* lpszTitle)
{
    m_strTitle = lpszTitle;
    m_ofn.lpstrTitle = m_strTitle.IsEmpty() ? nullptr : m_strTitle.GetString();
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    BOOL bOK;
    if (AfxDialogChooser<Chooser>())
        bOK = AfxDialogChooser<Chooser>()(m_ofn, m_bOpenFileDialog);
    else
        bOK = m_bOpenFileDialog ? GetOpenFileNameW(&m_ofn) : GetSaveFileNameW(&m_ofn);
    // Whatever the chooser wrote, the name ends within its buffer.
    m_vecFileName.back() = 0;
    return bOK ? IDOK : IDCANCEL;
}
