// The main frame's commands for the alarms service, the database and the data source.
#pragma once

#include "console/service/CServiceControl.h"
#include "console/service/CServiceSheet.h"

#include <functional>

// Makes the modeless service sheet on first use, then hides it when it shows, else shows it.
void ToggleServiceSheet(CServiceSheet*& pSheet, CWnd* pFrame);
BOOL IsServiceSheetShown(const CServiceSheet* pSheet);
// Destroys the sheet's window and the sheet.
void DestroyServiceSheet(CServiceSheet*& pSheet);

// The service control's warning, when it has one, as a warning line in the console's log window.
void LogServiceWarning(const CServiceControl& service);

// Asks for the data source; keeps changed connection parameters and, for another data source,
// checks it, stores its name and reloads the alarms windows. TRUE when the data source changed;
// a data source that fails the check, and a name that cannot be stored (a user who may only read
// the console's settings), are said, and the data source stays as it was.
BOOL ChooseDataSource(CWnd* pFrame, const std::function<void()>& reload);
