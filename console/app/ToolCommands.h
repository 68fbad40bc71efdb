// The main frame's Tools and Help commands that open no dialog of their own: switching user
// authentication, bringing up the collector's controller program, the user-accounts note and
// the pages of the Help menu.
#pragma once

#include "framework/window/CWnd.h"

class CLogonDlg;

// The collector's controller program in the program folder, and its main window's class.
extern const wchar_t* const szQuorvexController;
extern const wchar_t* const szQuorvexWindowClass;

// The registry value "Authentication": the console asks for a log-on at its start.
BOOL IsUserAuthenticationOn();

// Asks for a log-on, then whether to switch authentication; on Yes switches the registry value,
// makes the user who logged on the console's user and writes the event-log entry naming both
// accounts. TRUE when it was switched; a switch that cannot be stored (a user who may only read
// the console's settings) is said and changes nothing.
BOOL ToggleUserAuthentication(CWnd* pParent);
// The same with the log-on dialog given.
BOOL ToggleUserAuthentication(CWnd* pParent, CLogonDlg& logon);

// Brings the controller program's window forward, or starts the program through the shell.
void BringUpQuorvex(CWnd* pOwner);

void ShowUserAccountsNote(CWnd* pOwner);

// The file or address a Help command opens; empty for any other command.
CString HelpTarget(UINT nID);
