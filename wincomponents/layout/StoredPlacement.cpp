#include "wincomponents/layout/StoredPlacement.h"

#include "framework/window/AfxWorkArea.h"

#include <climits>

BOOL IsUsableStoredRect(const RECT& rectStored, const CSize& sizeMin)
{
    // In 64 bits: the edges may be anything a profile can hold.
    long long nWidth = (long long)rectStored.right - rectStored.left;
    long long nHeight = (long long)rectStored.bottom - rectStored.top;
    return nWidth >= sizeMin.cx && nHeight >= sizeMin.cy && nWidth <= INT_MAX && nHeight <= INT_MAX;
}

BOOL FitStoredRect(const RECT& rectStored, const CSize& sizeMin, CRect& rectFitted)
{
    if (!IsUsableStoredRect(rectStored, sizeMin))
        return FALSE;
    rectFitted = AfxFitToWorkArea(CRect(rectStored));
    return TRUE;
}
