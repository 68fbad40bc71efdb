#include "wincomponents/lists/CColorListCtrl.h"

#include <windowsx.h>

BEGIN_MESSAGE_MAP(CColorListCtrl, CSortListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCellCustomDraw)
END_MESSAGE_MAP()

namespace
{
const DWORD kClearedStyles = LVS_TYPEMASK | LVS_EDITLABELS | LVS_NOSCROLL;
const DWORD kForcedStyles = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LVS_REPORT;
const DWORD kForcedExStyles = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;

COLORREF SystemColor(COLORREF cr, BOOL bText)
{
    if (cr != (COLORREF)-1)
        return cr;
    return ::GetSysColor(bText ? COLOR_WINDOWTEXT : COLOR_WINDOW);
}
} // namespace

CColorListCtrl::CColorListCtrl()
    : m_bEditable(FALSE), m_nCheckMode(COLORLIST_CHECK_NOTIFY), m_pEdit(new CEdit), m_nEditItem(-1),
      m_nEditSubItem(-1), m_nEditAlign(ES_LEFT)
{
}

CColorListCtrl::~CColorListCtrl()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        DeleteItems(COLORLIST_ALL);
    delete m_pEdit;
}

BOOL CColorListCtrl::Create(CWnd* pParentWnd, UINT nID, const RECT* pRect, DWORD dwStyle)
{
    RECT rect = {};
    if (pRect)
        rect = *pRect;
    else
        ::GetClientRect(pParentWnd->m_hWnd, &rect);
    return CListCtrl::Create((dwStyle & ~kClearedStyles) | kForcedStyles, rect, pParentWnd, nID);
}

BOOL CColorListCtrl::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style = (cs.style & ~kClearedStyles) | kForcedStyles;
    return CSortListCtrl::PreCreateWindow(cs);
}

int CColorListCtrl::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    ModifyStyle(kClearedStyles, kForcedStyles);
    if (Default() == -1)
        return -1;
    SetExtendedStyle(GetExtendedStyle() | kForcedExStyles);
    (void)lpCreateStruct;
    return 0;
}

void CColorListCtrl::PreSubclassWindow()
{
    CSortListCtrl::PreSubclassWindow();
    ModifyStyle(kClearedStyles, kForcedStyles);
    SetExtendedStyle(kForcedExStyles);
}

void CColorListCtrl::OnDestroy()
{
    DeleteItems(COLORLIST_ALL);
    if (m_pEdit->m_hWnd)
        m_pEdit->DestroyWindow();
    ReleaseImageList(m_ilFirst);
    ReleaseImageList(m_ilSecond);
    Default();
}

// A list view without LVS_SHAREIMAGELISTS destroys the image lists set on it as it goes; only
// the others are the control's to destroy.
void CColorListCtrl::ReleaseImageList(CImageList& imageList)
{
    HIMAGELIST hImageList = imageList.GetSafeHandle();
    BOOL bSet = FALSE;
    for (int nKind : {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE})
        bSet |= hImageList && GetImageList(nKind) == hImageList;
    if (bSet && !(GetStyle() & LVS_SHAREIMAGELISTS))
        imageList.Detach();
    else
        imageList.DeleteImageList();
}

CColorListCtrl::ItemRecord* CColorListCtrl::Record(int nItem) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return nullptr;
    return reinterpret_cast<ItemRecord*>(CListCtrl::GetItemData(nItem));
}

void CColorListCtrl::ResetSort()
{
    m_nSortColumn = -1;
    m_bSortDescending = FALSE;
}

int CColorListCtrl::InsertItem(int nItem, const wchar_t* lpszItem)
{
    EndEdit(TRUE);
    ResetSort();
    int nIndex = CListCtrl::InsertItem(nItem, lpszItem);
    if (nIndex < 0)
        return -1;
    ItemRecord* pRecord = new ItemRecord;
    pRecord->dwData = 0;
    int nColumns = GetColumnCount();
    pRecord->arrText.assign((size_t)(nColumns > 0 ? nColumns : 0), ::GetSysColor(COLOR_WINDOWTEXT));
    pRecord->arrBack.assign(pRecord->arrText.size(), ::GetSysColor(COLOR_WINDOW));
    CListCtrl::SetItemData(nIndex, (DWORD_PTR)pRecord);
    return nIndex;
}

