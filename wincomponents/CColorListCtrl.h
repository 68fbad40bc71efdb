// The outstanding-alarms list: a report list with full-row selection that keeps a text and a
// background colour for every cell and draws them through custom draw. Every item inserted
// through InsertItem carries a record owned by the control with the caller's item data and
// the colours of each column the list had then, so columns are set up before items.
#pragma once

#include "wincomponents/CSortListCtrl.h"

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

    BOOL m_bEditable;
    int m_nCheckMode;

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
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
    void SetColor(int nItem, int nSubItem, COLORREF cr, BOOL bText, BOOL bRedraw);
    COLORREF GetColor(int nItem, int nSubItem, BOOL bText) const;
    void ResetSort();
};
