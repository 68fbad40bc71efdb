#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CBrush.h"
#include "framework/gdi/CClientDC.h"
#include "framework/gdi/CPaintDC.h"
#include "framework/gdi/CRgn.h"
#include "framework/controls/CMenu.h"
#include "wincomponents/shortcutbar/ToolTipText.h"

#include <shlwapi.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(COXSHBListCtrl, CListCtrl)

namespace
{
const UINT_PTR kAutoScrollTimer = 1;
const UINT_PTR kHoverTimer = 275;
const UINT kHoverPeriod = 200;
const UINT kMsgCheckHover = 0x055E;
const int kItemGap = 6;
const int kMargin = 2;
const int kImageBorder = 3;
const int kDragThreshold = 8;
const DWORD kComCtlVersion471 = 0x40047;

DWORD s_dwComCtlVersion = 0;

// The common controls' version as major << 16 | minor; 4.0 when it cannot be asked.
DWORD QueryComCtlVersion()
{
    HMODULE hModule = ::GetModuleHandleW(L"comctl32.dll");
    BOOL bLoaded = FALSE;
    if (!hModule)
    {
        hModule = ::LoadLibraryW(L"comctl32.dll");
        bLoaded = hModule != nullptr;
    }
    DWORD dwVersion = 0x40000;
    if (hModule)
    {
        DLLGETVERSIONPROC pfnGetVersion = (DLLGETVERSIONPROC)(void*)::GetProcAddress(hModule, "DllGetVersion");
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof info;
        if (pfnGetVersion && SUCCEEDED(pfnGetVersion(&info)))
            dwVersion = (info.dwMajorVersion << 16) | info.dwMinorVersion;
    }
    if (bLoaded)
        ::FreeLibrary(hModule);
    return dwVersion;
}

BOOL RectContains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

CRect UnionOf(const RECT& rect1, const RECT& rect2)
{
    CRect rect;
    ::UnionRect(&rect, &rect1, &rect2);
    return rect;
}

int PrimaryButton()
{
    return ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
}

BOOL IsLeftButtonDown()
{
    return (::GetAsyncKeyState(PrimaryButton()) & 0x8000) != 0;
}

// Down as the button messages handled so far left it. Wine's GetAsyncKeyState may still answer
// "up" for some milliseconds after a press whose message has been handled already.
BOOL IsLeftButtonDownByMessages()
{
    return (::GetKeyState(PrimaryButton()) & 0x8000) != 0;
}

COLORREF ResolveColor(COLORREF clr, int nSysColor)
{
    return clr == CLR_NONE || clr == CLR_DEFAULT ? ::GetSysColor(nSysColor) : clr;
}
} // namespace

BEGIN_MESSAGE_MAP(COXSHBListCtrl, CListCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_RBUTTONDOWN, OnSwallowButtonDown)
    ON_MESSAGE(WM_MBUTTONDOWN, OnSwallowButtonDown)
    ON_MESSAGE(WM_RBUTTONUP, OnRButtonUp)
    ON_MESSAGE(WM_STYLECHANGING, OnStyleChanging)
    ON_MESSAGE(WM_STYLECHANGED, OnLayoutChanged)
    ON_MESSAGE(WM_SETFONT, OnLayoutChanged)
    ON_MESSAGE(LVM_SETIMAGELIST, OnLayoutChanged)
    ON_MESSAGE(kMsgCheckHover, OnCheckHoverMsg)
    ON_MESSAGE(SHBLM_BEGINDRAGDROP, OnBeginDragDropMsg)
    ON_MESSAGE(DROPTARGET_DRAGENTER, OnDropTargetDragEnter)
    ON_MESSAGE(DROPTARGET_DRAGOVER, OnDropTargetDragOver)
    ON_MESSAGE(DROPTARGET_DRAGLEAVE, OnDropTargetDragLeave)
    ON_MESSAGE(DROPTARGET_DROP, OnDropTargetDrop)
    ON_NOTIFY(SHBEN_FINISHEDIT, SHB_IDCEDIT, OnChangeItemText)
    ON_MESSAGE(SHBM_POPULATECONTEXTMENU, OnPopulateContextMenu)
    ON_MESSAGE(SHBM_ATTACHGROUP, OnAttachGroup)
    ON_MESSAGE(SHBM_GROUPINFOCHANGED, OnGroupInfoChanged)
    ON_MESSAGE(SHBM_BARSTYLECHANGED, OnBarStyleChanged)
    ON_MESSAGE(SHBM_GROUPDELETED, OnGroupDeleted)
    ON_MESSAGE(LVM_GETBKCOLOR, OnGetBkColor)
    ON_MESSAGE(LVM_SETBKCOLOR, OnSetBkColor)
    ON_MESSAGE(LVM_GETTEXTCOLOR, OnGetTextColor)
    ON_MESSAGE(LVM_SETTEXTCOLOR, OnSetTextColor)
    ON_MESSAGE(LVM_GETTEXTBKCOLOR, OnGetTextBkColor)
    ON_MESSAGE(LVM_SETTEXTBKCOLOR, OnSetTextBkColor)
    ON_MESSAGE(LVM_DELETEALLITEMS, OnDeleteAllItems)
    ON_MESSAGE(LVM_DELETEITEM, OnDeleteItem)
    ON_MESSAGE(LVM_INSERTITEMW, OnInsertItem)
    ON_MESSAGE(LVM_SETITEMW, OnSetItem)
    ON_MESSAGE(LVM_SETITEMTEXTW, OnSetItem)
    ON_MESSAGE(LVM_SORTITEMS, OnSortItems)
    ON_MESSAGE(LVM_FINDITEMW, OnFindItem)
    ON_MESSAGE(LVM_GETITEMRECT, OnGetItemRect)
    ON_MESSAGE(LVM_GETITEMPOSITION, OnGetItemPosition)
    ON_MESSAGE(LVM_GETORIGIN, OnGetOrigin)
    ON_MESSAGE(LVM_GETVIEWRECT, OnGetViewRect)
    ON_MESSAGE(LVM_GETTOPINDEX, OnGetTopIndex)
    ON_MESSAGE(LVM_GETCOUNTPERPAGE, OnGetCountPerPage)
    ON_MESSAGE(LVM_HITTEST, OnHitTestMsg)
    ON_MESSAGE(LVM_ENSUREVISIBLE, OnEnsureVisibleMsg)
    ON_MESSAGE(LVM_SCROLL, OnScrollMsg)
    ON_MESSAGE(LVM_REDRAWITEMS, OnRedrawItems)
    ON_MESSAGE(LVM_UPDATE, OnUpdateMsg)
    ON_MESSAGE(LVM_GETHOTITEM, OnGetHotItem)
    ON_MESSAGE(LVM_SETHOTITEM, OnSetHotItemMsg)
    ON_MESSAGE(LVM_CREATEDRAGIMAGE, OnCreateDragImageMsg)
    ON_MESSAGE(LVM_EDITLABELW, OnEditLabelMsg)
    ON_MESSAGE(LVM_GETEDITCONTROL, OnGetEditControl)
END_MESSAGE_MAP()

COXSHBListCtrl::COXSHBListCtrl()
    : m_pBar(nullptr), m_hGroup(0), m_nSelectedItem(-1), m_nHotItem(-1), m_nActiveItem(-1), m_nDragItem(-1),
      m_nEditItem(-1), m_nLastContextItem(-1), m_bMouseInside(FALSE), m_bUpPressed(FALSE), m_bDownPressed(FALSE),
      m_bAutoScroll(FALSE), m_bCreatingDragImage(FALSE), m_nDragCandidate(-1), m_bDragOver(FALSE),
      m_nAutoScrollTimer(0), m_nHoverTimer(0), m_nPlaceholder(-1), m_bCreating(FALSE), m_bNoScrollButtons(FALSE),
      m_pRegisteredDropTarget(nullptr), m_bDragSource(FALSE), m_pPendingDragData(nullptr), m_pDragImage(nullptr),
      m_pLife(std::make_shared<BYTE>(0))
{
    if (!s_dwComCtlVersion)
        s_dwComCtlVersion = QueryComCtlVersion();
}

COXSHBListCtrl::~COXSHBListCtrl()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL COXSHBListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_bNoScrollButtons = (dwStyle & LVS_NOSCROLL) != 0;
    m_bCreating = TRUE;
    BOOL bCreated = CListCtrl::Create(dwStyle | LVS_NOSCROLL, rect, pParentWnd, nID);
    m_bCreating = FALSE;
    return bCreated && InitListControl();
}

void COXSHBListCtrl::PreSubclassWindow()
{
    if (!m_bCreating)
        m_bNoScrollButtons = (GetStyle() & LVS_NOSCROLL) != 0;
    ModifyStyle(LVS_TYPEMASK, LVS_NOSCROLL);
    if (!m_bCreating)
        InitListControl();
    CListCtrl::PreSubclassWindow();
}

