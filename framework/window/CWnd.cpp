#include "framework/window/CWnd.h"

#include "framework/window/AfxMessageBox.h"
#include "framework/gdi/CDC.h"
#include "framework/window/CDataExchange.h"
#include "framework/gdi/CFont.h"
#include "framework/controls/CMenu.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/window/AfxIds.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace
{
// Windows belong to the thread that created them, and so do their maps.
thread_local std::unordered_map<HWND, CWnd*> t_permanentMap;
thread_local std::unordered_map<HWND, std::unique_ptr<CWnd>> t_temporaryMap;
// The object whose window the thread is creating now, attached at HCBT_CREATEWND.
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hHookCbt = nullptr;
// The message each window procedure call is handling, for Default.
thread_local MSG t_currentMsg = {};

} // namespace

void CWnd::HookCreation(CWnd* pWnd)
{
    if (!t_hHookCbt)
        t_hHookCbt = SetWindowsHookExW(WH_CBT, AfxCbtHook, nullptr, GetCurrentThreadId());
    t_pWndInit = pWnd;
}

void CWnd::UnhookCreation()
{
    if (t_hHookCbt)
    {
        UnhookWindowsHookEx(t_hHookCbt);
        t_hHookCbt = nullptr;
    }
    t_pWndInit = nullptr;
}

namespace
{
BOOL IsCtlColorMessage(UINT message)
{
    return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORLISTBOX ||
           message == WM_CTLCOLORBTN || message == WM_CTLCOLORSCROLLBAR;
}

BOOL IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}
} // namespace

LRESULT CALLBACK AfxCbtHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_pWndInit)
    {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        HWND hWnd = (HWND)wParam;
        pWnd->Attach(hWnd);
        pWnd->PreSubclassWindow();
        pWnd->m_pfnSuper = (WNDPROC)SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    }
    return CallNextHookEx(t_hHookCbt, nCode, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    MSG previous = t_currentMsg;
    t_currentMsg.hwnd = hWnd;
    t_currentMsg.message = message;
    t_currentMsg.wParam = wParam;
    t_currentMsg.lParam = lParam;
    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
    {
        if ((WNDPROC)GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == AfxWndProc && pWnd->m_pfnSuper)
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)pWnd->m_pfnSuper);
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    t_currentMsg = previous;
    return lResult;
}

const wchar_t* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground)
{
    // One class per combination, named after it, registered on first use.
    static std::unordered_map<std::wstring, std::unique_ptr<CString>> s_names;
    CString strName;
    strName.Format(L"Tervok:%x:%p:%p", nClassStyle, (void*)hCursor, (void*)hbrBackground);
    std::unique_ptr<CString>& pName = s_names[strName.str()];
    if (!pName)
    {
        pName.reset(new CString(strName));
        WNDCLASSW wc = {};
        wc.style = nClassStyle;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = pName->GetString();
        RegisterClassW(&wc);
    }
    return pName->GetString();
}

const wchar_t* AfxWndClassName()
{
    return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW),
                               (HBRUSH)(COLOR_BTNFACE + 1));
}

BOOL AfxHasResource(UINT nID, LPCWSTR lpType)
{
    return FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nID), lpType) != nullptr;
}

void AfxInitCommonControls()
{
    static BOOL s_bDone = FALSE;
    if (s_bDone)
        return;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    s_bDone = InitCommonControlsEx(&icc);
}

void AfxCopyToolTipText(wchar_t* pszBuffer, size_t nBufferChars, const wchar_t* pszText)
{
    if (!nBufferChars)
        return;
    size_t n = 0;
    for (; pszText && pszText[n] && n + 1 < nBufferChars; ++n)
        pszBuffer[n] = pszText[n];
    pszBuffer[n] = 0;
}

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_hWndToolTip(nullptr), m_nLastHit((UINT_PTR)-1)
{
}

CWnd::~CWnd()
{
    // A window must not outlive its object: its messages would reach freed memory.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = t_permanentMap.find(hWnd);
    return it == t_permanentMap.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    std::unique_ptr<CWnd>& pTemp = t_temporaryMap[hWnd];
    if (!pTemp)
    {
        pTemp.reset(new CWnd);
        pTemp->m_hWnd = hWnd;
    }
    return pTemp.get();
}

