#include "wincomponents/shortcutbar/ImageMemory.h"

#include "framework/files/CArchive.h"
#include "framework/files/CMemFile.h"

#include <cstdlib>
#include <cstring>

namespace
{
// Full colour with a mask: the platform's default depth would cut icons down to 16 colours.
const UINT nCopyFlags = ILC_MASK | ILC_COLOR32;
// Larger pictures are no icons; refusing them keeps foreign bytes from asking for huge bitmaps.
const int nMaxSide = 256;
const WORD wMaxImages = 1024;
// The stream keeps the images side by side, four to a row of its bitmaps.
const int nImagesPerRow = 4;
const WORD wStreamMagic = 0x4C49; // "IL"
const WORD wStreamVersion = 0x101;
const WORD wBitmapType = 0x4D42; // "BM"
const WORD wColourFlags = 0x00FE; // the colour depth among the list's flags

#pragma pack(push, 1)
struct CStreamHeader // the image list's header in the stream
{
    WORD wMagic;
    WORD wVersion;
    WORD wCount;
    WORD wMax;
    WORD wGrow;
    WORD wCx;
    WORD wCy;
    DWORD dwBkColor;
    WORD wFlags;
    short ovls[4];
};
#pragma pack(pop)

BOOL IsSide(int n, int nMax)
{
    return n >= 1 && n <= nMax;
}

BOOL IsColourFlag(WORD wColour)
{
    return wColour == ILC_COLOR || wColour == ILC_COLOR4 || wColour == ILC_COLOR8 || wColour == ILC_COLOR16 ||
           wColour == ILC_COLOR24 || wColour == ILC_COLOR32 || wColour == ILC_COLORDDB;
}

BOOL IsImageBitCount(WORD wBits)
{
    return wBits == 1 || wBits == 4 || wBits == 8 || wBits == 16 || wBits == 24 || wBits == 32;
}

// A list with a mask (the stream then carries two bitmaps), of 1 to its maximum of images, whose
// overlays name images that it holds.
BOOL IsStreamHeader(const CStreamHeader& header)
{
    if (header.wMagic != wStreamMagic || header.wVersion != wStreamVersion || header.wCount < 1 ||
        header.wCount > header.wMax || header.wMax > wMaxImages || !IsSide(header.wCx, nMaxSide) ||
        !IsSide(header.wCy, nMaxSide))
        return FALSE;
    if (!(header.wFlags & ILC_MASK) || (header.wFlags & ~(ILC_MASK | wColourFlags)) ||
        !IsColourFlag(header.wFlags & wColourFlags))
        return FALSE;
    for (short nOverlay : header.ovls)
    {
        if (nOverlay < -1 || nOverlay >= header.wCount)
            return FALSE;
    }
    return TRUE;
}

// The bytes of one bitmap of the stream at pBytes (file header, info header, colour table, bits),
// 0 when it is no uncompressed bottom-up bitmap of that size (a mask of 1 bit per pixel) or the
// block holds fewer bytes than it needs. The platform's reader takes the size and depth from the
// info header alone, so the file header's size and offset fields are not held against the block.
UINT StreamBitmapBytes(const BYTE* pBytes, UINT nLeft, LONG nWidth, LONG nHeight, BOOL bMask)
{
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    if (nLeft < sizeof file + sizeof info)
        return 0;
    memcpy(&file, pBytes, sizeof file);
    memcpy(&info, pBytes + sizeof file, sizeof info);
    if (file.bfType != wBitmapType || info.biSize != sizeof info || info.biWidth != nWidth ||
        info.biHeight != nHeight || info.biPlanes != 1 || info.biCompression != BI_RGB ||
        (bMask ? info.biBitCount != 1 : !IsImageBitCount(info.biBitCount)))
        return 0;
    const DWORD dwColours = info.biBitCount <= 8 ? 1u << info.biBitCount : 0;
    if (info.biClrUsed > dwColours)
        return 0;
    const unsigned long long nStride = ((unsigned long long)nWidth * info.biBitCount + 31) / 32 * 4;
    const unsigned long long nNeeded =
        sizeof file + sizeof info + dwColours * sizeof(RGBQUAD) + nStride * (unsigned long long)nHeight;
    return nNeeded <= nLeft ? (UINT)nNeeded : 0;
}

// The whole stream, before the platform's reader walks its bits by the header's count and sizes:
// the header, then an image bitmap and a mask bitmap of the same size, four images wide and a
// whole number of image rows high, holding every image and no more rows than the maximum needs,
// and nothing after them.
BOOL IsOneIconListStream(const BYTE* pBytes, UINT nBytes)
{
    CStreamHeader header;
    if (!pBytes || nBytes < sizeof header)
        return FALSE;
    memcpy(&header, pBytes, sizeof header);
    if (!IsStreamHeader(header))
        return FALSE;
    const LONG nWidth = header.wCx * nImagesPerRow;
    const LONG nRowsUsed = (header.wCount + nImagesPerRow - 1) / nImagesPerRow;
    const LONG nRowsMax = (header.wMax + nImagesPerRow - 1) / nImagesPerRow;
    BITMAPINFOHEADER info;
    if (nBytes < sizeof header + sizeof(BITMAPFILEHEADER) + sizeof info)
        return FALSE;
    memcpy(&info, pBytes + sizeof header + sizeof(BITMAPFILEHEADER), sizeof info);
    const LONG nHeight = info.biHeight;
    if (nHeight <= 0 || nHeight % header.wCy || nHeight / header.wCy < nRowsUsed ||
        nHeight / header.wCy > nRowsMax)
        return FALSE;
    UINT nAt = sizeof header;
    const UINT nImage = StreamBitmapBytes(pBytes + nAt, nBytes - nAt, nWidth, nHeight, FALSE);
    if (!nImage)
        return FALSE;
    nAt += nImage;
    const UINT nMask = StreamBitmapBytes(pBytes + nAt, nBytes - nAt, nWidth, nHeight, TRUE);
    return nMask && nAt + nMask == nBytes;
}

BOOL WriteOneIconList(CImageList* pImageList, int nImage, CMemFile& file)
{
    IMAGEINFO info = {};
    if (!pImageList->GetSafeHandle() || !pImageList->GetImageInfo(nImage, &info))
        return FALSE;
    CImageList single;
    if (!single.Create(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top, nCopyFlags,
                       1, 0))
        return FALSE;
    HICON hIcon = pImageList->ExtractIcon(nImage);
    if (!hIcon)
        return FALSE;
    int nAdded = single.Add(hIcon);
    DestroyIcon(hIcon);
    if (nAdded < 0)
        return FALSE;
    CArchive ar(&file, CArchive::store, 4096);
    BOOL bWritten = single.Write(&ar);
    try
    {
        ar.Flush();
    }
    catch (const CFileException&)
    {
        return FALSE;
    }
    return bWritten;
}
} // namespace

