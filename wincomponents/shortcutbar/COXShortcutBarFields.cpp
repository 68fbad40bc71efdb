// The group fields of the shortcut bar, with the defaults of groups that do not set them.
#include "wincomponents/shortcutbar/COXShortcutBar.h"

#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

CString COXShortcutBar::GetGroupText(HSHBGROUP hGroup) const
{
    const SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    if (!pInfo || !(pInfo->nMask & SHBGI_TEXT) || !pInfo->pszText)
        return CString();
    return CString(pInfo->pszText);
}

BOOL COXShortcutBar::SetGroupText(HSHBGROUP hGroup, const CString& strText)
{
    SHB_GROUPINFO info;
    info.nMask = SHBGI_TEXT;
    info.pszText = const_cast<wchar_t*>((const wchar_t*)strText);
    info.nTextMax = strText.GetLength();
    return SetGroupInfo(hGroup, &info);
}

int COXShortcutBar::GetGroupImage(HSHBGROUP hGroup) const
{
    const SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    return pInfo && pInfo->nMask & SHBGI_IMAGE ? pInfo->nImage : -1;
}

int COXShortcutBar::GetGroupImageExpanded(HSHBGROUP hGroup) const
{
    const SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    if (!pInfo)
        return -1;
    return pInfo->nMask & SHBGI_IMAGEEXPANDED ? pInfo->nImageExpanded : GetGroupImage(hGroup);
}

int COXShortcutBar::GetGroupOrder(HSHBGROUP hGroup) const
{
    const SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    return pInfo ? pInfo->nOrder : -1;
}

BOOL COXShortcutBar::SetGroupOrder(HSHBGROUP hGroup, int nOrder)
{
    SHB_GROUPINFO info;
    info.nMask = SHBGI_ORDER;
    info.nOrder = nOrder;
    return SetGroupInfo(hGroup, &info);
}

int COXShortcutBar::GetGroupView(HSHBGROUP hGroup) const
{
    const SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    if (!pInfo)
        return -1;
    return pInfo->nMask & SHBGI_VIEW ? pInfo->nView : SHB_LARGEICON;
}

BOOL COXShortcutBar::SetGroupView(HSHBGROUP hGroup, int nView)
{
    if (!VerifyView(nView))
        return FALSE;
    SHB_GROUPINFO info;
    info.nMask = SHBGI_VIEW;
    info.nView = nView;
    if (hGroup)
        return SetGroupInfo(hGroup, &info);
    BOOL bAll = TRUE;
    for (auto& entry : m_mapHandleToInfo)
        bAll = SetGroupInfo(entry.first, &info) && bAll;
    return bAll;
}

BOOL COXShortcutBar::SetGroupDescriptor(HSHBGROUP hGroup, const SHB_DESCRIPTOR* pDescriptor)
{
    SHB_GROUPINFO info;
    info.nMask = SHBGI_DESCRIPTOR;
    info.pDescriptor = const_cast<SHB_DESCRIPTOR*>(pDescriptor);
    BOOL bAll = TRUE;
    if (hGroup)
        bAll = SetGroupInfo(hGroup, &info);
    else
    {
        for (auto& entry : m_mapHandleToInfo)
            bAll = SetGroupInfo(entry.first, &info) && bAll;
    }
    if (m_hWnd)
        Invalidate();
    return bAll;
}

LPARAM COXShortcutBar::GetGroupData(HSHBGROUP hGroup) const
{
    const SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    return pInfo && pInfo->nMask & SHBGI_PARAM ? pInfo->lParam : 0;
}

HWND COXShortcutBar::GetGroupChildWnd(HSHBGROUP hGroup) const
{
    const SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    return pInfo && pInfo->nMask & SHBGI_CHILDWND ? pInfo->hwndChild : nullptr;
}

COXSHBListCtrl* COXShortcutBar::GetGroupListCtrl(HSHBGROUP hGroup) const
{
    auto it = m_mapHandleToListCtrl.find(hGroup);
    return it == m_mapHandleToListCtrl.end() ? nullptr : it->second;
}

HWND COXShortcutBar::GetGroupChildWndHandle(HSHBGROUP hGroup) const
{
    HWND hChild = GetGroupChildWnd(hGroup);
    if (hChild)
        return hChild;
    COXSHBListCtrl* pList = GetGroupListCtrl(hGroup);
    return pList ? pList->m_hWnd : nullptr;
}

// The group's descriptor when it sets that field, else null.
const SHB_DESCRIPTOR* COXShortcutBar::FindDescriptor(HSHBGROUP hGroup, UINT nField) const
{
    const SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    if (!pInfo || !(pInfo->nMask & SHBGI_DESCRIPTOR) || !pInfo->pDescriptor)
        return nullptr;
    return pInfo->pDescriptor->nMask & nField ? pInfo->pDescriptor : nullptr;
}

COLORREF COXShortcutBar::DescriptorColor(HSHBGROUP hGroup, UINT nField, COLORREF SHB_DESCRIPTOR::*pColor,
                                         int nSysColor) const
{
    if (!FindInfo(hGroup))
        return (COLORREF)-1;
    const SHB_DESCRIPTOR* pDescriptor = FindDescriptor(hGroup, nField);
    return pDescriptor ? pDescriptor->*pColor : ::GetSysColor(nSysColor);
}

COLORREF COXShortcutBar::GetGroupBkColor(HSHBGROUP hGroup) const
{
    return DescriptorColor(hGroup, SHBD_CLRBACK, &SHB_DESCRIPTOR::clrBackground, COLOR_BTNSHADOW);
}

