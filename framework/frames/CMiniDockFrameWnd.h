// The small captioned window a floating bar lives in: it holds one floating dock bar with the
// bar, takes the bar's window text as its caption and fits itself around the bar. Dragging the
// caption moves the bar with its dock context (so it can dock again), a double click on the
// caption docks it back, and the close box hides the bar. The window deletes itself when it goes.
#pragma once

#include "framework/bars/CDockBar.h"

class CFrameWnd;

class CMiniDockFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    // A hidden window owned by the frame, at pt (screen coordinates); bSizable gives it borders
    // that size its bar.
    BOOL Create(CFrameWnd* pDockSite, CPoint pt, BOOL bSizable = FALSE);
    // Fits the window around the dock bar's bars and follows the first bar's text.
    void RecalcLayout();
    // The bar floating here, or null.
    CControlBar* GetBar() const;

    CDockBar m_wndDockBar;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void PostNcDestroy() override { delete this; }
    // The user sized the window: its bar takes the new client size.
    void OnSizeByUser();

    BOOL m_bInLayout;
};
