// One image of an image list as a block of bytes in the common controls' image-list stream
// format, and back: how a dragged item carries its icons.
#pragma once

#include "framework/gdi/CImageList.h"

// A new malloc'd block that the caller frees; null (and 0 bytes) when the list has no such image.
BYTE* CopyImageToMemory(CImageList* pImageList, int nImage, UINT* pnBytes);
// Appends the block's first image to pImageList, creating the list with that image's size when it
// has none yet; the new image's index, -1 when the bytes hold no usable image list. The bytes may
// come from any program: they reach the platform's reader only once the whole stream is checked.
int CopyImageFromMemory(CImageList* pImageList, const BYTE* pBytes, UINT nBytes);

inline BYTE* IconToMemory(CImageList* pImageList, int nImage, UINT* pnBytes)
{
    return CopyImageToMemory(pImageList, nImage, pnBytes);
}
inline int IconFromMemory(CImageList* pImageList, const BYTE* pBytes, UINT nBytes)
{
    return CopyImageFromMemory(pImageList, pBytes, nBytes);
}