BOOL COXSHBListCtrl::InitListControl()
{
    // The editor is a child that the list's painting must leave alone.
    ModifyStyle(0, WS_CLIPCHILDREN);
    if (!CreateEditControl())
        return FALSE;
    EnableToolTips(TRUE);
    // Without OLE (not initialised on this thread) the list only takes no drops.
    COleDropTarget* pDropTarget = GetDropTarget();
    if (pDropTarget && pDropTarget->Register(this))
        m_pRegisteredDropTarget = pDropTarget;
    return TRUE;
}

BOOL COXSHBListCtrl::CreateEditControl()
{
    if (m_edit.m_hWnd)
        return TRUE;
    return m_edit.Create(WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), this, SHB_IDCEDIT);
}

void COXSHBListCtrl::OnDestroy()
{
    if (m_nAutoScrollTimer)
        KillTimer(kAutoScrollTimer);
    if (m_nHoverTimer)
        KillTimer(kHoverTimer);
    m_nAutoScrollTimer = m_nHoverTimer = 0;
    if (m_pRegisteredDropTarget)
        m_pRegisteredDropTarget->Revoke();
    m_pRegisteredDropTarget = nullptr;
    // A begin-drag message still queued dies with the window: its data goes with it, and so does
    // the image of a drag running out of it.
    DiscardPendingDragData();
    EndDragImage();
    Default();
}

// --- options

DWORD COXSHBListCtrl::GetBarStyle() const
{
    if (m_pBar)
        return m_pBar->GetBarStyle();
    DWORD dwStyle = GetStyle();
    DWORD dwExStyle = GetExtendedStyle();
    DWORD dwBarStyle = 0;
    if (dwStyle & LVS_EDITLABELS)
        dwBarStyle |= SHBS_EDITITEMS;
    if (dwExStyle & LVS_EX_INFOTIP)
        dwBarStyle |= SHBS_TOOLTIPS;
    if (m_bNoScrollButtons)
        dwBarStyle |= SHBS_NOSCROLL;
    if (dwExStyle & LVS_EX_UNDERLINEHOT)
        dwBarStyle |= SHBS_UNDERLINEHOTITEM;
    if (dwStyle & LVS_SHOWSELALWAYS)
        dwBarStyle |= SHBS_SHOWACTIVEALWAYS;
    return dwBarStyle;
}

int COXSHBListCtrl::GetView() const
{
    if (m_pBar)
        return m_pBar->GetGroupView(m_hGroup) == SHB_SMALLICON ? SHB_SMALLICON : SHB_LARGEICON;
    return (GetStyle() & LVS_SMALLICON) ? SHB_SMALLICON : SHB_LARGEICON;
}

CSize COXSHBListCtrl::GetScrollButtonSize() const
{
    return m_pBar ? m_pBar->GetScrollButtonSize() : CSize(16, 16);
}

UINT COXSHBListCtrl::GetScrollingDelay() const
{
    return m_pBar ? m_pBar->GetScrollingDelay() : 200;
}

UINT COXSHBListCtrl::GetAutoScrollingDelay() const
{
    return m_pBar ? m_pBar->GetAutoScrollingDelay() : 400;
}

HIMAGELIST COXSHBListCtrl::GetViewImageList() const
{
    return GetImageList(GetView() == SHB_SMALLICON ? LVSIL_SMALL : LVSIL_NORMAL);
}

int COXSHBListCtrl::GetItemImage(int nItem) const
{
    if (!GetViewImageList())
        return -1;
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    return GetItem(&item) ? item.iImage : -1;
}

COLORREF COXSHBListCtrl::GetListBkColor() const
{
    return ResolveColor((COLORREF)::SendMessageW(m_hWnd, LVM_GETBKCOLOR, 0, 0), COLOR_WINDOW);
}

COLORREF COXSHBListCtrl::GetListTextColor() const
{
    return ResolveColor((COLORREF)::SendMessageW(m_hWnd, LVM_GETTEXTCOLOR, 0, 0), COLOR_WINDOWTEXT);
}

BOOL COXSHBListCtrl::CreateLabelFont(CFont& font) const
{
    LOGFONTW lf;
    // A group without a font of its own is drawn in the list's.
    const LOGFONTW* pLogFont = m_pBar ? m_pBar->GetGroupTextFont(m_hGroup) : nullptr;
    if (pLogFont)
        return font.CreateFontIndirect(pLogFont);
    HFONT hFont = GetFontHandle();
    return hFont && ::GetObjectW(hFont, sizeof lf, &lf) && font.CreateFontIndirect(&lf);
}

LRESULT COXSHBListCtrl::SendSHBNotification(UINT nCode, int nItem, LPARAM lParam)
{
    return SendSHBNotificationForAnswer(nCode, nItem, lParam);
}

LRESULT COXSHBListCtrl::SendSHBNotificationForAnswer(UINT nCode, int nItem, LPARAM& lParam)
{
    NMSHORTCUTBAR notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    notify.hdr.code = nCode;
    notify.hGroup = m_hGroup;
    notify.nItem = nItem;
    notify.lParam = lParam;
    LRESULT lResult = 0;
    if (m_pBar)
        lResult = m_pBar->SendSHBNotification(&notify);
    else if (HWND hParent = ::GetParent(m_hWnd))
        lResult = ::SendMessageW(hParent, WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify);
    lParam = notify.lParam;
    return lResult;
}

// --- layout

CRect COXSHBListCtrl::GetVisibleArea() const
{
    CRect rect;
    GetClientRect(&rect);
    rect.top += kMargin;
    rect.bottom -= kMargin;
    return rect;
}

