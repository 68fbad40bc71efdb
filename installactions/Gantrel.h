// The eight functions that a setup calls, exported under their plain names. The caller removes
// the arguments from the stack; strings belong to the caller; every result is a plain int.
#pragma once

#include <windows.h>

extern "C" {
int __cdecl CheckAccountExists(const char* pszAccount);
int __cdecl CheckPasswordCorrect(int nUnused, const char* pszAccount, const char* pszPassword);
int __cdecl CreateAccount(HWND hOwner, const char* pszAccount, const char* pszUnused);
int __cdecl CreateNewService(HWND hOwner, const char* pszServiceName, const char* pszDisplayName,
                             const char* pszDescription, const char* pszBinaryPath, const char* pszAccount,
                             const char* pszPassword, int bInteractive);
int __cdecl ServiceCreate(HWND hOwner, const wchar_t* pszBinaryPath, const wchar_t* pszServiceName,
                          const wchar_t* pszDisplayName, int bAutoStart);
int __cdecl ServiceRemove(HWND hOwner, const char* pszServiceName);
int __cdecl ServiceStart(HWND hOwner, const wchar_t* pszServiceName);
int __cdecl ServiceStop(HWND hOwner, const char* pszServiceName);
}
