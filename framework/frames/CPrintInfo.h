// What a view's printing steps share: the print dialog, the page being printed and the room on
// it, and the number of pages that the view's layout made.
#pragma once

#include "framework/gdi/CRect.h"
#include "framework/window/CPrintDialog.h"

class CPrintInfo
{
public:
    CPrintInfo();

    CPrintDialog m_pd;
    BOOL m_bPreview;  // the pages go to the preview window, not to a printer
    UINT m_nCurPage;  // 1 for the first page
    UINT m_nMaxPage;  // set by the view when it lays the pages out
    CRect m_rectDraw; // the page's printable area, in the device's units

private:
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;
};
