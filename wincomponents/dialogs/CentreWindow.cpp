#include "wincomponents/dialogs/CentreWindow.h"

#include "framework/gdi/CRect.h"

void CentreWindow(HWND hWnd, HWND hOver)
{
    const BOOL bChild = (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) != 0;
    if (!hOver)
        hOver = bChild ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
    CRect rect, rectOver;
    ::GetWindowRect(hWnd, &rect);
    if (hOver)
        ::GetWindowRect(hOver, &rectOver);
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectOver, 0);
    POINT pt = {rectOver.left + (rectOver.Width() - rect.Width()) / 2,
                rectOver.top + (rectOver.Height() - rect.Height()) / 2};
    if (bChild)
        ::ScreenToClient(::GetParent(hWnd), &pt);
    ::SetWindowPos(hWnd, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
