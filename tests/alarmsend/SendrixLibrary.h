// Sendrix.dll loaded by name, as a calling program loads it.
#pragma once

#include <windows.h>

typedef int(__stdcall* SendFunction)(int, int, const wchar_t*, const wchar_t*, wchar_t**, wchar_t**);
typedef void(__stdcall* FreeFunction)(wchar_t*);

struct SSendrixLibrary
{
    SSendrixLibrary()
    {
        HMODULE dll = LoadLibraryW(L"Sendrix.dll");
        send = dll ? (SendFunction)(void*)GetProcAddress(dll, "AlarmSendUnicode") : nullptr;
        release = dll ? (FreeFunction)(void*)GetProcAddress(dll, "AlarmFreeString") : nullptr;
    }
    bool Loaded() const { return send && release; }

    SendFunction send;
    FreeFunction release;
};
