// Keeping a saved window place reachable: a window saved on a screen that has since gone, or
// that has shrunk, would otherwise open out of sight.
#pragma once

#include "framework/gdi/CRect.h"

// The rectangle moved into the work area of the monitor nearest to it, and cut to that work
// area where it is larger; a rectangle inside it stays as it is.
CRect AfxFitToWorkArea(const CRect& rect);
