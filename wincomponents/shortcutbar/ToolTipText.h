// The text of a tool tip that the bar or a group list asks its owner for.
#pragma once

#include <windows.h>

#include <commctrl.h>

// Answers a TTN_NEEDTEXTW or TTN_NEEDTEXTA request with the owner's text: the text it points to
// when it set a pointer, else the copy in its buffer (at most 80 characters). The narrow form
// gets the text converted to the ANSI code page, as much of it as fits its buffer in whole
// characters.
void FillToolTipText(NMHDR* pNMHDR, const wchar_t* pszOwnText, const wchar_t* pszBuffer, HINSTANCE hinst);
