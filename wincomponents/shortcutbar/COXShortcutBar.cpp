#include "wincomponents/shortcutbar/COXShortcutBar.h"

#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

#include "framework/gdi/CDC.h"

#include <cwchar>
#include <new>
#include <vector>

IMPLEMENT_DYNCREATE(COXShortcutBar, CWnd)

namespace
{
const wchar_t kClassName[] = L"OXShortcutBar";
const UINT kListStyle = LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_NOSCROLL;

// CopyGroupInfo flags.
const UINT kCopyClear = 1;
const UINT kCopyNew = 2;
const UINT kCopyUpdate = 4;

BOOL RegisterBarClass()
{
    WNDCLASSW wc = {};
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    if (GetClassInfoW(hInstance, kClassName, &wc))
        return TRUE;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW; // the object takes the window over as it is created
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc) != 0;
}

void CopyLogFont(LOGFONTW& dest, const LOGFONTW& source)
{
    dest = source;
    dest.lfFaceName[LF_FACESIZE - 1] = L'\0';
}
} // namespace

COXShortcutBar::COXShortcutBar()
    : m_dwBarStyle(0), m_sizeScrollButton(16, 16), m_nScrollingDelay(200), m_nAutoScrollingDelay(400),
      m_nAutoExpandDelay(800), m_nGroupMargin(0), m_rectChildWndMargins(5, 5, 5, 5), m_pImageList(nullptr),
      m_hDropTargetGroup(0), m_hExpandedGroup(0), m_hEditGroup(0), m_hContextGroup(0), m_hDragGroup(0),
      m_nSortOrder(0), m_nLastHandle(0), m_hDragImage(nullptr), m_nPressTimer(0), m_hPressedGroup(0),
      m_nHoverTimer(0), m_hHoverGroup(0), m_pRegisteredDropTarget(nullptr), m_bCreating(FALSE), m_lfShared()
{
}

COXShortcutBar::~COXShortcutBar()
{
    if (m_hWnd)
        DeleteAllGroups();
    // Groups a vetoing parent kept, and those of a bar without a window.
    for (auto& entry : m_mapHandleToInfo)
        delete entry.second;
    m_mapHandleToInfo.clear();
    for (auto& entry : m_mapHandleToListCtrl)
    {
        if (entry.second->m_hWnd)
            entry.second->DestroyWindow();
        delete entry.second;
    }
    for (SHB_DESCRIPTOR* pDescriptor : m_mapDescriptors)
        delete pDescriptor;
    if (m_hDragImage)
        ImageList_Destroy(m_hDragImage);
    if (m_hWnd)
        DestroyWindow();
}

// --- creation and style

BOOL COXShortcutBar::Create(CWnd* pParentWnd, const RECT& rect, DWORD dwBarStyle, UINT nID, DWORD dwStyle,
                            DWORD dwExStyle)
{
    if (!RegisterBarClass())
        return FALSE;
    m_bCreating = TRUE;
    BOOL bCreated = CreateEx(dwExStyle, kClassName, L"", dwStyle | WS_CHILD, rect, pParentWnd, nID);
    m_bCreating = FALSE;
    if (!bCreated || !SetBarStyle(dwBarStyle))
        return FALSE;
    if (!m_font.GetSafeHandle())
    {
        HDC hDC = ::GetDC(m_hWnd);
        int nHeight = -MulDiv(8, GetDeviceCaps(hDC, LOGPIXELSY), 72);
        ::ReleaseDC(m_hWnd, hDC);
        if (!m_font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Sans Serif"))
            return FALSE;
    }
    return InitShortcutBar();
}

BOOL COXShortcutBar::InitShortcutBar()
{
    if (!CreateEditControl())
        return FALSE;
    EnableToolTips(TRUE);
    // Without OLE on this thread the bar only takes no drags.
    COleDropTarget* pDropTarget = GetDropTarget();
    if (pDropTarget && pDropTarget->Register(this))
        m_pRegisteredDropTarget = pDropTarget;
    return TRUE;
}

void COXShortcutBar::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_bCreating)
        return;
    m_dwBarStyle = SHBS_SUBCLASSDEFAULT;
    InitShortcutBar();
}

BOOL COXShortcutBar::SetBarStyle(DWORD dwBarStyle)
{
    if (!VerifyBarStyle(dwBarStyle))
        return FALSE;
    m_dwBarStyle = dwBarStyle;
    if (m_hWnd)
        SendMessageToDescendants(SHBM_BARSTYLECHANGED, 0, 0x20);
    return TRUE;
}

