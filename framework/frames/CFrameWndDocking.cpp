// The frame's docking: its dock bars, docking and floating bars, and the bars' saved state.
#include "framework/frames/CFrameWnd.h"

#include "framework/bars/CDockBar.h"
#include "framework/bars/CDockContext.h"
#include "framework/frames/CMiniDockFrameWnd.h"
#include "framework/window/AfxWorkArea.h"
#include "framework/window/CWinApp.h"

#include <algorithm>
#include <map>

namespace
{
struct DockSide
{
    UINT nID;
    DWORD dwAlign;
};

// The order in which a bar without a chosen side finds one, and the order of the layout.
const DockSide kSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};

// The version of the saved layout's form; another version is a layout of another program.
const int kBarStateVersion = 1;
const int kMaxBars = 256;
const int kMaxRows = 64;
} // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (const DockSide& side : kSides)
    {
        if (!(dwDockStyle & side.dwAlign) || GetDockBar(side.nID))
            continue;
        CDockBar* pDockBar = new CDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(this, side.dwAlign, side.nID))
        {
            delete pDockBar;
            continue;
        }
        // After every other child, so that the status bar keeps the outermost strip.
        ::SetWindowPos(pDockBar->m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

CDockBar* CFrameWnd::GetDockBar(UINT nID)
{
    CControlBar* pBar = nID ? GetControlBar(nID) : nullptr;
    return pBar && pBar->IsKindOf(RUNTIME_CLASS(CDockBar)) ? (CDockBar*)pBar : nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = GetDockBar(nDockBarID);
    for (const DockSide& side : kSides)
        if (!pDockBar && !nDockBarID && (pBar->m_dwDockStyle & side.dwAlign))
            pDockBar = GetDockBar(side.nID);
    if (pDockBar)
        DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    CDockBar* pOldDockBar = (CDockBar*)pBar->m_pDockBar;
    RememberFloatPos(pBar);
    pDockBar->DockControlBar(pBar, lpRect);
    DestroyEmptyMiniFrame(pOldDockBar);
    RecalcLayout();
}

void CFrameWnd::DockControlBarAsRow(CControlBar* pBar, CDockBar* pDockBar, int nRow, const CRect& rectScreen)
{
    CDockBar* pOldDockBar = (CDockBar*)pBar->m_pDockBar;
    RememberFloatPos(pBar);
    CPoint pt(rectScreen.left, rectScreen.top);
    ::ScreenToClient(pDockBar->m_hWnd, &pt);
    pDockBar->DockControlBarAsRow(pBar, nRow, std::max(0, (int)(pDockBar->IsHorzDockBar() ? pt.x : pt.y)));
    DestroyEmptyMiniFrame(pOldDockBar);
    RecalcLayout();
}

void CFrameWnd::RememberFloatPos(CControlBar* pBar)
{
    CDockBar* pOldDockBar = (CDockBar*)pBar->m_pDockBar;
    if (pOldDockBar && pOldDockBar->IsFloatingDockBar() && pBar->m_pDockContext)
    {
        CRect rect;
        ::GetWindowRect(::GetParent(pOldDockBar->m_hWnd), &rect);
        pBar->m_pDockContext->m_ptMRUFloatPos = CPoint(rect.left, rect.top);
    }
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point)
{
    CDockBar* pOldDockBar = (CDockBar*)pBar->m_pDockBar;
    if (pOldDockBar && pOldDockBar->IsFloatingDockBar())
    {
        // Already floating: only its mini frame moves.
        ::SetWindowPos(::GetParent(pOldDockBar->m_hWnd), nullptr, point.x, point.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    if (pOldDockBar && pBar->m_pDockContext)
    {
        pBar->m_pDockContext->m_uMRUDockID = (UINT)pOldDockBar->GetDlgCtrlID();
        ::GetWindowRect(pBar->m_hWnd, &pBar->m_pDockContext->m_rectMRUDockPos);
        int nRow = pOldDockBar->GetRowOf(pBar);
        pBar->m_pDockContext->m_nMRURow = pOldDockBar->GetRowBars(nRow).size() == 1 ? nRow : -1;
    }
    CMiniDockFrameWnd* pMiniFrame = new CMiniDockFrameWnd;
    if (!pMiniFrame->Create(this, point, pBar->CanSizeWhileFloating()))
    {
        if (pMiniFrame->m_hWnd)
            pMiniFrame->DestroyWindow();
        else
            delete pMiniFrame;
        return;
    }
    BOOL bVisible = pBar->IsVisible();
    pMiniFrame->m_wndDockBar.DockControlBar(pBar);
    pMiniFrame->RecalcLayout();
    if (bVisible)
    {
        pBar->ShowWindow(SW_SHOWNOACTIVATE);
        pMiniFrame->ShowWindow(SW_SHOWNOACTIVATE);
    }
    RecalcLayout();
}

void CFrameWnd::DestroyEmptyMiniFrame(CDockBar* pOldDockBar)
{
    if (pOldDockBar && pOldDockBar->IsFloatingDockBar() && pOldDockBar->GetDockedCount() == 0)
        ::DestroyWindow(::GetParent(pOldDockBar->m_hWnd));
}

void CFrameWnd::SaveBarState(const wchar_t* lpszProfileName) const
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CString strSection;
    int nBars = 0;
    for (CControlBar* pBar : m_listControlBars)
    {
        if (pBar->IsKindOf(RUNTIME_CLASS(CDockBar)) || !pBar->m_hWnd || nBars >= kMaxBars)
            continue;
        strSection.Format(L"%s-Bar%d", lpszProfileName, nBars++);
        CDockBar* pDockBar = (CDockBar*)pBar->m_pDockBar;
        UINT nDockBarID = pDockBar ? (UINT)pDockBar->GetDlgCtrlID() : 0;
        CRect rect;
        ::GetWindowRect(pDockBar && pDockBar->IsFloatingDockBar() ? ::GetParent(pDockBar->m_hWnd) : pBar->m_hWnd,
                        &rect);
        if (pDockBar && !pDockBar->IsFloatingDockBar())
            ::ScreenToClient(pDockBar->m_hWnd, (POINT*)&rect.left);
        pApp->WriteProfileInt(strSection, L"BarID", pBar->GetDlgCtrlID());
        pApp->WriteProfileInt(strSection, L"Visible", pBar->IsVisible() ? 1 : 0);
        pApp->WriteProfileInt(strSection, L"DockBarID", (int)nDockBarID);
        pApp->WriteProfileInt(strSection, L"Row", pDockBar ? pDockBar->GetRowOf(pBar) : 0);
        pApp->WriteProfileInt(strSection, L"XPos", rect.left);
        pApp->WriteProfileInt(strSection, L"YPos", rect.top);
    }
    strSection.Format(L"%s-Summary", lpszProfileName);
    pApp->WriteProfileInt(strSection, L"Version", kBarStateVersion);
    pApp->WriteProfileInt(strSection, L"Bars", nBars);
}

namespace
{
// One bar's saved place, as read and checked.
struct BarPlace
{
    CControlBar* pBar;
    int nVisible; // 0, 1, or -1 when the profile's value is unusable
    UINT nDockBarID;
    int nRow;
    CPoint pos;
};

// A floating position whose corner, 40 pixels square, lies on a screen, so that a bar saved on
// a screen that is gone can be reached.
CPoint OnScreen(CPoint pt)
{
    return AfxFitToWorkArea(CRect(pt.x, pt.y, pt.x + 40, pt.y + 40)).TopLeft();
}
} // namespace

void CFrameWnd::LoadBarState(const wchar_t* lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CString strSection;
    strSection.Format(L"%s-Summary", lpszProfileName);
    int nBars = (int)pApp->GetProfileInt(strSection, L"Bars", -1);
    if ((int)pApp->GetProfileInt(strSection, L"Version", 0) != kBarStateVersion || nBars < 0 || nBars > kMaxBars)
        return; // none, damaged, or another program's layout: the default layout stays
    std::vector<BarPlace> places;
    for (int i = 0; i < nBars; ++i)
    {
        strSection.Format(L"%s-Bar%d", lpszProfileName, i);
        BarPlace place = {};
        place.pBar = GetControlBar(pApp->GetProfileInt(strSection, L"BarID", 0));
        if (!place.pBar || place.pBar->IsKindOf(RUNTIME_CLASS(CDockBar)))
            continue; // a bar that no longer exists
        if (std::any_of(places.begin(), places.end(), [&](const BarPlace& p) { return p.pBar == place.pBar; }))
            continue;
        place.nVisible = (int)pApp->GetProfileInt(strSection, L"Visible", -1);
        if (place.nVisible != 0 && place.nVisible != 1)
            place.nVisible = -1;
        place.nDockBarID = pApp->GetProfileInt(strSection, L"DockBarID", 0);
        place.nRow = (int)pApp->GetProfileInt(strSection, L"Row", -1);
        place.pos = CPoint((int)pApp->GetProfileInt(strSection, L"XPos", 0),
                           (int)pApp->GetProfileInt(strSection, L"YPos", 0));
        CDockBar* pDockBar = GetDockBar(place.nDockBarID);
        BOOL bDockable = pDockBar && place.pBar->m_pDockContext &&
                         (pDockBar->GetBarStyle() & place.pBar->m_dwDockStyle & CBRS_ALIGN_ANY) &&
                         place.nRow >= 0 && place.nRow < kMaxRows && place.pos.x >= 0 && place.pos.x < 32767 &&
                         place.pos.y >= 0 && place.pos.y < 32767;
        BOOL bFloatable = place.nDockBarID == AFX_IDW_DOCKBAR_FLOAT && place.pBar->m_pDockContext;
        if (!bDockable && !bFloatable)
            place.nDockBarID = 0; // only the visibility is restored
        places.push_back(place);
    }
    // Rows are rebuilt in their saved order, each after the rows of bars that keep their places.
    std::stable_sort(places.begin(), places.end(), [](const BarPlace& a, const BarPlace& b) {
        if (a.nRow != b.nRow)
            return a.nRow < b.nRow;
        return a.pos.x + a.pos.y < b.pos.x + b.pos.y;
    });
    // A mini frame emptied here goes only once its bars have new parents: its windows would take
    // theirs along.
    std::vector<CDockBar*> emptied;
    for (const BarPlace& place : places)
        if (place.nDockBarID && place.pBar->m_pDockBar)
        {
            CDockBar* pOld = (CDockBar*)place.pBar->m_pDockBar;
            pOld->RemoveControlBar(place.pBar);
            if (std::find(emptied.begin(), emptied.end(), pOld) == emptied.end())
                emptied.push_back(pOld);
        }
    std::map<UINT, std::pair<int, int>> rowMap; // dock bar -> (saved row, new row) of the last placed bar
    for (const BarPlace& place : places)
    {
        if (place.nDockBarID == AFX_IDW_DOCKBAR_FLOAT)
        {
            FloatControlBar(place.pBar, OnScreen(place.pos));
            continue;
        }
        CDockBar* pDockBar = GetDockBar(place.nDockBarID);
        if (!pDockBar)
            continue;
        auto it = rowMap.find(place.nDockBarID);
        int nNewRow = pDockBar->GetRowCount();
        if (it != rowMap.end() && it->second.first == place.nRow)
            nNewRow = it->second.second;
        rowMap[place.nDockBarID] = std::make_pair(place.nRow, nNewRow);
        BOOL bHorz = pDockBar->IsHorzDockBar();
        pDockBar->DockControlBarInRow(place.pBar, nNewRow, bHorz ? place.pos.x : place.pos.y);
    }
    for (CDockBar* pOld : emptied)
        DestroyEmptyMiniFrame(pOld);
    for (const BarPlace& place : places)
        if (place.nVisible >= 0)
            ShowControlBar(place.pBar, place.nVisible, FALSE);
    RecalcLayout();
}
