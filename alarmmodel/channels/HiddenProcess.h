// Runs one command line in a hidden window and waits for it, for the runners that hand work
// to the command interpreter.
#pragma once

#include "framework/core/CString.h"

// FALSE when the process could not be started; strError then tells the command line and why.
BOOL RunHiddenProcess(const CString& strCommandLine, const CString& strCurrentFolder,
                      CString& strError);
