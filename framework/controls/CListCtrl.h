// A list-view control; every call sends the control's UTF-16 message.
#pragma once

#include "framework/window/CWnd.h"

class CImageList;

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_LISTVIEWW, nullptr, dwStyle, rect, pParentWnd, nID); }

    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    int InsertItem(int nItem, const wchar_t* lpszItem);
    int InsertItem(int nItem, const wchar_t* lpszItem, int nImage);
    BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)nItem); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    BOOL GetItem(LVITEMW* pItem) const { return (BOOL)SendMessage(LVM_GETITEMW, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEMW* pItem) { return (BOOL)SendMessage(LVM_SETITEMW, 0, (LPARAM)pItem); }
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, const wchar_t* lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const
    { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)nItem, (LPARAM)nMask); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    int GetNextItem(int nItem, int nFlags) const
    { return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0)); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK)
    { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)nItem, (LPARAM)bPartialOK); }
    BOOL Update(int nItem) { return (BOOL)SendMessage(LVM_UPDATE, (WPARAM)nItem); }

    int InsertColumn(int nCol, const wchar_t* lpszColumnHeading, int nFormat = LVCFMT_LEFT,
                     int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)SendMessage(LVM_DELETECOLUMN, (WPARAM)nCol); }
    BOOL GetColumn(int nCol, LVCOLUMNW* pColumn) const
    { return (BOOL)SendMessage(LVM_GETCOLUMNW, (WPARAM)nCol, (LPARAM)pColumn); }
    int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)nCol); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0)); }
    HWND GetHeaderCtrl() const { return (HWND)SendMessage(LVM_GETHEADER); }
    int GetStringWidth(const wchar_t* lpsz) const { return (int)SendMessage(LVM_GETSTRINGWIDTHW, 0, (LPARAM)lpsz); }

    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    DWORD SetExtendedStyle(DWORD dwNewStyle)
    { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)dwNewStyle); }
    HIMAGELIST GetImageList(int nImageList) const { return (HIMAGELIST)SendMessage(LVM_GETIMAGELIST, (WPARAM)nImageList); }
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageList);
    // A new image list of the item's picture for dragging, which the caller deletes; null when
    // the control makes none. pPoint receives the picture's upper-left corner.
    CImageList* CreateDragImage(int nItem, LPPOINT pPoint);

    COLORREF GetBkColor() const { return (COLORREF)SendMessage(LVM_GETBKCOLOR); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, (LPARAM)cr); }
    COLORREF GetTextBkColor() const { return (COLORREF)SendMessage(LVM_GETTEXTBKCOLOR); }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, (LPARAM)cr); }
    COLORREF GetTextColor() const { return (COLORREF)SendMessage(LVM_GETTEXTCOLOR); }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, (LPARAM)cr); }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
};
