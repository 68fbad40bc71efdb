// A static control.
#pragma once

#include "framework/window/CWnd.h"

class CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(const wchar_t* lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID); }
};