void CColorListCtrl::FreeRecord(int nItem)
{
    delete Record(nItem);
    CListCtrl::SetItemData(nItem, 0);
}

BOOL CColorListCtrl::DeleteItem(int nItem, BOOL bSelectNext)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    EndEdit(nItem != m_nEditItem);
    if (bSelectNext && nItem + 1 < GetItemCount())
        SetItemState(nItem + 1, LVIS_SELECTED, LVIS_SELECTED);
    FreeRecord(nItem);
    return CListCtrl::DeleteItem(nItem);
}

int CColorListCtrl::DeleteItems(DWORD dwStateFilter)
{
    EndEdit(FALSE);
    int nDeleted = 0;
    SetRedraw(FALSE);
    if (dwStateFilter & COLORLIST_ALL)
    {
        nDeleted = GetItemCount();
        for (int i = 0; i < nDeleted; i++)
            FreeRecord(i);
        DeleteAllItems();
    }
    else
    {
        for (int i = GetItemCount() - 1; i >= 0; i--)
            if (Matches(i, dwStateFilter) && DeleteItem(i, FALSE))
                nDeleted++;
    }
    SetRedraw(TRUE);
    return nDeleted;
}

void CColorListCtrl::SortByColumn(int nColumn, BOOL bAlwaysAscending)
{
    // The edit belongs to its row: once the rows move, its index would name another.
    EndEdit(TRUE);
    CSortListCtrl::SortByColumn(nColumn, bAlwaysAscending);
}

BOOL CColorListCtrl::SetItemText(int nItem, int nSubItem, const wchar_t* lpszText)
{
    EndEdit(TRUE);
    ResetSort();
    return CListCtrl::SetItemText(nItem, nSubItem, lpszText);
}

BOOL CColorListCtrl::SetItemData(int nItem, DWORD dwData)
{
    ItemRecord* pRecord = Record(nItem);
    if (!pRecord)
        return FALSE;
    pRecord->dwData = dwData;
    return TRUE;
}

DWORD CColorListCtrl::GetItemData(int nItem) const
{
    ItemRecord* pRecord = Record(nItem);
    return pRecord ? pRecord->dwData : 0;
}

