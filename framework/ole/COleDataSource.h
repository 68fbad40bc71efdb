// The offering side of a data transfer: global blocks cached per format and offered to a drop
// target through the system's drag loop.
#pragma once

#include "framework/ole/AfxOle.h"

class COleDropSource;

class COleDataSource
{
public:
    COleDataSource();
    // Frees the cached blocks once no drop target holds the data any more.
    virtual ~COleDataSource();

    // Takes over hGlobal, replacing an earlier block of the same format.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, const FORMATETC* lpFormatEtc = nullptr);
    void Empty();

    // Runs the drag loop once pDropSource (a standard one when null) agrees to begin, with the
    // drag starting when the pointer leaves lpRectStartDrag (screen coordinates; a few pixels
    // around the pointer when null). The effect of the drop, DROPEFFECT_NONE when the drag was
    // cancelled or never began.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

    // The data object the system sees; counted, released by the caller.
    IDataObject* GetDataObject();

private:
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    class CDataObject;
    CDataObject* m_pDataObject;
};