void CWnd::DeleteTempMap()
{
    for (auto& entry : t_temporaryMap)
        entry.second->m_hWnd = nullptr;
    t_temporaryMap.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew))
        return FALSE;
    m_hWnd = hWndNew;
    t_permanentMap[hWndNew] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
    {
        auto it = t_permanentMap.find(hWnd);
        if (it != t_permanentMap.end() && it->second == this)
            t_permanentMap.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxWndClassName();
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::Create(const wchar_t* lpszClassName, const wchar_t* lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const wchar_t* lpszClassName, const wchar_t* lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr, (HMENU)(UINT_PTR)nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const wchar_t* lpszClassName, const wchar_t* lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu)
{
    if (m_hWnd)
        return FALSE;
    AfxInitCommonControls();
    CREATESTRUCTW cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = GetModuleHandleW(nullptr);
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    HookCreation(this);
    HWND hWnd = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    UnhookCreation();
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    if (FromHandlePermanent(m_hWnd) == this)
        return ::DestroyWindow(m_hWnd);
    // A temporary or detached object only forgets the handle.
    return ::DestroyWindow(Detach());
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper = (WNDPROC)SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hControl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hControl && SubclassWindow(hControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = nullptr;
    return Detach();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_currentMsg.message, t_currentMsg.wParam, t_currentMsg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (IsCtlColorMessage(message))
        return OnCtlColorMessage(message, wParam, lParam, pResult);
    switch (message)
    {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY:
    {
        LRESULT lResult = 0;
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    case WM_DRAWITEM:
    {
        const DRAWITEMSTRUCT* pDraw = (const DRAWITEMSTRUCT*)lParam;
        if (pDraw->CtlType != ODT_MENU)
        {
            CWnd* pChild = FromHandlePermanent(pDraw->hwndItem);
            if (pChild && pChild->OnChildNotify(message, wParam, lParam, pResult))
                return TRUE;
        }
        break;
    }
    case WM_INITMENUPOPUP:
        // The system menu's items are the system's own.
        if (!HIWORD(lParam))
            OnInitMenuPopup((HMENU)wParam);
        break;
    default:
        break;
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message, 0, 0);
    return pEntry && DispatchWindowMessage(pEntry, message, wParam, lParam, pResult);
}

BOOL CWnd::DispatchWindowMessage(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam,
                                 LPARAM lParam, LRESULT* pResult)
{
    (void)message;
    AFX_PMSG pfn = pEntry->pfn;
    switch (pEntry->nSig)
    {
    case AfxSig_v_v:
        (this->*AfxFromPmsg<void (CWnd::*)()>(pfn))();
        *pResult = 0;
        return TRUE;
    case AfxSig_l_wl:
        *pResult = (this->*AfxFromPmsg<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        return TRUE;
    case AfxSig_i_create:
        *pResult = (this->*AfxFromPmsg<int (CWnd::*)(LPCREATESTRUCTW)>(pfn))((LPCREATESTRUCTW)lParam);
        return TRUE;
    case AfxSig_v_size:
        (this->*AfxFromPmsg<void (CWnd::*)(UINT, int, int)>(pfn))(
            (UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
        *pResult = 0;
        return TRUE;
    case AfxSig_v_mouse:
        (this->*AfxFromPmsg<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, CPoint(lParam));
        *pResult = 0;
        return TRUE;
    case AfxSig_b_dc:
    {
        CDC dc;
        dc.Attach((HDC)wParam);
        *pResult = (this->*AfxFromPmsg<BOOL (CWnd::*)(CDC*)>(pfn))(&dc);
        dc.Detach();
        return TRUE;
    }
    case AfxSig_v_timer:
        (this->*AfxFromPmsg<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        *pResult = 0;
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCtlColorMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The control answers first; a null brush leaves the request to its parent.
    CWnd* pChild = FromHandlePermanent((HWND)lParam);
    if (pChild && pChild->OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_CTLCOLOR, 0, 0);
    if (!pEntry)
        return FALSE;
    CDC dc;
    dc.Attach((HDC)wParam);
    HBRUSH hBrush = (this->*AfxFromPmsg<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pEntry->pfn))(
        &dc, FromHandle((HWND)lParam), message - WM_CTLCOLORMSGBOX);
    dc.Detach();
    *pResult = (LRESULT)hBrush;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_COMMAND:
    {
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
        if (!pEntry)
            return FALSE;
        (this->*AfxFromPmsg<void (CWnd::*)()>(pEntry->pfn))();
        *pResult = 0;
        return TRUE;
    }
    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        const AFX_MSGMAP_ENTRY* pEntry =
            FindMessageEntry(WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)pNMHDR->code, 0);
        if (!pEntry)
            return FALSE;
        LRESULT lResult = 0;
        (this->*AfxFromPmsg<void (CWnd::*)(NMHDR*, LRESULT*)>(pEntry->pfn))(pNMHDR, &lResult);
        *pResult = lResult;
        return TRUE;
    }
    case WM_DRAWITEM:
    {
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_REFLECT_BASE + WM_DRAWITEM, 0, 0);
        if (!pEntry)
            return FALSE;
        (this->*AfxFromPmsg<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pEntry->pfn))((LPDRAWITEMSTRUCT)lParam);
        *pResult = TRUE;
        return TRUE;
    }
    default:
        break;
    }
    if (IsCtlColorMessage(message))
    {
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        if (!pEntry)
            return FALSE;
        CDC dc;
        dc.Attach((HDC)wParam);
        HBRUSH hBrush = (this->*AfxFromPmsg<HBRUSH (CWnd::*)(CDC*, UINT)>(pEntry->pfn))(
            &dc, message - WM_CTLCOLORMSGBOX);
        dc.Detach();
        if (!hBrush)
            return FALSE;
        *pResult = (LRESULT)hBrush;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hControl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hControl)
    {
        CWnd* pChild = FromHandlePermanent(hControl);
        LRESULT lResult = 0;
        if (pChild && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &lResult))
            return TRUE;
        // A button's click (code 0) arrives as the command of its id.
    }
    else
        nCode = CN_COMMAND; // menus and accelerators
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    (void)wParam;
    NMHDR* pNMHDR = (NMHDR*)lParam;
    CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
    if (pChild && pChild != this && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    if (OnCmdMsg((UINT)pNMHDR->idFrom, (int)MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr))
        return TRUE;
    if (pNMHDR->code == TTN_GETDISPINFOW && pNMHDR->hwndFrom == m_hWndToolTip)
        return OnToolTipText(pNMHDR, pResult);
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    (void)pMsg;
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            if (CWnd* pChild = FromHandlePermanent(hChild))
                pChild->WindowProc(message, wParam, lParam);
        }
        else
            ::SendMessageW(hChild, message, wParam, lParam);
        if (bDeep && ::GetWindow(hChild, GW_CHILD))
            FromHandle(hChild)->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        int nID = ::GetDlgCtrlID(hChild);
        if (nID <= 0 || nID == 0xFFFF)
            continue;
        CCmdUI state;
        state.m_nID = (UINT)nID;
        state.m_pOther = FromHandle(hChild);
        // Edits, lists and check boxes keep their state without a handler; only push
        // buttons stand for commands.
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable)
        {
            UINT nType = (UINT)(::GetWindowLongPtrW(hChild, GWL_STYLE) & BS_TYPEMASK);
            BOOL bButton = (::SendMessageW(hChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
            bDisable = bButton && (nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON);
        }
        state.DoUpdate(pTarget, bDisable);
    }
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (const CDataExchangeFailure&)
    {
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange* pDX)
{
    (void)pDX;
}

void CWnd::OnInitMenuPopup(HMENU hPopup)
{
    UpdateMenuItems(hPopup, TRUE);
}

void CWnd::UpdateMenuItems(HMENU hPopup, BOOL bDisableIfNoHndler)
{
    CMenu popup;
    popup.Attach(hPopup);
    int nCount = popup.GetMenuItemCount();
    for (int i = 0; i < nCount; ++i)
    {
        UINT nID = popup.GetMenuItemID(i);
        // Separators, submenus, and system commands and MDI children (0xF000 and up), which
        // have no handlers here.
        if (nID == 0 || nID == (UINT)-1 || nID >= 0xF000)
            continue;
        CCmdUI state;
        state.m_nID = nID;
        state.m_nIndex = (UINT)i;
        state.m_pMenu = &popup;
        state.DoUpdate(this, bDisableIfNoHndler);
    }
    popup.Detach();
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (!bEnable)
    {
        if (m_hWndToolTip)
            ::DestroyWindow(m_hWndToolTip);
        m_hWndToolTip = nullptr;
        m_nLastHit = (UINT_PTR)-1;
        return TRUE;
    }
    if (m_hWndToolTip)
        return TRUE;
    AfxInitCommonControls();
    m_hWndToolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    return m_hWndToolTip != nullptr;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    HWND hChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!hChild || hChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hChild);
    if (nID <= 0)
        return -1;
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)hChild;
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
    return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!IsMouseMessage(pMsg->message))
        return;
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->m_hWndToolTip)
        {
            pWnd->RelayToolTip(pMsg);
            return;
        }
    }
}

