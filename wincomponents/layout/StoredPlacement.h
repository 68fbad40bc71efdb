// Where a stored window rectangle may open: one saved on a screen that is gone, left damaged or
// never usable must not open out of sight or as a bare caption.
#pragma once

#include "framework/gdi/CRect.h"
#include "framework/gdi/CSize.h"

// FALSE when the stored rectangle is narrower or lower than sizeMin (reversed edges included) or
// larger than a rectangle can hold.
BOOL IsUsableStoredRect(const RECT& rectStored, const CSize& sizeMin);
// FALSE when it is not usable; otherwise rectFitted is it fitted into the nearest work area.
BOOL FitStoredRect(const RECT& rectStored, const CSize& sizeMin, CRect& rectFitted);
