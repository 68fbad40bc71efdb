#include "wincomponents/pictures/CImageListHolder.h"

#include "framework/gdi/CBitmap.h"

BOOL CImageListHolder::Create(COLORREF crMask)
{
    m_pImageList.reset();
    if (m_arrIds.IsEmpty())
        return FALSE;
    CBitmap first;
    BITMAP bm = {};
    if (!first.LoadBitmap(m_arrIds[0]) || !first.GetBitmap(&bm))
        return FALSE;
    std::unique_ptr<CImageList> pList(new CImageList);
    int nCount = m_arrIds.GetSize();
    if (!pList->Create(bm.bmWidth, bm.bmHeight, ILC_COLOR16 | ILC_MASK, nCount, nCount))
        return FALSE;
    // Adding with a mask turns the bitmap's mask-coloured pixels black, so each copy is
    // taken from a freshly loaded bitmap.
    for (int i = 0; i < 2 * nCount; ++i)
    {
        CBitmap bitmap;
        if (!bitmap.LoadBitmap(m_arrIds[i / 2]) || pList->Add(&bitmap, crMask) < 0)
            return FALSE;
    }
    m_pImageList = std::move(pList);
    return TRUE;
}