void CColorListCtrl::SetColor(int nItem, int nSubItem, COLORREF cr, BOOL bText, BOOL bRedraw)
{
    cr = SystemColor(cr, bText);
    int nItems = GetItemCount();
    int nFirst = (nItem >= 0 && nItem < nItems) ? nItem : 0;
    int nLast = (nItem >= 0 && nItem < nItems) ? nItem : nItems - 1;
    for (int i = nFirst; i <= nLast; i++)
    {
        ItemRecord* pRecord = Record(i);
        if (!pRecord)
            continue;
        std::vector<COLORREF>& arrColors = bText ? pRecord->arrText : pRecord->arrBack;
        if (nSubItem >= 0 && nSubItem < GetColumnCount())
        {
            if ((size_t)nSubItem < arrColors.size())
                arrColors[(size_t)nSubItem] = cr;
        }
        else
            arrColors.assign(arrColors.size(), cr);
    }
    if (bRedraw)
    {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

COLORREF CColorListCtrl::GetColor(int nItem, int nSubItem, BOOL bText) const
{
    ItemRecord* pRecord = Record(nItem);
    if (!pRecord || nSubItem < 0)
        return (COLORREF)-1;
    const std::vector<COLORREF>& arrColors = bText ? pRecord->arrText : pRecord->arrBack;
    return (size_t)nSubItem < arrColors.size() ? arrColors[(size_t)nSubItem] : (COLORREF)-1;
}

void CColorListCtrl::SetItemTextColor(int nItem, int nSubItem, COLORREF crText, BOOL bRedraw)
{
    SetColor(nItem, nSubItem, crText, TRUE, bRedraw);
}

void CColorListCtrl::SetItemBkColor(int nItem, int nSubItem, COLORREF crBack, BOOL bRedraw)
{
    SetColor(nItem, nSubItem, crBack, FALSE, bRedraw);
}

COLORREF CColorListCtrl::GetItemTextColor(int nItem, int nSubItem) const
{
    return GetColor(nItem, nSubItem, TRUE);
}

COLORREF CColorListCtrl::GetItemBkColor(int nItem, int nSubItem) const
{
    return GetColor(nItem, nSubItem, FALSE);
}

DWORD CColorListCtrl::GetItemFlags(int nItem) const
{
    UINT nState = GetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK);
    DWORD dwFlags = (nState & LVIS_SELECTED) ? COLORLIST_SELECTED : COLORLIST_UNSELECTED;
    dwFlags |= GetCheck(nItem) ? COLORLIST_CHECKED : COLORLIST_UNCHECKED;
    dwFlags |= (nState & LVIS_FOCUSED) ? COLORLIST_FOCUSED : COLORLIST_UNFOCUSED;
    return dwFlags;
}

BOOL CColorListCtrl::Matches(int nItem, DWORD dwStateFilter) const
{
    if (dwStateFilter == 0)
        return FALSE;
    if (dwStateFilter & COLORLIST_ALL)
        return TRUE;
    return (GetItemFlags(nItem) & dwStateFilter) == dwStateFilter;
}

int CColorListCtrl::GetItemCountByState(DWORD dwStateFilter) const
{
    if (dwStateFilter & COLORLIST_ALL)
        return GetItemCount();
    int nCount = 0;
    for (int i = 0; i < GetItemCount(); i++)
        if (Matches(i, dwStateFilter))
            nCount++;
    return nCount;
}

int CColorListCtrl::FindItemByState(DWORD dwStateFilter, int nStart) const
{
    for (int i = nStart < -1 ? 0 : nStart + 1; i < GetItemCount(); i++)
        if (Matches(i, dwStateFilter))
            return i;
    return -1;
}

BOOL CColorListCtrl::SetItemFlags(int nItem, DWORD dwActions)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    BOOL bAll = TRUE;
    if (dwActions & COLORLIST_SELECTED)
        bAll &= SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    if (dwActions & COLORLIST_UNSELECTED)
        bAll &= SetItemState(nItem, 0, LVIS_SELECTED);
    if (dwActions & COLORLIST_FOCUSED)
        bAll &= SetItemState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
    if (dwActions & COLORLIST_UNFOCUSED)
        bAll &= SetItemState(nItem, 0, LVIS_FOCUSED);
    if (dwActions & COLORLIST_UNCHECKED)
        SetCheck(nItem, FALSE);
    if (dwActions & COLORLIST_CHECKED)
    {
        SetCheck(nItem, TRUE);
        // Mode 2 keeps at most one item checked: the first.
        int nFirst = m_nCheckMode == 2 ? FindItemByState(COLORLIST_CHECKED, -1) : -1;
        for (int i = nFirst; nFirst >= 0 && (i = FindItemByState(COLORLIST_CHECKED, i)) >= 0;)
            SetCheck(i, FALSE);
    }
    return bAll;
}

int CColorListCtrl::SetItemFlagsAll(DWORD dwStateFilter, DWORD dwActions)
{
    for (int i = 0; i < GetItemCount(); i++)
        if (Matches(i, dwStateFilter))
            SetItemFlags(i, dwActions);
    return GetItemCount();
}

void CColorListCtrl::OnCellCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (pDraw->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
    {
        int nItem = (int)pDraw->nmcd.dwItemSpec;
        COLORREF crText = GetItemTextColor(nItem, pDraw->iSubItem);
        COLORREF crBack = GetItemBkColor(nItem, pDraw->iSubItem);
        pDraw->clrText = SystemColor(crText, TRUE);
        pDraw->clrTextBk = SystemColor(crBack, FALSE);
        *pResult = CDRF_DODEFAULT;
        return;
    }
    default:
        *pResult = CDRF_DODEFAULT;
    }
}

