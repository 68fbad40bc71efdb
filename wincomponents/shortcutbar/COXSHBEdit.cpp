#include "wincomponents/shortcutbar/COXSHBEdit.h"

#include "framework/gdi/CClientDC.h"

#include <windowsx.h>

IMPLEMENT_DYNAMIC(COXSHBEdit, CEdit)

BEGIN_MESSAGE_MAP(COXSHBEdit, CEdit)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocusMsg)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocusMsg)
    ON_CONTROL_REFLECT(EN_UPDATE, OnUpdate)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace
{
BOOL RectContains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The non-client form of a client mouse message, 0 for the others.
UINT NonClientMessage(UINT message)
{
    switch (message)
    {
    case WM_MOUSEMOVE: return WM_NCMOUSEMOVE;
    case WM_LBUTTONDOWN: return WM_NCLBUTTONDOWN;
    case WM_LBUTTONDBLCLK: return WM_NCLBUTTONDBLCLK;
    case WM_RBUTTONDOWN: return WM_NCRBUTTONDOWN;
    case WM_RBUTTONDBLCLK: return WM_NCRBUTTONDBLCLK;
    case WM_MBUTTONDOWN: return WM_NCMBUTTONDOWN;
    case WM_MBUTTONDBLCLK: return WM_NCMBUTTONDBLCLK;
    default: return 0;
    }
}
} // namespace

COXSHBEdit::COXSHBEdit() : m_pDisplayInfo(nullptr), m_bEditing(FALSE), m_pLife(std::make_shared<BYTE>(0))
{
    m_brushBack.CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
}

COXSHBEdit::~COXSHBEdit()
{
    delete m_pDisplayInfo;
}

BOOL COXSHBEdit::VerifyDisplayInfo(const SHBE_DISPLAY* pInfo) const
{
    UINT nMask = pInfo->nMask;
    if (nMask & ~SHBEIF_ALL)
        return FALSE;
    if ((nMask & SHBEIF_ENLARGE) && !(nMask & SHBEIF_RECTMAX))
        return FALSE;
    if (nMask & SHBEIF_SELRANGE)
    {
        POINT pt = pInfo->ptSelection;
        BOOL bAll = pt.x == 0 && pt.y == -1;
        if (!bAll && pt.x != -1)
        {
            int nLength = (nMask & SHBEIF_TEXT) ? (pInfo->lpText ? lstrlenW(pInfo->lpText) : 0)
                                                : GetWindowTextLength();
            if (pt.x >= nLength || pt.y >= nLength)
                return FALSE;
        }
    }
    CRect rectDisplay;
    if (nMask & SHBEIF_RECTDISPLAY)
        rectDisplay = pInfo->rectDisplay;
    else
        GetClientRect(&rectDisplay);
    if (rectDisplay.IsRectEmpty())
        return FALSE;
    if ((nMask & SHBEIF_RECTMAX) && (nMask & SHBEIF_RECTDISPLAY) && !RectContains(pInfo->rectMax, rectDisplay))
        return FALSE;
    if ((nMask & SHBEIF_RECTMIN) && (nMask & SHBEIF_RECTMAX) && !RectContains(pInfo->rectMax, pInfo->rectMin))
        return FALSE;
    if ((nMask & SHBEIF_RECTMIN) && ::IsRectEmpty(&pInfo->rectMin))
        return FALSE;
    return TRUE;
}

