// A common-controls image list; the destructor deletes the list unless it was detached.
#pragma once

#include "framework/core/CObject.h"

// Before the common controls, which declare the stream functions only after it.
#include <objidl.h>
#include <commctrl.h>

class CArchive;
class CBitmap;
class CDC;
class CWnd;

class CImageList : public CObject
{
public:
    CImageList() : m_hImageList(nullptr) {}
    ~CImageList() override { DeleteImageList(); }

    HIMAGELIST m_hImageList;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    // The index of the first image added, -1 on failure.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
    { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

    // The list in the common controls' stream format; Read needs an empty object and a loading
    // archive, and fails on bytes that are no image list or end before the list does.
    BOOL Write(CArchive* pArchive);
    BOOL Read(CArchive* pArchive);

    // The drag image: one at a time for the whole thread, drawn over the window that DragEnter
    // locks for updates (the desktop when null); points in that window's coordinates.
    BOOL BeginDrag(int nImage, POINT ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
    static BOOL DragEnter(CWnd* pWndLock, POINT point);
    static BOOL DragMove(POINT pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL DragLeave(CWnd* pWndLock);
    static BOOL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
    static void EndDrag() { ImageList_EndDrag(); }

private:
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
};
