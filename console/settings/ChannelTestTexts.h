// The texts the channel test dialogs show, made from what the channels return.
#pragma once

#include "framework/Framework.h"

// "<n> characters".
CString CharacterCountText(const CString& strText);

// The modem dialogue for the screen: each entry split at its line feeds, every character that
// cannot be shown a blank, blanks trimmed and runs of them one, empty lines left out, the lines
// joined with CR LF.
CString ModemLogText(const CStringArray& arrLog);

// The NET SEND line of an addressee and a text, escaped as a whole as the alarm actions escape
// theirs: nothing of either can end the command or start another.
CString NetSendTestCommand(const CString& strSendTo, const CString& strMessage);

// The command, then its output and its errors, each block only when it has lines.
CString CommandReportText(const CString& strCommand, const CStringArray& arrOutput, const CStringArray& arrErrors);
