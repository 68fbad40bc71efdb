// The device context of a whole window, frame included, for the object's lifetime.
#pragma once

#include "framework/gdi/CDC.h"
#include "framework/window/CWnd.h"

class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }
    ~CWindowDC() override { ::ReleaseDC(m_hWnd, Detach()); }

private:
    HWND m_hWnd;
};
