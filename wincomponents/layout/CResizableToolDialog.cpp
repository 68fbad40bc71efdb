#include "wincomponents/layout/CResizableToolDialog.h"

#include "framework/gdi/CPaintDC.h"
#include "framework/window/AfxWorkArea.h"
#include "support/AppProfile.h"
#include "wincomponents/dialogs/CentreWindow.h"
#include "wincomponents/layout/StoredPlacement.h"

#include <algorithm>

namespace
{
int Share(int d, int nMode)
{
    switch (nMode)
    {
    case 1:
        return d / 2;
    case 2:
        return d;
    case 3:
        return d / 3;
    case 4:
        return (2 * d) / 3;
    default:
        return 0;
    }
}

const UINT nProgramIcon = 128;
const UINT nTickPeriod = 250;
const UINT nSaveDelay = 250;
const int nGeometryValues = 5; // left, right, top, bottom, zoomed
const int nMaxTipSource = 256;

// The tooltip part of a "prompt\ntip\n..." string: its second field.
CString TipField(UINT nID)
{
    wchar_t szText[nMaxTipSource + 1] = {};
    if (!nID || !::LoadStringW(::GetModuleHandleW(nullptr), nID, szText, nMaxTipSource + 1))
        return CString();
    CString strText(szText);
    int nFirst = strText.Find(L'\n');
    if (nFirst < 0)
        return CString();
    CString strTip = strText.Mid(nFirst + 1);
    int nNext = strTip.Find(L'\n');
    return nNext < 0 ? strTip : strTip.Left(nNext);
}
} // namespace

BEGIN_MESSAGE_MAP(CResizableToolDialog, CDialog)
    ON_WM_SIZE()
    ON_MESSAGE(WM_MOVE, OnMove)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
    ON_MESSAGE(WM_HELP, OnHelp)
END_MESSAGE_MAP()

CResizableToolDialog::CResizableToolDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_bCanGrowWidth(TRUE), m_bCanGrowHeight(TRUE), m_bGripHidden(FALSE),
      m_bGeometryEnabled(TRUE), m_bRestoreAtInit(TRUE), m_bTooltipsOn(TRUE), m_nGeometryId1(nIDTemplate),
      m_nGeometryId2(0), m_nTickMessage(0), m_bSizesKnown(FALSE), m_bGeometryLoaded(FALSE),
      m_bRestoredFromProfile(FALSE), m_rectInitialWindow(0, 0, 0, 0), m_rectInitialClient(0, 0, 0, 0),
      m_hToolTip(nullptr)
{
}

CResizableToolDialog::~CResizableToolDialog()
{
    if (m_hToolTip)
        ::DestroyWindow(m_hToolTip);
}

void CResizableToolDialog::SetLayout(const LAYOUT_ANCHOR* pRecords, int nCount)
{
    m_anchors.assign((size_t)std::max(0, nCount), ANCHORED_CONTROL());
    for (size_t i = 0; i < m_anchors.size(); ++i)
        m_anchors[i].anchor = pRecords[i];
}

CString CResizableToolDialog::GeometryKey() const
{
    CString strKey;
    if (m_nGeometryId2 == -1)
        strKey.Format(L"Window Geometry %08X", m_nGeometryId1);
    else
        strKey.Format(L"Window Geometry %08X %08X", m_nGeometryId1, (UINT)m_nGeometryId2);
    return strKey;
}

void CResizableToolDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CResizableToolDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nProgramIcon));
    if (hIcon)
        SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    AfxInitCommonControls();
    m_hToolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (m_hToolTip)
        ::SendMessageW(m_hToolTip, TTM_ACTIVATE, m_bTooltipsOn, 0);
    SetTimer(nTickTimer, nTickPeriod);
    RecordInitialSizes();
    // Client coordinates, so that the layout needs no frame metrics.
    POINT ptOrigin = {0, 0};
    ::ClientToScreen(m_hWnd, &ptOrigin);
    for (ANCHORED_CONTROL& item : m_anchors)
        CaptureAnchoredControl(m_hWnd, ptOrigin, item);
    if (m_bRestoreAtInit)
        RestoreGeometry();
    return TRUE;
}