void COXShortcutBar::SetImageList(CImageList* pImageList)
{
    m_pImageList = pImageList;
    if (m_hWnd)
        Invalidate();
}

// --- groups

HSHBGROUP COXShortcutBar::GetUniqueGroupHandle()
{
    return (HSHBGROUP)++m_nLastHandle;
}

SHB_GROUPINFO* COXShortcutBar::FindInfo(HSHBGROUP hGroup) const
{
    auto it = m_mapHandleToInfo.find(hGroup);
    return it == m_mapHandleToInfo.end() ? nullptr : it->second;
}

HSHBGROUP COXShortcutBar::InsertGroup(const SHB_GROUPINFO* pGroupInfo)
{
    if (!pGroupInfo || Notify(SHBN_INSERTGROUP, 0, (LPARAM)pGroupInfo) != 0 || !VerifyGroupInfo(pGroupInfo))
        return 0;
    SHB_GROUPINFO* pInfo = new (std::nothrow) SHB_GROUPINFO;
    if (!pInfo)
        return 0;
    if (!CopyGroupInfo(pInfo, pGroupInfo, kCopyClear | kCopyNew))
    {
        FreeGroupInfo(pInfo);
        return 0;
    }
    HSHBGROUP hGroup = GetUniqueGroupHandle();
    pInfo->nOrder = PlaceNewGroup(pGroupInfo);
    pInfo->nMask |= SHBGI_ORDER;
    m_mapHandleToInfo[hGroup] = pInfo;
    if (pGroupInfo->nMask & SHBGI_ORDER && pGroupInfo->nOrder == SHBGI_SORT)
        SortGroupsByText(1);
    if (!AttachChild(hGroup))
    {
        ShiftGroupOrders(pInfo->nOrder + 1, -1, -1);
        m_mapHandleToInfo.erase(hGroup);
        FreeGroupInfo(pInfo);
        return 0;
    }
    CalculateBoundRects();
    return hGroup;
}

// The order a new group takes; the groups at and below it make room.
int COXShortcutBar::PlaceNewGroup(const SHB_GROUPINFO* pGroupInfo)
{
    int nCount = GetGroupCount();
    if (!(pGroupInfo->nMask & SHBGI_ORDER) || pGroupInfo->nOrder == SHBGI_LAST || pGroupInfo->nOrder == SHBGI_SORT)
        return nCount;
    int nOrder = pGroupInfo->nOrder == SHBGI_FIRST ? 0 : pGroupInfo->nOrder;
    ShiftGroupOrders(nOrder, -1, 1);
    return nOrder;
}

// The owner's window learns its group; a group without one gets a list control.
BOOL COXShortcutBar::AttachChild(HSHBGROUP hGroup)
{
    SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    if (pInfo->nMask & SHBGI_CHILDWND)
    {
        ::SendMessageW(pInfo->hwndChild, SHBM_ATTACHGROUP, 0, (LPARAM)hGroup);
        return TRUE;
    }
    COXSHBListCtrl* pList = new (std::nothrow) COXSHBListCtrl;
    if (!pList)
        return FALSE;
    m_mapHandleToListCtrl[hGroup] = pList;
    if (CreateGroupListCtrl(hGroup))
        return TRUE;
    DestroyListCtrl(hGroup);
    return FALSE;
}

BOOL COXShortcutBar::CreateGroupListCtrl(HSHBGROUP hGroup)
{
    auto it = m_mapHandleToListCtrl.find(hGroup);
    if (!FindInfo(hGroup) || it == m_mapHandleToListCtrl.end())
        return FALSE;
    COXSHBListCtrl* pList = it->second;
    if (pList->m_hWnd)
        pList->DestroyWindow();
    if (!pList->Create(WS_CHILD | kListStyle, CRect(), this, (UINT)hGroup))
        return FALSE;
    pList->SendMessage(SHBM_ATTACHGROUP, 0, (LPARAM)hGroup);
    return TRUE;
}

void COXShortcutBar::DestroyListCtrl(HSHBGROUP hGroup)
{
    auto it = m_mapHandleToListCtrl.find(hGroup);
    if (it == m_mapHandleToListCtrl.end())
        return;
    COXSHBListCtrl* pList = it->second;
    m_mapHandleToListCtrl.erase(it);
    if (pList->m_hWnd)
        pList->DestroyWindow();
    delete pList;
}

