#include "framework/window/CDataExchange.h"

#include "framework/window/AfxMessageBox.h"
#include "framework/window/CWnd.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>

namespace
{
CString ControlText(HWND hCtrl)
{
    return CWnd::FromHandle(hCtrl)->GetWindowText();
}

// A whole decimal number with optional blanks around it and a sign; FALSE otherwise.
BOOL ParseNumber(const CString& text, BOOL bSigned, long long& value)
{
    const wchar_t* p = text;
    while (iswspace(*p))
        ++p;
    if (!*p)
        return FALSE;
    wchar_t* pEnd = nullptr;
    errno = 0;
    value = wcstoll(p, &pEnd, 10);
    if (pEnd == p || errno == ERANGE)
        return FALSE;
    while (iswspace(*pEnd))
        ++pEnd;
    if (*pEnd)
        return FALSE;
    if (bSigned)
        return value >= INT_MIN && value <= INT_MAX;
    return *p != L'-' && value >= 0 && value <= (long long)UINT_MAX;
}

void ExchangeNumber(CDataExchange* pDX, int nIDC, long long& value, BOOL bSigned)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        CString text;
        if (bSigned)
            text.Format(L"%d", (int)value);
        else
            text.Format(L"%u", (UINT)value);
        ::SetWindowTextW(hCtrl, text);
        return;
    }
    if (!ParseNumber(ControlText(hCtrl), bSigned, value))
    {
        AfxMessageBox(bSigned ? L"Please enter an integer." : L"Please enter a positive integer.",
                      MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void SelectionIndex(CDataExchange* pDX, int nIDC, int& index, UINT nGetMsg, UINT nSetMsg)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageW(hCtrl, nGetMsg, 0, 0);
    else
        ::SendMessageW(hCtrl, nSetMsg, (WPARAM)index, 0);
}
} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(nullptr)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hCtrl)
        throw CDataExchangeFailure();
    m_hWndLastControl = hCtrl;
    return hCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl)
    {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CDataExchangeFailure();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hCtrl);
    else
        ::SetWindowTextW(hCtrl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    long long n = value;
    ExchangeNumber(pDX, nIDC, n, TRUE);
    value = (int)n;
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    long long n = value;
    ExchangeNumber(pDX, nIDC, n, FALSE);
    value = (UINT)n;
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageW(hCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessageW(hCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int nIndex = 0;
    // The group runs from the first button to the next window with WS_GROUP.
    // Other controls may sit between the buttons; only the buttons count.
    for (HWND h = hCtrl; h; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        if (h != hCtrl && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_GROUP))
            break;
        if (!(::SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate)
        {
            if (::SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = nIndex;
        }
        else
            ::SendMessageW(h, BM_SETCHECK, nIndex == value ? BST_CHECKED : BST_UNCHECKED, 0);
        ++nIndex;
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hCtrl))
        pDX->Fail();
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    SelectionIndex(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    SelectionIndex(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = ControlText(hCtrl);
        return;
    }
    // A drop-down list has no edit: select the item instead.
    if (::SendMessageW(hCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString()) == CB_ERR)
        ::SetWindowTextW(hCtrl, value);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        ::SendMessageW(hCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString());
        return;
    }
    value.Empty();
    int nSel = (int)::SendMessageW(hCtrl, LB_GETCURSEL, 0, 0);
    if (nSel < 0)
        return;
    int nLength = (int)::SendMessageW(hCtrl, LB_GETTEXTLEN, (WPARAM)nSel, 0);
    if (nLength < 0)
        return;
    ::SendMessageW(hCtrl, LB_GETTEXT, (WPARAM)nSel, (LPARAM)value.GetBufferSetLength(nLength + 1));
    value.ReleaseBuffer();
}

namespace
{
[[noreturn]] void FailWithMessage(CDataExchange* pDX, const CString& strMessage)
{
    AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
    pDX->Fail();
}
} // namespace

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate)
    {
        if (pDX->m_hWndLastControl)
            ::SendMessageW(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    CString strMessage;
    strMessage.Format(L"Please enter no more than %d characters.", nChars);
    FailWithMessage(pDX, strMessage);
}

namespace
{
template <typename T>
void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, const wchar_t* pszFormat)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString strMessage;
    strMessage.Format(pszFormat, minVal, maxVal);
    FailWithMessage(pDX, strMessage);
}
} // namespace

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, L"Please enter an integer between %d and %d.");
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, L"Please enter an integer between %u and %u.");
}
