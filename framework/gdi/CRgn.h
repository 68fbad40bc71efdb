// A GDI region.
#pragma once

#include "framework/gdi/CGdiObject.h"

class CRgn : public CGdiObject
{
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
    // nCombineMode: RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY; the region must exist.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
    {
        return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->m_hObject,
                            pRgn2 ? (HRGN)pRgn2->m_hObject : nullptr, nCombineMode);
    }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
    operator HRGN() const { return (HRGN)m_hObject; }
};
