#include "framework/core/CException.h"

#include <cwchar>

BOOL CException::GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (pszError && nMaxError > 0)
        *pszError = L'\0';
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!pszError || nMaxError == 0)
        return FALSE;
    _snwprintf(pszError, nMaxError, L"%s", L"Out of memory.");
    pszError[nMaxError - 1] = L'\0';
    return TRUE;
}
