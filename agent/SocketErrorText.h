// English text of a WinSock (or Win32) error code, the same in the agent and in Sendrix.
#pragma once

#include "framework/core/CString.h"

class CSocketErrorText
{
public:
    explicit CSocketErrorText(int nError);

    operator const wchar_t*() const { return m_strText; }

    int m_bKnown;
    int m_nError;
    CString m_strText;
};
