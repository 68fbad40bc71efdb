// Message boxes: every box of the program goes through one replaceable function, the system's
// MessageBoxW unless a test puts its own in place.
#pragma once

#include <windows.h>

#include <functional>

typedef std::function<int(HWND hOwner, const wchar_t* pszText, const wchar_t* pszCaption, UINT nType)>
    AfxMessageBoxFunction;

// Returns the function that was in place; an empty function restores the system's box.
AfxMessageBoxFunction AfxSetMessageBoxFunction(AfxMessageBoxFunction fn);
// A null caption shows the application's name.
int AfxShowMessageBox(HWND hOwner, const wchar_t* pszText, const wchar_t* pszCaption, UINT nType);
// A box owned by the application's main window.
int AfxMessageBox(const wchar_t* pszText, UINT nType = MB_OK);