void COXSHBListCtrl::CalculateItemsRects()
{
    m_arrRects.clear();
    int nCount = GetItemCount();
    if (nCount <= 0)
    {
        CalculateScrollRects();
        return;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
    {
        m_arrRects.assign((size_t)nCount, ItemRects());
        CalculateScrollRects();
        return;
    }
    HIMAGELIST hImageList = GetViewImageList();
    BOOL bLarge = GetView() == SHB_LARGEICON;
    int nWidth = rectClient.Width();
    int nTop = rectClient.top + kMargin;
    m_arrRects.resize((size_t)nCount);
    for (int i = 0; i < nCount; i++)
    {
        ItemRects& rects = m_arrRects[(size_t)i];
        int nImage = GetItemImage(i);
        IMAGEINFO info = {};
        if (hImageList && nImage >= 0 && ImageList_GetImageInfo(hImageList, nImage, &info))
        {
            rects.rectImage = info.rcImage;
            rects.rectImage.InflateRect(kImageBorder, kImageBorder);
            rects.rectImage.OffsetRect(-rects.rectImage.left, -rects.rectImage.top);
        }
        rects.rectLabel = CalcLabelRect(GetItemText(i, 0), rects.rectImage, nWidth);
        int nHeight = bLarge ? rects.rectImage.Height() + rects.rectLabel.Height()
                             : std::max<int>(rects.rectImage.Height(), rects.rectLabel.Height());
        if (bLarge)
        {
            int nImageWidth = rects.rectImage.Width();
            rects.rectImage.left = (nWidth - nImageWidth) / 2;
            rects.rectImage.right = rects.rectImage.left + nImageWidth;
        }
        rects.rectItem = CRect(rectClient.left, nTop, rectClient.right, nTop + nHeight);
        nTop = rects.rectItem.bottom + kItemGap;
    }
    CalculateScrollRects();
}

CRect COXSHBListCtrl::CalcLabelRect(const CString& strText, CRect& rectImage, int nWidth) const
{
    CRect rectLabel;
    if (strText.IsEmpty() || nWidth <= 0)
        return rectLabel;
    BOOL bLarge = GetView() == SHB_LARGEICON;
    if (!bLarge && rectImage.Width() >= nWidth)
        return rectLabel;
    CClientDC dc(const_cast<COXSHBListCtrl*>(this));
    CFont font;
    HGDIOBJ hOldFont = CreateLabelFont(font) ? dc.SelectObject(&font) : nullptr;
    if (bLarge)
    {
        rectLabel = CRect(0, 0, nWidth - 4, 0);
        dc.DrawText(strText, &rectLabel, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_CALCRECT | DT_EDITCONTROL);
        rectLabel.right += 4;
        rectLabel.bottom += 4;
        rectLabel.OffsetRect(-rectLabel.left, rectImage.bottom - rectLabel.top);
        if (rectLabel.Width() > nWidth)
        {
            rectLabel.left = 0;
            rectLabel.right = nWidth;
        }
        else
            rectLabel.OffsetRect((nWidth - rectLabel.Width()) / 2, 0);
    }
    else
    {
        rectLabel = CRect(0, 0, nWidth, 0);
        dc.DrawText(strText, &rectLabel, DT_VCENTER | DT_CALCRECT);
        rectLabel.right += 4;
        rectLabel.bottom += 4;
        rectLabel.OffsetRect(-rectLabel.left, rectImage.top - rectLabel.top);
        int nDifference = rectLabel.Height() - rectImage.Height();
        if (!rectImage.IsRectEmpty() && nDifference > 0)
            rectImage.OffsetRect(0, nDifference / 2);
        else if (nDifference < 0)
            rectLabel.OffsetRect(0, -nDifference / 2);
        rectLabel.OffsetRect(rectImage.IsRectEmpty() ? kMargin : rectImage.right, 0);
        if (rectLabel.right > nWidth)
            rectLabel.right = nWidth;
    }
    if (hOldFont)
        dc.SelectObject(hOldFont);
    return rectLabel;
}

void COXSHBListCtrl::CalculateScrollRects()
{
    m_rectUp = m_rectDown = CRect();
    CRect rect = GetVisibleArea();
    if (rect.Height() <= 0)
        return;
    CSize size = GetScrollButtonSize();
    if (m_ptOrigin.y != 0)
        m_rectUp = CRect(rect.right - size.cx, rect.top, rect.right, rect.top + size.cy);
    CRect rectLimits;
    if (GetScrollLimits(rectLimits, -1) && rectLimits.bottom > rect.bottom + m_ptOrigin.y)
        m_rectDown = CRect(rect.right - size.cx, rect.bottom - size.cy, rect.right, rect.bottom);
}

CRect COXSHBListCtrl::GetItemRectClient(int nItem) const
{
    CRect rect = m_arrRects[(size_t)nItem].rectItem;
    rect.OffsetRect(-m_ptOrigin.x, -m_ptOrigin.y);
    return rect;
}

CRect COXSHBListCtrl::GetImageRectClient(int nItem) const
{
    CRect rectItem = GetItemRectClient(nItem);
    CRect rect = m_arrRects[(size_t)nItem].rectImage;
    rect.OffsetRect(rectItem.left, rectItem.top);
    return rect;
}

CRect COXSHBListCtrl::GetLabelRectClient(int nItem) const
{
    CRect rectItem = GetItemRectClient(nItem);
    CRect rect = m_arrRects[(size_t)nItem].rectLabel;
    rect.OffsetRect(rectItem.left, rectItem.top);
    return rect;
}

CRect COXSHBListCtrl::GetImageAndLabelRectClient(int nItem) const
{
    return UnionOf(GetImageRectClient(nItem), GetLabelRectClient(nItem));
}

// --- hit testing and geometry queries

int COXSHBListCtrl::HitTest(CPoint point, int* pnPart, BOOL bIgnoreButtons) const
{
    int nPart = SHBLC_NOWHERE;
    int nResult = -1;
    if (!bIgnoreButtons && !(GetBarStyle() & SHBS_NOSCROLL) && m_rectUp.PtInRect(point))
        nPart = SHBLC_ONUPBUTTON;
    else if (!bIgnoreButtons && !(GetBarStyle() & SHBS_NOSCROLL) && m_rectDown.PtInRect(point))
        nPart = SHBLC_ONDOWNBUTTON;
    else
    {
        CPoint pt(point.x + m_ptOrigin.x, point.y + m_ptOrigin.y);
        CRect rectView;
        GetViewRect(rectView, TRUE);
        if (!rectView.PtInRect(pt))
        {
            nPart = (pt.x < rectView.left ? SHBLC_TOLEFT : 0) | (pt.x >= rectView.right ? SHBLC_TORIGHT : 0) |
                    (pt.y < rectView.top ? SHBLC_ABOVE : 0) | (pt.y >= rectView.bottom ? SHBLC_BELOW : 0);
        }
        else
        {
            for (int i = 0; i < (int)m_arrRects.size(); i++)
            {
                const ItemRects& rects = m_arrRects[(size_t)i];
                if (!rects.rectItem.PtInRect(pt))
                    continue;
                CPoint ptItem(pt.x - rects.rectItem.left, pt.y - rects.rectItem.top);
                if (rects.rectImage.PtInRect(ptItem))
                    nPart = SHBLC_ONIMAGE;
                else if (rects.rectLabel.PtInRect(ptItem))
                    nPart = SHBLC_ONLABEL;
                else if (UnionOf(rects.rectImage, rects.rectLabel).PtInRect(ptItem))
                    nPart = SHBLC_ONIMAGEANDLABEL;
                else
                    nPart = SHBLC_ONITEMROW;
                nResult = i;
                break;
            }
        }
    }
    if (pnPart)
        *pnPart = nPart;
    return nResult;
}

void COXSHBListCtrl::GetViewRect(CRect& rect, BOOL bVisibleOnly) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rect = CRect(rectClient.left, rectClient.top + kMargin, rectClient.right, 0);
    for (const ItemRects& rects : m_arrRects)
        rect.bottom = std::max<int>(rect.bottom, rects.rectItem.bottom);
    if (bVisibleOnly)
    {
        rect.top += m_ptOrigin.y;
        rect.bottom = std::min<int>(rect.bottom, rectClient.bottom - kMargin + m_ptOrigin.y);
    }
}

BOOL COXSHBListCtrl::GetScrollLimits(CRect& rect, int nItem) const
{
    CRect rectArea = GetVisibleArea();
    if (rectArea.IsRectEmpty())
        return FALSE;
    GetViewRect(rect, FALSE);
    int nClientHeight = rectArea.Height();
    int nContentHeight = rect.Height();
    if (nClientHeight >= nContentHeight + m_ptOrigin.y)
        return TRUE;
    if (nClientHeight + m_ptOrigin.y >= nContentHeight)
    {
        rect.bottom = rect.top + nClientHeight + m_ptOrigin.y;
        return TRUE;
    }
    if (nItem == -1)
    {
        nItem = GetTopIndex();
        if (nItem >= 0 && nItem < (int)m_arrRects.size() - 1 &&
            m_arrRects[(size_t)nItem].rectItem.top < rectArea.top + m_ptOrigin.y)
            nItem++;
    }
    // The item can still be scrolled to the top when the items from it on are shorter.
    if (IsValidItem(nItem))
    {
        int nRest = rect.bottom - m_arrRects[(size_t)nItem].rectItem.top;
        if (nRest < nClientHeight)
            rect.bottom += nClientHeight - nRest;
    }
    return TRUE;
}

int COXSHBListCtrl::FindItemNearest(CPoint point, UINT nDirection, int nStart, BOOL bWrap) const
{
    int nCount = (int)m_arrRects.size();
    CPoint pt(point.x + m_ptOrigin.x, point.y + m_ptOrigin.y);
    int nBest = -1;
    int nBestDistance = 0;
    int nSteps = bWrap ? nCount : nCount - 1 - std::max<int>(nStart, -1);
    for (int nStep = 0; nStep < nSteps; nStep++)
    {
        int i = (std::max<int>(nStart, -1) + 1 + nStep) % nCount;
        const CRect& rect = m_arrRects[(size_t)i].rectItem;
        if (rect.PtInRect(pt) || (pt.y >= rect.top && pt.y < rect.bottom))
            return i;
        int nDistance = 0;
        if (nDirection == VK_DOWN)
            nDistance = rect.top - pt.y;
        else if (nDirection == VK_UP)
            nDistance = pt.y - rect.bottom;
        if (nDistance > 0 && (nBest == -1 || nDistance < nBestDistance))
        {
            nBest = i;
            nBestDistance = nDistance;
        }
    }
    return nBest;
}

int COXSHBListCtrl::GetTopIndex() const
{
    return FindItemNearest(CPoint(0, kMargin), VK_DOWN, -1);
}

int COXSHBListCtrl::GetCountPerPage() const
{
    CRect rectView;
    GetViewRect(rectView, TRUE);
    int nCount = 0;
    for (const ItemRects& rects : m_arrRects)
    {
        CRect rectCommon;
        if (::IntersectRect(&rectCommon, &rects.rectItem, &rectView))
            nCount++;
    }
    return nCount;
}

// --- scrolling

