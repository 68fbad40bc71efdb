// Runtime class information of the thin control wrappers.
#include "framework/controls/CButton.h"
#include "framework/controls/CComboBox.h"
#include "framework/controls/CEdit.h"
#include "framework/controls/CListBox.h"
#include "framework/controls/CStatic.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    rString.Empty();
    int nLength = (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)nIndex);
    if (nLength < 0)
        return;
    SendMessage(CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)rString.GetBufferSetLength(nLength + 1));
    rString.ReleaseBuffer();
}