LRESULT CColorListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        OnClick(message, wParam, lParam);
        return 0;
    default:
        return CSortListCtrl::WindowProc(message, wParam, lParam);
    }
}

void CColorListCtrl::OnClick(UINT message, WPARAM wParam, LPARAM lParam)
{
    LVHITTESTINFO hit = {};
    hit.pt.x = GET_X_LPARAM(lParam);
    hit.pt.y = GET_Y_LPARAM(lParam);
    SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)&hit);
    BOOL bWasEditing = IsEditing();
    // Committed first: the parent, hearing of the change, may change the list.
    EndEdit(TRUE);
    BOOL bValid = hit.iItem >= 0 && hit.iItem < GetItemCount();
    BOOL bWasChecked = bValid && GetCheck(hit.iItem);
    BOOL bMayEdit = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    const UINT nCurrent = LVIS_SELECTED | LVIS_FOCUSED;
    BOOL bWasCurrent = bMayEdit && bValid && GetItemState(hit.iItem, nCurrent) == nCurrent;
    DefWindowProc(message, wParam, lParam);
    // The default handling may have run a drag loop in which items went away.
    bValid = bValid && hit.iItem < GetItemCount();
    if (bValid && GetCheck(hit.iItem) != bWasChecked)
        ApplyCheckMode(hit.iItem, message, bWasChecked);
    else if (bMayEdit && m_bEditable && !bWasEditing && bWasCurrent)
        BeginEdit(hit.iItem, hit.iSubItem);
}

void CColorListCtrl::ApplyCheckMode(int nItem, UINT message, BOOL bWasChecked)
{
    if (m_nCheckMode == COLORLIST_CHECK_LOCKED)
    {
        SetCheck(nItem, bWasChecked);
        return;
    }
    if (m_nCheckMode != COLORLIST_CHECK_NOTIFY && m_nCheckMode != COLORLIST_CHECK_SINGLE)
        return;
    if (m_nCheckMode == COLORLIST_CHECK_SINGLE && !bWasChecked)
        for (int i = FindItemByState(COLORLIST_CHECKED, -1); i >= 0; i = FindItemByState(COLORLIST_CHECKED, i))
            if (i != nItem)
                SetCheck(i, FALSE);
    SetItemFlagsAll(COLORLIST_SELECTED, COLORLIST_UNSELECTED);
    SetItemFlags(nItem, COLORLIST_SELECTED | COLORLIST_FOCUSED);
    ::SendMessageW(::GetParent(m_hWnd), WM_COLORLIST_CHECKCLICK, (WPARAM)nItem, (LPARAM)message);
}

BOOL CColorListCtrl::IsEditing() const
{
    return m_bEditable && m_nEditItem >= 0 && m_nEditItem < GetItemCount() && m_nEditSubItem >= 0 &&
           m_nEditSubItem < GetColumnCount();
}

int CColorListCtrl::EditAlignment(int nSubItem) const
{
    if (GetStyle() & LVS_NOCOLUMNHEADER)
        return ES_LEFT;
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT;
    if (!GetColumn(nSubItem, &column))
        return ES_LEFT;
    switch (column.fmt & LVCFMT_JUSTIFYMASK)
    {
    case LVCFMT_CENTER:
        return ES_CENTER;
    case LVCFMT_RIGHT:
        return ES_RIGHT;
    default:
        return ES_LEFT;
    }
}

// The editor window takes its alignment when it is created, so a new one is made for another.
BOOL CColorListCtrl::PrepareEditor(int nAlign)
{
    if (nAlign != m_nEditAlign && m_pEdit->m_hWnd)
        m_pEdit->DestroyWindow();
    m_nEditAlign = nAlign;
    if (m_pEdit->m_hWnd)
        return TRUE;
    RECT rect = {0, 0, 1, 1};
    return m_pEdit->Create((DWORD)nAlign | WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL, rect, this, 0);
}

