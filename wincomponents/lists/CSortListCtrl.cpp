#include "wincomponents/lists/CSortListCtrl.h"

#include <algorithm>
#include <cwchar>
#include <set>
#include <vector>

BEGIN_MESSAGE_MAP(CSortListCtrl, CListCtrl)
    ON_WM_MOUSEMOVE()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

namespace
{
const UINT kChecked = INDEXTOSTATEIMAGEMASK(2);
const UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);

// One row as the sort carries it.
struct SortRow
{
    std::vector<CString> arrCells; // column 0 with its check prefix when the list has check boxes
    CString strIndex;              // the former index as text: the last tie-break
    DWORD_PTR dwData;
    UINT nSelected;
    int nImage;
};

int ImageWidth(HIMAGELIST hImageList)
{
    int cx = 0, cy = 0;
    if (hImageList)
        ImageList_GetIconSize(hImageList, &cx, &cy);
    return cx;
}

// The prefix counts only in the sort column itself.
const wchar_t* CellText(const SortRow& row, int nColumn, BOOL bChecks, BOOL bWithPrefix)
{
    const wchar_t* psz = row.arrCells[(size_t)nColumn];
    return (nColumn == 0 && bChecks && !bWithPrefix && *psz) ? psz + 1 : psz;
}

// The rows' positions in ascending order of the column; ties are broken by the other columns
// from the left, then by the former index compared as text.
std::vector<int> SortOrder(const std::vector<SortRow>& rows, int nColumn, int nColumns, BOOL bChecks)
{
    auto less = [&](int a, int b) {
        const SortRow& ra = rows[(size_t)a];
        const SortRow& rb = rows[(size_t)b];
        if (nColumn >= 0 && nColumn < nColumns)
        {
            int n = wcscmp(CellText(ra, nColumn, bChecks, TRUE), CellText(rb, nColumn, bChecks, TRUE));
            if (n)
                return n < 0;
        }
        for (int c = 0; c < nColumns; ++c)
        {
            if (c == nColumn)
                continue;
            int n = wcscmp(CellText(ra, c, bChecks, FALSE), CellText(rb, c, bChecks, FALSE));
            if (n)
                return n < 0;
        }
        return wcscmp(ra.strIndex, rb.strIndex) < 0;
    };
    std::vector<int> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        order[i] = (int)i;
    std::sort(order.begin(), order.end(), less);
    return order;
}

} // namespace

CSortListCtrl::CSortListCtrl()
    : m_bUseColours(FALSE), m_nMouseMoveMessage(0), m_crBackground(0xE1FFFF), m_crText(0),
      m_nSortColumn(-1), m_bSortDescending(FALSE)
{
}

void CSortListCtrl::SetCheck(int nItem, BOOL bChecked)
{
    SetItemState(nItem, bChecked ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
}

BOOL CSortListCtrl::GetCheck(int nItem) const
{
    return GetItemState(nItem, LVIS_STATEIMAGEMASK) == kChecked;
}

BOOL CSortListCtrl::HasCheckBoxes() const
{
    return (GetExtendedStyle() & LVS_EX_CHECKBOXES) != 0;
}

int CSortListCtrl::GetSelectedIndex() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

int CSortListCtrl::GetSelectedImage() const
{
    int nItem = GetSelectedIndex();
    return nItem < 0 ? -1 : GetItemImage(nItem);
}

int CSortListCtrl::GetItemImage(int nItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    GetItem(&item);
    return item.iImage;
}

void CSortListCtrl::SetItemImage(int nItem, int nImage, BOOL bUpdate)
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    item.iImage = nImage;
    SetItem(&item);
    if (bUpdate)
        Update(nItem);
}

void CSortListCtrl::SetColumns(const SORTLIST_COLUMN* pColumns, int nCount)
{
    while (DeleteColumn(0))
        ;
    for (int i = 0; i < nCount; ++i)
        InsertColumn(i, pColumns[i].pszTitle, pColumns[i].nFormat);
}

int CSortListCtrl::GetColumnCount() const
{
    int nCount = 0;
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT;
    while (GetColumn(nCount, &column))
        ++nCount;
    return nCount;
}

CString CSortListCtrl::GetColumnTitle(int nColumn) const
{
    wchar_t szTitle[4097] = L"";
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = szTitle;
    column.cchTextMax = 4096;
    GetColumn(nColumn, &column);
    return szTitle;
}

