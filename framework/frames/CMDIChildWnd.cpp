#include "framework/frames/CMDIChildWnd.h"

#include "framework/frames/CCreateContext.h"
#include "framework/frames/CDocTemplate.h"
#include "framework/frames/CDocument.h"
#include "framework/frames/CMDIFrameWnd.h"
#include "framework/frames/CView.h"
#include "framework/window/CWinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(nullptr)
{
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    LoadTitle(nIDResource);
    CDocTemplate* pTemplate = pContext ? pContext->m_pNewDocTemplate : nullptr;
    if (pTemplate)
    {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    CMDIFrameWnd* pParent = pParentWnd && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                                ? (CMDIFrameWnd*)pParentWnd
                                : nullptr;
    if (!Create(nullptr, m_strTitle, dwDefaultStyle, rectDefault, pParent, pContext))
        return FALSE;
    LoadFrameResources(nIDResource);
    return TRUE;
}

BOOL CMDIChildWnd::Create(const wchar_t* lpszClassName, const wchar_t* lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (!pParentWnd)
    {
        CWinApp* pApp = AfxGetApp();
        CWnd* pMain = pApp ? pApp->m_pMainWnd : nullptr;
        if (!pMain || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        {
            PostNcDestroy();
            return FALSE;
        }
        pParentWnd = (CMDIFrameWnd*)pMain;
    }
    CREATESTRUCTW cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)(dwStyle | WS_CHILD);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = GetModuleHandleW(nullptr);
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    // Shown by ActivateFrame once the view is ready; a maximised neighbour makes it maximised.
    MDICREATESTRUCTW mcs = {cs.lpszClass, cs.lpszName, cs.hInstance, cs.x, cs.y, cs.cx, cs.cy,
                            (DWORD)cs.style & ~(WS_MAXIMIZE | WS_VISIBLE), 0};
    m_pCreateContext = pContext;
    HookCreation(this);
    HWND hWnd = (HWND)::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    UnhookCreation();
    m_pCreateContext = nullptr;
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hClient = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    CWnd* pFrame = FromHandlePermanent(hClient ? ::GetParent(hClient) : nullptr);
    return pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? (CMDIFrameWnd*)pFrame : nullptr;
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageW(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd || !GetMDIFrame())
        return CFrameWnd::DestroyWindow();
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageW(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageW(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageW(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW;
    ShowWindow(nCmdShow);
    MDIActivate();
    ::BringWindowToTop(m_hWnd);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (GetStyle() & FWS_ADDTOTITLE)
    {
        CDocument* pDoc = GetActiveDocument();
        if (bAddToTitle && pDoc && GetWindowText() != pDoc->GetTitle())
            SetWindowText(pDoc->GetTitle());
    }
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG*)
{
    // The MDI frame translates the keys of its active child.
    return FALSE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_MDIACTIVATE)
    {
        BOOL bActivate = (HWND)lParam == m_hWnd;
        OnMDIActivate(bActivate, FromHandle((HWND)lParam), FromHandle((HWND)wParam));
    }
    return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (!pFrame)
        return;
    // The next child shows its own menu; the last one to go hands back the frame's.
    if (bActivate)
        pFrame->MDISetMenu(m_hMenuShared ? m_hMenuShared : pFrame->m_hMenuDefault);
    else if (!pActivateWnd)
        pFrame->MDISetMenu(pFrame->m_hMenuDefault);
    if (CView* pView = GetActiveView())
        pView->OnActivateView(bActivate, bActivate ? pView : nullptr, bActivate ? nullptr : pView);
    pFrame->OnUpdateFrameTitle(TRUE);
}