BOOL COXSHBListCtrl::Scroll(CSize size)
{
    CRect rectArea = GetVisibleArea();
    if (m_arrRects.empty() || rectArea.IsRectEmpty())
        return FALSE;
    int nTop = GetTopIndex();
    int nLast = (int)m_arrRects.size() - 1;
    int nReference = nTop;
    if (size.cy < 0 && nTop > 0)
        nReference = nTop - 1;
    else if (size.cy > 0 && nTop < nLast)
        nReference = nTop + 1;
    CRect rectLimits;
    if (!GetScrollLimits(rectLimits, nReference))
        return FALSE;
    CRect rectNow = rectArea;
    rectNow.OffsetRect(m_ptOrigin.x, m_ptOrigin.y);
    int dx = size.cx;
    int dy = size.cy;
    if (dy < 0)
        dy = std::min<int>(0, std::max<int>(dy, rectLimits.top - rectNow.top));
    else if (dy > 0)
        dy = std::max<int>(0, std::min<int>(dy, rectLimits.bottom - rectNow.bottom));
    if (dx < 0)
        dx = std::min<int>(0, std::max<int>(dx, rectLimits.left - rectNow.left));
    else if (dx > 0)
        dx = std::max<int>(0, std::min<int>(dx, rectLimits.right - rectNow.right));
    if (dx == 0 && dy == 0)
        return FALSE;
    m_ptOrigin.x += dx;
    m_ptOrigin.y += dy;
    CalculateScrollRects();
    RedrawAll();
    return TRUE;
}

BOOL COXSHBListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    if (!IsValidItem(nItem))
        return FALSE;
    CRect rectView;
    GetViewRect(rectView, TRUE);
    const CRect& rectItem = m_arrRects[(size_t)nItem].rectItem;
    if (rectItem.Height() >= rectView.Height() && !bPartialOK)
        return FALSE;
    CRect rectCommon;
    BOOL bPartly = ::IntersectRect(&rectCommon, &rectItem, &rectView);
    if (RectContains(rectView, rectItem) || (bPartly && bPartialOK))
        return TRUE;
    if (rectItem.bottom > rectView.bottom)
        Scroll(CSize(0, rectItem.bottom - rectView.bottom));
    else if (rectItem.top < rectView.top)
        Scroll(CSize(0, rectItem.top - rectView.top));
    if (bPartialOK)
        return TRUE;
    GetViewRect(rectView, TRUE);
    return RectContains(rectView, m_arrRects[(size_t)nItem].rectItem);
}

BOOL COXSHBListCtrl::ScrollItemToTop(int nItem)
{
    CRect rectView;
    GetViewRect(rectView, TRUE);
    return IsValidItem(nItem) && Scroll(CSize(0, m_arrRects[(size_t)nItem].rectItem.top - rectView.top));
}

BOOL COXSHBListCtrl::ScrollItemToBottom(int nItem)
{
    CRect rectView;
    GetViewRect(rectView, TRUE);
    return IsValidItem(nItem) && Scroll(CSize(0, m_arrRects[(size_t)nItem].rectItem.bottom - rectView.bottom));
}

BOOL COXSHBListCtrl::IsItemFullyVisible(int nItem) const
{
    CRect rectView;
    GetViewRect(rectView, TRUE);
    return IsValidItem(nItem) && RectContains(rectView, m_arrRects[(size_t)nItem].rectItem);
}

void COXSHBListCtrl::StartAutoScroll(BOOL bUp)
{
    BOOL bAutoScroll = m_bAutoScroll;
    if (m_bUpPressed || m_bDownPressed)
        StopAutoScroll();
    m_bAutoScroll = bAutoScroll;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    int nOldSelected = SetSelectedItem(-1);
    if (pAlive.expired())
        return;
    RedrawItem(nOldSelected);
    (bUp ? m_bUpPressed : m_bDownPressed) = TRUE;
    ::InvalidateRect(m_hWnd, bUp ? &m_rectUp : &m_rectDown, FALSE);
    if (!m_bDragOver)
    {
        int nLast = (int)m_arrRects.size() - 1;
        int nTop = GetTopIndex();
        if (nTop == -1)
            nTop = nLast;
        if (bUp)
        {
            if (IsItemFullyVisible(nTop))
                nTop = std::max<int>(0, nTop - GetCountPerPage());
            ScrollItemToTop(nTop);
        }
        else if (nTop == nLast)
            ScrollItemToBottom(nLast);
        else
            ScrollItemToTop(std::min<int>(nLast, nTop + std::max<int>(1, GetCountPerPage() - 1)));
    }
    UINT nPeriod = m_bAutoScroll ? GetAutoScrollingDelay() : GetScrollingDelay();
    if (m_bDragOver)
        nPeriod /= 4;
    m_nAutoScrollTimer = SetTimer(kAutoScrollTimer, nPeriod);
}

void COXSHBListCtrl::StopAutoScroll()
{
    KillTimer(kAutoScrollTimer);
    m_nAutoScrollTimer = 0;
    ::InvalidateRect(m_hWnd, &m_rectUp, FALSE);
    ::InvalidateRect(m_hWnd, &m_rectDown, FALSE);
    m_bUpPressed = m_bDownPressed = m_bAutoScroll = FALSE;
}