void COXShortcutBar::FreeGroupInfo(SHB_GROUPINFO* pInfo)
{
    SHB_DESCRIPTOR* pDescriptor = pInfo->pDescriptor;
    pInfo->pDescriptor = nullptr;
    ReleaseDescriptor(pDescriptor);
    delete pInfo;
}

// Empties a record of the bar; a group keeps its place, as orders never have gaps.
void COXShortcutBar::ClearGroupInfo(SHB_GROUPINFO* pInfo)
{
    if (pInfo->bOwnText)
        delete[] pInfo->pszText;
    SHB_DESCRIPTOR* pDescriptor = pInfo->pDescriptor;
    UINT nOrderBit = pInfo->nMask & SHBGI_ORDER;
    pInfo->pszText = nullptr;
    pInfo->nTextMax = 0;
    pInfo->nImage = -1;
    pInfo->nImageExpanded = -1;
    pInfo->lParam = 0;
    pInfo->nView = 0;
    pInfo->pDescriptor = nullptr;
    pInfo->hwndChild = nullptr;
    pInfo->nMask = nOrderBit;
    pInfo->bOwnText = FALSE;
    ReleaseDescriptor(pDescriptor);
}

BOOL COXShortcutBar::DeleteGroup(HSHBGROUP hGroup)
{
    if (Notify(SHBN_DELETEGROUP, hGroup, 0) != 0)
        return FALSE;
    SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    if (!pInfo)
        return FALSE;
    ShiftGroupOrders(pInfo->nOrder + 1, -1, -1);
    int nOrder = pInfo->nOrder;
    HWND hChild = GetGroupChildWndHandle(hGroup);
    if (hChild)
    {
        ::ShowWindow(hChild, SW_HIDE);
        ::SendMessageW(hChild, SHBM_GROUPDELETED, 0, 0);
    }
    m_mapHandleToInfo.erase(hGroup);
    m_mapHandleToBoundRect.erase(hGroup);
    FreeGroupInfo(pInfo);
    if (m_hEditGroup == hGroup)
    {
        // Its header is gone: the text typed so far has nowhere to go.
        m_hEditGroup = 0;
        m_edit.FinishEdit(FALSE);
    }
    if (m_hHoverGroup == hGroup)
        StopHover();
    if (m_hPressedGroup == hGroup)
        m_hPressedGroup = 0;
    if (m_hContextGroup == hGroup)
        m_hContextGroup = 0;
    if (m_hExpandedGroup == hGroup)
    {
        m_hExpandedGroup = 0;
        if (GetGroupCount() > 0)
        {
            HSHBGROUP hNext = FindGroupByOrder(nOrder < GetGroupCount() ? nOrder : 0);
            ExpandGroup(hNext);
        }
        if (!m_hExpandedGroup)
        {
            CalculateBoundRects();
            RedrawNow();
        }
    }
    else
        RecalcAndShowExpanded();
    DestroyListCtrl(hGroup);
    return TRUE;
}

BOOL COXShortcutBar::DeleteAllGroups()
{
    std::vector<HSHBGROUP> arrGroups;
    for (auto& entry : m_mapHandleToInfo)
        arrGroups.push_back(entry.first);
    BOOL bAll = TRUE;
    for (HSHBGROUP hGroup : arrGroups)
        bAll = DeleteGroup(hGroup) && bAll;
    return bAll;
}

void COXShortcutBar::RecalcAndShowExpanded()
{
    CalculateBoundRects();
    if (m_hExpandedGroup)
        ShowGroupChildWnd(m_hExpandedGroup, TRUE);
    RedrawNow();
}

