#include "wincomponents/lists/CDataComboBox.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CDataComboBox, CComboBox)
END_MESSAGE_MAP()

DWORD CDataComboBox::GetSelData() const
{
    int nSel = GetCurSel();
    return nSel < 0 ? 0 : (DWORD)GetItemData(nSel);
}

CString CDataComboBox::GetSelText() const
{
    CString strText;
    int nSel = GetCurSel();
    if (nSel >= 0)
        GetLBText(nSel, strText);
    return strText;
}

BOOL CDataComboBox::SelectByData(DWORD dwData)
{
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        if ((DWORD)GetItemData(i) != dwData)
            continue;
        if (GetCurSel() != i)
            SetCurSel(i);
        return TRUE;
    }
    return FALSE;
}

int CDataComboBox::AddItem(const wchar_t* lpszText, DWORD dwData)
{
    int nIndex = AddString(lpszText);
    // Index -1 would set the data of every item.
    if (nIndex >= 0)
        SetItemData(nIndex, dwData);
    return nIndex;
}

void CDataComboBox::AddItems(const CStringArray& arrTexts)
{
    for (int i = 0; i < arrTexts.GetSize(); ++i)
        AddItem(arrTexts[i], (DWORD)i);
}

void CDataComboBox::AddItemsWithData(const CStringArray& arrTexts, const CUIntArray& arrData)
{
    int nCount = std::min(arrTexts.GetSize(), arrData.GetSize());
    for (int i = 0; i < nCount; ++i)
        AddItem(arrTexts[i], arrData[i]);
}

BOOL CDataComboBox::FindAndSelect(const wchar_t* lpszText)
{
    int nIndex = FindString(-1, lpszText);
    if (nIndex < 0)
        return FALSE;
    SetCurSel(nIndex);
    return TRUE;
}