BOOL COXSHBListCtrl::IsPointInButton(BOOL bUp) const
{
    if (m_bDragOver)
        return TRUE;
    DWORD dwPos = ::GetMessagePos();
    CPoint point((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    ScreenToClient(&point);
    return (bUp ? m_rectUp : m_rectDown).PtInRect(point);
}

void COXSHBListCtrl::AutoScrollStep()
{
    int nLast = (int)m_arrRects.size() - 1;
    int nTop = GetTopIndex();
    if (m_bUpPressed && IsPointInButton(TRUE))
    {
        ::InvalidateRect(m_hWnd, &m_rectUp, FALSE);
        if (nTop == -1)
            nTop = nLast;
        if (IsItemFullyVisible(nTop) && nTop > 0)
            nTop--;
        ScrollItemToTop(nTop);
        if (m_rectUp.IsRectEmpty())
            StopAutoScroll();
    }
    else if (m_bDownPressed && IsPointInButton(FALSE))
    {
        ::InvalidateRect(m_hWnd, &m_rectDown, FALSE);
        if (nTop == nLast)
            ScrollItemToBottom(nLast);
        else
            ScrollItemToTop(nTop + 1);
        if (m_rectDown.IsRectEmpty())
            StopAutoScroll();
    }
}

// --- item states
// The owner may delete the list in each setter's notification: the setter then changes nothing,
// and its caller checks that the list still lives before it goes on.

int COXSHBListCtrl::SetSelectedItem(int nItem)
{
    int nOld = m_nSelectedItem;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (nItem == nOld || SendSHBNotification(SHBN_SELECTITEM, nItem, 0) || pAlive.expired())
        return nOld;
    m_nSelectedItem = nItem;
    return nOld;
}

int COXSHBListCtrl::SetActiveItem(int nItem)
{
    int nOld = m_nActiveItem;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (nItem == nOld || SendSHBNotification(SHBN_ACTIVATEITEM, nItem, 0) || pAlive.expired())
        return nOld;
    m_nActiveItem = nItem;
    RedrawItem(nOld);
    RedrawItem(nItem);
    return nOld;
}

int COXSHBListCtrl::SetHotItem(int nItem)
{
    int nOld = m_nHotItem;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (nItem == nOld || SendSHBNotification(SHBN_HOTITEM, nItem, 0) || pAlive.expired())
        return nOld;
    m_nHotItem = nItem;
    if (nOld != -1)
        m_nLastContextItem = nOld;
    return nOld;
}

int COXSHBListCtrl::GetContextItem() const
{
    return m_nHotItem != -1 ? m_nHotItem : m_nLastContextItem;
}

// Every index that names an item follows a deletion: later items move up, the deleted one is gone.
void COXSHBListCtrl::MoveIndexesOnDelete(int nDeleted)
{
    for (int* pIndex : {&m_nSelectedItem, &m_nActiveItem, &m_nHotItem, &m_nDragItem, &m_nEditItem,
                        &m_nLastContextItem, &m_nDragCandidate})
    {
        if (*pIndex == nDeleted)
            *pIndex = -1;
        else if (*pIndex > nDeleted)
            (*pIndex)--;
    }
    // The mark stays in its gap: the deleted row's gap closes onto the next one.
    if (m_nPlaceholder > nDeleted)
        m_nPlaceholder--;
}

void COXSHBListCtrl::MoveIndexesOnInsert(int nInserted)
{
    for (int* pIndex : {&m_nSelectedItem, &m_nActiveItem, &m_nHotItem, &m_nDragItem, &m_nEditItem,
                        &m_nLastContextItem, &m_nDragCandidate})
    {
        if (*pIndex >= nInserted)
            (*pIndex)++;
    }
    if (m_nPlaceholder >= nInserted)
        m_nPlaceholder++;
}

void COXSHBListCtrl::ResetIndexes()
{
    for (int* pIndex : {&m_nSelectedItem, &m_nActiveItem, &m_nHotItem, &m_nDragItem, &m_nEditItem,
                        &m_nLastContextItem, &m_nDragCandidate})
        *pIndex = -1;
}

// --- painting

void COXSHBListCtrl::RedrawItem(int nItem)
{
    if (!IsValidItem(nItem) || !m_hWnd)
        return;
    CRect rectImage = GetImageRectClient(nItem);
    CRect rectLabel = GetLabelRectClient(nItem);
    ::InvalidateRect(m_hWnd, &rectImage, FALSE);
    ::InvalidateRect(m_hWnd, &rectLabel, FALSE);
    UpdateWindow();
}

void COXSHBListCtrl::RedrawAll()
{
    Invalidate(FALSE);
}

BOOL COXSHBListCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COXSHBListCtrl::OnPaint()
{
    CPaintDC dc(this);
    int nSaved = ::SaveDC(dc);
    if (!(GetBarStyle() & SHBS_NOSCROLL))
    {
        DrawScrollButtons(&dc);
        ::ExcludeClipRect(dc, m_rectUp.left, m_rectUp.top, m_rectUp.right, m_rectUp.bottom);
        ::ExcludeClipRect(dc, m_rectDown.left, m_rectDown.top, m_rectDown.right, m_rectDown.bottom);
    }
    FillBackground(&dc);
    // The owner may delete the list as it draws an item: the painting stops there.
    std::weak_ptr<BYTE> pAlive = m_pLife;
    for (int i = 0; !pAlive.expired() && i < (int)m_arrRects.size(); i++)
    {
        CRect rectItem = GetItemRectClient(i);
        if (::RectVisible(dc, &rectItem) && !PaintItem(&dc, i))
            break;
    }
    if (!pAlive.expired())
        DrawPlaceholder(&dc);
    ::RestoreDC(dc, nSaved);
}

void COXSHBListCtrl::FillBackground(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CRgn rgn;
    rgn.CreateRectRgn(rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    for (int i = 0; i < (int)m_arrRects.size(); i++)
    {
        CRect rectItem = GetItemRectClient(i);
        CRgn rgnItem;
        rgnItem.CreateRectRgn(rectItem.left, rectItem.top, rectItem.right, rectItem.bottom);
        rgn.CombineRgn(&rgn, &rgnItem, RGN_XOR);
    }
    CBrush brush(GetListBkColor());
    ::FillRgn(*pDC, rgn, brush);
}

// Draws the item into a bitmap of its own and copies it in one go: no flicker.
BOOL COXSHBListCtrl::PaintItem(CDC* pDC, int nItem)
{
    CRect rectItem = GetItemRectClient(nItem);
    CDC dcMemory;
    CBitmap bitmap;
    if (rectItem.IsRectEmpty() || !dcMemory.CreateCompatibleDC(pDC) ||
        !bitmap.CreateCompatibleBitmap(pDC, rectItem.Width(), rectItem.Height()))
        return FALSE;
    HGDIOBJ hOldBitmap = dcMemory.SelectObject(&bitmap);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTVIEW;
    dis.CtlID = (UINT)GetDlgCtrlID();
    dis.itemID = (UINT)nItem;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = ODS_DEFAULT;
    dis.hwndItem = m_hWnd;
    dis.hDC = dcMemory;
    dis.rcItem = CRect(0, 0, rectItem.Width(), rectItem.Height());
    DrawItem(&dis);
    pDC->BitBlt(rectItem.left, rectItem.top, rectItem.Width(), rectItem.Height(), &dcMemory, 0, 0, SRCCOPY);
    dcMemory.SelectObject(hOldBitmap);
    return TRUE;
}

void COXSHBListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    int nItem = (int)lpDrawItemStruct->itemID;
    if (!IsValidItem(nItem))
        return;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (!m_bCreatingDragImage &&
        (SendSHBNotification(SHBN_DRAWITEM, nItem, (LPARAM)lpDrawItemStruct) || pAlive.expired()))
        return;
    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    CRect rect = lpDrawItemStruct->rcItem;
    dc.FillSolidRect(rect, GetListBkColor());
    const ItemRects& rects = m_arrRects[(size_t)nItem];
    HIMAGELIST hImageList = GetViewImageList();
    int nImage = GetItemImage(nItem);
    if (hImageList && nImage >= 0)
    {
        CRect rectImage = rects.rectImage;
        rectImage.DeflateRect(kImageBorder, kImageBorder);
        ImageList_Draw(hImageList, nImage, dc, rect.left + rectImage.left, rect.top + rectImage.top, ILD_TRANSPARENT);
    }
    CString strText = GetItemText(nItem, 0);
    if (!rects.rectLabel.IsRectEmpty() && !strText.IsEmpty())
    {
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetListTextColor());
        CFont font;
        CFont fontUnderline;
        HGDIOBJ hOldFont = CreateLabelFont(font) ? dc.SelectObject(&font) : nullptr;
        LOGFONTW lf;
        if (!m_bCreatingDragImage && (GetBarStyle() & SHBS_UNDERLINEHOTITEM) && nItem == m_nHotItem &&
            ::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf))
        {
            lf.lfUnderline = TRUE;
            if (fontUnderline.CreateFontIndirect(&lf))
            {
                HGDIOBJ hPrevious = dc.SelectObject(&fontUnderline);
                if (!hOldFont)
                    hOldFont = hPrevious;
            }
        }
        CRect rectLabel = rects.rectLabel;
        rectLabel.OffsetRect(rect.left, rect.top);
        if (GetView() == SHB_LARGEICON)
        {
            rectLabel.DeflateRect(2, 2);
            dc.DrawText(strText, &rectLabel, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS);
        }
        else
            dc.DrawText(strText, &rectLabel, DT_SINGLELINE | DT_VCENTER);
        if (hOldFont)
            dc.SelectObject(hOldFont);
    }
    dc.Detach();
}

BOOL COXSHBListCtrl::DrawScrollButtons(CDC* pDC)
{
    if (GetBarStyle() & SHBS_NOSCROLL)
        return TRUE;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    BOOL bHeld = IsLeftButtonDown() || m_bAutoScroll;
    for (BOOL bUp : {TRUE, FALSE})
    {
        CRect rect = bUp ? m_rectUp : m_rectDown;
        if (rect.IsRectEmpty() || !::RectVisible(*pDC, &rect))
            continue;
        UINT nState = bUp ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
        if (rect.PtInRect(ptCursor) && (bUp ? m_bUpPressed : m_bDownPressed) && bHeld)
            nState |= DFCS_PUSHED;
        ::DrawFrameControl(*pDC, &rect, DFC_SCROLL, nState);
    }
    return TRUE;
}

CRect COXSHBListCtrl::GetInsertRect(int nIndex) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    int nCount = (int)m_arrRects.size();
    if (nIndex > 0 && nIndex < nCount)
    {
        int nTop = m_arrRects[(size_t)nIndex].rectItem.top;
        return CRect(rectClient.left, nTop - kItemGap, rectClient.right, nTop);
    }
    if (nIndex == nCount && nCount > 0)
    {
        int nBottom = m_arrRects[(size_t)nCount - 1].rectItem.bottom;
        return CRect(rectClient.left, nBottom, rectClient.right, nBottom + kMargin);
    }
    return CRect(rectClient.left, 0, rectClient.right, kMargin);
}

CRect COXSHBListCtrl::GetPlaceholderRect(int nIndex) const
{
    CRect rect = GetInsertRect(nIndex);
    rect.OffsetRect(-m_ptOrigin.x, -m_ptOrigin.y);
    int nCount = (int)m_arrRects.size();
    if (nIndex > 0 && nIndex < nCount)
    {
        rect.top -= 4;
        rect.bottom += 5;
    }
    else if (nIndex == nCount && nCount > 0)
        rect.top = rect.bottom - 10;
    else
        rect.bottom = rect.top + 10;
    return rect;
}

void COXSHBListCtrl::SetPlaceholder(int nIndex)
{
    if (nIndex == m_nPlaceholder)
        return;
    m_nPlaceholder = nIndex;
    RedrawAll();
}

void COXSHBListCtrl::DrawPlaceholder(CDC* pDC)
{
    int nCount = (int)m_arrRects.size();
    if (m_nPlaceholder < 0 || m_nPlaceholder > nCount)
        return;
    CRect rect = GetPlaceholderRect(m_nPlaceholder);
    if (::RectVisible(*pDC, &rect))
        DrawPlaceholderMark(pDC, rect);
}