void CResizableToolDialog::RecordInitialSizes()
{
    if (m_rectInitialWindow.IsRectEmpty())
        GetWindowRect(&m_rectInitialWindow);
    if (m_rectInitialClient.IsRectEmpty())
        GetClientRect(&m_rectInitialClient);
    m_bSizesKnown = TRUE;
}

BOOL CResizableToolDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_bTooltipsOn && m_hToolTip && pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MBUTTONDBLCLK)
        ::SendMessageW(m_hToolTip, TTM_RELAYEVENT, 0, (LPARAM)pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CResizableToolDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!m_bSizesKnown || nType == SIZE_MINIMIZED)
        return;
    if (m_wndToolBar.m_hWnd)
        RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    LayOut(cx - m_rectInitialClient.Width(), cy - m_rectInitialClient.Height());
    ::RedrawWindow(m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveGeometry();
}

void CResizableToolDialog::LayOut(int dx, int dy)
{
    for (const ANCHORED_CONTROL& item : m_anchors)
    {
        HWND hControl = item.bFound ? ::GetDlgItem(m_hWnd, item.anchor.nControlId) : nullptr;
        if (!hControl)
            continue;
        const LAYOUT_ANCHOR& a = item.anchor;
        const RECT& rc = item.rcDesign;
        if (a.nWidthMode || a.nHeightMode)
            ::SetWindowPos(hControl, nullptr, 0, 0, rc.right - rc.left + Share(dx, a.nWidthMode),
                           rc.bottom - rc.top + Share(dy, a.nHeightMode), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (a.nXMode || a.nYMode)
            ::SetWindowPos(hControl, nullptr, rc.left + Share(dx, a.nXMode), rc.top + Share(dy, a.nYMode), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT CResizableToolDialog::OnMove(WPARAM, LPARAM)
{
    LRESULT nResult = Default();
    // Saved once the dragging has paused.
    KillTimer(nSaveTimer);
    SetTimer(nSaveTimer, nSaveDelay);
    return nResult;
}

BOOL CResizableToolDialog::IsResizable() const
{
    return (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_THICKFRAME) != 0;
}

CRect CResizableToolDialog::GripRect() const
{
    CRect rect;
    ::GetClientRect(m_hWnd, &rect);
    return CRect(rect.right - ::GetSystemMetrics(SM_CXHSCROLL), rect.bottom - ::GetSystemMetrics(SM_CYVSCROLL),
                 rect.right, rect.bottom);
}

void CResizableToolDialog::OnPaint()
{
    CPaintDC dc(this);
    if (IsResizable() && !m_bGripHidden)
    {
        CRect rect = GripRect();
        ::DrawFrameControl(dc.m_hDC, &rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

void CResizableToolDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == nTickTimer)
    {
        UpdateCommandUI();
        if (m_nTickMessage)
            PostMessage(m_nTickMessage);
    }
    else if (nIDEvent == nSaveTimer)
    {
        KillTimer(nSaveTimer);
        SaveGeometry();
    }
    CDialog::OnTimer(nIDEvent);
}

void CResizableToolDialog::UpdateCommandUI()
{
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, FALSE);
    HMENU hMenu = ::GetMenu(m_hWnd);
    int nPopups = hMenu ? ::GetMenuItemCount(hMenu) : 0;
    for (int nPopup = 0; nPopup < nPopups; ++nPopup)
    {
        HMENU hPopup = ::GetSubMenu(hMenu, nPopup);
        if (hPopup)
            UpdateMenuItems(hPopup, FALSE);
    }
}

void CResizableToolDialog::OnDestroy()
{
    SaveGeometry();
    CDialog::OnDestroy();
}

LRESULT CResizableToolDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam)
{
    if (m_bSizesKnown)
    {
        MINMAXINFO* pInfo = (MINMAXINFO*)lParam;
        pInfo->ptMinTrackSize.x = m_rectInitialWindow.Width();
        pInfo->ptMinTrackSize.y = m_rectInitialWindow.Height();
        if (!m_bCanGrowWidth)
            pInfo->ptMaxTrackSize.x = m_rectInitialWindow.Width();
        if (!m_bCanGrowHeight)
            pInfo->ptMaxTrackSize.y = m_rectInitialWindow.Height();
    }
    return Default();
}

LRESULT CResizableToolDialog::OnNcHitTest(WPARAM, LPARAM lParam)
{
    LRESULT nHit = Default();
    if (nHit != HTCLIENT || !IsResizable() || m_bGripHidden)
        return nHit;
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    return GripRect().PtInRect(pt) ? HTBOTTOMRIGHT : nHit;
}

LRESULT CResizableToolDialog::OnHelp(WPARAM, LPARAM)
{
    return TRUE;
}

BOOL CResizableToolDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if ((pNMHDR->code == TTN_NEEDTEXTW || pNMHDR->code == TTN_NEEDTEXTA) && OnToolTipText(pNMHDR))
    {
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CResizableToolDialog::OnToolTipText(NMHDR* pNMHDR)
{
    // Both forms share the header, the text pointer, the instance and the flags' place.
    NMTTDISPINFOW* pInfoW = (NMTTDISPINFOW*)pNMHDR;
    NMTTDISPINFOA* pInfoA = (NMTTDISPINFOA*)pNMHDR;
    UINT uFlags = pNMHDR->code == TTN_NEEDTEXTW ? pInfoW->uFlags : pInfoA->uFlags;
    UINT_PTR nID = pNMHDR->idFrom;
    if (uFlags & TTF_IDISHWND)
        nID = (UINT)::GetDlgCtrlID((HWND)nID) & 0xFFFF;
    CString strTip = TipField((UINT)nID);
    if (pNMHDR->code == TTN_NEEDTEXTW)
        AfxCopyToolTipText(pInfoW->szText, sizeof pInfoW->szText / sizeof pInfoW->szText[0], strTip);
    else
    {
        pInfoA->szText[0] = 0;
        ::WideCharToMultiByte(CP_ACP, 0, strTip, -1, pInfoA->szText, (int)sizeof pInfoA->szText - 1, nullptr,
                              nullptr);
        pInfoA->szText[sizeof pInfoA->szText - 1] = 0;
    }
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void CResizableToolDialog::SaveGeometry()
{
    if (!m_bGeometryEnabled || !m_bGeometryLoaded || !m_hWnd || ::IsZoomed(m_hWnd) || ::IsIconic(m_hWnd))
        return;
    CRect rect;
    GetWindowRect(&rect);
    GetAppProfile().WriteIntList(GeometryKey(), {rect.left, rect.right, rect.top, rect.bottom, 0});
}

void CResizableToolDialog::RestoreGeometry()
{
    if (!m_bGeometryEnabled)
        return;
    std::vector<int> values;
    GetAppProfile().GetIntList(GeometryKey(), values);
    if (values.size() != (size_t)nGeometryValues)
        CentreWindow(m_hWnd);
    else
    {
        CRect rect;
        GetWindowRect(&rect);
        LONG* apEdges[] = {&rect.left, &rect.right, &rect.top, &rect.bottom};
        for (int i = 0; i < 4; ++i)
            if (values[(size_t)i] != -1)
                *apEdges[i] = values[(size_t)i];
        CRect rectFitted;
        if (FitStoredRect(rect, CSize(1, 1), rectFitted))
        {
            m_bRestoredFromProfile = TRUE;
            MoveToStored(rectFitted);
        }
    }
    m_bGeometryLoaded = TRUE;
}

void CResizableToolDialog::MoveToStored(const CRect& rectFitted)
{
    CRect rect = rectFitted;
    // A fixed-size dialog keeps its size: fitted again with it.
    if (!IsResizable())
    {
        CRect rectNow;
        GetWindowRect(&rectNow);
        rect = AfxFitToWorkArea(CRect(rectFitted.TopLeft(), rectNow.Size()));
    }
    ::SetWindowPos(m_hWnd, HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(), 0);
}
