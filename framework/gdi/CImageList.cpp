#include "framework/gdi/CImageList.h"

#include "framework/files/CArchive.h"
#include "framework/gdi/CBitmap.h"
#include "framework/ole/CArchiveStream.h"
#include "framework/gdi/CDC.h"
#include "framework/window/CWnd.h"

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    AfxInitCommonControls();
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (m_hImageList || !hImageList)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->m_hObject, crMask);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->m_hObject,
                         pbmMask ? (HBITMAP)pbmMask->m_hObject : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::Write(CArchive* pArchive)
{
    if (!m_hImageList || !pArchive->IsStoring())
        return FALSE;
    CArchiveStream stream(pArchive);
    return ImageList_Write(m_hImageList, &stream);
}

BOOL CImageList::Read(CArchive* pArchive)
{
    if (m_hImageList || !pArchive->IsLoading())
        return FALSE;
    AfxInitCommonControls();
    CArchiveStream stream(pArchive);
    HIMAGELIST hImageList = ImageList_Read(&stream);
    // The platform's reader may accept a list whose pixels ended early.
    if (hImageList && stream.IsCutShort())
    {
        ImageList_Destroy(hImageList);
        return FALSE;
    }
    return Attach(hImageList);
}

BOOL CImageList::DragEnter(CWnd* pWndLock, POINT point)
{
    return ImageList_DragEnter(pWndLock ? pWndLock->m_hWnd : nullptr, point.x, point.y);
}

BOOL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(pWndLock ? pWndLock->m_hWnd : nullptr);
}