BOOL COXShortcutBar::SetGroupBkColor(HSHBGROUP hGroup, COLORREF crColor)
{
    SHB_DESCRIPTOR descriptor = {};
    descriptor.nMask = SHBD_CLRBACK;
    descriptor.clrBackground = crColor;
    return SetGroupDescriptor(hGroup, &descriptor);
}

COLORREF COXShortcutBar::GetGroupTextColor(HSHBGROUP hGroup) const
{
    return DescriptorColor(hGroup, SHBD_CLRTEXT, &SHB_DESCRIPTOR::clrText, COLOR_CAPTIONTEXT);
}

BOOL COXShortcutBar::SetGroupTextColor(HSHBGROUP hGroup, COLORREF crColor)
{
    SHB_DESCRIPTOR descriptor = {};
    descriptor.nMask = SHBD_CLRTEXT;
    descriptor.clrText = crColor;
    return SetGroupDescriptor(hGroup, &descriptor);
}

COLORREF COXShortcutBar::GetGroupHeaderBkColor(HSHBGROUP hGroup) const
{
    return DescriptorColor(hGroup, SHBD_CLRHEADERBACK, &SHB_DESCRIPTOR::clrHeaderBackground, COLOR_BTNFACE);
}

COLORREF COXShortcutBar::GetGroupHeaderTextColor(HSHBGROUP hGroup) const
{
    return DescriptorColor(hGroup, SHBD_CLRHEADERTEXT, &SHB_DESCRIPTOR::clrHeaderText, COLOR_BTNTEXT);
}

UINT COXShortcutBar::GetGroupHeaderTextFormat(HSHBGROUP hGroup) const
{
    if (!FindInfo(hGroup))
        return 0;
    const SHB_DESCRIPTOR* pDescriptor = FindDescriptor(hGroup, SHBD_HEADERFORMAT);
    return pDescriptor ? pDescriptor->nHeaderTextFormat : SHB_DEFAULTHEADERFORMAT;
}

const LOGFONTW* COXShortcutBar::GetGroupTextFont(HSHBGROUP hGroup)
{
    if (!FindInfo(hGroup))
        return nullptr;
    const SHB_DESCRIPTOR* pDescriptor = FindDescriptor(hGroup, SHBD_TEXTFONT);
    if (pDescriptor)
        return &pDescriptor->lfText;
    HWND hChild = GetGroupChildWndHandle(hGroup);
    HFONT hFont = hChild ? (HFONT)::SendMessageW(hChild, WM_GETFONT, 0, 0) : nullptr;
    if (!hFont && m_hWnd)
        hFont = GetFontHandle();
    if (!hFont || !::GetObjectW(hFont, sizeof m_lfShared, &m_lfShared))
        return nullptr;
    return &m_lfShared;
}

const LOGFONTW* COXShortcutBar::GetGroupHeaderTextFont(HSHBGROUP hGroup) const
{
    if (!FindInfo(hGroup))
        return nullptr;
    const SHB_DESCRIPTOR* pDescriptor = FindDescriptor(hGroup, SHBD_HEADERFONT);
    if (pDescriptor)
        return &pDescriptor->lfHeader;
    if (!m_font.GetSafeHandle() || !m_font.GetLogFont(&m_lfShared))
        return nullptr;
    return &m_lfShared;
}

int COXShortcutBar::GetGroupHeaderHeight(HSHBGROUP hGroup) const
{
    if (!FindInfo(hGroup))
        return -1;
    const SHB_DESCRIPTOR* pDescriptor = FindDescriptor(hGroup, SHBD_HEADERHEIGHT);
    return pDescriptor ? pDescriptor->nHeaderHeight : SHB_DEFAULTHEADERHEIGHT;
}

BOOL COXShortcutBar::SetGroupHeaderHeight(HSHBGROUP hGroup, int nHeight)
{
    SHB_DESCRIPTOR descriptor = {};
    descriptor.nMask = SHBD_HEADERHEIGHT;
    descriptor.nHeaderHeight = nHeight;
    return SetGroupDescriptor(hGroup, &descriptor);
}

BOOL COXShortcutBar::GetGroupHeaderRect(HSHBGROUP hGroup, LPRECT lpRect) const
{
    auto it = m_mapHandleToBoundRect.find(hGroup);
    if (it == m_mapHandleToBoundRect.end() || !lpRect)
        return FALSE;
    *lpRect = it->second;
    return TRUE;
}

// --- items of a group's own list control

HIMAGELIST COXShortcutBar::SetLCImageList(HSHBGROUP hGroup, HIMAGELIST hImageList, int nImageList)
{
    COXSHBListCtrl* pList = GetGroupListCtrl(hGroup);
    if (!pList || !pList->m_hWnd)
        return nullptr;
    return (HIMAGELIST)pList->SendMessage(LVM_SETIMAGELIST, (WPARAM)nImageList, (LPARAM)hImageList);
}

int COXShortcutBar::InsertLCItem(HSHBGROUP hGroup, const LVITEMW* pItem)
{
    COXSHBListCtrl* pList = GetGroupListCtrl(hGroup);
    if (!pList || !pList->m_hWnd || !pItem)
        return -1;
    return (int)pList->SendMessage(LVM_INSERTITEMW, 0, (LPARAM)pItem);
}

BOOL COXShortcutBar::DeleteLCItem(HSHBGROUP hGroup, int nItem)
{
    COXSHBListCtrl* pList = GetGroupListCtrl(hGroup);
    if (!pList || !pList->m_hWnd)
        return FALSE;
    return (BOOL)pList->SendMessage(LVM_DELETEITEM, (WPARAM)nItem);
}
