#include "console/service/CServiceSheet.h"

#include "resources/console/BelvaneRes.h"

CServiceSheet::CServiceSheet(const wchar_t* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    AddPage(&m_pageStatus);
    AddPage(&m_pageDatabase);
}

BOOL CServiceSheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    // Every page's window exists from the start, so that their timers run; the first shows.
    for (int nPage = GetPageCount() - 1; nPage >= 0; --nPage)
        SetActivePage(nPage);
    return TRUE;
}

BOOL CServiceSheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The close box hides the sheet; the system's own close would leave it without a page.
    if (message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE))
    {
        ShowWindow(SW_HIDE);
        *pResult = 0;
        return TRUE;
    }
    return CPropertySheet::OnWndMsg(message, wParam, lParam, pResult);
}
