#include "framework/window/CDialog.h"

#include "framework/window/CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOKCommand)
    ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

namespace
{
// The dialog manager's own procedure: everything is handled in front of it.
INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
} // namespace

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp)
        return pApp->PreTranslateMessage(pMsg);
    CWnd::FilterToolTipMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd), m_nIDTemplate(nIDTemplate), m_bModal(FALSE),
      m_bContinueModal(FALSE), m_nModalResult(-1)
{
}

HWND AfxCreateDialog(CWnd* pWnd, UINT nIDTemplate, HWND hWndParent)
{
    AfxInitCommonControls();
    CDialog::HookCreation(pWnd);
    HWND hWnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDTemplate), hWndParent,
                                   PlainDialogProc, 0);
    CDialog::UnhookCreation();
    return hWnd != nullptr && pWnd->m_hWnd == hWnd ? hWnd : nullptr;
}

BOOL CDialog::CreateFromTemplate(HWND hWndParent)
{
    return AfxCreateDialog(this, m_nIDTemplate, hWndParent) != nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hWnd)
        return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateFromTemplate(pParentWnd ? pParentWnd->m_hWnd : nullptr);
}

CModalOwner::CModalOwner(CWnd* pParentWnd) : m_hWnd(pParentWnd ? pParentWnd->m_hWnd : nullptr)
{
    if (!m_hWnd && AfxGetApp() && AfxGetApp()->m_pMainWnd)
        m_hWnd = AfxGetApp()->m_pMainWnd->m_hWnd;
    m_bReenable = m_hWnd && ::IsWindowEnabled(m_hWnd);
    if (m_bReenable)
        ::EnableWindow(m_hWnd, FALSE);
}

void CModalOwner::Release(HWND hWndModal)
{
    if (m_bReenable)
        ::EnableWindow(m_hWnd, TRUE);
    m_bReenable = FALSE;
    if (m_hWnd && ::GetActiveWindow() == hWndModal)
        ::SetActiveWindow(m_hWnd);
}

void AfxRunModalLoop(const std::function<BOOL()>& fnContinue)
{
    while (fnContinue())
    {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            // WM_QUIT belongs to the outer loop.
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!AfxPreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    CModalOwner owner(m_pParentWnd);
    m_bModal = TRUE;
    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    if (CreateFromTemplate(owner.m_hWnd))
    {
        if (m_bContinueModal)
            ShowWindow(SW_SHOWNORMAL);
        AfxRunModalLoop([this] { return m_bContinueModal && m_hWnd != nullptr; });
    }
    owner.Release(m_hWnd);
    if (m_hWnd)
        DestroyWindow();
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bModal)
    {
        m_bContinueModal = FALSE;
        // Wakes the loop in case the call came from outside any message.
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    }
    else if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Commands and their updates go on to the owner and then to the application.
    if (nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI)
        return FALSE;
    CWnd* pOwner = FromHandlePermanent(::GetParent(m_hWnd));
    if (pOwner && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG)
    {
        *pResult = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
