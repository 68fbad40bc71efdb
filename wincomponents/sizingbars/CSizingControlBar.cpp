#include "wincomponents/sizingbars/CSizingControlBar.h"

#include "framework/bars/CDockBar.h"
#include "framework/bars/CDockContext.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/frames/CMiniDockFrameWnd.h"
#include "framework/window/CWinApp.h"
#include "wincomponents/pictures/Draw3dFrame.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

namespace
{
// A profile size beyond this is damaged; the bar keeps the size it has.
const int kMaxProfileSize = 32767;

const wchar_t* const kSizeNames[] = {L"sizeHorzCX", L"sizeHorzCY", L"sizeVertCX",
                                     L"sizeVertCY", L"sizeFloatCX", L"sizeFloatCY"};

BOOL ReadDragFullWindows()
{
    BOOL bFull = FALSE;
    ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &bFull, 0);
    return bFull;
}

} // namespace

CSizingControlBar::CSizingControlBar()
    : m_dwSizingStyle(0), m_nTrackEdge(0), m_szHorz(200, 200), m_szVert(200, 200), m_szFloat(200, 200),
      m_szMinHorz(33, 32), m_szMinVert(33, 32), m_szMinFloat(37, 32), m_nTrackMin(0), m_nTrackMax(0),
      m_nTrackPos(0), m_nTrackEdgeOffset(0), m_bTracking(FALSE), m_bHoldSize(FALSE), m_bRowSizing(FALSE),
      m_bDragFullWindows(FALSE), m_nDockBarId(0), m_nEdgeWidth(5)
{
}

CSizingControlBar::~CSizingControlBar()
{
}

BOOL CSizingControlBar::Create(const wchar_t* lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    const wchar_t* szClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateBar(0, szClass, dwStyle, WS_CLIPCHILDREN, pParentWnd, nID))
        return FALSE;
    if (lpszWindowName)
        SetWindowText(lpszWindowName);
    return TRUE;
}

BOOL CSizingControlBar::Create(const wchar_t* lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL, UINT nID,
                               DWORD dwStyle)
{
    m_szHorz = m_szVert = m_szFloat = sizeDefault;
    return Create(lpszWindowName, pParentWnd, nID, dwStyle);
}

int CSizingControlBar::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bDragFullWindows = ReadDragFullWindows();
    return 0;
}

void CSizingControlBar::LoadState(const wchar_t* lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CString strSection;
    strSection.Format(L"%s-SCBar-%d", lpszProfileName, GetDlgCtrlID());
    LONG* values[] = {&m_szHorz.cx, &m_szHorz.cy, &m_szVert.cx, &m_szVert.cy, &m_szFloat.cx, &m_szFloat.cy};
    const LONG minimums[] = {m_szMinHorz.cx, m_szMinHorz.cy, m_szMinVert.cx,
                             m_szMinVert.cy, m_szMinFloat.cx, m_szMinFloat.cy};
    for (int i = 0; i < 6; ++i)
    {
        int nValue = (int)pApp->GetProfileInt(strSection, kSizeNames[i], (int)*values[i]);
        if (nValue <= kMaxProfileSize)
            *values[i] = std::max((LONG)nValue, minimums[i]);
    }
}

void CSizingControlBar::SaveState(const wchar_t* lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CString strSection;
    strSection.Format(L"%s-SCBar-%d", lpszProfileName, GetDlgCtrlID());
    const LONG values[] = {m_szHorz.cx, m_szHorz.cy, m_szVert.cx, m_szVert.cy, m_szFloat.cx, m_szFloat.cy};
    for (int i = 0; i < 6; ++i)
        pApp->WriteProfileInt(strSection, kSizeNames[i], (int)values[i]);
}

BOOL CSizingControlBar::IsFloating() const
{
    return !IsHorzDocked() && !IsVertDocked();
}

