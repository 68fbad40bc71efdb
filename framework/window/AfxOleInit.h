// Start-up calls of programs that use OLE objects, control containers and rich edit controls.
#pragma once

#include <windows.h>

// OLE for this thread, released at exit; FALSE when it cannot be started.
BOOL AfxOleInit();
// Controls are hosted through the dialog manager here: nothing to do.
inline void AfxEnableControlContainer() {}
// Loads the rich edit library once; FALSE when it is missing.
BOOL AfxInitRichEdit();
