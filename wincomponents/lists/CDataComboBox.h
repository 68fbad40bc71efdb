// A combo box whose items carry a 32-bit data value, filled, selected and read by that value.
#pragma once

#include "framework/controls/CComboBox.h"
#include "framework/core/CStringArray.h"
#include "framework/core/CUIntArray.h"

class CDataComboBox : public CComboBox
{
public:
    ~CDataComboBox() override {}

    // The selected item's data; 0 when nothing is selected (as for an item whose data is 0).
    DWORD GetSelData() const;
    // The selected item's text; empty when nothing is selected.
    CString GetSelText() const;
    // Selects the first item holding the value; FALSE when none does.
    BOOL SelectByData(DWORD dwData);
    // The new item's index, or a negative error when the box refused the item; then no item's
    // data is touched.
    int AddItem(const wchar_t* lpszText, DWORD dwData);
    // Each string with its index in the array as data.
    void AddItems(const CStringArray& arrTexts);
    // String i with value i; strings without a value are left out.
    void AddItemsWithData(const CStringArray& arrTexts, const CUIntArray& arrData);
    // Case-insensitive prefix search over the whole list; selects the item found.
    BOOL FindAndSelect(const wchar_t* lpszText);

    DECLARE_MESSAGE_MAP()
};
