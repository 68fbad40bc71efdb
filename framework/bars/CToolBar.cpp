#include "framework/bars/CToolBar.h"

#include "framework/bars/CDockContext.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/window/CCmdUI.h"

#include <algorithm>
#include <vector>
#include <windowsx.h>
#include <vector>
#include <windowsx.h>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace
{
const int kGripper = 8; // the gripper's strip along the bar's start
const int kSeparator = 8;

// The state of one button as a command's user-interface element.
class CToolCmdUI : public CCmdUI
{
public:
    explicit CToolCmdUI(CToolBar* pBar) : m_pBar(pBar) {}

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT nState = m_pBar->GetButtonState((int)m_nIndex);
        m_pBar->SetButtonState((int)m_nIndex, bOn ? nState | TBSTATE_ENABLED : nState & ~TBSTATE_ENABLED);
    }
    void SetCheck(int nCheck) override
    {
        UINT nState = m_pBar->GetButtonState((int)m_nIndex) & ~(TBSTATE_CHECKED | TBSTATE_INDETERMINATE);
        if (nCheck == 1)
            nState |= TBSTATE_CHECKED;
        else if (nCheck == 2)
            nState |= TBSTATE_INDETERMINATE;
        m_pBar->SetButtonState((int)m_nIndex, nState);
    }
    void SetText(const wchar_t*) override {}

private:
    CToolBar* m_pBar;
};

// The words of a toolbar resource: version, width, height, count, then the ids.
struct ToolBarData
{
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};
} // namespace

