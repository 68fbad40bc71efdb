// Opens a file or address with the shell and shows a failure as a readable message.
#pragma once

#include "framework/core/CString.h"

#include <functional>

// The shell's open call (owner, target), replaceable so that a test can give each result.
typedef std::function<INT_PTR(HWND hOwner, const wchar_t* pszTarget)> ShellOpenFunction;
// An empty function restores ShellExecute; returns the function that was in place.
ShellOpenFunction SetShellOpenFunction(ShellOpenFunction fn);

// The text for a ShellExecute result of 32 or less.
CString ShellOpenErrorText(INT_PTR nResult);

// TRUE when the shell opened the target; otherwise the message box owned by hOwner has said why.
BOOL ShellOpenTarget(HWND hOwner, const CString& strTarget);