BOOL CSizingControlBar::IsHorzDocked() const
{
    return m_nDockBarId == AFX_IDW_DOCKBAR_TOP || m_nDockBarId == AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CSizingControlBar::IsVertDocked() const
{
    return m_nDockBarId == AFX_IDW_DOCKBAR_LEFT || m_nDockBarId == AFX_IDW_DOCKBAR_RIGHT;
}

BOOL CSizingControlBar::IsSideTracking() const
{
    BOOL bHorzEdge = m_nTrackEdge == HTLEFT || m_nTrackEdge == HTRIGHT;
    return IsHorzDocked() ? bHorzEdge : !bHorzEdge;
}

CSize& CSizingControlBar::CurrentSize()
{
    return IsHorzDocked() ? m_szHorz : m_szVert;
}

CDockBar* CSizingControlBar::GetOwnDockBar() const
{
    return m_pDockBar && m_pDockBar->IsKindOf(RUNTIME_CLASS(CDockBar)) ? (CDockBar*)m_pDockBar : nullptr;
}

std::vector<CSizingControlBar*> CSizingControlBar::GetRowSizingBars() const
{
    std::vector<CSizingControlBar*> bars;
    CDockBar* pDockBar = GetOwnDockBar();
    int nIndex = pDockBar ? pDockBar->FindBar(this) : -1;
    if (nIndex < 0)
        return bars;
    int nFirst = 0, nLast = 0;
    pDockBar->GetRowBounds(nIndex, nFirst, nLast);
    for (int i = nFirst; i <= nLast; ++i)
    {
        CControlBar* pBar = pDockBar->m_arrBars[i];
        if (pBar->IsVisible() && pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)))
            bars.push_back((CSizingControlBar*)pBar);
    }
    return bars;
}

// --- layout

CSize CSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_szHorz.cy) : CSize(m_szVert.cx, 32767);
    CDockBar* pDockBar = GetOwnDockBar();
    int nIndex = pDockBar ? pDockBar->FindBar(this) : -1;
    if (nIndex >= 0 && !pDockBar->IsFloatingDockBar())
    {
        // Bars shown or hidden with this layout count as they will be.
        int nFirst = 0, nLast = 0;
        pDockBar->GetRowBounds(nIndex, nFirst, nLast);
        for (int i = nFirst; i <= nLast; ++i)
            pDockBar->m_arrBars[i]->RecalcDelayShow(nullptr);
    }
    if (IsVisible() && !IsFloating() && m_bRowSizing)
    {
        std::vector<CSizingControlBar*> row = GetRowSizingBars();
        if (!row.empty() && row.front() == this && NegotiateRow(RowLengthAvailable(bHorz), bHorz))
            AlignRowBars();
    }
    m_bRowSizing = FALSE;
    const CSize& size = bHorz ? m_szHorz : m_szVert;
    const CSize& sizeMin = bHorz ? m_szMinHorz : m_szMinVert;
    return CSize(std::max(size.cx, sizeMin.cx), std::max(size.cy, sizeMin.cy));
}

int CSizingControlBar::RowLengthAvailable(BOOL bHorz) const
{
    CDockBar* pDockBar = GetOwnDockBar();
    CRect rect = pDockBar ? pDockBar->m_rectLayout : CRect();
    if (rect.IsRectEmpty() && m_pDockSite)
        m_pDockSite->GetClientRect(&rect);
    return bHorz ? rect.Width() : rect.Height();
}

CSize CSizingControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
    {
        if (nLength == -1)
            m_bRowSizing = TRUE;
        return CControlBar::CalcDynamicLayout(nLength, dwMode);
    }
    if (!(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && nLength > 0)
        ((dwMode & LM_LENGTHY) ? m_szFloat.cy : m_szFloat.cx) = nLength;
    m_szFloat.cx = std::max(m_szFloat.cx, m_szMinFloat.cx);
    m_szFloat.cy = std::max(m_szFloat.cy, m_szMinFloat.cy);
    return m_szFloat;
}

