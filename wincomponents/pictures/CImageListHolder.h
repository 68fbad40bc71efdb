// Builds an image list from bitmap resources with a mask colour, every bitmap added twice:
// bitmap k of the list is image 2k and image 2k + 1.
#pragma once

#include "framework/gdi/CImageList.h"
#include "framework/core/CUIntArray.h"

#include <memory>

class CImageListHolder
{
public:
    CImageListHolder() {}

    void AddBitmap(UINT nIDBitmap) { m_arrIds.Add(nIDBitmap); }
    // The image size is the first bitmap's. FALSE without ids or when a bitmap cannot be
    // loaded; a list made before is replaced.
    BOOL Create(COLORREF crMask);
    // The holder keeps the list; a control that must outlive the holder shares it
    // (LVS_SHAREIMAGELISTS) or takes it with Detach.
    CImageList* GetImageList() const { return m_pImageList.get(); }

private:
    std::unique_ptr<CImageList> m_pImageList;
    CUIntArray m_arrIds;
};
