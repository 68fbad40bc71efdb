#include "framework/window/CPropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_COMMAND(IDOK, OnOKCommand)
    ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet(const wchar_t* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption), m_pParentWnd(pParentWnd), m_bModal(FALSE), m_bContinueModal(FALSE), m_nResult(-1)
{
    m_psh = {};
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.hInstance = ::GetModuleHandleW(nullptr);
    m_psh.nStartPage = iSelectPage;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    return (BOOL)SendMessage(PSM_SETCURSEL, (WPARAM)nPage, 0);
}

int CPropertySheet::GetActiveIndex() const
{
    return (int)SendMessage(PSM_HWNDTOINDEX, (WPARAM)SendMessage(PSM_GETCURRENTPAGEHWND), 0);
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    int nPage = GetActiveIndex();
    return nPage >= 0 && nPage < GetPageCount() ? GetPage(nPage) : nullptr;
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent)
{
    AfxInitCommonControls();
    m_arrRecords.clear();
    for (CPropertyPage* pPage : m_arrPages)
        m_arrRecords.push_back(pPage->m_psp);
    m_psh.dwFlags |= PSH_MODELESS;
    m_psh.hwndParent = hWndParent;
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)m_arrRecords.size();
    m_psh.ppsp = m_arrRecords.data();
    m_nResult = -1;
    HookCreation(this);
    HWND hWnd = (HWND)::PropertySheetW(&m_psh);
    UnhookCreation();
    return hWnd != nullptr && hWnd == m_hWnd;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd)
{
    if (m_hWnd)
        return FALSE;
    m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateSheet(pParentWnd ? pParentWnd->m_hWnd : nullptr);
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    CModalOwner owner(m_pParentWnd);
    m_bModal = TRUE;
    m_bContinueModal = TRUE;
    // The system's own close (the caption's box) leaves the sheet without a current page.
    if (CreateSheet(owner.m_hWnd))
        AfxRunModalLoop([this] { return m_bContinueModal && m_hWnd && SendMessage(PSM_GETCURRENTPAGEHWND); });
    if (m_nResult == -1)
        m_nResult = IDCANCEL;
    owner.Release(m_hWnd);
    if (m_hWnd)
        DestroyWindow();
    m_bModal = FALSE;
    return m_nResult;
}

void CPropertySheet::EndDialog(int nResult)
{
    m_nResult = nResult;
    if (m_bModal)
    {
        m_bContinueModal = FALSE;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    }
    else if (m_hWnd)
        ShowWindow(SW_HIDE);
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

void CPropertySheet::OnOK()
{
    CPropertyPage* pPage = GetActivePage();
    if (pPage && !pPage->OnKillActive())
        return;
    EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return (BOOL)SendMessage(PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

BOOL CPropertySheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG)
    {
        // The system builds the tabs and the first page first.
        *pResult = Default();
        OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