void COXShortcutBar::RedrawNow()
{
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void COXShortcutBar::ShiftGroupOrders(int nFrom, int nTo, int nDelta)
{
    for (auto& entry : m_mapHandleToInfo)
    {
        int nOrder = entry.second->nOrder;
        if (nOrder >= nFrom && (nTo < 0 || nOrder <= nTo))
            entry.second->nOrder += nDelta;
    }
}

BOOL COXShortcutBar::SetGroupInfo(HSHBGROUP hGroup, const SHB_GROUPINFO* pGroupInfo, BOOL bReplace)
{
    SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    if (!pInfo || !pGroupInfo)
        return FALSE;
    HWND hOldChild = pInfo->hwndChild;
    HWND hOldShown = GetGroupChildWndHandle(hGroup);
    if (!CopyGroupInfo(pInfo, pGroupInfo, bReplace ? kCopyClear | kCopyUpdate : kCopyUpdate))
        return FALSE;
    UINT nMask = pGroupInfo->nMask;
    if (nMask & (SHBGI_ORDER | SHBGI_DESCRIPTOR))
        CalculateBoundRects();
    if (pInfo->hwndChild != hOldChild)
        SwitchChildWnd(hGroup, hOldShown);
    HWND hChild = GetGroupChildWndHandle(hGroup);
    if (hChild)
        ::SendMessageW(hChild, SHBM_GROUPINFOCHANGED, 0, (LPARAM)nMask);
    return TRUE;
}

// A group given its own window, or losing it, shows the new one in place of the old; without
// a window of its own it has (or gets) a list control.
void COXShortcutBar::SwitchChildWnd(HSHBGROUP hGroup, HWND hOldShown)
{
    if (GetGroupChildWnd(hGroup) || !GetGroupListCtrl(hGroup))
        AttachChild(hGroup);
    HWND hShown = GetGroupChildWndHandle(hGroup);
    if (hOldShown && hOldShown != hShown)
        ::ShowWindow(hOldShown, SW_HIDE);
    if (hGroup == m_hExpandedGroup)
        ShowGroupChildWnd(hGroup, TRUE);
}

BOOL COXShortcutBar::CopyGroupInfo(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, UINT nFlags)
{
    if (nFlags & kCopyClear)
        ClearGroupInfo(pDest);
    UINT nFields = (nFlags & (kCopyUpdate | kCopyClear)) ? pSource->nMask : pDest->nMask;
    if (nFields & SHBGI_TEXT && !CopyText(pDest, pSource))
        return FALSE;
    if (!CopyImages(pDest, pSource, nFields))
        return FALSE;
    if (nFields & SHBGI_PARAM)
    {
        pDest->lParam = pSource->lParam;
        pDest->nMask |= SHBGI_PARAM;
    }
    if (nFields & SHBGI_ORDER && !CopyOrder(pDest, pSource, nFlags))
        return FALSE;
    if (nFields & SHBGI_VIEW)
    {
        if (!VerifyView(pSource->nView))
            return FALSE;
        pDest->nView = pSource->nView;
        pDest->nMask |= SHBGI_VIEW;
    }
    if (nFields & SHBGI_CHILDWND)
    {
        if (pSource->hwndChild && !VerifyChildWnd(pSource->hwndChild))
            return FALSE;
        pDest->hwndChild = pSource->hwndChild;
        pDest->nMask = pSource->hwndChild ? pDest->nMask | SHBGI_CHILDWND : pDest->nMask & ~SHBGI_CHILDWND;
    }
    return !(nFields & SHBGI_DESCRIPTOR) || CopyDescriptor(pDest, pSource);
}

// The header text is kept terminated, so that it can be handed on and drawn as a string; a
// source shorter than nTextMax ends at its own terminator.
BOOL COXShortcutBar::CopyText(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource)
{
    int nLength = pSource->pszText && pSource->nTextMax > 0 ? (int)wcsnlen(pSource->pszText, pSource->nTextMax) : 0;
    wchar_t* pszText = nullptr;
    if (nLength > 0)
    {
        pszText = new (std::nothrow) wchar_t[nLength + 1];
        if (!pszText)
            return FALSE;
        wmemcpy(pszText, pSource->pszText, nLength);
        pszText[nLength] = L'\0';
    }
    if (pDest->bOwnText)
        delete[] pDest->pszText;
    pDest->pszText = pszText;
    pDest->nTextMax = nLength;
    pDest->bOwnText = TRUE;
    pDest->nMask |= SHBGI_TEXT;
    return TRUE;
}

BOOL COXShortcutBar::CopyImages(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, UINT nFields)
{
    const struct
    {
        UINT nBit;
        int SHB_GROUPINFO::*pField;
    } images[] = {{SHBGI_IMAGE, &SHB_GROUPINFO::nImage}, {SHBGI_IMAGEEXPANDED, &SHB_GROUPINFO::nImageExpanded}};
    for (const auto& image : images)
    {
        if (!(nFields & image.nBit))
            continue;
        int nImage = pSource->*image.pField;
        if (nImage >= 0 && !VerifyImage(nImage))
            return FALSE;
        pDest->*image.pField = nImage < 0 ? -1 : nImage;
        pDest->nMask = nImage < 0 ? pDest->nMask & ~image.nBit : pDest->nMask | image.nBit;
    }
    return TRUE;
}

// A group given the place of another exchanges places with it.
BOOL COXShortcutBar::CopyOrder(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, UINT nFlags)
{
    if (!VerifyOrder(pSource->nOrder))
        return FALSE;
    pDest->nMask |= SHBGI_ORDER;
    if (nFlags & kCopyNew)
        return TRUE;
    int nOrder = pSource->nOrder;
    if (nOrder == SHBGI_FIRST)
        nOrder = 0;
    else if (nOrder < 0)
        nOrder = GetGroupCount() - 1;
    if (nOrder == pDest->nOrder)
        return TRUE;
    HSHBGROUP hOther = FindGroupByOrder(nOrder);
    if (hOther)
        FindInfo(hOther)->nOrder = pDest->nOrder;
    pDest->nOrder = nOrder;
    return TRUE;
}

BOOL COXShortcutBar::CopyDescriptor(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource)
{
    const SHB_DESCRIPTOR* pFrom = pSource->pDescriptor;
    if (!pFrom)
    {
        SHB_DESCRIPTOR* pOld = pDest->pDescriptor;
        pDest->pDescriptor = nullptr;
        pDest->nMask &= ~SHBGI_DESCRIPTOR;
        ReleaseDescriptor(pOld);
        return TRUE;
    }
    if (!pDest->pDescriptor)
        pDest->pDescriptor = AddDescriptor();
    SHB_DESCRIPTOR* pTo = pDest->pDescriptor;
    if (!pTo)
        return FALSE;
    UINT nMask = pFrom->nMask;
    if (nMask & SHBD_CLRBACK)
        pTo->clrBackground = pFrom->clrBackground;
    if (nMask & SHBD_CLRTEXT)
        pTo->clrText = pFrom->clrText;
    if (nMask & SHBD_CLRHEADERBACK)
        pTo->clrHeaderBackground = pFrom->clrHeaderBackground;
    if (nMask & SHBD_CLRHEADERTEXT)
        pTo->clrHeaderText = pFrom->clrHeaderText;
    if (nMask & SHBD_HEADERFORMAT)
        pTo->nHeaderTextFormat = pFrom->nHeaderTextFormat;
    if (nMask & SHBD_TEXTFONT)
        CopyLogFont(pTo->lfText, pFrom->lfText);
    if (nMask & SHBD_HEADERFONT)
        CopyLogFont(pTo->lfHeader, pFrom->lfHeader);
    if (nMask & SHBD_HEADERHEIGHT)
        pTo->nHeaderHeight = pFrom->nHeaderHeight;
    pTo->nMask |= nMask;
    pDest->nMask |= SHBGI_DESCRIPTOR;
    return TRUE;
}

SHB_DESCRIPTOR* COXShortcutBar::AddDescriptor()
{
    SHB_DESCRIPTOR* pDescriptor = new (std::nothrow) SHB_DESCRIPTOR();
    if (pDescriptor)
        m_mapDescriptors.insert(pDescriptor);
    return pDescriptor;
}

// Frees a descriptor that no group uses any more.
void COXShortcutBar::ReleaseDescriptor(SHB_DESCRIPTOR* pDescriptor)
{
    if (!pDescriptor)
        return;
    SHB_GROUPINFO pattern;
    pattern.nMask = SHBGI_DESCRIPTOR;
    pattern.pDescriptor = pDescriptor;
    if (FindGroup(&pattern))
        return;
    m_mapDescriptors.erase(pDescriptor);
    delete pDescriptor;
}

HSHBGROUP COXShortcutBar::FindGroup(const SHB_GROUPINFO* pPattern) const
{
    for (auto& entry : m_mapHandleToInfo)
    {
        if (CompareGroups(pPattern, entry.second))
            return entry.first;
    }
    return 0;
}

HSHBGROUP COXShortcutBar::FindGroupByOrder(int nOrder) const
{
    for (auto& entry : m_mapHandleToInfo)
    {
        if (entry.second->nOrder == nOrder)
            return entry.first;
    }
    return 0;
}

BOOL COXShortcutBar::CompareGroups(const SHB_GROUPINFO* pPattern, const SHB_GROUPINFO* pGroupInfo) const
{
    UINT nMask = pPattern->nMask;
    if (!VerifyMask(nMask) || (pGroupInfo->nMask & nMask) != nMask)
        return FALSE;
    if (nMask & SHBGI_TEXT)
    {
        int nLength = pPattern->pszText ? (int)wcsnlen(pPattern->pszText, pPattern->nTextMax > 0 ? pPattern->nTextMax : 0) : 0;
        if (nLength != pGroupInfo->nTextMax || wmemcmp(pPattern->pszText, pGroupInfo->pszText, nLength) != 0)
            return FALSE;
    }
    return (!(nMask & SHBGI_IMAGE) || pPattern->nImage == pGroupInfo->nImage) &&
           (!(nMask & SHBGI_IMAGEEXPANDED) || pPattern->nImageExpanded == pGroupInfo->nImageExpanded) &&
           (!(nMask & SHBGI_PARAM) || pPattern->lParam == pGroupInfo->lParam) &&
           (!(nMask & SHBGI_ORDER) || pPattern->nOrder == pGroupInfo->nOrder) &&
           (!(nMask & SHBGI_VIEW) || pPattern->nView == pGroupInfo->nView) &&
           (!(nMask & SHBGI_DESCRIPTOR) || pPattern->pDescriptor == pGroupInfo->pDescriptor) &&
           (!(nMask & SHBGI_CHILDWND) || pPattern->hwndChild == pGroupInfo->hwndChild);
}

BOOL COXShortcutBar::SortGroups(PFNSHBCOMPARE pfnCompare, LPARAM lParamSort, int nDirection)
{
    m_nSortOrder = nDirection;
    int nCount = GetGroupCount();
    if (nCount < 2 || nDirection == 0)
        return TRUE;
    BOOL bExchanged = TRUE;
    while (bExchanged)
    {
        bExchanged = FALSE;
        for (int i = 0; i < nCount - 1; i++)
        {
            HSHBGROUP hFirst = FindGroupByOrder(i);
            HSHBGROUP hSecond = FindGroupByOrder(i + 1);
            if (nDirection * pfnCompare(hFirst, hSecond, lParamSort) > 0)
            {
                FindInfo(hFirst)->nOrder = i + 1;
                FindInfo(hSecond)->nOrder = i;
                bExchanged = TRUE;
            }
        }
    }
    CalculateBoundRects();
    return TRUE;
}

namespace
{
int CALLBACK CompareGroupText(HSHBGROUP hGroup1, HSHBGROUP hGroup2, LPARAM lParamSort)
{
    const COXShortcutBar* pBar = (const COXShortcutBar*)lParamSort;
    return _wcsicmp(pBar->GetGroupText(hGroup1), pBar->GetGroupText(hGroup2));
}
} // namespace

BOOL COXShortcutBar::SortGroupsByText(int nDirection)
{
    return SortGroups(CompareGroupText, (LPARAM)this, nDirection);
}

// --- checks

BOOL COXShortcutBar::VerifyImage(int nImage) const
{
    return m_pImageList && m_pImageList->GetSafeHandle() && nImage >= 0 && nImage < m_pImageList->GetImageCount();
}

BOOL COXShortcutBar::VerifyOrder(int nOrder) const
{
    return nOrder == SHBGI_FIRST || nOrder == SHBGI_LAST || nOrder == SHBGI_SORT ||
           (nOrder >= 0 && nOrder < GetGroupCount());
}

BOOL COXShortcutBar::VerifyChildWnd(HWND hWnd) const
{
    return ::IsWindow(hWnd) && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) && ::GetParent(hWnd) == m_hWnd;
}

BOOL COXShortcutBar::VerifyGroupInfo(const SHB_GROUPINFO* pGroupInfo) const
{
    UINT nMask = pGroupInfo->nMask;
    return VerifyMask(nMask) && (!(nMask & SHBGI_IMAGE) || pGroupInfo->nImage < 0 || VerifyImage(pGroupInfo->nImage)) &&
           (!(nMask & SHBGI_IMAGEEXPANDED) || pGroupInfo->nImageExpanded < 0 ||
            VerifyImage(pGroupInfo->nImageExpanded)) &&
           (!(nMask & SHBGI_ORDER) || VerifyOrder(pGroupInfo->nOrder)) &&
           (!(nMask & SHBGI_VIEW) || VerifyView(pGroupInfo->nView)) &&
           (!(nMask & SHBGI_CHILDWND) || !pGroupInfo->hwndChild || VerifyChildWnd(pGroupInfo->hwndChild));
}
