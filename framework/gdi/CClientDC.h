// The device context of a window's client area for the object's lifetime.
#pragma once

#include "framework/gdi/CDC.h"
#include "framework/window/CWnd.h"

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
    ~CClientDC() override { ::ReleaseDC(m_hWnd, Detach()); }

private:
    HWND m_hWnd;
};
