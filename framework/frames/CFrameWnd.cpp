#include "framework/frames/CFrameWnd.h"

#include "framework/bars/CControlBar.h"
#include "framework/frames/AfxEditCommands.h"
#include "framework/frames/CCreateContext.h"
#include "framework/frames/CDocument.h"
#include "framework/frames/CView.h"
#include "framework/window/CWinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_EDIT_UNDO, OnEditCommand)
    ON_COMMAND_EX(ID_EDIT_CUT, OnEditCommand)
    ON_COMMAND_EX(ID_EDIT_COPY, OnEditCommand)
    ON_COMMAND_EX(ID_EDIT_PASTE, OnEditCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditCommand)
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

CFrameWnd::CFrameWnd()
    : m_hAccelTable(nullptr), m_hMenuDefault(nullptr), m_nIDHelp(0), m_bAutoMenuEnable(TRUE),
      m_pViewActive(nullptr), m_nIDTracking(0), m_nIDLastMessage(0), m_bInRecalcLayout(FALSE),
      m_bDelayedLayout(FALSE), m_pCreateContext(nullptr)
{
}

CFrameWnd::~CFrameWnd()
{
    for (CControlBar* pBar : m_listControlBars)
        pBar->m_pDockSite = nullptr;
}

void CFrameWnd::LoadTitle(UINT nIDResource)
{
    CString strResource;
    strResource.LoadString(nIDResource);
    m_strTitle = strResource.SpanExcluding(L"\n");
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    LoadTitle(nIDResource);
    // The menu is there from WM_CREATE on: an MDI frame finds its Window menu in it.
    const wchar_t* lpszMenuName = AfxHasResource(nIDResource, (LPCWSTR)RT_MENU) && !(dwDefaultStyle & WS_CHILD)
                                      ? MAKEINTRESOURCEW(nIDResource)
                                      : nullptr;
    if (!Create(nullptr, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenuName, 0, pContext))
        return FALSE;
    LoadFrameResources(nIDResource);
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

void CFrameWnd::LoadFrameResources(UINT nIDResource)
{
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    if (AfxHasResource(nIDResource, (LPCWSTR)RT_GROUP_ICON))
    {
        HICON hIcon = LoadIconW(hInstance, MAKEINTRESOURCEW(nIDResource));
        SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
        SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    }
    if (AfxHasResource(nIDResource, (LPCWSTR)RT_ACCELERATOR))
        m_hAccelTable = LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(nIDResource));
}

