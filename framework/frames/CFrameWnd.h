// A frame window: the window around views and control bars. It is loaded from one resource id
// (menu, icon, accelerators and the title string), lays out its bars and its view
// (RecalcLayout), routes commands view -> document -> frame -> application, shows menu prompts
// from the string table in its status bar and translates its accelerators. Frames delete
// themselves when their window goes.
#pragma once

#include "framework/window/CWnd.h"
#include "framework/window/AfxIds.h"
#include "framework/core/CString.h"
#include "framework/gdi/CPoint.h"
#include "framework/gdi/CRect.h"

#include <vector>

class CControlBar;
class CDockBar;
class CDocument;
class CView;
struct CCreateContext;

// Frame styles, kept in the window style's class-specific bits.
const DWORD FWS_ADDTOTITLE = 0x00008000L; // the title shows the active document's name
const DWORD FWS_PREFIXTITLE = 0x00004000L; // the document's name comes first
const DWORD FWS_SNAPTOBARS = 0x00002000L;

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window from nIDResource: menu, icon and accelerators of that id when they
    // exist, and the title from the string of that id (the part before the first "\n").
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL Create(const wchar_t* lpszClassName, const wchar_t* lpszWindowName,
                DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                const wchar_t* lpszMenuName = nullptr, DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    static const RECT rectDefault;

    // --- views and documents
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: this one, or an MDI frame's active child.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // Shows the frame (nCmdShow -1: as it was, restored when minimised) and brings it up.
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Keeps the title in step with the active document when FWS_ADDTOTITLE is set.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(const wchar_t* lpszTitle) { m_strTitle = lpszTitle; }

    // --- layout and control bars
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The layout is redone at the next idle time.
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID);
    // Shows or hides the bar; bDelay leaves it to the next idle time.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The status bar that shows menu prompts, or null.
    virtual CWnd* GetMessageBar();
    void SetMessageText(const wchar_t* lpszText);
    void SetMessageText(UINT nID);
    // The prompt of a command: its string resource up to the first "\n".
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // --- docking
    // Makes the dock bars of the sides in dwDockStyle (CBRS_ALIGN_*), once each.
    void EnableDocking(DWORD dwDockStyle);
    // The dock bar of that id (AFX_IDW_DOCKBAR_*), or null.
    CDockBar* GetDockBar(UINT nID);
    // Docks the bar on the dock bar of that id (0: the first side it may dock to, in the order
    // top, bottom, left, right); lpRect (screen coordinates) chooses the row and the place.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Docks the bar in a row of its own at row nRow, at rectScreen's place along it.
    void DockControlBarAsRow(CControlBar* pBar, CDockBar* pDockBar, int nRow, const CRect& rectScreen);
    // Floats the bar in a mini frame whose top-left corner is at point (screen coordinates).
    void FloatControlBar(CControlBar* pBar, CPoint point);
    // The bars' places, rows, order, floating positions and visibility in the profile, in
    // sections named after lpszProfileName. Loading restores what the profile describes soundly;
    // a bar it does not describe, or describes wrongly, keeps its place.
    void SaveBarState(const wchar_t* lpszProfileName) const;
    void LoadBarState(const wchar_t* lpszProfileName);

    // Toggles the bar of that id (View menu); FALSE when there is no such bar, so that the
    // command goes on to the next frame of its route.
    BOOL OnBarCheck(UINT nID);
    // Checks the View menu's item of a bar while the bar is visible; a child frame without the
    // bar hands the item on to its parent frame.
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    // Undo, Cut, Copy and Paste go to the edit control that has the focus; greyed elsewhere.
    BOOL OnEditCommand(UINT nID);
    void OnUpdateEditCommand(CCmdUI* pCmdUI);

    HACCEL m_hAccelTable;
    HMENU m_hMenuDefault;
    UINT m_nIDHelp; // the resource id the frame was loaded from
    BOOL m_bAutoMenuEnable;
    std::vector<CControlBar*> m_listControlBars;

protected:
    // Makes the view of the context; the MDI frame makes its client instead.
    virtual BOOL OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    void UpdateFrameTitleForDocument(const wchar_t* lpszDocName);
    // The first part of the resource string: the title.
    void LoadTitle(UINT nIDResource);
    // The icon and the accelerators of that id, when the program has them.
    void LoadFrameResources(UINT nIDResource);
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnDestroy();
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);

    CString m_strTitle;
    CView* m_pViewActive;
    UINT m_nIDTracking;    // the prompt shown while a menu is open
    UINT m_nIDLastMessage; // the prompt last shown
    BOOL m_bInRecalcLayout;
    BOOL m_bDelayedLayout;
    // A floating bar's mini frame goes when its bar has left it.
    void DestroyEmptyMiniFrame(CDockBar* pOldDockBar);
    // A floating bar about to dock remembers where it floated.
    void RememberFloatPos(CControlBar* pBar);
    CCreateContext* m_pCreateContext; // during creation only

    DECLARE_MESSAGE_MAP()
};
