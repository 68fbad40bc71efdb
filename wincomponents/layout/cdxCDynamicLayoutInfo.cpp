#include "wincomponents/layout/cdxCDynamicLayoutInfo.h"

cdxCDynamicLayoutInfo::cdxCDynamicLayoutInfo(CSize sizeCurrent, CSize sizeInitial, int nCtrlCount,
                                             BOOL bUseScrollPos, CPoint ptScrollPos)
    : m_sizeCurrent(sizeCurrent), m_sizeInitial(sizeInitial),
      m_sizeDelta(sizeCurrent.cx - sizeInitial.cx, sizeCurrent.cy - sizeInitial.cy), m_nCtrlCount(nCtrlCount),
      m_bUseScrollPos(bUseScrollPos), m_ptScrollPos(bUseScrollPos ? ptScrollPos : CPoint(0, 0))
{
}
