// The MDI client of the main frame, subclassed to paint its empty area: the background tile
// and, in the middle, the logo with the version lines. Scrolling and sizing repaint the whole
// area so that the centred logo never shows torn.
#pragma once

#include "framework/window/CWnd.h"

class CMDIClientWnd : public CWnd
{
    DECLARE_DYNAMIC(CMDIClientWnd)
public:
    CMDIClientWnd() {}
    ~CMDIClientWnd() override {}

    BOOL m_bShowLogo = FALSE;

    // Tiles bitmap 132 from the top-left corner over the area, on the window colour.
    static void PaintBackground(CDC* pDC, const RECT& rectClient);

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnRedraw(WPARAM wParam, LPARAM lParam);
    // Commands the client does not handle go on to the main window.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    void RedrawAll();
};
