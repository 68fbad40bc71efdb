// Dialog data exchange: the DDX_ functions copy between a window's controls and its members,
// into the controls when m_bSaveAndValidate is FALSE and back when it is TRUE. A value that
// cannot be taken back is reported to the user and fails the exchange.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

class CWnd;

// Thrown by Fail and caught by UpdateData.
struct CDataExchangeFailure
{
};

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control's handle; fails the exchange when the window has no such control.
    HWND PrepareCtrl(int nIDC);
    // Puts the focus on the last prepared control and ends the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of its group; value is the index of the checked one, -1 none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Subclasses the control into the object the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Selection index of a combo box or list box, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// Selected text: a combo box takes the text of its edit; a list box selects by prefix.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);

// Checks that follow the DDX_ call of the same control. Going in, MaxChars limits the edit's
// typing; coming back, a value outside the limits is reported with the standard message and
// fails the exchange.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
