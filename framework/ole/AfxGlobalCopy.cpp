#include "framework/ole/AfxGlobalCopy.h"

#include <cstring>

HGLOBAL AfxCopyGlobal(HGLOBAL hSource)
{
    SIZE_T nSize = GlobalSize(hSource);
    if (nSize == 0)
        return nullptr;
    HGLOBAL hCopy = GlobalAlloc(GMEM_MOVEABLE, nSize);
    if (!hCopy)
        return nullptr;
    void* pFrom = GlobalLock(hSource);
    void* pTo = GlobalLock(hCopy);
    if (pFrom && pTo)
        memcpy(pTo, pFrom, nSize);
    if (pTo)
        GlobalUnlock(hCopy);
    if (pFrom)
        GlobalUnlock(hSource);
    if (pFrom && pTo)
        return hCopy;
    GlobalFree(hCopy);
    return nullptr;
}
