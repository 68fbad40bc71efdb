#include "installactions/InstallerMessages.h"

#include "support/SystemErrorText.h"

namespace
{
void WriteDebugLine(const wchar_t* pszLine)
{
    OutputDebugStringW(pszLine);
}

PFN_MESSAGEBOXW g_pfnMessageBox = MessageBoxW;
PFN_TRACE g_pfnTrace = WriteDebugLine;
} // namespace

CString FormatCaption(const wchar_t* pszFormat, const wchar_t* pszName)
{
    CString strCaption;
    strCaption.Format(pszFormat, pszName ? pszName : L"");
    return strCaption.Left(kCaptionChars - 1);
}

void ShowWarningBox(HWND hOwner, const wchar_t* pszText, const wchar_t* pszCaption)
{
    if (hOwner)
        g_pfnMessageBox(hOwner, pszText, pszCaption, MB_ICONWARNING | MB_OK);
}

void ShowErrorBox(HWND hOwner, const wchar_t* pszCaption)
{
    // Taken first: nothing may overwrite the last error before its text is read.
    CSystemErrorText text;
    ShowWarningBox(hOwner, text, pszCaption);
}

void TraceFailure(const wchar_t* pszFormat, ...)
{
    CString strLine(L"Gantrel: ");
    va_list args;
    va_start(args, pszFormat);
    strLine.AppendFormatV(pszFormat, args);
    va_end(args);
    g_pfnTrace(strLine + L"\n");
}

PFN_MESSAGEBOXW SetMessageBoxFunction(PFN_MESSAGEBOXW pfn)
{
    PFN_MESSAGEBOXW pfnOld = g_pfnMessageBox;
    g_pfnMessageBox = pfn ? pfn : MessageBoxW;
    return pfnOld;
}

PFN_TRACE SetTraceFunction(PFN_TRACE pfn)
{
    PFN_TRACE pfnOld = g_pfnTrace;
    g_pfnTrace = pfn ? pfn : WriteDebugLine;
    return pfnOld;
}
