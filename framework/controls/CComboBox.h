// A combo box.
#pragma once

#include "framework/window/CWnd.h"

class CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(L"COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID); }

    // Index of the new item; CB_ERR or CB_ERRSPACE (negative) when it was not added.
    int AddString(const wchar_t* lpszString) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)lpszString); }
    int InsertString(int nIndex, const wchar_t* lpszString)
    { return (int)SendMessage(CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszString); }
    int DeleteString(UINT nIndex) { return (int)SendMessage(CB_DELETESTRING, nIndex); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)nSelect); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(CB_GETITEMDATA, (WPARAM)nIndex); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    { return (int)SendMessage(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
    void GetLBText(int nIndex, CString& rString) const;
    // Case-insensitive prefix search after nStartAfter (-1: the whole list).
    int FindString(int nStartAfter, const wchar_t* lpszString) const
    { return (int)SendMessage(CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString); }
    int FindStringExact(int nStartAfter, const wchar_t* lpszString) const
    { return (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)nStartAfter, (LPARAM)lpszString); }
};
