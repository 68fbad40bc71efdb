// The outstanding-alarms list: a report list with full-row selection that keeps a text and a
// background colour for every cell and draws them through custom draw. Every item inserted
// through InsertItem carries a record owned by the control with the caller's item data and
// the colours of each column the list had then, so columns are set up before items.
// With m_bEditable a second left click on a cell of the selected item edits it in place (Tab,
// Enter, Escape, Up and Down steer the editor); m_nCheckMode says what a click that changes a
// check box does. The parent hears of both through the two messages below.
#pragma once

#include "framework/controls/CEdit.h"
#include "framework/gdi/CImageList.h"
#include "wincomponents/lists/CSortListCtrl.h"

// Item state bits of the filters and actions below: the filter 0x01 means every item.
enum
{
    COLORLIST_ALL = 0x01,
    COLORLIST_SELECTED = 0x02,
    COLORLIST_UNSELECTED = 0x04,
    COLORLIST_CHECKED = 0x08,
    COLORLIST_UNCHECKED = 0x10,
    COLORLIST_FOCUSED = 0x20,
    COLORLIST_UNFOCUSED = 0x40
};

// Sent to the parent: a click changed an item's check box (wParam the item, lParam the mouse
// message), and an in-place edit changed a cell whose new text is already in it (wParam the
// item, lParam the column).
const UINT WM_COLORLIST_CHECKCLICK = WM_APP + 10000;
const UINT WM_COLORLIST_EDITCHANGE = WM_APP + 10002;

// What a click that changes a check box does besides.
enum
{
    COLORLIST_CHECK_PLAIN = 0,  // nothing
    COLORLIST_CHECK_NOTIFY = 1, // selects and focuses the item alone and tells the parent
    COLORLIST_CHECK_SINGLE = 2, // as 1, and checking it unchecks every other item
    COLORLIST_CHECK_LOCKED = 3  // the check box keeps its state
};

class CColorListCtrl : public CSortListCtrl
{
public:
    CColorListCtrl();
    ~CColorListCtrl() override;

    // Creates the list with the forced style; no rectangle means the parent's client area.
    virtual BOOL Create(CWnd* pParentWnd, UINT nID, const RECT* pRect, DWORD dwStyle);

    int InsertItem(int nItem, const wchar_t* lpszItem);
    BOOL DeleteItem(int nItem, BOOL bSelectNext);
    // Every item (COLORLIST_ALL) or every item matching the filter; the number deleted.
    int DeleteItems(DWORD dwStateFilter);
    BOOL SetItemText(int nItem, int nSubItem, const wchar_t* lpszText);
    // Commits a running edit first, into the row it was begun on.
    void SortByColumn(int nColumn, BOOL bAlwaysAscending) override;
    // Item data lives in the record: 0 for an item without one, which cannot be set.
    BOOL SetItemData(int nItem, DWORD dwData);
    DWORD GetItemData(int nItem) const;

    // Colour -1 is the system colour. Item or column out of range widens the change to every
    // item or every column.
    void SetItemTextColor(int nItem, int nSubItem, COLORREF crText, BOOL bRedraw);
    void SetItemBkColor(int nItem, int nSubItem, COLORREF crBack, BOOL bRedraw);
    // -1 when the item or column is out of range.
    COLORREF GetItemTextColor(int nItem, int nSubItem) const;
    COLORREF GetItemBkColor(int nItem, int nSubItem) const;

    int GetItemCountByState(DWORD dwStateFilter) const;
    int FindItemByState(DWORD dwStateFilter, int nStart) const;
    DWORD GetItemFlags(int nItem) const;
    BOOL SetItemFlags(int nItem, DWORD dwActions);
    int SetItemFlagsAll(DWORD dwStateFilter, DWORD dwActions);

    // Opens the editor on the cell (committing a running edit); TRUE when it is open.
    BOOL BeginEdit(int nItem, int nSubItem);
    // Closes the editor, with bCommit writing its text; TRUE when the cell's text changed.
    BOOL EndEdit(BOOL bCommit);
    BOOL IsEditing() const;
    // The in-place editor; its window exists once a cell has been edited.
    CEdit* GetEditControl() const { return m_pEdit; }

    BOOL m_bEditable;
    int m_nCheckMode;
    // Image lists that the owner may create and attach; they go with the window: the list view
    // destroys the ones set on it, the control the others.
    CImageList m_ilFirst;
    CImageList m_ilSecond;

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The mouse clicks, which may commit an edit, open one or apply the check mode.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnDestroy();
    void OnCellCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    struct ItemRecord
    {
        DWORD dwData;
        std::vector<COLORREF> arrText;
        std::vector<COLORREF> arrBack;
    };

    ItemRecord* Record(int nItem) const;
    BOOL Matches(int nItem, DWORD dwStateFilter) const;
    void FreeRecord(int nItem);
    void ReleaseImageList(CImageList& imageList);
    void SetColor(int nItem, int nSubItem, COLORREF cr, BOOL bText, BOOL bRedraw);
    COLORREF GetColor(int nItem, int nSubItem, BOOL bText) const;
    void ResetSort();
    void OnClick(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyCheckMode(int nItem, UINT message, BOOL bWasChecked);
    BOOL OnEditKey(UINT nKey);
    int EditAlignment(int nSubItem) const;
    BOOL PrepareEditor(int nAlign);
    CRect CellEditRect(int nItem, int nSubItem) const;

    CEdit* m_pEdit;
    int m_nEditItem;
    int m_nEditSubItem;
    int m_nEditAlign;
};
