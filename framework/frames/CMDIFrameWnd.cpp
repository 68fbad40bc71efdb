#include "framework/frames/CMDIFrameWnd.h"

#include "framework/frames/CDocTemplate.h"
#include "framework/frames/CDocument.h"
#include "framework/frames/CMDIChildWnd.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_SIZE()
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(nullptr)
{
}

HMENU CMDIFrameWnd::FindWindowMenu(HMENU hMenu)
{
    int nCount = hMenu ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nCount; ++i)
    {
        HMENU hPopup = ::GetSubMenu(hMenu, i);
        if (!hPopup)
            continue;
        for (UINT nID = ID_WINDOW_NEW; nID <= ID_WINDOW_TILE_VERT; ++nID)
            if (::GetMenuState(hPopup, nID, MF_BYCOMMAND) != (UINT)-1)
                return hPopup;
    }
    return nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext*)
{
    return CreateClient(lpcs, FindWindowMenu(::GetMenu(m_hWnd)));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCTW lpCreateStruct, HMENU hWindowMenu)
{
    DWORD dwScroll = (DWORD)lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
    CLIENTCREATESTRUCT ccs = {hWindowMenu, AFX_IDM_FIRST_MDICHILD};
    m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                                            MDIS_ALLCHILDSTYLES | dwScroll,
                                        0, 0, 0, 0, m_hWnd, (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST,
                                        GetModuleHandleW(nullptr), &ccs);
    if (!m_hWndMDIClient)
        return FALSE;
    // The scroll bars belong to the client; the frame asked for them only to pass them on.
    if (dwScroll)
        ModifyStyle(dwScroll, 0, SWP_FRAMECHANGED);
    return TRUE;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hActive = m_hWndMDIClient ? (HWND)::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                                   : nullptr;
    CWnd* pWnd = FromHandlePermanent(hActive);
    if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        pWnd = nullptr, bMaximized = FALSE;
    if (pbMaximized)
        *pbMaximized = bMaximized;
    return (CMDIChildWnd*)pWnd;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->m_hWnd, 0);
}

void CMDIFrameWnd::MDISetMenu(HMENU hMenu)
{
    if (!hMenu || !m_hWndMDIClient)
        return;
    ::SendMessageW(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu, (LPARAM)FindWindowMenu(hMenu));
    ::DrawMenuBar(m_hWnd);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive ? (CFrameWnd*)pActive : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive ? pActive->GetActiveDocument() : nullptr;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDoc = pActive ? pActive->GetActiveDocument() : nullptr;
    UpdateFrameTitleForDocument(bAddToTitle && pDoc ? pDoc->GetTitle().GetString() : nullptr);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    // The active document's own shortcuts come before the frame's.
    if (pActive && pActive->m_hAccelTable && ::TranslateAcceleratorW(m_hWnd, pActive->m_hAccelTable, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // The frame procedure would give the client the whole area, bars included.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDoc = pActive ? pActive->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDoc ? pDoc->GetDocTemplate() : nullptr;
    if (!pTemplate)
        return;
    if (CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, pActive))
        pTemplate->InitialUpdateFrame(pFrame, pDoc);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}
