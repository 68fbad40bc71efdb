#include "wincomponents/pictures/DrawTransparentBitmap.h"

#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CDC.h"

void DrawTransparentBitmap(CDC* pDC, CBitmap* pBitmap, int x, int y, COLORREF crKey)
{
    CDC dcImage, dcBack, dcObject, dcMemory, dcSave;
    dcImage.CreateCompatibleDC(pDC);
    HGDIOBJ hOldImage = dcImage.SelectObject(pBitmap);
    dcImage.SetMapMode(pDC->GetMapMode());

    BITMAP bm = {};
    pBitmap->GetBitmap(&bm);
    SIZE size = {bm.bmWidth, bm.bmHeight};
    dcImage.DPtoLP(&size);
    int cx = size.cx, cy = size.cy;

    dcBack.CreateCompatibleDC(pDC);
    dcObject.CreateCompatibleDC(pDC);
    dcMemory.CreateCompatibleDC(pDC);
    dcSave.CreateCompatibleDC(pDC);
    CBitmap bmBack, bmObject, bmMemory, bmSave;
    bmBack.CreateBitmap(cx, cy, 1, 1, nullptr);
    bmObject.CreateBitmap(cx, cy, 1, 1, nullptr);
    bmMemory.CreateCompatibleBitmap(pDC, cx, cy);
    bmSave.CreateCompatibleBitmap(pDC, cx, cy);
    HGDIOBJ hOldBack = dcBack.SelectObject(&bmBack);
    HGDIOBJ hOldObject = dcObject.SelectObject(&bmObject);
    HGDIOBJ hOldMemory = dcMemory.SelectObject(&bmMemory);
    HGDIOBJ hOldSave = dcSave.SelectObject(&bmSave);

    dcSave.BitBlt(0, 0, cx, cy, &dcImage, 0, 0, SRCCOPY);
    // The monochrome copy is 1 exactly where the pixel has the background colour.
    COLORREF crOldBack = dcImage.SetBkColor(crKey);
    dcObject.BitBlt(0, 0, cx, cy, &dcImage, 0, 0, SRCCOPY);
    dcImage.SetBkColor(crOldBack);
    dcBack.BitBlt(0, 0, cx, cy, &dcObject, 0, 0, NOTSRCCOPY);

    dcMemory.BitBlt(0, 0, cx, cy, pDC, x, y, SRCCOPY);
    dcMemory.BitBlt(0, 0, cx, cy, &dcObject, 0, 0, SRCAND);
    dcImage.BitBlt(0, 0, cx, cy, &dcBack, 0, 0, SRCAND);
    dcMemory.BitBlt(0, 0, cx, cy, &dcImage, 0, 0, SRCPAINT);
    pDC->BitBlt(x, y, cx, cy, &dcMemory, 0, 0, SRCCOPY);
    dcImage.BitBlt(0, 0, cx, cy, &dcSave, 0, 0, SRCCOPY);

    dcBack.SelectObject(hOldBack);
    dcObject.SelectObject(hOldObject);
    dcMemory.SelectObject(hOldMemory);
    dcSave.SelectObject(hOldSave);
    dcImage.SelectObject(hOldImage);
}