CToolBar::CToolBar() : m_sizeImage(16, 15)
{
    m_cxLeftBorder = m_cxRightBorder = 1;
    m_cyTopBorder = m_cyBottomBorder = 1;
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, const RECT& rcBorders, UINT nID)
{
    AfxInitCommonControls();
    m_cxLeftBorder = std::max(1L, rcBorders.left);
    m_cyTopBorder = std::max(1L, rcBorders.top);
    m_cxRightBorder = std::max(1L, rcBorders.right);
    m_cyBottomBorder = std::max(1L, rcBorders.bottom);
    // The frame's layout places the bar: the control must not move or size itself.
    dwCtrlStyle |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (dwStyle & CBRS_TOOLTIPS)
        dwCtrlStyle |= TBSTYLE_TOOLTIPS;
    if (!CreateBar(0, TOOLBARCLASSNAMEW, dwStyle, dwCtrlStyle, pParentWnd, nID))
        return FALSE;
    SendCtrl(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendCtrl(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    HMODULE hModule = ::GetModuleHandleW(nullptr);
    HRSRC hRsrc = ::FindResourceW(hModule, MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(RT_TOOLBAR_TYPE));
    HGLOBAL hGlobal = hRsrc ? ::LoadResource(hModule, hRsrc) : nullptr;
    const ToolBarData* pData = hGlobal ? (const ToolBarData*)::LockResource(hGlobal) : nullptr;
    DWORD dwSize = hRsrc ? ::SizeofResource(hModule, hRsrc) : 0;
    // A resource shorter than its own count says is damaged: no button of it is trusted.
    if (!pData || dwSize < sizeof(ToolBarData) || pData->wVersion != 1 ||
        dwSize < sizeof(ToolBarData) + pData->wItemCount * sizeof(WORD))
        return FALSE;
    const WORD* pItems = (const WORD*)(pData + 1);
    std::vector<UINT> ids(pItems, pItems + pData->wItemCount);
    CSize sizeImage(pData->wWidth, pData->wHeight);
    SetSizes(CSize(sizeImage.cx + 7, sizeImage.cy + 7), sizeImage);
    return SetButtons(ids.data(), (int)ids.size());
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    while (SendCtrl(TB_BUTTONCOUNT) > 0)
        SendCtrl(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons;
    int nImage = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        TBBUTTON button = {};
        button.idCommand = (int)lpIDArray[i];
        button.iString = -1;
        if (lpIDArray[i] == ID_SEPARATOR)
        {
            button.fsStyle = BTNS_SEP;
            button.iBitmap = kSeparator;
        }
        else
        {
            button.fsStyle = BTNS_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = nImage++;
        }
        buttons.push_back(button);
    }
    return buttons.empty() || SendCtrl(TB_ADDBUTTONSW, buttons.size(), (LPARAM)buttons.data());
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeImage = sizeImage;
    SendCtrl(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendCtrl(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
}

CSize CToolBar::GetButtonSize() const
{
    DWORD dwSize = (DWORD)SendCtrl(TB_GETBUTTONSIZE);
    return CSize(LOWORD(dwSize), HIWORD(dwSize));
}

int CToolBar::GetCount() const
{
    return (int)SendCtrl(TB_BUTTONCOUNT);
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    SendCtrl(TB_GETBUTTON, nIndex, (LPARAM)&button);
    return (UINT)button.idCommand;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (GetItemID(i) == nIDFind && !(GetButtonStyle(i) & BTNS_SEP))
            return i;
    return -1;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    SendCtrl(TB_GETITEMRECT, nIndex, (LPARAM)lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button = {};
    SendCtrl(TB_GETBUTTON, nIndex, (LPARAM)&button);
    return button.fsStyle;
}

UINT CToolBar::GetButtonState(int nIndex) const
{
    LRESULT nState = SendCtrl(TB_GETSTATE, GetItemID(nIndex));
    return nState == -1 ? 0 : (UINT)nState;
}

void CToolBar::SetButtonState(int nIndex, UINT nState)
{
    if (GetButtonState(nIndex) != nState)
        SendCtrl(TB_SETSTATE, GetItemID(nIndex), MAKELONG(nState, 0));
}

BOOL CToolBar::SetButtonText(int nIndex, const wchar_t* lpszText)
{
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = (LPWSTR)lpszText;
    return SendCtrl(TB_SETBUTTONINFOW, nIndex, (LPARAM)&info) != 0;
}

CString CToolBar::GetButtonText(int nIndex) const
{
    wchar_t szText[256] = L"";
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = szText;
    info.cchText = 255;
    if (SendCtrl(TB_GETBUTTONINFOW, nIndex, (LPARAM)&info) < 0)
        return CString();
    return szText;
}

CSize CToolBar::BorderSize(BOOL bHorz) const
{
    CSize size(m_cxLeftBorder + m_cxRightBorder, m_cyTopBorder + m_cyBottomBorder);
    if (m_dwStyle & CBRS_GRIPPER)
        (bHorz ? size.cx : size.cy) += kGripper;
    return size;
}

// A column wraps after every button; separators then draw across it.
CSize CToolBar::LayoutButtons(BOOL bHorz)
{
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        UINT nState = GetButtonState(i);
        UINT nWanted = bHorz ? nState & ~TBSTATE_WRAP : nState | TBSTATE_WRAP;
        if (nWanted != nState)
        {
            TBBUTTONINFOW info = {};
            info.cbSize = sizeof info;
            info.dwMask = TBIF_STATE | TBIF_BYINDEX;
            info.fsState = (BYTE)nWanted;
            SendCtrl(TB_SETBUTTONINFOW, i, (LPARAM)&info);
        }
    }
    CSize sizeButton = GetButtonSize();
    CRect rectAll(0, 0, 0, 0);
    for (int i = 0; i < nCount; ++i)
    {
        CRect rect;
        GetItemRect(i, &rect);
        ::UnionRect(&rectAll, &rectAll, &rect);
    }
    CSize size(std::max((int)rectAll.right, (int)sizeButton.cx), std::max((int)rectAll.bottom, (int)sizeButton.cy));
    CSize sizeBorder = BorderSize(bHorz);
    return CSize(size.cx + sizeBorder.cx, size.cy + sizeBorder.cy);
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = LayoutButtons(bHorz);
    if (bStretch)
        (bHorz ? size.cx : size.cy) = 32767;
    return size;
}

CSize CToolBar::CalcDynamicLayout(int, DWORD dwMode)
{
    BOOL bHorz = (dwMode & (LM_HORZ | LM_HORZDOCK)) != 0 && !(dwMode & LM_VERTDOCK);
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateButtons(pTarget, bDisableIfNoHndler);
}

void CToolBar::UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state(this);
    state.m_pOther = this;
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        if (GetButtonStyle(i) & BTNS_SEP)
            continue;
        state.m_nIndex = (UINT)i;
        state.m_nID = GetItemID(i);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

BOOL CToolBar::OnToolTipText(NMHDR* pNMHDR)
{
    if (pNMHDR->code != TTN_GETDISPINFOW)
        return FALSE;
    NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
    static CString strTip;
    CString strFull;
    UINT nID = (UINT)pNMHDR->idFrom;
    if (!nID || !strFull.LoadString(nID))
        return FALSE;
    int nNewLine = strFull.Find(L'\n');
    strTip = nNewLine < 0 ? strFull : strFull.Mid(nNewLine + 1);
    pInfo->lpszText = (LPWSTR)(const wchar_t*)strTip;
    pInfo->hinst = nullptr;
    return TRUE;
}

void CToolBar::PaintGripper()
{
    if (!(m_dwStyle & CBRS_GRIPPER) || IsFloating())
        return;
    HDC hDC = ::GetWindowDC(m_hWnd);
    CRect rect;
    ::GetWindowRect(m_hWnd, &rect);
    rect.OffsetRect(-rect.left, -rect.top);
    // Two raised lines along the bar's start.
    CRect line = IsHorz() ? CRect(2, 3, 5, rect.bottom - 3) : CRect(3, 2, rect.right - 3, 5);
    for (int i = 0; i < 2; ++i)
    {
        ::DrawEdge(hDC, &line, BDR_RAISEDINNER, BF_RECT);
        line.OffsetRect(IsHorz() ? 3 : 0, IsHorz() ? 0 : 3);
    }
    ::ReleaseDC(m_hWnd, hDC);
}

BOOL CToolBar::OnPressOutsideButtons(UINT message, LPARAM lParam)
{
    if (!m_pDockContext)
        return FALSE;
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
    {
        if (SendCtrl(TB_HITTEST, 0, (LPARAM)&point) >= 0)
            return FALSE;
        ::ClientToScreen(m_hWnd, &point);
    }
    if (message == WM_LBUTTONDOWN || message == WM_NCLBUTTONDOWN)
        m_pDockContext->StartDrag(point);
    else
        m_pDockContext->ToggleDocking();
    return TRUE;
}

BOOL CToolBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_NCCALCSIZE:
    {
        // The gripper and the borders lie outside the control's client area.
        RECT* pRect = (RECT*)lParam;
        BOOL bHorz = IsHorz() || IsFloating();
        pRect->left += m_cxLeftBorder + ((m_dwStyle & CBRS_GRIPPER) && bHorz && !IsFloating() ? kGripper : 0);
        pRect->top += m_cyTopBorder + ((m_dwStyle & CBRS_GRIPPER) && !bHorz ? kGripper : 0);
        pRect->right -= m_cxRightBorder;
        pRect->bottom -= m_cyBottomBorder;
        if (pRect->right < pRect->left)
            pRect->right = pRect->left;
        if (pRect->bottom < pRect->top)
            pRect->bottom = pRect->top;
        *pResult = 0;
        return TRUE;
    }
    case WM_NCPAINT:
        *pResult = DefWindowProc(message, wParam, lParam);
        PaintGripper();
        return TRUE;
    case WM_NCHITTEST:
    {
        // The gripper is a place to take a dockable bar by.
        *pResult = DefWindowProc(message, wParam, lParam);
        if (m_pDockContext && (*pResult == HTNOWHERE || *pResult == HTBORDER))
            *pResult = HTCAPTION;
        return TRUE;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && OnPressOutsideButtons(message, lParam))
        {
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (OnPressOutsideButtons(message, lParam))
        {
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_NOTIFY:
        if (OnToolTipText((NMHDR*)lParam))
        {
            *pResult = 0;
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CControlBar::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CToolBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && ((NMHDR*)lParam)->code == TBN_HOTITEMCHANGE && (m_dwStyle & CBRS_FLYBY))
    {
        // The prompt of the button under the mouse shows in the status bar while it is there.
        NMTBHOTITEM* pHot = (NMTBHOTITEM*)lParam;
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame)
            pFrame->SetMessageText((pHot->dwFlags & HICF_LEAVING) ? AFX_IDS_IDLEMESSAGE : (UINT)pHot->idNew);
        *pResult = 0;
        return FALSE; // the control still tracks its hot button
    }
    return CControlBar::OnChildNotify(message, wParam, lParam, pResult);
}