BOOL CSizingControlBar::NegotiateRow(int nTotal, BOOL bHorz)
{
    CDockBar* pDockBar = GetOwnDockBar();
    int nOwn = pDockBar->FindBar(this);
    int nFirst = 0, nLast = 0;
    pDockBar->GetRowBounds(nOwn, nFirst, nLast);
    int nMinRow = 0;
    int nAvailable = nTotal;
    int nActual = 0;
    int nThickness = 0;
    std::vector<CSizingControlBar*> sizers;
    for (int i = nFirst; i <= nLast; ++i)
    {
        CControlBar* pBar = pDockBar->m_arrBars[i];
        if (!pBar->IsVisible())
            continue;
        CSizingControlBar* pSizer =
            pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)) ? (CSizingControlBar*)pBar : nullptr;
        CRect rectWindow;
        pBar->GetWindowRect(&rectWindow);
        int nContribution = pSizer ? BarLength(bHorz ? pSizer->m_szMinHorz : pSizer->m_szMinVert, bHorz)
                                   : (bHorz ? rectWindow.Width() : rectWindow.Height());
        nMinRow += nContribution;
        if (nMinRow > nTotal)
        {
            // The row cannot hold its bars: it breaks where it overflows.
            if (i < nOwn)
            {
                pDockBar->InsertRowBreak(i + 1);
                return FALSE;
            }
            if (i == nOwn)
            {
                BarLength(bHorz ? m_szHorz : m_szVert, bHorz) = nContribution;
                return TRUE;
            }
            pDockBar->InsertRowBreak(i);
            break;
        }
        if (pSizer)
        {
            CSize& size = bHorz ? pSizer->m_szHorz : pSizer->m_szVert;
            nActual += BarLength(size, bHorz);
            nThickness = std::max(nThickness, (int)BarThickness(size, bHorz));
            sizers.push_back(pSizer);
        }
        else
            nAvailable -= nContribution;
    }
    int nDiff = nAvailable - nActual;
    if (sizers.size() == 1)
    {
        if (nDiff != 0)
        {
            m_bHoldSize = FALSE;
            BarLength(bHorz ? m_szHorz : m_szVert, bHorz) += nDiff;
        }
        return TRUE;
    }
    for (CSizingControlBar* pSizer : sizers)
        BarThickness(bHorz ? pSizer->m_szHorz : pSizer->m_szVert, bHorz) = nThickness;
    SpreadDifference(sizers, nDiff, bHorz);
    return TRUE;
}

// One pixel at a time, in row order, past bars that hold their size or are at their minimum.
void CSizingControlBar::SpreadDifference(std::vector<CSizingControlBar*>& bars, int nDiff, BOOL bHorz)
{
    int nIdlePasses = 0;
    while (nDiff != 0 && nIdlePasses < 2)
    {
        BOOL bChanged = FALSE;
        for (CSizingControlBar* pBar : bars)
        {
            if (nDiff == 0)
                break;
            LONG& nLength = BarLength(bHorz ? pBar->m_szHorz : pBar->m_szVert, bHorz);
            LONG nMin = BarLength(bHorz ? pBar->m_szMinHorz : pBar->m_szMinVert, bHorz);
            if (pBar->m_bHoldSize || (nDiff < 0 && nLength <= nMin))
                continue;
            int nStep = nDiff > 0 ? 1 : -1;
            nLength += nStep;
            nDiff -= nStep;
            bChanged = TRUE;
        }
        if (!bChanged || nDiff == 0)
            for (CSizingControlBar* pBar : bars)
                pBar->m_bHoldSize = FALSE;
        // Every bar at its minimum: nothing more can give way.
        nIdlePasses = bChanged ? 0 : nIdlePasses + 1;
    }
}