CRect CColorListCtrl::CellEditRect(int nItem, int nSubItem) const
{
    CRect rect;
    rect.top = nSubItem;
    rect.left = LVIR_LABEL;
    SendMessage(LVM_GETSUBITEMRECT, (WPARAM)nItem, (LPARAM)(RECT*)&rect);
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    if (nSubItem > 0 && GetImageList(LVSIL_SMALL) && GetItem(&item) && item.iImage >= 0)
        rect.left += 16;
    return rect;
}

BOOL CColorListCtrl::BeginEdit(int nItem, int nSubItem)
{
    if (!m_bEditable || nItem < 0 || nItem >= GetItemCount() || nSubItem < 0 || nSubItem >= GetColumnCount())
        return FALSE;
    if (IsEditing() && nItem == m_nEditItem && nSubItem == m_nEditSubItem)
        return TRUE;
    EndEdit(TRUE);
    SetItemFlagsAll(COLORLIST_SELECTED, COLORLIST_UNSELECTED);
    SetItemFlags(nItem, COLORLIST_SELECTED | COLORLIST_FOCUSED);
    if (!PrepareEditor(EditAlignment(nSubItem)))
        return FALSE;
    m_nEditItem = nItem;
    m_nEditSubItem = nSubItem;
    m_pEdit->SendMessage(WM_SETFONT, (WPARAM)GetFontHandle(), FALSE);
    CRect rect = CellEditRect(nItem, nSubItem);
    m_pEdit->MoveWindow(rect);
    m_pEdit->SetWindowText(GetItemText(nItem, nSubItem));
    m_pEdit->ShowWindow(SW_SHOW);
    m_pEdit->SetSel(0, -1);
    m_pEdit->SendMessage(EM_SCROLLCARET);
    m_pEdit->SetFocus();
    return TRUE;
}

BOOL CColorListCtrl::EndEdit(BOOL bCommit)
{
    if (!IsEditing())
        return FALSE;
    int nItem = m_nEditItem;
    int nSubItem = m_nEditSubItem;
    // Cleared first: the parent may change the list while it hears of the change.
    m_nEditItem = -1;
    m_nEditSubItem = -1;
    CString strText;
    m_pEdit->GetWindowText(strText);
    BOOL bHadFocus = ::GetFocus() == m_pEdit->m_hWnd;
    m_pEdit->ShowWindow(SW_HIDE);
    if (bHadFocus)
        SetFocus();
    if (!bCommit || strText == GetItemText(nItem, nSubItem))
        return FALSE;
    CListCtrl::SetItemText(nItem, nSubItem, strText);
    ResetSort();
    ::SendMessageW(::GetParent(m_hWnd), WM_COLORLIST_EDITCHANGE, (WPARAM)nItem, (LPARAM)nSubItem);
    return TRUE;
}

BOOL CColorListCtrl::OnEditKey(UINT nKey)
{
    int nItem = m_nEditItem;
    int nSubItem = m_nEditSubItem;
    switch (nKey)
    {
    case VK_TAB:
        EndEdit(TRUE);
        BeginEdit(nItem, nSubItem + 1 < GetColumnCount() ? nSubItem + 1 : 0);
        return TRUE;
    case VK_RETURN:
        EndEdit(TRUE);
        return TRUE;
    case VK_ESCAPE:
        EndEdit(FALSE);
        return TRUE;
    case VK_UP:
    case VK_DOWN:
    {
        int nNext = nKey == VK_UP ? nItem - 1 : nItem + 1;
        if (nNext < 0 || nNext >= GetItemCount())
            return FALSE;
        EndEdit(TRUE);
        EnsureVisible(nNext, FALSE);
        BeginEdit(nNext, nSubItem);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CColorListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CSortListCtrl::PreTranslateMessage(pMsg);
    if (IsEditing())
        return OnEditKey((UINT)pMsg->wParam);
    // The space bar would toggle the focused item's check box behind the check mode's back.
    return pMsg->wParam == VK_SPACE;
}
