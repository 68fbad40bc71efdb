// Draws a bitmap so that its pixels of the key colour let the target's background show.
#pragma once

#include <windows.h>

class CDC;
class CBitmap;

// (x, y): the bitmap's top-left corner in the target's logical coordinates. The bitmap is the
// same afterwards.
void DrawTransparentBitmap(CDC* pDC, CBitmap* pBitmap, int x, int y, COLORREF crKey);
