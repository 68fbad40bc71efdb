// A window: the object that owns one window handle and receives its messages through its class's
// message map. Windows created through Create or taken over with SubclassWindow are "permanent":
// their handle maps to the object until WM_NCDESTROY, when the map entry goes.
#pragma once

#include "framework/window/CCmdTarget.h"
#include "framework/window/CCmdUI.h"
#include "framework/gdi/CRect.h"
#include "framework/core/CString.h"

#include <commctrl.h>

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

class CDC;
class CFont;
class CMenu;
class CDataExchange;
class CFrameWnd;
struct AFX_SIZEPARENTPARAMS;

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The window's permanent object, or a temporary one that lives until the next idle time.
    static CWnd* FromHandle(HWND hWnd);
    // The permanent object of the handle, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();

    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // --- creation and subclassing
    virtual BOOL Create(const wchar_t* lpszClassName, const wchar_t* lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, const wchar_t* lpszClassName, const wchar_t* lpszWindowName,
                  DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, const wchar_t* lpszClassName, const wchar_t* lpszWindowName,
                  DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                  HMENU nIDorHMenu);
    virtual BOOL DestroyWindow();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    virtual void PreSubclassWindow();
    // After the last message (WM_NCDESTROY) and after the handle map has let go.
    virtual void PostNcDestroy();

    // --- message handling
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's previous procedure with the message being handled now.
    LRESULT Default();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification, colour request or drawing request that the parent hands back to its
    // control; TRUE when the control's map took it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to the permanent windows from its own up to hWndStop (included).
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // bOnlyPerm: only permanent windows, called directly.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    // Updates every child control with an id through pTarget's command routing. Without a
    // handler only push buttons are disabled.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // --- tooltips: the window's tools come from OnToolHitTest as the mouse moves
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // The tool under the point (client coordinates) filled into pTI, its id; -1 for none.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const;
    // Called from the message loop with every message before it is dispatched.
    static void FilterToolTipMessage(MSG* pMsg);
    HWND GetToolTipHwnd() const { return m_hWndToolTip; }

    // --- plain wrappers
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
    // The next window the thread creates becomes pWnd's, from its first message on.
    static void HookCreation(CWnd* pWnd);
    static void UnhookCreation();

    // --- frames and layout
    // The nearest frame window above this one, or null.
    CFrameWnd* GetParentFrame() const;
    // The frame that is not a child of another frame: the main frame for MDI children.
    CFrameWnd* GetTopLevelFrame() const;
    // The child (at any depth) with that id, or null.
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    // The children with ids from nIDFirst to nIDLast each take their room from the client
    // rectangle (WM_SIZEPARENT); the child nIDLeftOver gets what is left. reposQuery only
    // reports the left-over rectangle in lpRectParam.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::PostMessageW(m_hWnd, message, wParam, lParam); }
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetWindowText(const wchar_t* lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }
    void GetWindowText(CString& rString) const;
    CString GetWindowText() const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    void SetDlgItemText(int nID, const wchar_t* lpszString) { ::SetDlgItemTextW(m_hWnd, nID, lpszString); }
    CString GetDlgItemText(int nID) const;
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void MoveWindow(const RECT& rect, BOOL bRepaint = TRUE)
    { ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bRepaint); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    { return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, (WPARAM)bRedraw); }
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    HFONT GetFontHandle() const { return (HFONT)SendMessage(WM_GETFONT); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    int MessageBox(const wchar_t* lpszText, const wchar_t* lpszCaption = nullptr, UINT nType = MB_OK);

protected:
    // The framework's default handlers, called by derived handlers for default processing.
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    // Updates the popup's items through this window's command routing.
    void OnInitMenuPopup(HMENU hPopup);
    // Updates the popup's own items (not those of nested popups) through this window's routing.
    void UpdateMenuItems(HMENU hPopup, BOOL bDisableIfNoHndler);
    // The tooltip text of a tool whose text comes back by callback: the tooltip part of the
    // string resource with the tool's id ("prompt\ntip").
    BOOL OnToolTipText(NMHDR* pNMHDR, LRESULT* pResult);

    WNDPROC m_pfnSuper;
    HWND m_hWndToolTip;
    UINT_PTR m_nLastHit; // tool id last placed in the tooltip, or -1

    DECLARE_MESSAGE_MAP()

private:
    BOOL DispatchWindowMessage(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam,
                               LPARAM lParam, LRESULT* pResult);
    BOOL OnCtlColorMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void RelayToolTip(MSG* pMsg);
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtHook(int, WPARAM, LPARAM);

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Attaches the window being created to its object before its first message.
LRESULT CALLBACK AfxCbtHook(int nCode, WPARAM wParam, LPARAM lParam);
// The window class that plain CWnd windows are created with (registered once).
const wchar_t* AfxWndClassName();
// The name of a window class with that style, cursor and background, registered once, whose
// procedure is DefWindowProc.
const wchar_t* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr);
// TRUE when the program module has a resource of that id and type.
BOOL AfxHasResource(UINT nID, LPCWSTR lpType);
// Registers the common controls' classes once.
void AfxInitCommonControls();
// Copies a tooltip text into a fixed buffer: cut to fit, always terminated.
void AfxCopyToolTipText(wchar_t* pszBuffer, size_t nBufferChars, const wchar_t* pszText);

