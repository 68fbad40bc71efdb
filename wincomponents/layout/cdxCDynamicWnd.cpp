#include "wincomponents/layout/cdxCDynamicWnd.h"

#include "wincomponents/layout/cdxCSizeIconCtrl.h"

namespace
{
const UINT nAntiFlickerPeriod = 120;

// Dynamic dialogs share their window class: its own style is kept once for the process, while
// any of them has it changed, and given back when the last of them is done.
struct ChangedClassStyle
{
    DWORD dwOwn;
    int nChangers;
};

std::map<ATOM, ChangedClassStyle>& ChangedClassStyles()
{
    static std::map<ATOM, ChangedClassStyle> s_styles;
    return s_styles;
}

ATOM ClassOf(HWND hWnd)
{
    return (ATOM)::GetClassWord(hWnd, GCW_ATOM);
}

CRect NormalPlacement(HWND hWnd)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    ::GetWindowPlacement(hWnd, &placement);
    return CRect(placement.rcNormalPosition);
}

// The near and far edge's percentage of a map mode.
void ModeBytes(signed char nMode, signed char& nNear, signed char& nFar)
{
    switch (nMode)
    {
    case cdxCDynamicWnd::mdResize:
        nNear = 0, nFar = 100;
        break;
    case cdxCDynamicWnd::mdRepos:
        nNear = 100, nFar = 100;
        break;
    case cdxCDynamicWnd::mdRelative:
        nNear = 50, nFar = 50;
        break;
    default:
        nNear = 0, nFar = 0;
        break;
    }
}
} // namespace

CRect cdxCDynamicWnd::Position::Apply(const cdxCDynamicLayoutInfo& info) const
{
    CRect rect(*this);
    int dx = info.m_sizeDelta.cx;
    int dy = info.m_sizeDelta.cy;
    if (info.m_bUseScrollPos)
        rect.OffsetRect(-info.m_ptScrollPos.x, -info.m_ptScrollPos.y);
    if (!info.m_bUseScrollPos || dx >= 0)
    {
        rect.left += bytes.left * dx / 100;
        rect.right += bytes.right * dx / 100;
    }
    if (!info.m_bUseScrollPos || dy >= 0)
    {
        rect.top += bytes.top * dy / 100;
        rect.bottom += bytes.bottom * dy / 100;
    }
    // Too small to be of use: out of sight.
    if (rect.left + sizeMin.cx >= rect.right)
    {
        rect.right = -10;
        rect.left = -10 - sizeMin.cx;
    }
    if (rect.top + sizeMin.cy >= rect.bottom)
    {
        rect.bottom = -10;
        rect.top = -10 - sizeMin.cy;
    }
    return rect;
}

cdxCDynamicWnd::cdxCDynamicWnd(UINT nFreedom, UINT nFlags)
    : m_nFreedom(nFreedom), m_nFlags(nFlags), m_nSizeIconId(nDefaultSizeIconId), m_bUseScrollPos(FALSE),
      m_nDisabled(0), m_pWnd(nullptr), m_bAntiFlickerActive(FALSE), m_nTimerId(0)
{
}

cdxCDynamicWnd::~cdxCDynamicWnd()
{
    DoDestroy();
}

CSize cdxCDynamicWnd::GetCurrentClientSize() const
{
    if (!IsWindow())
        return CSize(0, 0);
    CRect rect;
    m_pWnd->GetClientRect(&rect);
    return CSize(rect.Width(), rect.Height());
}

BOOL cdxCDynamicWnd::AddSzControl(HWND hWnd, const Position& pos, BOOL bReposNow)
{
    if (!IsWindow() || !::IsWindow(hWnd))
        return FALSE;
    m_controls[hWnd] = pos;
    if (bReposNow)
        UpdateControlPosition(hWnd);
    return TRUE;
}

