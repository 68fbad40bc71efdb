// Draws the product logo in the middle of an area, with the version lines of the program's
// version block centred under it.
#pragma once

#include "framework/core/CStringArray.h"
#include "framework/gdi/CFont.h"

class CDC;
class CWnd;

class CLogoPainter
{
public:
    CLogoPainter() {}
    virtual ~CLogoPainter() {}

    // bWithText: the lines under the logo; bAllLines: the copyright lines too.
    void Draw(CWnd* pOwner, CDC* pDC, int nWidth, int nHeight, BOOL bWithText, BOOL bAllLines);

    // " ", the version line, the special build when there is one; with bAllLines " " and the
    // copyright.
    void BuildLines(BOOL bAllLines);

    CStringArray m_arrLines;
    CFont m_font;
    int m_nLineHeight = 0;
    int m_nTextHeight = 0;
    int m_nTextWidth = 0;

private:
    void CreateTextFont(CWnd* pOwner);
    void MeasureLines(CDC* pDC);
    void DrawLines(CDC* pDC, int x, int y);
};
