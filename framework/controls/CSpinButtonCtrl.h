// An up-down control: steps its buddy's integer with the arrows and the arrow keys.
#pragma once

#include "framework/window/CWnd.h"

class CSpinButtonCtrl : public CWnd
{
public:
    ~CSpinButtonCtrl() override {}
    void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, (WPARAM)nLower, nUpper); }
    void GetRange32(int& nLower, int& nUpper) const
    { SendMessage(UDM_GETRANGE32, (WPARAM)&nLower, (LPARAM)&nUpper); }
    int SetPos32(int nPos) { return (int)SendMessage(UDM_SETPOS32, 0, nPos); }
    int GetPos32() const { return (int)SendMessage(UDM_GETPOS32, 0, 0); }
    HWND SetBuddy(HWND hWndBuddy) { return (HWND)SendMessage(UDM_SETBUDDY, (WPARAM)hWndBuddy); }
    HWND GetBuddy() const { return (HWND)SendMessage(UDM_GETBUDDY); }
};
