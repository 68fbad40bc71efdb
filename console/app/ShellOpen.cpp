#include "console/app/ShellOpen.h"

#include "framework/window/AfxMessageBox.h"
#include "support/SystemErrorText.h"

#include <shellapi.h>

namespace
{
ShellOpenFunction& Current()
{
    static ShellOpenFunction s_fn;
    return s_fn;
}

struct ShellError
{
    INT_PTR nResult;
    const wchar_t* pszText;
};

const ShellError g_errors[] = {
    {0, L"The operating system is out of memory or resources."},
    {ERROR_FILE_NOT_FOUND, L"The specified file was not found."},
    {ERROR_PATH_NOT_FOUND, L"The specified path was not found."},
    {SE_ERR_ACCESSDENIED, L"The operating system denied access to the specified file."},
    {SE_ERR_OOM, L"There was not enough memory to complete the operation."},
    {ERROR_BAD_FORMAT, L"The .exe file is invalid (non-Win32\u00AE .exe or error in .exe image)."},
    {SE_ERR_SHARE, L"A sharing violation occurred."},
    {SE_ERR_ASSOCINCOMPLETE, L"The file name association is incomplete or invalid."},
    {SE_ERR_DDETIMEOUT, L"The DDE transaction could not be completed because the request timed out."},
    {SE_ERR_DDEFAIL, L"The DDE transaction failed."},
    {SE_ERR_DDEBUSY,
     L"The DDE transaction could not be completed because other DDE transactions were being processed."},
    {SE_ERR_NOASSOC,
     L"There is no application associated with the given file name extension. This error will also be "
     L"returned if you attempt to print a file that is not printable."},
    {SE_ERR_DLLNOTFOUND, L"The specified dynamic-link library was not found."},
};

INT_PTR SystemShellOpen(HWND hOwner, const wchar_t* pszTarget)
{
    return (INT_PTR)ShellExecuteW(hOwner, L"open", pszTarget, nullptr, nullptr, SW_SHOWNORMAL);
}
} // namespace

ShellOpenFunction SetShellOpenFunction(ShellOpenFunction fn)
{
    ShellOpenFunction previous = Current();
    Current() = std::move(fn);
    return previous;
}

CString ShellOpenErrorText(INT_PTR nResult)
{
    for (const ShellError& error : g_errors)
        if (error.nResult == nResult)
            return error.pszText;
    return CSystemErrorText((DWORD)nResult, L"", L"", L"", L"", L"").m_strText;
}

BOOL ShellOpenTarget(HWND hOwner, const CString& strTarget)
{
    INT_PTR nResult = Current() ? Current()(hOwner, strTarget) : SystemShellOpen(hOwner, strTarget);
    if (nResult > 32)
        return TRUE;
    CString strMessage = L"Error opening \"" + strTarget + L"\" -\n \n" + ShellOpenErrorText(nResult);
    AfxShowMessageBox(hOwner, strMessage, L"Error", MB_OK | MB_ICONSTOP);
    return FALSE;
}
