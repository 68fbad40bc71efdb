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
const int nMaxBitmapSide = 4096;

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

// The header and the first bitmap's size: the rest is left to the platform's reader.
BOOL LooksLikeOneIconList(const BYTE* pBytes, UINT nBytes)
{
    CStreamHeader header;
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    if (!pBytes || nBytes < sizeof header + sizeof file + sizeof info)
        return FALSE;
    memcpy(&header, pBytes, sizeof header);
    memcpy(&file, pBytes + sizeof header, sizeof file);
    memcpy(&info, pBytes + sizeof header + sizeof file, sizeof info);
    return header.wMagic == 0x4C49 && header.wCount >= 1 && header.wMax <= 1024 && IsSide(header.wCx, nMaxSide) &&
           IsSide(header.wCy, nMaxSide) && file.bfType == 0x4D42 && IsSide(info.biWidth, nMaxBitmapSide) &&
           IsSide(info.biHeight < 0 ? -info.biHeight : info.biHeight, nMaxBitmapSide);
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
    if (!LooksLikeOneIconList(pBytes, nBytes))
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
