#include "framework/window/AfxWorkArea.h"

#include <algorithm>

namespace
{
// The span [nStart, nEnd) moved into [nLow, nHigh), and cut where it is longer.
void FitSpan(LONG& nStart, LONG& nEnd, LONG nLow, LONG nHigh)
{
    LONG nLength = std::min(nEnd - nStart, nHigh - nLow);
    nStart = std::max(nLow, std::min(nStart, nHigh - nLength));
    nEnd = nStart + nLength;
}
} // namespace

CRect AfxFitToWorkArea(const CRect& rect)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor))
        return rect;
    CRect fitted(rect);
    FitSpan(fitted.left, fitted.right, monitor.rcWork.left, monitor.rcWork.right);
    FitSpan(fitted.top, fitted.bottom, monitor.rcWork.top, monitor.rcWork.bottom);
    return fitted;
}
