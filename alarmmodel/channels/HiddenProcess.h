// Runs one command line in a hidden window and waits for it, for the runners that hand work
// to the command interpreter.
#pragma once

#include "framework/core/CString.h"

// FALSE when the process could not be started; strError then tells the command line and why.
BOOL RunHiddenProcess(const CString& strCommandLine, const CString& strCurrentFolder,
                      CString& strError);

// The process start behind RunHiddenProcess, replaceable so that a test can play what a program
// of the system does where this machine's differs; null restores the system's. Returns the
// function that was in place.
typedef BOOL (*HiddenProcessFunction)(const CString& strCommandLine, const CString& strCurrentFolder,
                                      CString& strError);
HiddenProcessFunction SetHiddenProcessFunction(HiddenProcessFunction fn);
// The system's process start, for a stand-in that hands the run on.
BOOL StartHiddenProcess(const CString& strCommandLine, const CString& strCurrentFolder, CString& strError);
