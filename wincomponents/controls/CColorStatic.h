// A static control with its own background and text colours; disabled, its text is blended
// towards the background.
#pragma once

#include "framework/gdi/CBrush.h"
#include "framework/gdi/CFont.h"
#include "framework/controls/CStatic.h"

class CDC;

class CColorStatic : public CStatic
{
public:
    CColorStatic();
    ~CColorStatic() override;

    CBrush m_brBackground;
    CFont* m_pFont; // owned, deleted with the control object
    COLORREF m_crBackground;
    COLORREF m_crText;

    // Each channel (text + 4 x background) / 5.
    static COLORREF DisabledTextColor(COLORREF crText, COLORREF crBackground);

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