BOOL COXSHBEdit::StartEdit(const SHBE_DISPLAY* pInfo)
{
    if (!m_hWnd || (pInfo && !VerifyDisplayInfo(pInfo)))
        return FALSE;
    DWORD dwStyle = GetStyle() & ~WS_VISIBLE;
    CString strText = GetWindowText();
    CRect rect;
    GetWindowRect(&rect);
    HWND hParent = ::GetParent(m_hWnd);
    ::MapWindowPoints(nullptr, hParent, (POINT*)(RECT*)&rect, 2);
    UINT nID = (UINT)GetDlgCtrlID();

    if (pInfo)
    {
        if (!m_pDisplayInfo)
            m_pDisplayInfo = new SHBE_DISPLAY();
        *m_pDisplayInfo = *pInfo;
        m_pDisplayInfo->pFont = nullptr; // the caller's font lives only for this call
        if (pInfo->nMask & SHBEIF_TEXT)
            strText = pInfo->lpText ? pInfo->lpText : L"";
        if (pInfo->nMask & SHBEIF_RECTDISPLAY)
            rect = pInfo->rectDisplay;
        if (pInfo->nMask & SHBEIF_STYLE)
            dwStyle = pInfo->dwStyle & ~WS_VISIBLE;
        LOGFONTW lf;
        if ((pInfo->nMask & SHBEIF_FONT) && pInfo->pFont && pInfo->pFont->GetLogFont(&lf))
        {
            m_font.DeleteObject();
            m_font.CreateFontIndirect(&lf);
        }
        if (pInfo->nMask & SHBEIF_RECTMIN)
            ::UnionRect(&rect, &rect, &pInfo->rectMin);
    }
    else
    {
        delete m_pDisplayInfo;
        m_pDisplayInfo = nullptr;
    }

    // The old window goes without a finish notice: the caller finishes a running edit first.
    m_bEditing = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!DestroyWindow())
        return FALSE;
    if (!Create(dwStyle | WS_CHILD, rect, CWnd::FromHandle(hParent), nID))
        return FALSE;

    if (m_font.GetSafeHandle())
        SetFont(&m_font, FALSE);
    SetWindowText(strText);
    if (pInfo && (pInfo->nMask & SHBEIF_CLRBACK))
    {
        m_brushBack.DeleteObject();
        m_brushBack.CreateSolidBrush(pInfo->clrBack);
    }
    if (pInfo && (pInfo->nMask & SHBEIF_SELRANGE))
        SetSel(pInfo->ptSelection.x, pInfo->ptSelection.y);
    CRect rectClient;
    GetClientRect(&rectClient);
    SetRect(&rectClient);
    m_bEditing = TRUE;
    ShowWindow(SW_SHOW);
    SetFocus();
    return TRUE;
}

void COXSHBEdit::FinishEdit(BOOL bOK)
{
    // Closing twice (a key, then the focus leaving the hidden window) reports once.
    if (!m_bEditing)
        return;
    m_bEditing = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    NMSHBEDIT notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    notify.hdr.code = SHBEN_FINISHEDIT;
    notify.bOK = bOK;
    // The parent may delete the editor with itself as it learns the outcome.
    std::weak_ptr<BYTE> pAlive = m_pLife;
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify);
    if (!pAlive.expired())
        ShowWindow(SW_HIDE);
}

LRESULT COXSHBEdit::OnSetFocusMsg(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (m_bEditing)
        ::SetCapture(m_hWnd);
    return lResult;
}

LRESULT COXSHBEdit::OnKillFocusMsg(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (::GetCapture() == m_hWnd)
        FinishEdit(TRUE);
    return lResult;
}

BOOL COXSHBEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd != m_hWnd || !m_bEditing)
        return CEdit::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
    {
        FinishEdit(pMsg->wParam == VK_RETURN);
        return TRUE;
    }
    if (NonClientMessage(pMsg->message))
    {
        CRect rectClient;
        GetClientRect(&rectClient);
        CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        if (!rectClient.PtInRect(point))
            return RelayMouseOutside(pMsg);
    }
    // The edit's own handling may take the capture (a drag selection); the editor keeps it.
    ::TranslateMessage(pMsg);
    ::DispatchMessageW(pMsg);
    RegainCapture();
    return TRUE;
}