// A line across the insert place with small triangles at both ends, pointing into the gap.
void COXSHBListCtrl::DrawPlaceholderMark(CDC* pDC, const CRect& rect)
{
    COLORREF clrPen = ColorsAreClose(GetListBkColor(), RGB(0, 0, 0), 64) ? RGB(255, 255, 255) : RGB(0, 0, 0);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clrPen);
    HGDIOBJ hOldPen = pDC->SelectObject(hPen);
    auto line = [pDC](int x1, int x2, int y) {
        ::MoveToEx(*pDC, x1, y, nullptr);
        ::LineTo(*pDC, x2, y);
    };
    int nCount = (int)m_arrRects.size();
    if (m_nPlaceholder == 0 || m_nPlaceholder == nCount)
    {
        BOOL bTop = m_nPlaceholder == 0;
        int nRow = bTop ? rect.top : rect.bottom - 1;
        line(rect.left, rect.right, nRow);
        for (int k = 1; k <= 10; k++)
        {
            int y = bTop ? rect.top + k : rect.bottom - k;
            line(rect.left, rect.left + 10 - k, y);
            line(rect.right + k - 10, rect.right, y);
        }
    }
    else
    {
        int nMiddle = (rect.top + rect.bottom) / 2;
        line(rect.left, rect.right, nMiddle);
        for (int k = 1; k <= 7; k++)
        {
            for (int y : {nMiddle + k, nMiddle - k})
            {
                line(rect.left, rect.left + 7 - k, y);
                line(rect.right + k - 7, rect.right, y);
            }
        }
    }
    pDC->SelectObject(hOldPen);
    ::DeleteObject(hPen);
}

CImageList* COXSHBListCtrl::CreateDragImage(int nItem)
{
    if (!IsValidItem(nItem))
        return nullptr;
    const ItemRects& rects = m_arrRects[(size_t)nItem];
    CRect rectBounds = UnionOf(rects.rectImage, rects.rectLabel);
    CRect rectItem = rects.rectItem;
    if (rectBounds.IsRectEmpty() || rectItem.IsRectEmpty())
        return nullptr;
    CImageList* pImageList = new CImageList;
    CClientDC dc(this);
    CDC dcItem;
    CDC dcBounds;
    CBitmap bitmapItem;
    CBitmap bitmapBounds;
    BOOL bMade = pImageList->Create(rectBounds.Width(), rectBounds.Height(), ILC_MASK | ILC_COLOR32, 1, 0) &&
                 dcItem.CreateCompatibleDC(&dc) && dcBounds.CreateCompatibleDC(&dc) &&
                 bitmapItem.CreateCompatibleBitmap(&dc, rectItem.Width(), rectItem.Height()) &&
                 bitmapBounds.CreateCompatibleBitmap(&dc, rectBounds.Width(), rectBounds.Height());
    if (bMade)
    {
        m_bCreatingDragImage = TRUE;
        HGDIOBJ hOldItem = dcItem.SelectObject(&bitmapItem);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = (UINT)GetDlgCtrlID();
        dis.itemID = (UINT)nItem;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = m_hWnd;
        dis.hDC = dcItem;
        dis.rcItem = CRect(0, 0, rectItem.Width(), rectItem.Height());
        DrawItem(&dis);
        HGDIOBJ hOldBounds = dcBounds.SelectObject(&bitmapBounds);
        dcBounds.BitBlt(0, 0, rectBounds.Width(), rectBounds.Height(), &dcItem, rectBounds.left, rectBounds.top, SRCCOPY);
        dcBounds.SelectObject(hOldBounds);
        dcItem.SelectObject(hOldItem);
        m_bCreatingDragImage = FALSE;
        bMade = pImageList->Add(&bitmapBounds, GetListBkColor()) >= 0;
    }
    if (!bMade)
    {
        delete pImageList;
        return nullptr;
    }
    return pImageList;
}

// --- mouse

LRESULT COXSHBListCtrl::OnLButtonDown(WPARAM, LPARAM lParam)
{
    CPoint point(lParam);
    int nPart = 0;
    int nItem = HitTest(point, &nPart);
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (nItem != -1 && nPart != SHBLC_ONITEMROW)
    {
        int nOld = SetSelectedItem(nItem);
        if (pAlive.expired())
            return 0;
        if (!(GetBarStyle() & SHBS_NOITEMDRAG) && HitTest(point) == nItem)
        {
            m_ptMouseDown = point;
            if (GetBarStyle() & SHBS_DRAWITEMDRAGIMAGE)
            {
                CRect rectBounds = GetImageAndLabelRectClient(nItem);
                m_ptDragHotspot = CPoint(point.x - rectBounds.left, point.y - rectBounds.top);
            }
            m_nDragCandidate = nItem;
        }
        RedrawItem(nItem);
        RedrawItem(nOld);
    }
    if (nPart == SHBLC_ONUPBUTTON)
        StartAutoScroll(TRUE);
    else if (nPart == SHBLC_ONDOWNBUTTON)
        StartAutoScroll(FALSE);
    else if (m_bUpPressed || m_bDownPressed)
        StopAutoScroll();
    return 0;
}

LRESULT COXSHBListCtrl::OnLButtonUp(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    m_nDragCandidate = -1;
    int nPart = 0;
    int nItem = HitTest(CPoint(lParam), &nPart);
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (nItem != -1 && nPart != SHBLC_ONITEMROW && nItem == m_nSelectedItem)
        SetActiveItem(nItem);
    if (pAlive.expired())
        return lResult;
    RedrawItem(nItem);
    if (m_bUpPressed || m_bDownPressed)
        StopAutoScroll();
    return lResult;
}

LRESULT COXSHBListCtrl::OnSwallowButtonDown(WPARAM, LPARAM)
{
    return 0;
}

LRESULT COXSHBListCtrl::OnRButtonUp(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (s_dwComCtlVersion < kComCtlVersion471)
    {
        DWORD dwPos = ::GetMessagePos();
        PostMessage(WM_CONTEXTMENU, (WPARAM)m_hWnd, (LPARAM)dwPos);
    }
    return lResult;
}

void COXSHBListCtrl::OnMouseMove(UINT, CPoint)
{
    Default();
    if (m_nEditItem == -1 && !(m_pBar && m_pBar->IsEditingGroupHeader()))
        CheckHover();
}

LRESULT COXSHBListCtrl::OnCheckHoverMsg(WPARAM, LPARAM)
{
    CheckHover();
    return 0;
}

void COXSHBListCtrl::CheckHover()
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (::WindowFromPoint(ptCursor) == m_hWnd && IsWindowEnabled())
    {
        if (!m_nHoverTimer)
            m_nHoverTimer = SetTimer(kHoverTimer, kHoverPeriod);
        m_bMouseInside = TRUE;
        UpdateHotItem();
    }
    else if (!IsLeftButtonDown())
    {
        if (m_nHoverTimer)
            KillTimer(kHoverTimer);
        m_nHoverTimer = 0;
        m_bMouseInside = FALSE;
        std::weak_ptr<BYTE> pAlive = m_pLife;
        int nOldHot = SetHotItem(-1);
        if (!pAlive.expired())
            RedrawItem(nOldHot);
    }
    else
    {
        m_bMouseInside = FALSE;
        UpdateHotItem();
    }
}

void COXSHBListCtrl::UpdateHotItem()
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    int nPart = 0;
    int nHit = HitTest(point, &nPart);
    BOOL bOnItem = m_bMouseInside && nHit != -1 && nPart != SHBLC_ONITEMROW && nPart != SHBLC_ONIMAGEANDLABEL;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    int nOldHot = SetHotItem(bOnItem ? nHit : -1);
    if (pAlive.expired())
        return;

    if (m_nDragItem == -1 && m_nHotItem != -1 && !(GetBarStyle() & SHBS_NOITEMDRAG) &&
        m_nDragCandidate == m_nHotItem)
    {
        int dx = point.x - m_ptMouseDown.x;
        int dy = point.y - m_ptMouseDown.y;
        if (abs(dx) + abs(dy) > kDragThreshold)
        {
            m_ptDragHotspot.x += dx;
            m_ptDragHotspot.y += dy;
            SetDragItem(m_nHotItem);
            if (pAlive.expired())
                return;
        }
    }
    if ((!IsLeftButtonDown() && !IsLeftButtonDownByMessages()) || m_nDragItem != -1)
        m_nDragCandidate = -1;

    RedrawItem(m_nHotItem);
    RedrawItem(nOldHot);
    if (m_bUpPressed && !m_rectUp.PtInRect(point))
        ::InvalidateRect(m_hWnd, &m_rectUp, FALSE);
    if (m_bDownPressed && !m_rectDown.PtInRect(point))
        ::InvalidateRect(m_hWnd, &m_rectDown, FALSE);

    if ((GetBarStyle() & SHBS_AUTOSCROLL) && m_nDragItem == -1)
    {
        if (nPart == SHBLC_ONUPBUTTON && !m_bUpPressed)
        {
            m_bAutoScroll = TRUE;
            StartAutoScroll(TRUE);
        }
        else if (nPart == SHBLC_ONDOWNBUTTON && !m_bDownPressed)
        {
            m_bAutoScroll = TRUE;
            StartAutoScroll(FALSE);
        }
        if (pAlive.expired())
            return;
    }
    if (m_bAutoScroll && ((m_bUpPressed && !m_rectUp.PtInRect(point)) || (m_bDownPressed && !m_rectDown.PtInRect(point))))
        StopAutoScroll();
}

void COXSHBListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAutoScrollTimer)
        AutoScrollStep();
    else if (nIDEvent == kHoverTimer)
    {
        if (!m_bDragOver)
            PostMessage(kMsgCheckHover);
    }
    else
        Default();
}

void COXSHBListCtrl::OnSize(UINT, int, int)
{
    Default();
    CalculateItemsRects();
    RedrawAll();
}

// The list view underneath keeps LVS_NOSCROLL: the items it places by its own rules would
// otherwise give it scroll bars over the layout of this class.
LRESULT COXSHBListCtrl::OnStyleChanging(WPARAM wParam, LPARAM lParam)
{
    if ((int)wParam == GWL_STYLE)
        ((STYLESTRUCT*)lParam)->styleNew |= LVS_NOSCROLL;
    return Default();
}

LRESULT COXSHBListCtrl::OnLayoutChanged(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    CalculateItemsRects();
    RedrawAll();
    return lResult;
}

// --- tips

INT_PTR COXSHBListCtrl::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    if (!(GetBarStyle() & SHBS_TOOLTIPS))
        return -1;
    int nPart = 0;
    int nItem = HitTest(point, &nPart, TRUE);
    if (nItem == -1 || nPart == SHBLC_ONITEMROW)
        return -1;
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)nItem + 1;
    pTI->rect = GetImageAndLabelRectClient(nItem);
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
    return nItem + 1;
}

BOOL COXSHBListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->hwndFrom != m_hWndToolTip || (pNMHDR->code != TTN_NEEDTEXTW && pNMHDR->code != TTN_NEEDTEXTA))
        return CListCtrl::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    if (pNMHDR->idFrom == 0)
        return TRUE;
    SHBINFOTIP tip = {};
    SendSHBNotification(SHBN_GETITEMINFOTIP, (int)pNMHDR->idFrom - 1, (LPARAM)&tip);
    tip.szText[79] = 0;
    FillToolTipText(pNMHDR, tip.lpszText, tip.szText, tip.hinst);
    return TRUE;
}

// --- label editing

COXSHBEdit* COXSHBListCtrl::EditLabel(int nItem)
{
    if (!(GetBarStyle() & SHBS_EDITITEMS) || !IsValidItem(nItem))
        return nullptr;
    // The owner may delete the list, or the item, as the running edit ends or as this one begins.
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (m_nEditItem != -1)
    {
        m_edit.FinishEdit(TRUE);
        if (pAlive.expired())
            return nullptr;
        m_nEditItem = -1;
        if (!IsValidItem(nItem))
            return nullptr;
    }
    CString strText = GetItemText(nItem, 0);
    if (SendSHBNotification(SHBN_BEGINITEMEDIT, nItem, (LPARAM)(const wchar_t*)strText) || pAlive.expired() ||
        !IsValidItem(nItem))
        return nullptr;
    CRect rectArea = GetVisibleArea();
    CRect rectLabel = GetLabelRectClient(nItem);
    if (m_arrRects[(size_t)nItem].rectLabel.IsRectEmpty())
    {
        CRect rectImage = m_arrRects[(size_t)nItem].rectImage;
        CRect rectItem = GetItemRectClient(nItem);
        rectLabel = CalcLabelRect(L" ", rectImage, rectItem.Width());
        rectLabel.OffsetRect(rectItem.left, rectItem.top);
    }
    if (rectLabel.IsRectEmpty() || !RectContains(rectArea, rectLabel))
        return nullptr;
    BOOL bLarge = GetView() == SHB_LARGEICON;
    if (!bLarge)
        rectLabel.OffsetRect(-2, 0);

    CFont font;
    SHBE_DISPLAY info = {};
    info.nMask = SHBEIF_TEXT | SHBEIF_RECTDISPLAY | SHBEIF_RECTMAX | SHBEIF_STYLE | SHBEIF_ENLARGE |
                 SHBEIF_SELRANGE | SHBEIF_FONT | SHBEIF_RECTMIN;
    info.lpText = strText;
    info.rectDisplay = rectLabel;
    info.bEnlargeAsTyping = TRUE;
    info.ptSelection = CPoint(0, -1);
    info.pFont = CreateLabelFont(font) ? &font : nullptr;
    info.rectMin = rectLabel;
    if (bLarge)
    {
        info.dwStyle = WS_BORDER | ES_MULTILINE | ES_CENTER | ES_AUTOVSCROLL;
        info.rectMax = CRect(rectArea.left, rectLabel.top, rectArea.right, rectArea.bottom);
        if (rectLabel.Width() < 10)
        {
            info.rectMin.left = (rectLabel.left + rectLabel.right - 10) / 2;
            info.rectMin.right = info.rectMin.left + 10;
            ::UnionRect(&info.rectMax, &info.rectMax, &info.rectMin);
        }
    }
    else
    {
        info.dwStyle = WS_BORDER | ES_AUTOHSCROLL;
        info.rectMax = CRect(rectLabel.left, rectLabel.top, rectArea.right, rectLabel.bottom);
        if (rectLabel.Width() < 10)
            info.rectMin.right = info.rectMin.left + 10;
        info.rectMax.right = std::max<int>(info.rectMax.right, info.rectMin.right);
    }
    if (!m_edit.StartEdit(&info))
        return nullptr;
    m_nEditItem = nItem;
    return &m_edit;
}

void COXSHBListCtrl::OnChangeItemText(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMSHBEDIT* pNotify = (const NMSHBEDIT*)pNMHDR;
    int nItem = m_nEditItem;
    m_nEditItem = -1;
    if (pNotify->bOK && IsValidItem(nItem))
    {
        CString strText = m_edit.GetWindowText();
        std::weak_ptr<BYTE> pAlive = m_pLife;
        if (!SendSHBNotification(SHBN_ENDITEMEDIT, nItem, (LPARAM)(const wchar_t*)strText) && !pAlive.expired())
            SetItemText(nItem, 0, strText);
    }
    *pResult = 0;
}

// --- messages from the bar

LRESULT COXSHBListCtrl::OnPopulateContextMenu(WPARAM, LPARAM lParam)
{
    const SHBCONTEXTMENU* pMenu = (const SHBCONTEXTMENU*)lParam;
    if (!pMenu || !pMenu->pMenu || !m_pBar || dynamic_cast<COXSHBListHost*>(pMenu->pBar) != m_pBar ||
        pMenu->hGroup != m_hGroup)
        return 0;
    CPoint point = pMenu->point;
    ScreenToClient(&point);
    int nPart = 0;
    int nItem = HitTest(point, &nPart);
    if (nItem == -1 || nPart == SHBLC_ONITEMROW || !(GetBarStyle() & SHBS_EDITITEMS))
        return 0;
    m_nLastContextItem = nItem;
    if (pMenu->pMenu->GetMenuItemCount() > 0)
        pMenu->pMenu->AppendMenu(MF_SEPARATOR);
    pMenu->pMenu->AppendMenu(MF_STRING, ID_SHB_RENAMEITEM, L"Rename Item");
    pMenu->pMenu->AppendMenu(MF_STRING, ID_SHB_REMOVEITEM, L"Remove Item");
    return 0;
}

LRESULT COXSHBListCtrl::OnAttachGroup(WPARAM, LPARAM lParam)
{
    COXSHBListHost* pBar = dynamic_cast<COXSHBListHost*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    if (!pBar)
        return 0;
    m_pBar = pBar;
    m_hGroup = (HSHBGROUP)lParam;
    CalculateItemsRects();
    RedrawAll();
    return 0;
}

LRESULT COXSHBListCtrl::OnGroupInfoChanged(WPARAM, LPARAM lParam)
{
    if (lParam & SHBGI_VIEW)
        m_ptOrigin = CPoint(0, 0);
    if (lParam & (SHBGI_VIEW | SHBGI_DESCRIPTOR))
    {
        CalculateItemsRects();
        RedrawAll();
    }
    return 0;
}

LRESULT COXSHBListCtrl::OnBarStyleChanged(WPARAM, LPARAM lParam)
{
    if (lParam & (0x01 | 0x20))
        CalculateScrollRects();
    if (lParam & 0x20)
        RedrawAll();
    return 0;
}

LRESULT COXSHBListCtrl::OnGroupDeleted(WPARAM, LPARAM)
{
    // No label edit may outlive its group.
    m_edit.FinishEdit(FALSE);
    return 0;
}

// --- list-view messages

LRESULT COXSHBListCtrl::OnGetBkColor(WPARAM, LPARAM)
{
    return m_pBar ? (LRESULT)m_pBar->GetGroupBkColor(m_hGroup) : Default();
}

