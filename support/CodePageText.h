// Text in an 8-bit code page, taken only where every character keeps its exact form there: a
// character the page lacks would become "?" or a look-alike and change what the reader gets.
#pragma once

#include "framework/core/CString.h"

#include <string>

// The text's bytes in the code page, a real number such as GetACP() or GetOEMCP() gives (65001
// where Windows uses UTF-8 for the system's code pages); FALSE when a character has no exact form
// there, or, in UTF-8, when the text is no valid UTF-16 (a lone surrogate).
BOOL ToCodePageExactly(UINT nCodePage, const CString& strText, std::string& bytes);

// The platform's WideCharToMultiByte behind it, replaceable so that a test can play the rules that
// Windows enforces where this machine's conversion is laxer; null restores the platform's. Returns
// the function that was in place.
typedef int(WINAPI* WideToMultiByteFunction)(UINT nCodePage, DWORD dwFlags, LPCWCH pszWide, int nWide,
                                             LPSTR pszBytes, int nBytes, LPCCH pszDefault, LPBOOL pbDefaultUsed);
WideToMultiByteFunction SetWideToMultiByteFunction(WideToMultiByteFunction fn);
