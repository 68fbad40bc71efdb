// Types shared by the OLE drag-and-drop classes.
#pragma once

#include <ole2.h>

// One or more DROPEFFECT_ flags.
typedef DWORD DROPEFFECT;
