// How the installer actions tell the person at the setup about a failure: warning boxes over
// the setup's window, and trace lines for failures that the results cannot tell.
#pragma once

#include "framework/core/CString.h"

typedef int(WINAPI* PFN_MESSAGEBOXW)(HWND, LPCWSTR, LPCWSTR, UINT);
typedef void (*PFN_TRACE)(const wchar_t* pszLine);

// Captions hold at most this many characters, terminator included; longer ones are cut.
const int kCaptionChars = 1024;

// pszFormat takes the one name for its "%s".
CString FormatCaption(const wchar_t* pszFormat, const wchar_t* pszName);

// Shown only when there is an owner window: without one the result is the only report.
void ShowWarningBox(HWND hOwner, const wchar_t* pszText, const wchar_t* pszCaption);
// The system's text for the calling thread's last error, as a warning box.
void ShowErrorBox(HWND hOwner, const wchar_t* pszCaption);

void TraceFailure(const wchar_t* pszFormat, ...);

// Seams for the tests; each returns the function it replaces, null restores the platform's.
PFN_MESSAGEBOXW SetMessageBoxFunction(PFN_MESSAGEBOXW pfn);
PFN_TRACE SetTraceFunction(PFN_TRACE pfn);
