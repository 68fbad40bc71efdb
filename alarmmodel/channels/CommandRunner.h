// Runs one line of the command interpreter hidden and captures what it writes, and builds the
// NET SEND command of a notification.
#pragma once

#include "framework/Framework.h"

// Both arrays are emptied, then filled with the lines of standard output and standard error.
// A command that cannot be written or started, or holds a control character, leaves one line in
// the errors saying why.
void RunCommandCaptured(const CString& strCommand, CStringArray& output, CStringArray& errors);
// As above, with the work files in strFolder instead of the temporary folder.
void RunCommandCaptured(const CString& strCommand, const CString& strFolder, CStringArray& output,
                        CStringArray& errors);

// The text with the interpreter's special characters escaped, so that it reaches the program
// as typed: outside double quotes & | < > ^ take a caret; % is doubled everywhere.
CString EscapeForBatchLine(const CString& strText);

// "NET SEND " followed by the target and message as typed in the action.
CString FormatNetSendCommand(const CString& strParameter);
