// What the window driver and its menu reader (loaded into the program under test) share.
#pragma once

#include <windows.h>

// The hook procedure, a WH_CALLWNDPROC hook exported by MenuReader.dll.
const char* const pszMenuReaderHook = "MenuReaderHook";
// Sent to the window whose menu is wanted, while the hook is on its thread.
const wchar_t* const pszReadMenuMessage = L"TervokWindowDriverReadMenu";
// The shared memory that receives the menu as null-terminated UTF-8 JSON ("null": no menu).
const wchar_t* const pszMenuMapping = L"TervokWindowDriverMenu";
const size_t cbMenuMapping = 256 * 1024;