void CSizingControlBar::AlignRowBars()
{
    CDockBar* pDockBar = GetOwnDockBar();
    int nOwn = pDockBar ? pDockBar->FindBar(this) : -1;
    if (nOwn < 0)
        return;
    BOOL bHorz = IsHorzDocked();
    int nFirst = 0, nLast = 0;
    pDockBar->GetRowBounds(nOwn, nFirst, nLast);
    int nPos = 0;
    BOOL bMoved = FALSE;
    for (int i = nFirst; i <= nLast; ++i)
    {
        CControlBar* pBar = pDockBar->m_arrBars[i];
        if (!pBar->IsVisible())
            continue;
        CRect rect;
        pBar->GetWindowRect(&rect);
        ::MapWindowPoints(nullptr, pDockBar->m_hWnd, (POINT*)&rect, 2);
        if (pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)))
        {
            CSizingControlBar* pSizer = (CSizingControlBar*)pBar;
            CSize size = bHorz ? pSizer->m_szHorz : pSizer->m_szVert;
            rect = CRect(rect.TopLeft(), size);
        }
        if ((bHorz ? rect.left : rect.top) != nPos)
        {
            rect.OffsetRect(bHorz ? nPos - rect.left : 0, bHorz ? 0 : nPos - rect.top);
            pBar->MoveWindow(rect);
            bMoved = TRUE;
        }
        nPos += bHorz ? rect.Width() : rect.Height();
    }
    if (bMoved && m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

// --- non-client area

void CSizingControlBar::OnNcCalcSize(RECT* pRect)
{
    m_dwSizingStyle &= ~scbsEdgeAll;
    if (!IsFloating())
    {
        std::vector<CSizingControlBar*> row = GetRowSizingBars();
        auto it = std::find(row.begin(), row.end(), this);
        if (it != row.end())
        {
            BOOL bHorz = IsHorzDocked();
            if (it != row.begin())
                m_dwSizingStyle |= bHorz ? scbsEdgeLeft : scbsEdgeTop;
            if (it + 1 != row.end())
                m_dwSizingStyle |= bHorz ? scbsEdgeRight : scbsEdgeBottom;
        }
    }
    CRect rect(*pRect);
    CalcClientArea(rect, m_nDockBarId);
    *pRect = rect;
}

void CSizingControlBar::CalcClientArea(CRect& rect, UINT nDockBarID)
{
    rect.left += 3;
    rect.top += 5;
    rect.right -= 3;
    rect.bottom -= 3;
    if (nDockBarID != AFX_IDW_DOCKBAR_FLOAT && nDockBarID != 0)
    {
        rect.left += 2;
        rect.right -= 2;
        rect.bottom -= 2;
    }
    // The edge that faces the frame's interior.
    switch (nDockBarID)
    {
    case AFX_IDW_DOCKBAR_TOP: m_dwSizingStyle |= scbsEdgeBottom; break;
    case AFX_IDW_DOCKBAR_BOTTOM: m_dwSizingStyle |= scbsEdgeTop; break;
    case AFX_IDW_DOCKBAR_LEFT: m_dwSizingStyle |= scbsEdgeRight; break;
    case AFX_IDW_DOCKBAR_RIGHT: m_dwSizingStyle |= scbsEdgeLeft; break;
    default: break;
    }
    if (m_dwSizingStyle & scbsShowEdges)
    {
        if (m_dwSizingStyle & scbsEdgeLeft)
            rect.left += m_nEdgeWidth;
        if (m_dwSizingStyle & scbsEdgeTop)
            rect.top += m_nEdgeWidth;
        if (m_dwSizingStyle & scbsEdgeRight)
            rect.right -= m_nEdgeWidth;
        if (m_dwSizingStyle & scbsEdgeBottom)
            rect.bottom -= m_nEdgeWidth;
    }
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
}

BOOL CSizingControlBar::GetEdgeRect(const CRect& rectWindow, UINT nHitTest, CRect& rectEdge) const
{
    rectEdge = rectWindow;
    if (m_dwSizingStyle & scbsShowEdges)
        rectEdge.DeflateRect(1, 1);
    BOOL bHorz = IsHorzDocked();
    switch (nHitTest)
    {
    case HTLEFT:
    case HTRIGHT:
        if (!(m_dwSizingStyle & (nHitTest == HTLEFT ? scbsEdgeLeft : scbsEdgeRight)))
            return FALSE;
        if (nHitTest == HTLEFT)
            rectEdge.right = rectEdge.left + m_nEdgeWidth;
        else
            rectEdge.left = rectEdge.right - m_nEdgeWidth;
        if (bHorz)
            rectEdge.DeflateRect(0, m_nEdgeWidth);
        return TRUE;
    case HTTOP:
    case HTBOTTOM:
        if (!(m_dwSizingStyle & (nHitTest == HTTOP ? scbsEdgeTop : scbsEdgeBottom)))
            return FALSE;
        if (nHitTest == HTTOP)
            rectEdge.bottom = rectEdge.top + m_nEdgeWidth;
        else
            rectEdge.top = rectEdge.bottom - m_nEdgeWidth;
        if (!bHorz)
            rectEdge.DeflateRect(m_nEdgeWidth, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CSizingControlBar::OnNcHitTest(CPoint point)
{
    if (IsFloating())
        return HTCLIENT;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    static const UINT edges[] = {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM};
    for (UINT nEdge : edges)
    {
        CRect rectEdge;
        if (GetEdgeRect(rectWindow, nEdge, rectEdge) && rectEdge.PtInRect(point))
            return nEdge;
    }
    return HTCLIENT;
}

void CSizingControlBar::OnNcPaint()
{
    HDC hWindowDC = ::GetWindowDC(m_hWnd);
    if (!hWindowDC)
        return;
    CRect rectClient, rectWindow;
    GetClientRect(&rectClient);
    ClientToScreen((POINT*)&rectClient.left);
    ClientToScreen((POINT*)&rectClient.right);
    GetWindowRect(&rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);

    // Drawn off screen, then copied around the client area in one go.
    HDC hMemDC = ::CreateCompatibleDC(hWindowDC);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hWindowDC, rectWindow.Width(), rectWindow.Height());
    HGDIOBJ hOldBitmap = ::SelectObject(hMemDC, hBitmap);
    ::FillRect(hMemDC, &rectWindow, (HBRUSH)::GetClassLongPtrW(m_hWnd, GCLP_HBRBACKGROUND));
    if (m_dwSizingStyle & scbsShowEdges)
    {
        static const UINT edges[] = {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM};
        for (UINT nEdge : edges)
        {
            CRect rectEdge;
            if (GetEdgeRect(rectWindow, nEdge, rectEdge))
                DrawRaisedFrame(hMemDC, rectEdge);
        }
    }
    PaintGripper(hMemDC, rectClient);
    ::ExcludeClipRect(hWindowDC, rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    ::BitBlt(hWindowDC, 0, 0, rectWindow.Width(), rectWindow.Height(), hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemDC);
    ::ReleaseDC(m_hWnd, hWindowDC);
}

void CSizingControlBar::PaintGripper(HDC, const CRect&)
{
}

// --- edge drag

void CSizingControlBar::BeginTracking(UINT nHitTest, CPoint point)
{
    ::SetCapture(m_hWnd);
    if (!m_bDragFullWindows)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_nTrackEdge = nHitTest;
    m_bTracking = TRUE;
    BOOL bAlongX = nHitTest == HTLEFT || nHitTest == HTRIGHT;
    int nPos = bAlongX ? point.x : point.y;
    CRect rectWindow, rectEdge;
    GetWindowRect(&rectWindow);
    GetEdgeRect(rectWindow, nHitTest, rectEdge);
    m_nTrackPos = nPos;
    m_nTrackEdgeOffset = nPos - (bAlongX ? rectEdge.CenterPoint().x : rectEdge.CenterPoint().y);
    m_nTrackMin = m_nTrackMax = nPos;
    if (IsSideTracking())
        BeginSideTracking();
    else
        BeginThicknessTracking();
    InvertTracker();
}

void CSizingControlBar::BeginSideTracking()
{
    BOOL bHorz = IsHorzDocked();
    std::vector<CSizingControlBar*> row = GetRowSizingBars();
    int nOwn = (int)(std::find(row.begin(), row.end(), this) - row.begin());
    // The bars before the boundary may give up their slack one way, those after it the other.
    int nBoundary = IsLeadingEdge() ? nOwn : nOwn + 1;
    for (int i = 0; i < (int)row.size(); ++i)
    {
        CSizingControlBar* pBar = row[i];
        int nSlack = BarLength(bHorz ? pBar->m_szHorz : pBar->m_szVert, bHorz) -
                     BarLength(bHorz ? pBar->m_szMinHorz : pBar->m_szMinVert, bHorz);
        if (i < nBoundary)
            m_nTrackMin -= nSlack;
        else
            m_nTrackMax += nSlack;
    }
}

void CSizingControlBar::BeginThicknessTracking()
{
    BOOL bHorz = IsHorzDocked();
    int nMinThickness = 0;
    for (CSizingControlBar* pBar : GetRowSizingBars())
        nMinThickness = std::max(nMinThickness, (int)BarThickness(bHorz ? pBar->m_szMinHorz : pBar->m_szMinVert, bHorz));
    int nSlack = BarThickness(CurrentSize(), bHorz) - nMinThickness;
    int nRoom = FreeRoomAcross();
    if (IsLeadingEdge())
    {
        m_nTrackMin -= nRoom;
        m_nTrackMax += nSlack;
    }
    else
    {
        m_nTrackMin -= nSlack;
        m_nTrackMax += nRoom;
    }
}

int CSizingControlBar::FreeRoomAcross() const
{
    if (!m_pDockSite)
        return 0;
    CRect rectFree;
    m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectFree);
    int nRoom = (IsHorzDocked() ? rectFree.Height() : rectFree.Width()) - 2;
    return std::max(nRoom, 0);
}

void CSizingControlBar::TrackTo(CPoint point)
{
    BOOL bAlongX = m_nTrackEdge == HTLEFT || m_nTrackEdge == HTRIGHT;
    int nPos = std::min(std::max(bAlongX ? (int)point.x : (int)point.y, m_nTrackMin), m_nTrackMax);
    if (nPos == m_nTrackPos)
        return;
    InvertTracker();
    int nDelta = nPos - m_nTrackPos;
    m_nTrackPos = nPos;
    if (IsSideTracking())
        TrackSide(nDelta);
    else
    {
        CSize& size = CurrentSize();
        BOOL bHorz = IsHorzDocked();
        SetThickness(BarThickness(size, bHorz) + (IsLeadingEdge() ? -nDelta : nDelta));
    }
    InvertTracker();
    if (m_bDragFullWindows && m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

void CSizingControlBar::SetThickness(int nThickness)
{
    BOOL bHorz = IsHorzDocked();
    for (CSizingControlBar* pBar : GetRowSizingBars())
        BarThickness(bHorz ? pBar->m_szHorz : pBar->m_szVert, bHorz) = nThickness;
}

void CSizingControlBar::TrackSide(int nDelta)
{
    BOOL bHorz = IsHorzDocked();
    std::vector<CSizingControlBar*> row = GetRowSizingBars();
    int nOwn = (int)(std::find(row.begin(), row.end(), this) - row.begin());
    int nBoundary = IsLeadingEdge() ? nOwn : nOwn + 1; // first bar after the boundary
    if (nBoundary <= 0 || nBoundary >= (int)row.size())
        return;
    // Moving forward, the bar before the boundary grows and those after it give way.
    BOOL bForward = nDelta > 0;
    int nGrowing = bForward ? nBoundary - 1 : nBoundary;
    BarLength(bHorz ? row[nGrowing]->m_szHorz : row[nGrowing]->m_szVert, bHorz) += std::abs(nDelta);
    int nLeft = std::abs(nDelta);
    int nStep = bForward ? 1 : -1;
    for (int i = bForward ? nBoundary : nBoundary - 1; nLeft > 0 && i >= 0 && i < (int)row.size(); i += nStep)
    {
        LONG& nLength = BarLength(bHorz ? row[i]->m_szHorz : row[i]->m_szVert, bHorz);
        LONG nMin = BarLength(bHorz ? row[i]->m_szMinHorz : row[i]->m_szMinVert, bHorz);
        int nGive = std::min(nLeft, (int)std::max(0L, nLength - nMin));
        nLength -= nGive;
        nLeft -= nGive;
    }
}

void CSizingControlBar::InvertTracker()
{
    if (m_bDragFullWindows || !m_pDockSite)
        return;
    BOOL bAlongX = m_nTrackEdge == HTLEFT || m_nTrackEdge == HTRIGHT;
    CRect rectWindow, rectLine;
    GetWindowRect(&rectWindow);
    GetEdgeRect(rectWindow, m_nTrackEdge, rectLine);
    int nMiddle = bAlongX ? rectLine.CenterPoint().x : rectLine.CenterPoint().y;
    int nShift = m_nTrackPos - m_nTrackEdgeOffset - nMiddle;
    rectLine.OffsetRect(bAlongX ? nShift : 0, bAlongX ? 0 : nShift);
    if (!IsSideTracking() && m_pDockBar)
    {
        // A thickness line spans the whole dock bar.
        CRect rectDock;
        m_pDockBar->GetWindowRect(&rectDock);
        if (IsHorzDocked())
        {
            rectLine.left = rectDock.left + 1;
            rectLine.right = rectDock.right - 1;
        }
        else
        {
            rectLine.top = rectDock.top + 1;
            rectLine.bottom = rectDock.bottom - 1;
        }
    }
    CRect rectSite;
    m_pDockSite->GetWindowRect(&rectSite);
    rectLine.OffsetRect(-rectSite.left, -rectSite.top);
    HDC hDC = ::GetDCEx(m_pDockSite->m_hWnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!hDC)
        return;
    static const WORD pattern[] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, pattern);
    HBRUSH hHalftone = ::CreatePatternBrush(hPattern);
    HGDIOBJ hOld = ::SelectObject(hDC, hHalftone);
    ::PatBlt(hDC, rectLine.left, rectLine.top, rectLine.Width(), rectLine.Height(), PATINVERT);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hHalftone);
    ::DeleteObject(hPattern);
    ::ReleaseDC(m_pDockSite->m_hWnd, hDC);
}

void CSizingControlBar::EndTracking()
{
    InvertTracker();
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

// --- messages

void CSizingControlBar::OnWindowPosChanging(WINDOWPOS* pPos)
{
    pPos->flags |= SWP_FRAMECHANGED;
    HWND hParent = ::GetParent(m_hWnd);
    m_nDockBarId = hParent ? (UINT)::GetDlgCtrlID(hParent) : 0;
    if (!IsFloating() && (pPos->flags & SWP_SHOWWINDOW))
        m_bHoldSize = TRUE;
}

void CSizingControlBar::OnSizeChild(int cx, int cy)
{
    if (!(m_dwSizingStyle & scbsSizeChildren))
        return;
    if (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD))
        ::MoveWindow(hChild, 0, 0, cx, cy, TRUE);
}

BOOL CSizingControlBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message)
    {
    case WM_CREATE:
        *pResult = OnCreate((LPCREATESTRUCTW)lParam);
        return TRUE;
    case WM_PAINT:
        ::ValidateRect(m_hWnd, nullptr); // the children paint themselves
        *pResult = 0;
        return TRUE;
    case WM_NCPAINT:
        OnNcPaint();
        *pResult = 0;
        return TRUE;
    case WM_NCCALCSIZE:
        OnNcCalcSize(&((NCCALCSIZE_PARAMS*)lParam)->rgrc[0]);
        *pResult = 0;
        return TRUE;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging((WINDOWPOS*)lParam);
        break;
    case WM_CAPTURECHANGED:
        if (m_bTracking && (HWND)lParam != m_hWnd)
            EndTracking();
        break;
    case WM_SETTINGCHANGE:
        *pResult = DefWindowProc(message, wParam, lParam);
        m_bDragFullWindows = ReadDragFullWindows();
        return TRUE;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        if (m_bTracking)
            EndTracking();
        break;
    case WM_MOUSEMOVE:
        if (m_bTracking)
        {
            ClientToScreen(&point);
            TrackTo(point);
        }
        break;
    case WM_NCLBUTTONDOWN:
        if (!m_bTracking && !IsFloating() && wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT)
            BeginTracking((UINT)wParam, point);
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONDOWN:
        if (m_pDockBar && m_pDockContext)
        {
            ClientToScreen(&point);
            m_pDockContext->StartDrag(point);
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (m_pDockBar && m_pDockContext)
        {
            m_pDockContext->ToggleDocking();
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_NCHITTEST:
        *pResult = OnNcHitTest(point);
        return TRUE;
    case WM_CLOSE:
        *pResult = 0; // the bar is hidden by its owner, never closed
        return TRUE;
    case WM_SIZE:
        OnSizeChild(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SETTEXT:
        *pResult = DefWindowProc(message, wParam, lParam);
        if (IsFloating() && m_pDockBar)
        {
            // The mini frame's caption follows the bar's text.
            CWnd* pMiniFrame = CWnd::FromHandlePermanent(::GetParent(m_pDockBar->m_hWnd));
            if (pMiniFrame && pMiniFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
                ((CMiniDockFrameWnd*)pMiniFrame)->RecalcLayout();
        }
        return TRUE;
    default:
        break;
    }
    return CControlBar::OnWndMsg(message, wParam, lParam, pResult);
}
