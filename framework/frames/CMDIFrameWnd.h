// The main frame of a multiple-document program: its client area is the MDI client window,
// which holds the child frames. Commands go to the active child frame (and its view and
// document) before the main frame and the application. The menu's Window popup (the one
// holding the Window commands) lists the children.
#pragma once

#include "framework/frames/CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    // The MDI client with the scroll bars the frame's creation style asks for (WS_HSCROLL,
    // WS_VSCROLL); the frame itself keeps none. hWindowMenu: the popup the children are listed in.
    virtual BOOL CreateClient(LPCREATESTRUCTW lpCreateStruct, HMENU hWindowMenu);

    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDICascade() { ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
    void MDITile(int nType = MDITILE_HORIZONTAL) { ::SendMessageW(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0); }
    void MDIIconArrange() { ::SendMessageW(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
    // Shows hMenu as the menu bar, with its Window popup as the list of children.
    void MDISetMenu(HMENU hMenu);
    // The popup of hMenu that holds the Window commands, or null.
    static HMENU FindWindowMenu(HMENU hMenu);

    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND m_hWndMDIClient;

protected:
    BOOL OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnWindowNew();
    BOOL OnMDIWindowCmd(UINT nID);
    void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
