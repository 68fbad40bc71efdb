#include "support/SystemErrorText.h"

namespace
{
const DWORD kBufferChars = 511;

// The system's message for the code as it stands, inserts left as they are; FALSE when there
// is none or it does not fit.
BOOL RawMessage(DWORD dwError, wchar_t* buf)
{
    return FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                          dwError, 0, buf, kBufferChars, nullptr) > 0;
}

// Inserts are filled only when the message asks for nothing beyond the five plain strings we
// have; anything else (%6, %1!d!) would read arguments that do not exist.
BOOL InsertsAreSafe(const wchar_t* text)
{
    for (const wchar_t* p = text; *p; ++p)
    {
        if (*p != L'%')
            continue;
        wchar_t next = p[1];
        if (next >= L'1' && next <= L'9')
        {
            if (next > L'5' || (p[2] >= L'0' && p[2] <= L'9') || p[2] == L'!')
                return FALSE;
        }
        if (next)
            ++p;
    }
    return TRUE;
}

CString FoldLineBreaks(const wchar_t* text)
{
    CString out;
    for (const wchar_t* p = text; *p; ++p)
    {
        if ((p[0] == L'\r' && p[1] == L'\n') || (p[0] == L'\n' && p[1] == L'\r'))
        {
            out += L' ';
            ++p;
        }
        else
            out += *p;
    }
    return out;
}
} // namespace

CSystemErrorText::CSystemErrorText() : m_dwError(GetLastError())
{
    const wchar_t* none[5] = {L"", L"", L"", L"", L""};
    Format(none);
}

CSystemErrorText::CSystemErrorText(DWORD dwError, const wchar_t* pszInsert1, const wchar_t* pszInsert2,
                                   const wchar_t* pszInsert3, const wchar_t* pszInsert4,
                                   const wchar_t* pszInsert5)
    : m_dwError(dwError)
{
    const wchar_t* inserts[5] = {pszInsert1, pszInsert2, pszInsert3, pszInsert4, pszInsert5};
    for (const wchar_t*& p : inserts)
        if (!p)
            p = L"";
    Format(inserts);
}

void CSystemErrorText::Format(const wchar_t* const inserts[5])
{
    wchar_t buf[kBufferChars + 1] = L"";
    BOOL ok = RawMessage(m_dwError, buf);
    if (ok && InsertsAreSafe(buf))
    {
        wchar_t filled[kBufferChars + 1] = L"";
        if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr, m_dwError, 0,
                           filled, kBufferChars, (va_list*)inserts) > 0)
            wcscpy(buf, filled);
    }
    if (ok)
        m_strText = FoldLineBreaks(buf);
    else
        m_strText.Format(L"Unknown error %u", (unsigned)m_dwError);
}

CString CSystemErrorText::Reason(DWORD dwError)
{
    CString strReason = CSystemErrorText(dwError, nullptr, nullptr, nullptr, nullptr, nullptr).m_strText;
    return strReason.Trim();
}