BOOL CFrameWnd::Create(const wchar_t* lpszClassName, const wchar_t* lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, const wchar_t* lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = lpszMenuName && !(dwStyle & WS_CHILD) ? LoadMenuW(GetModuleHandleW(nullptr), lpszMenuName) : nullptr;
    m_pCreateContext = pContext;
    int cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    BOOL bCreated = CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy,
                             pParentWnd ? pParentWnd->m_hWnd : nullptr, hMenu);
    m_pCreateContext = nullptr;
    if (!bCreated && hMenu)
        ::DestroyMenu(hMenu);
    if (bCreated && hMenu)
        m_hMenuDefault = hMenu;
    return bCreated;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                           LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTW lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, m_pCreateContext))
        return -1;
    // The status line starts with the idle message once the bars exist.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTW, CCreateContext* pContext)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return TRUE;
    return CreateView(pContext) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    if (!pObject || !pObject->IsKindOf(RUNTIME_CLASS(CWnd)))
    {
        delete pObject;
        return nullptr;
    }
    CWnd* pView = (CWnd*)pObject;
    if (pContext->m_pCurrentDoc && pView->IsKindOf(RUNTIME_CLASS(CView)))
        pContext->m_pCurrentDoc->AddView((CView*)pView);
    // A view that fails deletes itself once its window was made; before that it is ours.
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID))
    {
        if (!pView->m_hWnd && !pView->IsKindOf(RUNTIME_CLASS(CView)))
            delete pView;
        return nullptr;
    }
    return pView;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    (void)pDoc;
    CView* pView = GetActiveView();
    if (!pView)
    {
        CWnd* pPane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pPane && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = (CView*)pPane;
            SetActiveView(pView, FALSE);
        }
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible)
    {
        ActivateFrame();
        if (pView)
            pView->OnActivateView(TRUE, pView, pView);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = pViewNew;
    if (!bNotify)
        return;
    if (pViewOld)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = ::IsIconic(m_hWnd) ? SW_RESTORE : IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
    ShowWindow(nCmdShow);
    if (!GetParentFrame())
        ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDoc ? pDoc->GetTitle().GetString() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(const wchar_t* lpszDocName)
{
    CString strText = m_strTitle;
    if (lpszDocName && *lpszDocName)
    {
        if (GetStyle() & FWS_PREFIXTITLE)
            strText = CString(lpszDocName) + L" - " + m_strTitle;
        else
            strText = m_strTitle + L" - " + lpszDocName;
    }
    if (GetWindowText() != strText)
        SetWindowText(strText);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    m_bInRecalcLayout = TRUE;
    m_bDelayedLayout = FALSE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL)
{
    m_bDelayedLayout = TRUE;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                            m_listControlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (CControlBar* pBar : m_listControlBars)
        if (pBar->m_hWnd && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar->IsFloating() && pBar->m_pDockBar)
    {
        // A floating bar shows and hides with its mini frame, at once.
        pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
        ::ShowWindow(::GetParent(pBar->m_pDockBar->m_hWnd), bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
        return;
    }
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        DelayRecalcLayout();
        return;
    }
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (!pBar)
        return FALSE;
    ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    // A child frame without the bar leaves the item to the frame that has it.
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (!pBar && GetParentFrame())
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->Enable(pBar != nullptr);
    pCmdUI->SetCheck(pBar && pBar->IsVisible());
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(const wchar_t* lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString strResource;
    strResource.LoadString(nID);
    rMessage = strResource.SpanExcluding(L"\n");
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = (UINT)wParam;
    CWnd* pMessageBar = GetMessageBar();
    if (!pMessageBar)
    {
        // A child frame's prompts show in its parent frame's bar.
        CFrameWnd* pParent = GetParentFrame();
        return pParent ? pParent->SendMessage(WM_SETMESSAGESTRING, wParam, lParam) : nIDLast;
    }
    CString strMessage;
    if (lParam)
        strMessage = (const wchar_t*)lParam;
    else if (wParam == AFX_IDS_IDLEMESSAGE)
    {
        if (!strMessage.LoadString(AFX_IDS_IDLEMESSAGE))
            strMessage = L"Ready";
    }
    else if (wParam)
        GetMessageString((UINT)wParam, strMessage);
    pMessageBar->SetWindowText(strMessage);
    return nIDLast;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && !hSysMenu)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE; // the menu closed
    else if (nFlags & (MF_SEPARATOR | MF_POPUP) || nItemID >= 0xF000)
        m_nIDTracking = 0;
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_bDelayedLayout)
        RecalcLayout();
    // Floating bars live in mini frames outside the frame's own windows.
    for (CControlBar* pBar : m_listControlBars)
        if (pBar->IsFloating() && pBar->IsVisible())
            pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    // Children come and go without telling the frame whose title names them.
    OnUpdateFrameTitle(TRUE);
    return 0;
}

BOOL CFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_MENUSELECT)
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // A child frame's commands go on through its parent frame, which asks the application.
    if (GetParentFrame())
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    // Commands sent to a child frame itself (its popup menus) reach the main frame too.
    CFrameWnd* pParent = lParam ? nullptr : GetParentFrame();
    return pParent && pParent->OnCmdMsg(LOWORD(wParam), CN_COMMAND, nullptr, nullptr);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || GetParentFrame())
        return FALSE;
    return m_hAccelTable && ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    SetActiveView(nullptr, FALSE);
    // The window frees the menu it shows: that must be the frame's own, not a template's.
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    m_hMenuDefault = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this)
    {
        pApp->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    delete this;
}

BOOL CFrameWnd::OnEditCommand(UINT nID)
{
    HWND hEdit = AfxFocusEditControl();
    if (!hEdit)
        return FALSE;
    // An accelerator arrives whether or not the menu item is enabled.
    if (AfxCanDoEditCommand(hEdit, nID))
        AfxDoEditCommand(hEdit, nID);
    return TRUE;
}

void CFrameWnd::OnUpdateEditCommand(CCmdUI* pCmdUI)
{
    HWND hEdit = AfxFocusEditControl();
    pCmdUI->Enable(hEdit && AfxCanDoEditCommand(hEdit, pCmdUI->m_nID));
}
