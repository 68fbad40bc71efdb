// One-pixel 3-D frames in the system's button colours, for bars that paint their own borders.
#pragma once

#include "framework/gdi/CRect.h"

// Light at the top and left, shadow at the bottom and right.
void DrawRaisedFrame(HDC hDC, const CRect& rect);
// Shadow at the top and left, light at the bottom and right.
void DrawSunkenFrame(HDC hDC, const CRect& rect);
