#include "wincomponents/sizingbars/CBarCloseButton.h"

#include "wincomponents/pictures/Draw3dFrame.h"

CBarCloseButton::CBarCloseButton() : m_bPushed(FALSE), m_bRaised(FALSE), m_ptOrigin(0, 0)
{
}

void CBarCloseButton::Paint(HDC hDC) const
{
    CRect rect = GetRect();
    if (m_bPushed)
        DrawSunkenFrame(hDC, rect);
    else if (m_bRaised)
        DrawRaisedFrame(hDC, rect);
    // The cross of the system's symbol font, 6 points.
    LOGFONTW lf = {};
    lf.lfHeight = -::MulDiv(::MulDiv(60, 96, ::GetDeviceCaps(hDC, LOGPIXELSX)), ::GetDeviceCaps(hDC, LOGPIXELSY), 720);
    lf.lfCharSet = SYMBOL_CHARSET;
    lstrcpynW(lf.lfFaceName, L"Marlett", LF_FACESIZE);
    HFONT hFont = ::CreateFontIndirectW(&lf);
    if (!hFont)
        return;
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF crOld = ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNTEXT));
    ::TextOutW(hDC, m_ptOrigin.x + 2, m_ptOrigin.y + 2, L"r", 1);
    ::SetTextColor(hDC, crOld);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOldFont);
    ::DeleteObject(hFont);
}
