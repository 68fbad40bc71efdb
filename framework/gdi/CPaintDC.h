// The painting context of a WM_PAINT handler: BeginPaint to EndPaint.
#pragma once

#include "framework/gdi/CDC.h"
#include "framework/window/CWnd.h"

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd), m_ps() { Attach(::BeginPaint(m_hWnd, &m_ps)); }
    ~CPaintDC() override
    {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};
