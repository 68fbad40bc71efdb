// The report list of the console: optional light-yellow colours, check boxes as state images,
// helpers for selection and columns, column sizing to header and content, and a sort by any
// column that turns to descending when the list is already in ascending order.
#pragma once

#include "framework/controls/CListCtrl.h"
#include "framework/core/CStringArray.h"

#include <vector>

struct SORTLIST_COLUMN
{
    const wchar_t* pszTitle;
    int nFormat; // LVCFMT_ value
};

// One row to add: its texts from column 0, image, item data and selection.
struct SORTLIST_ROW
{
    std::vector<CString> arrTexts;
    int nImage = 0;
    DWORD_PTR dwData = 0;
    BOOL bSelected = FALSE;
};

class CSortListCtrl : public CListCtrl
{
public:
    CSortListCtrl();
    ~CSortListCtrl() override {}

    BOOL m_bUseColours;        // draw with the colours below
    UINT m_nMouseMoveMessage;  // posted to the parent on every mouse move when not 0
    COLORREF m_crBackground;
    COLORREF m_crText;
    int m_nSortColumn;         // column of the last sort, -1 before
    BOOL m_bSortDescending;    // direction of the last sort

    void SetCheck(int nItem, BOOL bChecked);
    BOOL GetCheck(int nItem) const;
    BOOL HasCheckBoxes() const;
    int GetSelectedIndex() const;
    int GetSelectedImage() const;
    int GetItemImage(int nItem) const;
    void SetItemImage(int nItem, int nImage, BOOL bUpdate);

    // Replaces every column; the caller sizes them afterwards.
    void SetColumns(const SORTLIST_COLUMN* pColumns, int nCount);
    int GetColumnCount() const;
    CString GetColumnTitle(int nColumn) const;
    // Every column to its header or its widest text, whichever is wider, plus 16 pixels (the
    // first column's texts with its images). Nothing for a list without a window.
    void AutoSizeColumns();
    void SetFullRowSelect();

    void SelectItem(int nItem, BOOL bSelect);
    int SelectAll();
    int SelectNone();
    BOOL IsItemSelected(int nItem) const;
    // Selects the first item with exactly this text in the column and scrolls it into view.
    void SelectByText(const wchar_t* lpszText, int nColumn);
    CString GetSelectedText(int nColumn) const;
    void GetSelectedTexts(CStringArray& arrTexts, int nColumn) const;
    void DeleteSelectedItems();

    void SortOnColumnClick(const NMLISTVIEW* pNMListView);
    void SortByFirstColumn();
    // Rows move whole: texts, check state, item data, selection and image. Ties are broken by
    // the other columns from the left, then by the former row index compared as text.
    virtual void SortByColumn(int nColumn, BOOL bAlwaysAscending);
    // Replaces every row by these, in the order that SortByColumn(nColumn, TRUE) gives them
    // when added in this sequence, without reading them back from the list.
    void SetSortedRows(const std::vector<SORTLIST_ROW>& arrRows, int nColumn);

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    // A list view asks for colours through custom draw, never with WM_CTLCOLOR.
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    void SetSelectionOfAll(BOOL bSelect);
    void ApplyColours();
    // The small image and, with check boxes, the state image beside a first-column text.
    int FirstColumnImagesWidth() const;
};