// A mouse message outside the editor goes to the window under it, as that window would have had
// it without the capture; a button press there closes the edit first.
BOOL COXSHBEdit::RelayMouseOutside(MSG* pMsg)
{
    UINT message = pMsg->message;
    BOOL bButton = message != WM_MOUSEMOVE;
    CPoint ptScreen(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
    ClientToScreen(&ptScreen);
    HWND hTarget = ::WindowFromPoint(ptScreen);
    if (bButton)
        FinishEdit(TRUE);
    if (hTarget)
    {
        LRESULT nHit = ::SendMessageW(hTarget, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
        if (nHit == HTCLIENT)
        {
            CPoint ptClient = ptScreen;
            ::ScreenToClient(hTarget, &ptClient);
            ::SendMessageW(hTarget, message, pMsg->wParam, MAKELPARAM(ptClient.x, ptClient.y));
        }
        else
            ::SendMessageW(hTarget, NonClientMessage(message), (WPARAM)nHit, MAKELPARAM(ptScreen.x, ptScreen.y));
        ::SendMessageW(hTarget, WM_SETCURSOR, (WPARAM)hTarget, MAKELPARAM(nHit, message));
    }
    if (bButton)
        return TRUE;
    RegainCapture();
    return FALSE;
}

void COXSHBEdit::RegainCapture()
{
    if (m_bEditing && m_hWnd && ::GetCapture() != m_hWnd)
        ::SetCapture(m_hWnd);
}

void COXSHBEdit::OnUpdate()
{
    if (m_pDisplayInfo && (m_pDisplayInfo->nMask & SHBEIF_ENLARGE) && (m_pDisplayInfo->nMask & SHBEIF_RECTMAX) &&
        m_pDisplayInfo->bEnlargeAsTyping)
        FitToText();
}

void COXSHBEdit::FitToText()
{
    CRect rectBase = (m_pDisplayInfo->nMask & SHBEIF_RECTMIN) ? m_pDisplayInfo->rectMin : m_pDisplayInfo->rectDisplay;
    CString strText = GetWindowText();
    if (strText.IsEmpty())
    {
        MoveWindow(rectBase);
        return;
    }
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    ::MapWindowPoints(nullptr, m_hWnd, (POINT*)(RECT*)&rectWindow, 2);
    CRect rectFormat;
    GetRect(&rectFormat);
    CRect rectMargins(rectFormat.left - rectWindow.left, rectFormat.top - rectWindow.top,
                      rectWindow.right - rectFormat.right, rectWindow.bottom - rectFormat.bottom);

    CRect rectMax = m_pDisplayInfo->rectMax;
    CRect rectNew = MeasureText(strText, rectMax, rectMargins);
    if (rectNew.Width() < rectBase.Width())
        rectNew.right = rectNew.left + rectBase.Width();
    if (rectNew.Height() < rectBase.Height())
        rectNew.bottom = rectNew.top + rectBase.Height();

    int nSpare = rectMax.Width() - rectNew.Width();
    int nLeft = rectMax.left;
    DWORD dwStyle = GetStyle();
    if (nSpare > 0 && (dwStyle & ES_RIGHT))
        nLeft = rectMax.right - rectNew.Width();
    else if (nSpare > 0 && (dwStyle & ES_CENTER))
        nLeft = rectMax.left + nSpare - nSpare / 2;
    int nTop = rectMax.top;
    int nBottom = nTop + rectNew.Height() <= rectMax.bottom ? nTop + rectNew.Height() : rectMax.bottom;
    CRect rectPlace(nLeft, nTop, nLeft + rectNew.Width(), nBottom);
    MoveWindow(rectPlace, FALSE);
    CRect rectClient;
    GetClientRect(&rectClient);
    SendMessage(EM_SETRECTNP, 0, (LPARAM)(RECT*)&rectClient);
    Invalidate();
}

// The window size the text needs inside rectMax (at 0, 0), margins included, clipped to rectMax.
CRect COXSHBEdit::MeasureText(const CString& strText, const CRect& rectMax, const CRect& rectMargins)
{
    CClientDC dc(this);
    HGDIOBJ hOldFont = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : nullptr;
    CRect rectText(0, 0, rectMax.Width() - rectMargins.left - rectMargins.right,
                   rectMax.Height() - rectMargins.top - rectMargins.bottom);
    UINT nFormat = DT_CENTER | DT_VCENTER | DT_CALCRECT;
    if (GetStyle() & ES_MULTILINE)
        nFormat |= DT_WORDBREAK | DT_EDITCONTROL;
    dc.DrawText(strText, &rectText, nFormat);
    if (hOldFont)
        dc.SelectObject(hOldFont);
    CRect rectNeeded(0, 0, rectText.Width() + rectMargins.left + rectMargins.right,
                     rectText.Height() + rectMargins.top + rectMargins.bottom);
    if (rectNeeded.right > rectMax.Width())
        rectNeeded.right = rectMax.Width();
    if (rectNeeded.bottom > rectMax.Height())
        rectNeeded.bottom = rectMax.Height();
    return rectNeeded;
}

HBRUSH COXSHBEdit::CtlColor(CDC* pDC, UINT)
{
    BOOL bBack = m_pDisplayInfo && (m_pDisplayInfo->nMask & SHBEIF_CLRBACK);
    pDC->SetBkColor(bBack ? m_pDisplayInfo->clrBack : ::GetSysColor(COLOR_WINDOW));
    if (m_pDisplayInfo && (m_pDisplayInfo->nMask & SHBEIF_CLRTEXT))
        pDC->SetTextColor(m_pDisplayInfo->clrText);
    return (HBRUSH)m_brushBack;
}