// --- window message entries (the handler's name is fixed, as the macro says)
#define AFX_WND_PMSG(type, fn) AfxToPmsg(static_cast<type>(&ThisClass::fn))
#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, nullptr, AfxSig_i_create, AFX_WND_PMSG(int (CWnd::*)(LPCREATESTRUCTW), OnCreate)},
#define ON_WM_DESTROY() \
    {WM_DESTROY, 0, 0, 0, nullptr, AfxSig_v_v, AFX_WND_PMSG(void (CWnd::*)(), OnDestroy)},
#define ON_WM_CLOSE() \
    {WM_CLOSE, 0, 0, 0, nullptr, AfxSig_v_v, AFX_WND_PMSG(void (CWnd::*)(), OnClose)},
#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, 0, nullptr, AfxSig_v_v, AFX_WND_PMSG(void (CWnd::*)(), OnPaint)},
#define ON_WM_SIZE() \
    {WM_SIZE, 0, 0, 0, nullptr, AfxSig_v_size, AFX_WND_PMSG(void (CWnd::*)(UINT, int, int), OnSize)},
#define ON_WM_MOUSEMOVE() \
    {WM_MOUSEMOVE, 0, 0, 0, nullptr, AfxSig_v_mouse, AFX_WND_PMSG(void (CWnd::*)(UINT, CPoint), OnMouseMove)},
#define ON_WM_LBUTTONDBLCLK() \
    {WM_LBUTTONDBLCLK, 0, 0, 0, nullptr, AfxSig_v_mouse, \
     AFX_WND_PMSG(void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, 0, nullptr, AfxSig_b_dc, AFX_WND_PMSG(BOOL (CWnd::*)(CDC*), OnEraseBkgnd)},
#define ON_WM_TIMER() \
    {WM_TIMER, 0, 0, 0, nullptr, AfxSig_v_timer, AFX_WND_PMSG(void (CWnd::*)(UINT_PTR), OnTimer)},
// HBRUSH OnCtlColor(CDC*, CWnd* pWnd, UINT nCtlColor) in the parent.
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLOR, 0, 0, 0, nullptr, AfxSig_hbr_ctl, \
     AFX_WND_PMSG(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)},
// HBRUSH CtlColor(CDC*, UINT nCtlColor) in the control; a null brush leaves the parent to answer.
#define ON_WM_CTLCOLOR_REFLECT() \
    {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, nullptr, AfxSig_hbr_reflect, \
     AFX_WND_PMSG(HBRUSH (CWnd::*)(CDC*, UINT), CtlColor)},
// void DrawItem(LPDRAWITEMSTRUCT) in the owner-drawn control.
#define ON_WM_DRAWITEM_REFLECT() \
    {WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, nullptr, AfxSig_v_drawitem, \
     AFX_WND_PMSG(void (CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)},
