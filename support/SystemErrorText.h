// One line of readable text for a Windows error code.
#pragma once

#include "framework/core/CString.h"

class CSystemErrorText
{
public:
    // The calling thread's last error.
    CSystemErrorText();
    // The given code; %1 to %5 in the system's message take the inserts.
    CSystemErrorText(DWORD dwError, const wchar_t* pszInsert1, const wchar_t* pszInsert2,
                     const wchar_t* pszInsert3, const wchar_t* pszInsert4, const wchar_t* pszInsert5);

    operator const wchar_t*() const { return m_strText; }

    // The code's text to stand inside a message: without the blank that the folded line break
    // at its end leaves.
    static CString Reason(DWORD dwError);

    DWORD m_dwError;
    CString m_strText;

private:
    void Format(const wchar_t* const inserts[5]);
};
