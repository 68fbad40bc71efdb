// An edit control with optional tooltip-style colours and an inner margin, whose text a double
// click opens in an outside editor (read-only: shown in Notepad). Its owner sets the members
// after construction.
#pragma once

#include "framework/gdi/CBrush.h"
#include "framework/controls/CEdit.h"
#include "framework/gdi/CFont.h"

class CDC;

class CInfoEdit : public CEdit
{
public:
    CInfoEdit();
    ~CInfoEdit() override;

    BOOL m_bUseColours;   // FALSE: the system's edit colours
    BOOL m_bHtmlText;     // for the external editor: the text is HTML
    CBrush m_brBackground; // made anew at every colour request
    CFont* m_pFont;       // owned, deleted with the control object
    int m_nMargin;        // pixels taken off every side of the formatting rectangle
    COLORREF m_crBackground;
    COLORREF m_crText;

protected:
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    void OnLButtonDblClk(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