LRESULT COXSHBListCtrl::OnSetBkColor(WPARAM, LPARAM lParam)
{
    if (!m_pBar)
        return Default();
    BOOL bSet = m_pBar->SetGroupBkColor(m_hGroup, (COLORREF)lParam);
    RedrawAll();
    return bSet;
}

LRESULT COXSHBListCtrl::OnGetTextColor(WPARAM, LPARAM)
{
    return m_pBar ? (LRESULT)m_pBar->GetGroupTextColor(m_hGroup) : Default();
}

LRESULT COXSHBListCtrl::OnSetTextColor(WPARAM, LPARAM lParam)
{
    if (!m_pBar)
        return Default();
    BOOL bSet = m_pBar->SetGroupTextColor(m_hGroup, (COLORREF)lParam);
    RedrawAll();
    return bSet;
}

LRESULT COXSHBListCtrl::OnGetTextBkColor(WPARAM, LPARAM)
{
    return m_pBar ? (LRESULT)m_pBar->GetGroupBkColor(m_hGroup) : Default();
}

LRESULT COXSHBListCtrl::OnSetTextBkColor(WPARAM, LPARAM)
{
    return m_pBar ? 0 : Default();
}

// The owner may delete the list in the notification of each of these: the message then reports
// that nothing was done, the items being gone with the list.

LRESULT COXSHBListCtrl::OnDeleteAllItems(WPARAM, LPARAM)
{
    std::weak_ptr<BYTE> pAlive = m_pLife;
    SendSHBNotification(SHBN_DELETEALLITEMS, -1, 0);
    if (pAlive.expired())
        return FALSE;
    m_edit.FinishEdit(FALSE);
    LRESULT lResult = Default();
    if (lResult)
    {
        m_ptOrigin = CPoint(0, 0);
        ResetIndexes();
        // A drag over the emptied list can still drop into it.
        if (m_nPlaceholder > 0)
            m_nPlaceholder = 0;
        CalculateItemsRects();
        RedrawAll();
    }
    return lResult;
}

LRESULT COXSHBListCtrl::OnDeleteItem(WPARAM wParam, LPARAM)
{
    int nItem = (int)wParam;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    SendSHBNotification(SHBN_DELETEITEM, nItem, 0);
    if (pAlive.expired())
        return FALSE;
    if (nItem == m_nEditItem)
        m_edit.FinishEdit(FALSE);
    LRESULT lResult = Default();
    if (lResult)
    {
        MoveIndexesOnDelete(nItem);
        CalculateItemsRects();
        if (GetTopIndex() == -1 && m_ptOrigin != CPoint(0, 0))
        {
            m_ptOrigin = CPoint(0, 0);
            CalculateScrollRects();
        }
        if (!m_bDragOver)
            RedrawAll();
    }
    return lResult;
}

LRESULT COXSHBListCtrl::OnInsertItem(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    int nIndex = (int)lResult;
    if (nIndex < 0)
        return lResult;
    MoveIndexesOnInsert(nIndex);
    CalculateItemsRects();
    const LVITEMW* pItem = (const LVITEMW*)lParam;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    SendSHBNotification(SHBN_INSERTITEM, pItem ? pItem->iItem : nIndex, lParam);
    if (pAlive.expired())
        return -1;
    if (!m_bDragOver)
        RedrawAll();
    return lResult;
}

LRESULT COXSHBListCtrl::OnSetItem(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (lResult)
    {
        CalculateItemsRects();
        RedrawAll();
    }
    return lResult;
}

LRESULT COXSHBListCtrl::OnSortItems(WPARAM, LPARAM)
{
    // The edit goes into the item it was begun on before the items move.
    std::weak_ptr<BYTE> pAlive = m_pLife;
    m_edit.FinishEdit(TRUE);
    if (pAlive.expired())
        return FALSE;
    LRESULT lResult = Default();
    if (lResult)
    {
        ResetIndexes();
        CalculateItemsRects();
        RedrawAll();
    }
    return lResult;
}

LRESULT COXSHBListCtrl::OnFindItem(WPARAM wParam, LPARAM lParam)
{
    const LVFINDINFOW* pInfo = (const LVFINDINFOW*)lParam;
    if (!pInfo || !(pInfo->flags & LVFI_NEARESTXY))
        return Default();
    return FindItemNearest(pInfo->pt, pInfo->vkDirection, (int)wParam, (pInfo->flags & LVFI_WRAP) != 0);
}

LRESULT COXSHBListCtrl::OnGetItemRect(WPARAM wParam, LPARAM lParam)
{
    RECT* pRect = (RECT*)lParam;
    int nItem = (int)wParam;
    if (!pRect || !IsValidItem(nItem))
        return FALSE;
    switch (pRect->left)
    {
    case LVIR_BOUNDS: *pRect = GetImageAndLabelRectClient(nItem); break;
    case LVIR_ICON: *pRect = GetImageRectClient(nItem); break;
    case LVIR_LABEL: *pRect = GetLabelRectClient(nItem); break;
    case -1: *pRect = GetItemRectClient(nItem); break;
    default: break;
    }
    return TRUE;
}

LRESULT COXSHBListCtrl::OnGetItemPosition(WPARAM wParam, LPARAM lParam)
{
    POINT* pPoint = (POINT*)lParam;
    if (!pPoint || !IsValidItem((int)wParam))
        return FALSE;
    *pPoint = GetItemRectClient((int)wParam).TopLeft();
    return TRUE;
}

LRESULT COXSHBListCtrl::OnGetOrigin(WPARAM, LPARAM lParam)
{
    if (!lParam)
        return FALSE;
    *(POINT*)lParam = m_ptOrigin;
    return TRUE;
}

LRESULT COXSHBListCtrl::OnGetViewRect(WPARAM, LPARAM lParam)
{
    if (!lParam)
        return FALSE;
    CRect rect;
    GetViewRect(rect, FALSE);
    *(RECT*)lParam = rect;
    return TRUE;
}

LRESULT COXSHBListCtrl::OnGetTopIndex(WPARAM, LPARAM)
{
    return GetTopIndex();
}

LRESULT COXSHBListCtrl::OnGetCountPerPage(WPARAM, LPARAM)
{
    return GetCountPerPage();
}

LRESULT COXSHBListCtrl::OnHitTestMsg(WPARAM, LPARAM lParam)
{
    LVHITTESTINFO* pInfo = (LVHITTESTINFO*)lParam;
    if (!pInfo)
        return -1;
    int nPart = 0;
    pInfo->iItem = HitTest(pInfo->pt, &nPart);
    pInfo->flags = (UINT)nPart;
    return pInfo->iItem;
}

LRESULT COXSHBListCtrl::OnEnsureVisibleMsg(WPARAM wParam, LPARAM lParam)
{
    return EnsureVisible((int)wParam, (BOOL)lParam);
}

LRESULT COXSHBListCtrl::OnScrollMsg(WPARAM wParam, LPARAM lParam)
{
    return Scroll(CSize((int)wParam, (int)lParam));
}

LRESULT COXSHBListCtrl::OnRedrawItems(WPARAM wParam, LPARAM lParam)
{
    for (int i = (int)wParam; i <= (int)lParam; i++)
    {
        if (!IsValidItem(i))
            return FALSE;
        RedrawItem(i);
    }
    return TRUE;
}

LRESULT COXSHBListCtrl::OnUpdateMsg(WPARAM wParam, LPARAM)
{
    RedrawItem((int)wParam);
    return TRUE;
}

LRESULT COXSHBListCtrl::OnGetHotItem(WPARAM, LPARAM)
{
    return m_nHotItem;
}

LRESULT COXSHBListCtrl::OnSetHotItemMsg(WPARAM wParam, LPARAM)
{
    std::weak_ptr<BYTE> pAlive = m_pLife;
    int nOld = SetHotItem((int)wParam);
    if (pAlive.expired())
        return nOld;
    RedrawItem(nOld);
    RedrawItem(m_nHotItem);
    return nOld;
}

LRESULT COXSHBListCtrl::OnCreateDragImageMsg(WPARAM wParam, LPARAM)
{
    CImageList* pImageList = CreateDragImage((int)wParam);
    if (!pImageList)
        return 0;
    HIMAGELIST hImageList = pImageList->Detach();
    delete pImageList;
    return (LRESULT)hImageList;
}

LRESULT COXSHBListCtrl::OnEditLabelMsg(WPARAM wParam, LPARAM)
{
    COXSHBEdit* pEdit = EditLabel((int)wParam);
    return pEdit ? (LRESULT)pEdit->m_hWnd : 0;
}

LRESULT COXSHBListCtrl::OnGetEditControl(WPARAM, LPARAM)
{
    return (LRESULT)m_edit.m_hWnd;
}
