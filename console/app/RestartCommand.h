// Starting the program anew after the operator asked for a restart.
#pragma once

#include "framework/core/CString.h"

// The new instance's command line: the program path in double quotes, so that a path with
// blanks stays one argument where short names are switched off, then " -m".
CString FormatRestartCommandLine(const CString& strProgramPath);

// Starts the running executable again and does not wait; a failure goes unreported.
void StartProgramAgain();
