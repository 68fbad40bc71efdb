// Clipboard text: every read goes through one replaceable function, the system's clipboard
// unless a test puts its own in place.
#pragma once

#include "framework/core/CString.h"

#include <functional>

// FALSE when the clipboard holds no text or cannot be opened.
typedef std::function<BOOL(CString& strText)> AfxClipboardTextFunction;

// Returns the function that was in place; an empty function restores the system's clipboard.
AfxClipboardTextFunction AfxSetClipboardTextFunction(AfxClipboardTextFunction fn);
// The clipboard's CF_UNICODETEXT, opened without an owner window; empty when there is none.
CString AfxGetClipboardText();
