// Global memory blocks as OLE hands them over.
#pragma once

#include <windows.h>

// A new movable block with the same bytes and size; null for an empty or unreadable block.
HGLOBAL AfxCopyGlobal(HGLOBAL hSource);
