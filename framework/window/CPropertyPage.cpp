#include "framework/window/CPropertyPage.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace
{
// Attaches the page object before the first message it handles; the rest is the dialog
// manager's.
INT_PTR CALLBACK PageDialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pPage = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
    if (!pPage->SubclassWindow(hWnd))
        return FALSE;
    return pPage->OnInitDialog();
}
} // namespace

CPropertyPage::CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate)
{
    m_psp = {};
    m_psp.dwSize = sizeof(m_psp);
    m_psp.hInstance = ::GetModuleHandleW(nullptr);
    m_psp.pszTemplate = MAKEINTRESOURCEW(nIDTemplate);
    m_psp.pfnDlgProc = PageDialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY)
    {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->code == (UINT)PSN_KILLACTIVE || pHdr->code == (UINT)PSN_SETACTIVE)
        {
            // Kill-active: non-zero keeps the page; set-active: 0 accepts it, -1 refuses.
            if (pHdr->code == (UINT)PSN_KILLACTIVE)
                *pResult = OnKillActive() ? FALSE : TRUE;
            else
                *pResult = OnSetActive() ? 0 : -1;
            ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, *pResult);
            return TRUE;
        }
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}
