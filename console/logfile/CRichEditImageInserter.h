// Puts a bitmap into a rich edit control as a static picture object at the selection, through
// a minimal data object that hands the control a copy of the bitmap.
#pragma once

#include <windows.h>
#include <richedit.h>
#include <richole.h>

class CRichEditImageInserter
{
public:
    // S_OK, or the first failing result; the control is unchanged on failure. The bitmap stays
    // the caller's.
    static HRESULT InsertBitmap(IRichEditOle* pRichEditOle, HBITMAP hBitmap);
};
