// The one number reader of the alarm model's parsers.
#pragma once

#include <windows.h>

// The signed decimal number at the start of the text: leading blanks and one sign allowed,
// reading stops at the first other character, no digits give 0. Digits accumulate modulo 2^32,
// so a value written with "%u" reads back to the same 32 bits.
int NumberFromText(const wchar_t* pszText);
