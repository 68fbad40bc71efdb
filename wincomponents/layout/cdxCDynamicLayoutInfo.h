// What one layout pass of a dynamic window needs: the sizes it lays out for and the growth
// since the window was set up.
#pragma once

#include "framework/core/CObject.h"
#include "framework/gdi/CPoint.h"
#include "framework/gdi/CSize.h"

class cdxCDynamicLayoutInfo : public CObject
{
public:
    cdxCDynamicLayoutInfo(CSize sizeCurrent, CSize sizeInitial, int nCtrlCount, BOOL bUseScrollPos,
                          CPoint ptScrollPos);

    // Whether laying out could move anything at all.
    BOOL IsDifferent() const { return m_sizeDelta.cx || m_sizeDelta.cy || m_bUseScrollPos; }

    CSize m_sizeCurrent;
    CSize m_sizeInitial;
    CSize m_sizeDelta; // current minus initial; negative when smaller
    int m_nCtrlCount;
    BOOL m_bUseScrollPos;
    CPoint m_ptScrollPos;
};
