#include "framework/controls/CListCtrl.h"

#include "framework/gdi/CImageList.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertItem(int nItem, const wchar_t* lpszItem)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = (LPWSTR)lpszItem;
    return (int)SendMessage(LVM_INSERTITEMW, 0, (LPARAM)&item);
}

int CListCtrl::InsertItem(int nItem, const wchar_t* lpszItem, int nImage)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = (LPWSTR)lpszItem;
    item.iImage = nImage;
    return (int)SendMessage(LVM_INSERTITEMW, 0, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control copies at most the buffer's size; grow until the text fits.
    CString strText;
    for (int nSize = 256;; nSize *= 2)
    {
        LVITEMW item = {};
        item.iSubItem = nSubItem;
        item.cchTextMax = nSize;
        item.pszText = strText.GetBufferSetLength(nSize);
        int nLength = (int)SendMessage(LVM_GETITEMTEXTW, (WPARAM)nItem, (LPARAM)&item);
        if (nLength < nSize - 1)
        {
            strText.ReleaseBuffer(nLength);
            return strText;
        }
    }
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const wchar_t* lpszText)
{
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = (LPWSTR)lpszText;
    return (BOOL)SendMessage(LVM_SETITEMTEXTW, (WPARAM)nItem, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = (LPARAM)dwData;
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMW item = {};
    item.state = nState;
    item.stateMask = nMask;
    return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&item);
}

int CListCtrl::InsertColumn(int nCol, const wchar_t* lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_TEXT;
    column.fmt = nFormat;
    column.pszText = (LPWSTR)lpszColumnHeading;
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return (int)SendMessage(LVM_INSERTCOLUMNW, (WPARAM)nCol, (LPARAM)&column);
}

HIMAGELIST CListCtrl::SetImageList(CImageList* pImageList, int nImageList)
{
    return (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, (WPARAM)nImageList,
                                   (LPARAM)(pImageList ? pImageList->m_hImageList : nullptr));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = (LONG)nCode;
    return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
}

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT pPoint)
{
    HIMAGELIST hImageList = (HIMAGELIST)SendMessage(LVM_CREATEDRAGIMAGE, (WPARAM)nItem, (LPARAM)pPoint);
    if (!hImageList)
        return nullptr;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}