void CWnd::RelayToolTip(MSG* pMsg)
{
    // Client-area mouse messages carry their point; the others only the cursor's.
    POINT pt = pMsg->pt;
    if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
    {
        pt = CPoint(pMsg->lParam);
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &pt, 1);
    }
    else
        ::ScreenToClient(m_hWnd, &pt);
    // The version 1 record: every version of the control accepts it.
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    INT_PTR nHit = OnToolHitTest(CPoint(pt), &ti);
    UINT_PTR nNewHit = nHit < 0 ? (UINT_PTR)-1 : ti.uId;
    if (nNewHit != m_nLastHit)
    {
        if (m_nLastHit != (UINT_PTR)-1)
        {
            TOOLINFOW old = {};
            old.cbSize = TTTOOLINFOW_V1_SIZE;
            old.hwnd = m_hWnd;
            old.uId = m_nLastHit;
            ::SendMessageW(m_hWndToolTip, TTM_DELTOOLW, 0, (LPARAM)&old);
        }
        if (nNewHit != (UINT_PTR)-1)
        {
            if (!(ti.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&ti.rect))
                ::GetClientRect(m_hWnd, &ti.rect);
            ::SendMessageW(m_hWndToolTip, TTM_ADDTOOLW, 0, (LPARAM)&ti);
        }
        m_nLastHit = nNewHit;
    }
    ::SendMessageW(m_hWndToolTip, TTM_RELAYEVENT, 0, (LPARAM)pMsg);
}