BYTE* CopyImageToMemory(CImageList* pImageList, int nImage, UINT* pnBytes)
{
    *pnBytes = 0;
    CMemFile file(1024);
    if (!WriteOneIconList(pImageList, nImage, file) || file.GetLength() == 0)
        return nullptr;
    UINT nBytes = (UINT)file.GetLength();
    BYTE* pBytes = (BYTE*)malloc(nBytes);
    if (!pBytes)
        return nullptr;
    memcpy(pBytes, file.GetBuffer(), nBytes);
    *pnBytes = nBytes;
    return pBytes;
}

int CopyImageFromMemory(CImageList* pImageList, const BYTE* pBytes, UINT nBytes)
{
    if (!IsOneIconListStream(pBytes, nBytes))
        return -1;
    CMemFile file(pBytes, nBytes);
    CArchive ar(&file, CArchive::load);
    CImageList carried;
    if (!carried.Read(&ar) || carried.GetImageCount() < 1)
        return -1;
    IMAGEINFO info = {};
    HICON hIcon = carried.GetImageInfo(0, &info) ? carried.ExtractIcon(0) : nullptr;
    if (!hIcon)
        return -1;
    int nIndex = -1;
    if (pImageList->GetSafeHandle() ||
        pImageList->Create(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top,
                           nCopyFlags, 1, 0))
        nIndex = pImageList->Add(hIcon);
    DestroyIcon(hIcon);
    return nIndex;
}