void cdxCDynamicWnd::AddSzControl(const SBYTES& bytes, BOOL bOverwrite, BOOL bLayoutNow)
{
    if (!IsWindow())
        return;
    BOOL bAdded = FALSE;
    for (HWND hChild = ::GetWindow(m_pWnd->m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (!bOverwrite && m_controls.count(hChild))
            continue;
        m_controls[hChild] = Position(NormalPlacement(hChild), bytes);
        bAdded = TRUE;
    }
    if (bAdded && bLayoutNow)
        Layout();
}

void cdxCDynamicWnd::UpdateControlPosition(HWND hWnd)
{
    std::unique_ptr<cdxCDynamicLayoutInfo> pInfo(DoCreateLayoutInfo());
    if (!pInfo || !pInfo->IsDifferent())
        return;
    CRect rectNow = NormalPlacement(hWnd);
    CRect rect = rectNow;
    if (GetControlPosition(hWnd, ::GetDlgCtrlID(hWnd), rect, *pInfo) && rect != rectNow)
        ::SetWindowPos(hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

BOOL cdxCDynamicWnd::GetControlPosition(HWND hWnd, UINT, CRect& rect, const cdxCDynamicLayoutInfo& info)
{
    auto it = m_controls.find(hWnd);
    if (it == m_controls.end())
        return FALSE;
    rect = it->second.Apply(info);
    return TRUE;
}

void cdxCDynamicWnd::RemSzControl(HWND hWnd)
{
    m_controls.erase(hWnd);
}

cdxCDynamicLayoutInfo* cdxCDynamicWnd::DoCreateLayoutInfo()
{
    if (!IsWindow() || ::IsIconic(m_pWnd->m_hWnd))
        return nullptr;
    CPoint ptScroll;
    if (m_bUseScrollPos)
        ptScroll = CPoint(::GetScrollPos(m_pWnd->m_hWnd, SB_HORZ), ::GetScrollPos(m_pWnd->m_hWnd, SB_VERT));
    return new cdxCDynamicLayoutInfo(GetCurrentClientSize(), m_szInitial, GetCtrlCount(), m_bUseScrollPos,
                                     ptScroll);
}

UINT cdxCDynamicWnd::PositionFlags() const
{
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (!(m_nFlags & flSWPCopyBits))
        nFlags |= SWP_NOCOPYBITS;
    return nFlags;
}

void cdxCDynamicWnd::Layout()
{
    if (!IsWindow())
        return;
    std::unique_ptr<cdxCDynamicLayoutInfo> pInfo(DoCreateLayoutInfo());
    if (!pInfo)
        return;
    const UINT nFlags = PositionFlags();
    HDWP hDeferred = ::BeginDeferWindowPos(std::max(1, pInfo->m_nCtrlCount));
    for (HWND hChild = ::GetWindow(m_pWnd->m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CRect rectNow = NormalPlacement(hChild);
        CRect rect = rectNow;
        if (!GetControlPosition(hChild, ::GetDlgCtrlID(hChild), rect, *pInfo) || rect == rectNow)
            continue;
        if (hDeferred)
            hDeferred = ::DeferWindowPos(hDeferred, hChild, nullptr, rect.left, rect.top, rect.Width(),
                                         rect.Height(), nFlags);
        // A failed deferral has dropped the whole batch: from here on, one by one.
        if (!hDeferred)
            ::SetWindowPos(hChild, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), nFlags);
    }
    if (hDeferred)
        ::EndDeferWindowPos(hDeferred);
}

void cdxCDynamicWnd::DoInit(CWnd* pWnd)
{
    m_pWnd = pWnd;
    m_szInitial = m_szMin = GetCurrentClientSize();
    DoInitWindow();
}

void cdxCDynamicWnd::AddMapEntry(const DYNAMIC_MAP_ENTRY& entry)
{
    SBYTES bytes = {entry.bytes[0], entry.bytes[1], entry.bytes[2], entry.bytes[3]};
    if (entry.nType == mapModes)
    {
        ModeBytes(entry.bytes[0], bytes.left, bytes.right);
        ModeBytes(entry.bytes[1], bytes.top, bytes.bottom);
    }
    if (!entry.nID)
    {
        AddSzControl(bytes, FALSE, FALSE);
        return;
    }
    HWND hControl = ::GetDlgItem(m_pWnd->m_hWnd, (int)entry.nID);
    if (hControl)
        AddSzControl(hControl, Position(NormalPlacement(hControl), bytes), FALSE);
}

void cdxCDynamicWnd::DoInitWindow()
{
    if (!IsWindow())
        return;
    int nCountBefore = GetCtrlCount();
    if (const DYNAMIC_MAP_ENTRY* pEntry = GetDynamicMap())
        for (; pEntry->nType != mapEnd; ++pEntry)
            AddMapEntry(*pEntry);
    if (m_nFlags & flSizeIcon)
    {
        m_pSizeIcon.reset(new cdxCSizeIconCtrl);
        m_pSizeIcon->m_bHideWhenZoomed = TRUE;
        if (m_pSizeIcon->Create(m_pWnd, m_nSizeIconId))
        {
            AddSzControl(m_pSizeIcon->m_hWnd, Position(NormalPlacement(m_pSizeIcon->m_hWnd), SBYTES{100, 100, 100, 100}),
                         FALSE);
            m_pSizeIcon->ShowWindow(SW_SHOW);
        }
        else
            m_pSizeIcon.reset();
    }
    m_bAntiFlickerActive = FALSE;
    m_nTimerId = nAntiFlickerTimer;
    OnInitialized();
    if (GetCtrlCount() != nCountBefore)
        Layout();
}

void cdxCDynamicWnd::DoDestroy()
{
    if (IsWindow())
    {
        OnDestroying();
        // The class is every dialog's: closed while sizing, it must not keep the changed style.
        StopAntiFlickering();
    }
    m_nDisabled = 1;
    m_pWnd = nullptr;
    m_controls.clear();
    if (m_pSizeIcon)
        m_pSizeIcon->DestroyWindow();
    m_pSizeIcon.reset();
}

void cdxCDynamicWnd::DoOnSize(UINT nType)
{
    if (m_nDisabled <= 0 && nType != SIZE_MINIMIZED)
        Layout();
}

void cdxCDynamicWnd::DoOnGetMinMaxInfo(MINMAXINFO* pInfo)
{
    if (m_nDisabled > 0 || !IsWindow())
        return;
    CSize sizeNonClient(0, 0);
    if (!::IsIconic(m_pWnd->m_hWnd))
    {
        CRect rectWindow, rectClient;
        m_pWnd->GetWindowRect(&rectWindow);
        m_pWnd->GetClientRect(&rectClient);
        sizeNonClient = CSize(rectWindow.Width() - rectClient.Width(), rectWindow.Height() - rectClient.Height());
    }
    pInfo->ptMinTrackSize.x = m_szMin.cx + sizeNonClient.cx;
    pInfo->ptMinTrackSize.y = m_szMin.cy + sizeNonClient.cy;
    if (!(m_nFreedom & fdHoriz))
        pInfo->ptMaxTrackSize.x = pInfo->ptMinTrackSize.x;
    else if (m_szMax.cx > 0)
        pInfo->ptMaxTrackSize.x = m_szMax.cx + sizeNonClient.cx;
    if (!(m_nFreedom & fdVert))
        pInfo->ptMaxTrackSize.y = pInfo->ptMinTrackSize.y;
    else if (m_szMax.cy > 0)
        pInfo->ptMaxTrackSize.y = m_szMax.cy + sizeNonClient.cy;
}

void cdxCDynamicWnd::DoOnSizing(UINT nSide)
{
    if (!(m_nFlags & flAntiFlicker) || !m_nTimerId || m_nDisabled > 0)
        return;
    StartAntiFlickering(nSide == WMSZ_RIGHT || nSide == WMSZ_BOTTOM || nSide == WMSZ_BOTTOMRIGHT);
}

void cdxCDynamicWnd::StartAntiFlickering(BOOL bKeepRedrawOff)
{
    if (!IsWindow() || !m_nTimerId)
        return;
    m_pWnd->KillTimer(m_nTimerId);
    m_pWnd->SetTimer(m_nTimerId, nAntiFlickerPeriod);
    if (m_bAntiFlickerActive)
        return;
    HWND hWnd = m_pWnd->m_hWnd;
    // The first to change it keeps the class's own style; the others would keep a changed one.
    auto inserted = ChangedClassStyles().emplace(ClassOf(hWnd), ChangedClassStyle{0, 0});
    ChangedClassStyle& style = inserted.first->second;
    if (inserted.second)
        style.dwOwn = (DWORD)::GetClassLongPtrW(hWnd, GCL_STYLE);
    ++style.nChangers;
    DWORD dwStyle = bKeepRedrawOff ? (style.dwOwn & ~(CS_HREDRAW | CS_VREDRAW)) : (style.dwOwn | CS_HREDRAW | CS_VREDRAW);
    ::SetClassLongPtrW(hWnd, GCL_STYLE, dwStyle);
    m_bAntiFlickerActive = TRUE;
}

void cdxCDynamicWnd::StopAntiFlickering()
{
    m_pWnd->KillTimer(m_nTimerId);
    if (!m_bAntiFlickerActive)
        return;
    m_bAntiFlickerActive = FALSE;
    HWND hWnd = m_pWnd->m_hWnd;
    auto it = ChangedClassStyles().find(ClassOf(hWnd));
    if (it == ChangedClassStyles().end() || --it->second.nChangers > 0)
        return;
    ::SetClassLongPtrW(hWnd, GCL_STYLE, it->second.dwOwn);
    ChangedClassStyles().erase(it);
}

BOOL cdxCDynamicWnd::DoOnTimer(UINT_PTR nIDEvent)
{
    if (!m_nTimerId || nIDEvent != m_nTimerId || !IsWindow())
        return FALSE;
    StopAntiFlickering();
    return TRUE;
}

void cdxCDynamicWnd::DoOnParentNotify(WPARAM wParam, LPARAM lParam)
{
    // The high word is the child's id: any destroyed child leaves the map, whatever its id.
    if (LOWORD(wParam) == WM_DESTROY && ::IsWindow((HWND)lParam))
        RemSzControl((HWND)lParam);
}
