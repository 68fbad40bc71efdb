#include "framework/window/AfxClipboard.h"

#include <windows.h>

namespace
{
BOOL ReadSystemClipboard(CString& strText)
{
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) || !::OpenClipboard(nullptr))
        return FALSE;
    BOOL bRead = FALSE;
    HANDLE hData = ::GetClipboardData(CF_UNICODETEXT);
    if (const wchar_t* psz = hData ? static_cast<const wchar_t*>(::GlobalLock(hData)) : nullptr)
    {
        // The block may hold no terminator within its size.
        SIZE_T nChars = ::GlobalSize(hData) / sizeof(wchar_t);
        SIZE_T nLength = 0;
        while (nLength < nChars && psz[nLength])
            ++nLength;
        strText = CString(psz, (int)nLength);
        ::GlobalUnlock(hData);
        bRead = TRUE;
    }
    ::CloseClipboard();
    return bRead;
}

AfxClipboardTextFunction& CurrentFunction()
{
    static AfxClipboardTextFunction fn;
    return fn;
}
} // namespace

AfxClipboardTextFunction AfxSetClipboardTextFunction(AfxClipboardTextFunction fn)
{
    AfxClipboardTextFunction previous = CurrentFunction();
    CurrentFunction() = std::move(fn);
    return previous;
}

CString AfxGetClipboardText()
{
    CString strText;
    BOOL bRead = CurrentFunction() ? CurrentFunction()(strText) : ReadSystemClipboard(strText);
    return bRead ? strText : CString();
}
