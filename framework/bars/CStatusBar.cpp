#include "framework/bars/CStatusBar.h"

#include "framework/frames/CFrameWnd.h"
#include "framework/window/CCmdUI.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace
{
// Room around a pane's text: its borders and the control's text margins.
const int kPaneExtra = 10;

// The state of one pane as a command's user-interface element.
class CStatusCmdUI : public CCmdUI
{
public:
    explicit CStatusCmdUI(CStatusBar* pBar) : m_pBar(pBar) {}

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        m_pBar->SetPaneStyle((int)m_nIndex, bOn ? nStyle : nStyle | SBPS_DISABLED);
    }
    void SetCheck(int nCheck) override
    {
        UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        m_pBar->SetPaneStyle((int)m_nIndex, nCheck ? nStyle | SBPS_POPOUT : nStyle);
    }
    void SetText(const wchar_t* lpszText) override { m_pBar->SetPaneText((int)m_nIndex, lpszText); }

private:
    CStatusBar* m_pBar;
};
} // namespace

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    AfxInitCommonControls();
    // The frame's layout places the bar: the control must not move itself.
    DWORD dwCtrlStyle = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME) && (dwStyle & CBRS_ALIGN_BOTTOM))
        dwCtrlStyle |= SBARS_SIZEGRIP;
    return CreateBar(0, STATUSCLASSNAMEW, dwStyle, dwCtrlStyle, pParentWnd, nID);
}

int CStatusBar::MeasureText(const wchar_t* pszText, TEXTMETRICW* pMetrics) const
{
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = GetFontHandle();
    HGDIOBJ hOld = ::SelectObject(hDC, hFont ? (HGDIOBJ)hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    ::GetTextExtentPoint32W(hDC, pszText, lstrlenW(pszText), &size);
    if (pMetrics)
        ::GetTextMetricsW(hDC, pMetrics);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    BOOL bAllLoaded = TRUE;
    for (int i = 0; i < nIDCount; ++i)
    {
        Pane pane = {lpIDArray[i], SBPS_NORMAL, 0, CString()};
        if (pane.nID == ID_SEPARATOR)
        {
            if (i == 0)
                pane.nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
        }
        else if (pane.strText.LoadString(pane.nID))
            pane.cxText = MeasureText(pane.strText);
        else
            bAllLoaded = FALSE;
        m_panes.push_back(pane);
    }
    UpdateParts();
    return bAllLoaded;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return (int)i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    SendMessage(SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const Pane& pane = m_panes.at((size_t)nIndex);
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    Pane& pane = m_panes.at((size_t)nIndex);
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth;
    UpdateParts();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return m_panes.at((size_t)nIndex).nStyle;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    Pane& pane = m_panes.at((size_t)nIndex);
    if (pane.nStyle == nStyle)
        return;
    BOOL bStretchChanged = (pane.nStyle ^ nStyle) & SBPS_STRETCH;
    pane.nStyle = nStyle;
    if (bStretchChanged)
        UpdateParts();
    else
        ShowPaneText(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return m_panes.at((size_t)nIndex).strText;
}

BOOL CStatusBar::SetPaneText(int nIndex, const wchar_t* lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[(size_t)nIndex];
    CString strNew(lpszNewText);
    // Idle updates set the same text again and again: only changes repaint.
    if (pane.strText == strNew)
        return TRUE;
    pane.strText = strNew;
    if (bUpdate)
        ShowPaneText(nIndex);
    return TRUE;
}

void CStatusBar::ShowPaneText(int nIndex)
{
    const Pane& pane = m_panes[(size_t)nIndex];
    const wchar_t* pszText = pane.nStyle & SBPS_DISABLED ? L"" : pane.strText.GetString();
    UINT nDrawStyle = pane.nStyle & (SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW);
    DefWindowProc(SB_SETTEXTW, (WPARAM)(nIndex | nDrawStyle), (LPARAM)pszText);
}

void CStatusBar::UpdateParts()
{
    if (!m_hWnd || m_panes.empty())
        return;
    CRect rect;
    GetClientRect(&rect);
    int cxFixed = 0;
    for (const Pane& pane : m_panes)
        if (!(pane.nStyle & SBPS_STRETCH))
            cxFixed += pane.cxText + kPaneExtra;
    int cxGrip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    int cxStretch = std::max(0, rect.Width() - cxFixed - cxGrip);
    std::vector<int> edges;
    int x = 0;
    for (const Pane& pane : m_panes)
    {
        x += pane.nStyle & SBPS_STRETCH ? cxStretch : pane.cxText + kPaneExtra;
        edges.push_back(x);
    }
    if (cxGrip)
        edges.back() += cxGrip;
    DefWindowProc(SB_SETPARTS, (WPARAM)edges.size(), (LPARAM)edges.data());
    for (int i = 0; i < GetCount(); ++i)
        ShowPaneText(i);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    (void)bHorz;
    TEXTMETRICW tm = {};
    MeasureText(L"", &tm);
    int anBorders[3] = {};
    SendMessage(SB_GETBORDERS, 0, (LPARAM)anBorders);
    int cy = tm.tmHeight + tm.tmExternalLeading + 2 * anBorders[1] + 4;
    int cx = 0;
    for (const Pane& pane : m_panes)
        cx += pane.cxText + kPaneExtra;
    return CSize(bStretch ? 32767 : cx, cy);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state(this);
    for (int i = 0; i < GetCount(); ++i)
    {
        state.m_nID = m_panes[(size_t)i].nID;
        state.m_nIndex = (UINT)i;
        // A pane without a handler keeps its state: panes are not commands.
        state.DoUpdate(pTarget, FALSE);
    }
}

BOOL CStatusBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SETTEXT)
    {
        // The frame's prompts land in pane 0.
        *pResult = GetCount() > 0 && SetPaneText(0, (const wchar_t*)lParam);
        return TRUE;
    }
    if (message == WM_GETTEXT || message == WM_GETTEXTLENGTH)
    {
        CString strText = GetCount() > 0 ? GetPaneText(0) : CString();
        if (message == WM_GETTEXTLENGTH)
            *pResult = strText.GetLength();
        else
            *pResult = wParam ? lstrlenW(lstrcpynW((wchar_t*)lParam, strText, (int)wParam)) : 0;
        return TRUE;
    }
    BOOL bHandled = CControlBar::OnWndMsg(message, wParam, lParam, pResult);
    if (message == WM_SIZE)
        UpdateParts();
    return bHandled;
}