int CSortListCtrl::FirstColumnImagesWidth() const
{
    int nWidth = ImageWidth(GetImageList(LVSIL_SMALL));
    if (HasCheckBoxes())
        nWidth += ImageWidth(GetImageList(LVSIL_STATE));
    return nWidth;
}

void CSortListCtrl::AutoSizeColumns()
{
    if (!m_hWnd)
        return;
    // Each distinct text is measured once, on one device context in the list's font: the list
    // control's own sizing measures every cell and takes most of a thousand-row load.
    const int kPadding = 16;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOldFont = ::SelectObject(hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
    auto textWidth = [hDC](const CString& strText) {
        SIZE size = {};
        ::GetTextExtentPoint32W(hDC, strText, strText.GetLength(), &size);
        return (int)size.cx;
    };
    int nColumns = GetColumnCount();
    for (int nColumn = 0; nColumn < nColumns; ++nColumn)
    {
        std::set<CString> texts;
        for (int nRow = 0; nRow < GetItemCount(); ++nRow)
            texts.insert(GetItemText(nRow, nColumn));
        int nAllowance = nColumn == 0 ? FirstColumnImagesWidth() : 0;
        int nWidth = textWidth(GetColumnTitle(nColumn));
        for (const CString& strText : texts)
            nWidth = std::max(nWidth, nAllowance + textWidth(strText));
        if (GetColumnWidth(nColumn) != nWidth + kPadding)
            SetColumnWidth(nColumn, nWidth + kPadding);
    }
    ::SelectObject(hDC, hOldFont);
    ::DeleteDC(hDC);
    // A list with its redraw off leaves its header unpainted when the redraw comes back.
    ::InvalidateRect(GetHeaderCtrl(), nullptr, TRUE);
}

void CSortListCtrl::SetFullRowSelect()
{
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    Invalidate(FALSE);
}

void CSortListCtrl::SelectItem(int nItem, BOOL bSelect)
{
    if (nItem < GetItemCount())
        SetItemState(nItem, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void CSortListCtrl::SetSelectionOfAll(BOOL bSelect)
{
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i)
        SetItemState(i, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

int CSortListCtrl::SelectAll()
{
    SetSelectionOfAll(TRUE);
    return GetItemCount();
}

int CSortListCtrl::SelectNone()
{
    SetSelectionOfAll(FALSE);
    return GetItemCount();
}

BOOL CSortListCtrl::IsItemSelected(int nItem) const
{
    return (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void CSortListCtrl::SelectByText(const wchar_t* lpszText, int nColumn)
{
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i)
    {
        if (GetItemText(i, nColumn) == lpszText)
        {
            SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
            EnsureVisible(i, FALSE);
            return;
        }
    }
}

CString CSortListCtrl::GetSelectedText(int nColumn) const
{
    int nItem = GetSelectedIndex();
    return nItem < 0 ? CString() : GetItemText(nItem, nColumn);
}

void CSortListCtrl::GetSelectedTexts(CStringArray& arrTexts, int nColumn) const
{
    arrTexts.RemoveAll();
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
        arrTexts.Add(GetItemText(i, nColumn));
}

void CSortListCtrl::DeleteSelectedItems()
{
    SetRedraw(FALSE);
    for (int i = GetSelectedIndex(); i >= 0 && DeleteItem(i); i = GetSelectedIndex())
        ;
    SetRedraw(TRUE);
    Invalidate(FALSE);
}

void CSortListCtrl::SortOnColumnClick(const NMLISTVIEW* pNMListView)
{
    SortByColumn(pNMListView->iSubItem, FALSE);
}

void CSortListCtrl::SortByFirstColumn()
{
    SortByColumn(0, TRUE);
}

void CSortListCtrl::SortByColumn(int nColumn, BOOL bAlwaysAscending)
{
    int nRows = GetItemCount();
    if (nRows < 2)
        return;
    int nColumns = GetColumnCount();
    BOOL bChecks = HasCheckBoxes();

    std::vector<SortRow> rows((size_t)nRows);
    for (int i = 0; i < nRows; ++i)
    {
        SortRow& row = rows[(size_t)i];
        row.arrCells.resize((size_t)nColumns);
        for (int c = 0; c < nColumns; ++c)
            row.arrCells[(size_t)c] = GetItemText(i, c);
        if (bChecks && nColumns > 0)
            row.arrCells[0] = (GetCheck(i) ? L"A" : L"Z") + row.arrCells[0];
        row.strIndex.Format(L"%u", (UINT)i);
        LVITEMW item = {};
        item.mask = LVIF_PARAM | LVIF_STATE | LVIF_IMAGE;
        item.iItem = i;
        item.stateMask = LVIS_SELECTED;
        GetItem(&item);
        row.dwData = (DWORD_PTR)item.lParam;
        row.nSelected = item.state & LVIS_SELECTED;
        row.nImage = item.iImage;
    }

    std::vector<int> order = SortOrder(rows, nColumn, nColumns, bChecks);
    auto cell = [bChecks](const SortRow& row, int c) { return CellText(row, c, bChecks, FALSE); };

    BOOL bDescending = FALSE;
    if (!bAlwaysAscending)
    {
        bDescending = TRUE;
        for (int k = 0; k < nRows && bDescending; ++k)
            bDescending = order[(size_t)k] == k;
    }
    m_nSortColumn = nColumn;
    m_bSortDescending = bDescending;

    for (int k = 0; k < nRows; ++k)
    {
        const SortRow& row = rows[(size_t)order[(size_t)(bDescending ? nRows - 1 - k : k)]];
        for (int c = 0; c < nColumns; ++c)
            SetItemText(k, c, cell(row, c));
        if (bChecks && nColumns > 0)
            SetCheck(k, row.arrCells[0].GetAt(0) == L'A');
        LVITEMW item = {};
        item.mask = LVIF_PARAM | LVIF_STATE | LVIF_IMAGE;
        item.iItem = k;
        item.lParam = (LPARAM)row.dwData;
        item.state = row.nSelected;
        item.stateMask = LVIS_SELECTED;
        item.iImage = row.nImage;
        SetItem(&item);
    }
}

void CSortListCtrl::SetSortedRows(const std::vector<SORTLIST_ROW>& arrRows, int nColumn)
{
    DeleteAllItems();
    int nRows = (int)arrRows.size();
    SendMessage(LVM_SETITEMCOUNT, (WPARAM)nRows);
    int nColumns = GetColumnCount();
    std::vector<SortRow> rows((size_t)nRows);
    for (int i = 0; i < nRows; ++i)
    {
        rows[(size_t)i].arrCells = arrRows[(size_t)i].arrTexts;
        rows[(size_t)i].arrCells.resize((size_t)nColumns);
        rows[(size_t)i].strIndex.Format(L"%u", (UINT)i);
    }
    // New rows are all unchecked: their check prefix would be the same everywhere.
    std::vector<int> order = SortOrder(rows, nColumn, nColumns, FALSE);
    for (int k = 0; k < nRows; ++k)
    {
        const SortRow& row = rows[(size_t)order[(size_t)k]];
        const SORTLIST_ROW& source = arrRows[(size_t)order[(size_t)k]];
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE | LVIF_IMAGE;
        item.iItem = k;
        item.pszText = (LPWSTR)(const wchar_t*)row.arrCells[0];
        item.lParam = (LPARAM)source.dwData;
        item.state = source.bSelected ? LVIS_SELECTED : 0;
        item.stateMask = LVIS_SELECTED;
        item.iImage = source.nImage;
        int nItem = (int)SendMessage(LVM_INSERTITEMW, 0, (LPARAM)&item);
        for (int c = 1; c < nColumns; ++c)
            SetItemText(nItem, c, row.arrCells[(size_t)c]);
    }
    if (nRows >= 2)
    {
        m_nSortColumn = nColumn;
        m_bSortDescending = FALSE;
    }
}

void CSortListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nMouseMoveMessage)
        ::PostMessageW(::GetParent(m_hWnd), m_nMouseMoveMessage, 0, 0);
    CListCtrl::OnMouseMove(nFlags, point);
}

void CSortListCtrl::ApplyColours()
{
    if (GetBkColor() != m_crBackground)
        SetBkColor(m_crBackground);
    if (GetTextBkColor() != m_crBackground)
        SetTextBkColor(m_crBackground);
    if (GetTextColor() != m_crText)
        SetTextColor(m_crText);
}

BOOL CSortListCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (m_bUseColours)
        ApplyColours();
    return CListCtrl::OnEraseBkgnd(pDC);
}

void CSortListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = (NMLVCUSTOMDRAW*)pNMHDR;
    *pResult = CDRF_DODEFAULT;
    if (!m_bUseColours)
        return;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT)
    {
        ApplyColours();
        *pResult = CDRF_NOTIFYITEMDRAW;
    }
    else if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
    {
        pDraw->clrText = m_crText;
        pDraw->clrTextBk = m_crBackground;
    }
}
