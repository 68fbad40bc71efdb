// The hourglass for the life of the object; the arrow comes back when it goes.
#pragma once

#include <windows.h>

class CWaitCursor
{
public:
    CWaitCursor() : m_hPrevious(::SetCursor(::LoadCursorW(nullptr, (LPCWSTR)IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hPrevious ? m_hPrevious : ::LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW)); }
    void Restore() { ::SetCursor(::LoadCursorW(nullptr, (LPCWSTR)IDC_WAIT)); }

private:
    HCURSOR m_hPrevious;

    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
