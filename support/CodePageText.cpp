#include "support/CodePageText.h"

namespace
{
WideToMultiByteFunction g_pfnConvert = WideCharToMultiByte;
} // namespace

BOOL ToCodePageExactly(UINT nCodePage, const CString& strText, std::string& bytes)
{
    bytes.clear();
    if (strText.IsEmpty())
        return TRUE;
    // For UTF-8 the conversion takes no best-fit flag and no default-character arguments: with
    // them it fails. Every character has its form there; only broken UTF-16 is refused.
    BOOL bUtf8 = nCodePage == CP_UTF8;
    DWORD dwFlags = bUtf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL bDefaultUsed = FALSE;
    BOOL* pbDefaultUsed = bUtf8 ? nullptr : &bDefaultUsed;
    int nBytes = g_pfnConvert(nCodePage, dwFlags, strText, strText.GetLength(), nullptr, 0, nullptr, pbDefaultUsed);
    if (nBytes <= 0 || bDefaultUsed)
        return FALSE;
    bytes.resize((size_t)nBytes);
    g_pfnConvert(nCodePage, dwFlags, strText, strText.GetLength(), &bytes[0], nBytes, nullptr, pbDefaultUsed);
    return !bDefaultUsed;
}

WideToMultiByteFunction SetWideToMultiByteFunction(WideToMultiByteFunction fn)
{
    WideToMultiByteFunction pfnPrevious = g_pfnConvert;
    g_pfnConvert = fn ? fn : WideCharToMultiByte;
    return pfnPrevious;
}
