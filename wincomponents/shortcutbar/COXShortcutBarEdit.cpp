// Editing in the shortcut bar: header texts in place, and the item commands of the group lists.
#include "wincomponents/shortcutbar/COXShortcutBar.h"

#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

namespace
{
const UINT kHeaderEditMask = SHBEIF_TEXT | SHBEIF_RECTDISPLAY | SHBEIF_STYLE | SHBEIF_SELRANGE | SHBEIF_FONT;
} // namespace

BOOL COXShortcutBar::CreateEditControl()
{
    if (m_edit.m_hWnd)
        return TRUE;
    return m_edit.Create(WS_BORDER, CRect(), this, SHB_IDCEDIT);
}

COXSHBEdit* COXShortcutBar::EditGroupHeader(HSHBGROUP hGroup)
{
    if (!(m_dwBarStyle & SHBS_EDITHEADERS))
        return nullptr;
    if (m_hEditGroup)
    {
        m_edit.FinishEdit(TRUE);
        m_hEditGroup = 0;
    }
    const SHB_GROUPINFO* pInfo = FindInfo(hGroup);
    if (!pInfo)
        return nullptr;
    const wchar_t* pszText = pInfo->pszText ? pInfo->pszText : L"";
    if (Notify(SHBN_BEGINHEADEREDIT, hGroup, (LPARAM)pszText) != 0)
        return nullptr;
    CRect rect, rectClient, rectInside;
    GetClientRect(&rectClient);
    if (!GetGroupHeaderRect(hGroup, &rect) || rect.IsRectEmpty() ||
        !::IntersectRect(&rectInside, &rect, &rectClient) || rectInside != rect)
        return nullptr;
    CFont font;
    const LOGFONTW* pFont = GetGroupHeaderTextFont(hGroup);
    if (pFont)
        font.CreateFontIndirect(pFont);
    SHBE_DISPLAY display = {};
    display.nMask = kHeaderEditMask;
    display.lpText = pszText;
    display.rectDisplay = rect;
    display.dwStyle = WS_BORDER | ES_AUTOHSCROLL;
    display.bEnlargeAsTyping = -1;
    display.ptSelection = CPoint(0, -1);
    display.pFont = font.GetSafeHandle() ? &font : nullptr;
    if (!display.pFont)
        display.nMask &= ~SHBEIF_FONT;
    if (!m_edit.StartEdit(&display))
        return nullptr;
    m_hEditGroup = hGroup;
    return &m_edit;
}

void COXShortcutBar::OnChangeGroupHeaderText(NMHDR* pNMHDR, LRESULT* pResult)
{
    HSHBGROUP hGroup = m_hEditGroup;
    m_hEditGroup = 0;
    *pResult = 0;
    if (!hGroup || !((NMSHBEDIT*)pNMHDR)->bOK)
        return;
    CString strText = m_edit.GetWindowText();
    if (Notify(SHBN_ENDHEADEREDIT, hGroup, (LPARAM)(const wchar_t*)strText) != 0)
        return;
    SetGroupText(hGroup, strText);
    UpdateHeader(hGroup);
}

COXSHBEdit* COXShortcutBar::EditLCItem(HSHBGROUP hGroup, int nItem)
{
    COXSHBListCtrl* pList = GetGroupListCtrl(hGroup);
    if (!(m_dwBarStyle & SHBS_EDITITEMS) || !pList || !pList->m_hWnd)
        return nullptr;
    return pList->EditLabel(nItem);
}

// The expanded group's own list and its context item; null when there is none.
COXSHBListCtrl* COXShortcutBar::ExpandedListContext(int& nItem) const
{
    COXSHBListCtrl* pList = GetGroupChildWnd(m_hExpandedGroup) ? nullptr : GetGroupListCtrl(m_hExpandedGroup);
    nItem = pList && pList->m_hWnd ? pList->GetContextItem() : -1;
    return nItem >= 0 ? pList : nullptr;
}

void COXShortcutBar::OnRemoveItem()
{
    int nItem = -1;
    if (ExpandedListContext(nItem))
        DeleteLCItem(m_hExpandedGroup, nItem);
}

void COXShortcutBar::OnRenameItem()
{
    int nItem = -1;
    COXSHBListCtrl* pList = ExpandedListContext(nItem);
    if (!pList)
        return;
    pList->EnsureVisible(nItem, FALSE);
    EditLCItem(m_hExpandedGroup, nItem);
}