BOOL CWnd::OnToolTipText(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
    UINT_PTR nID = pNMHDR->idFrom;
    if (pInfo->uFlags & TTF_IDISHWND)
        nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
    CString strText;
    if (nID)
    {
        strText.LoadString((UINT)nID);
        int nBreak = strText.Find(L'\n');
        if (nBreak >= 0)
            strText = strText.Mid(nBreak + 1);
    }
    AfxCopyToolTipText(pInfo->szText, sizeof pInfo->szText / sizeof pInfo->szText[0], strText);
    pInfo->lpszText = pInfo->szText;
    *pResult = 0;
    return TRUE;
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLength = ::GetWindowTextLengthW(m_hWnd);
    wchar_t* pBuffer = rString.GetBufferSetLength(nLength + 1);
    ::GetWindowTextW(m_hWnd, pBuffer, nLength + 1);
    rString.ReleaseBuffer();
}

CString CWnd::GetWindowText() const
{
    CString strText;
    GetWindowText(strText);
    return strText;
}

CString CWnd::GetDlgItemText(int nID) const
{
    CString strText;
    if (HWND hItem = ::GetDlgItem(m_hWnd, nID))
        FromHandle(hItem)->GetWindowText(strText);
    return strText;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetStyle();
    DWORD dwNew = (dwStyle & ~dwRemove) | dwAdd;
    if (dwNew == dwStyle)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (LONG_PTR)dwNew);
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, (WPARAM)(pFont ? (HFONT)pFont->m_hObject : nullptr), bRedraw);
}

int CWnd::MessageBox(const wchar_t* lpszText, const wchar_t* lpszCaption, UINT nType)
{
    return AfxShowMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

int CWnd::OnCreate(LPCREATESTRUCTW)
{
    return (int)Default();
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = m_hWnd ? ::GetParent(m_hWnd) : nullptr; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return (CFrameWnd*)pWnd;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? (CFrameWnd*)this : GetParentFrame();
    while (CFrameWnd* pParent = pFrame ? pFrame->GetParentFrame() : nullptr)
        pFrame = pParent;
    return pFrame;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(hChild) == nID)
        {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hChild) : FromHandle(hChild);
            if (pWnd)
                return pWnd;
        }
        if (CWnd* pFound = FromHandle(hChild)->GetDescendantWindow(nID, bOnlyPerm))
            return pFound;
    }
    return nullptr;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    if (!(nFlag & reposQuery))
        layout.hDWP = ::BeginDeferWindowPos(8);
    HWND hWndLeftOver = nullptr;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        UINT nID = (UINT)::GetDlgCtrlID(hChild);
        if (nID == nIDLeftOver)
            hWndLeftOver = hChild;
        else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(hChild))
            ::SendMessageW(hChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }
    if (nFlag & reposQuery)
    {
        if (lpRectParam)
            *lpRectParam = layout.rect;
        return;
    }
    if (nFlag & reposExtra && lpRectParam)
    {
        // The caller asks for borders around the left-over pane.
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (hWndLeftOver && layout.hDWP)
    {
        const RECT& r = layout.rect;
        layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, nullptr, r.left, r.top,
                                       std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top),
                                       SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}
