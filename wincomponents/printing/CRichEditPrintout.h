// A rich edit control's text on paper, laid out and drawn by the control itself
// (EM_FORMATRANGE), page after page. A control that cannot lay its text out on the page (some
// platforms' controls take nothing) prints its plain lines instead of blank pages.
#pragma once

#include "framework/gdi/CDC.h"
#include "framework/gdi/CRect.h"
#include "wincomponents/printing/CTextPrintout.h"

#include <richedit.h>
#include <vector>

class CRichEditPrintout
{
public:
    CRichEditPrintout();

    // Breaks the text into pages of rectPage on pDC; returns the number of pages (1 at least).
    UINT Layout(HWND hRichEdit, CDC* pDC, const CRect& rectPage);
    // Draws page nPage (from 1) of the last layout.
    void PrintPage(HWND hRichEdit, CDC* pDC, UINT nPage) const;
    // Lets the control drop what it kept of the layout.
    static void EndLayout(HWND hRichEdit);

private:
    FORMATRANGE Range(CDC* pDC, LONG nFirstChar) const;
    // The control's text as lines, without its pictures' place-holders.
    static std::vector<CString> PlainLines(HWND hRichEdit);

    CRect m_rectPage;
    std::vector<LONG> m_arrPageStarts; // the first character of each page
    BOOL m_bPlainText;
    CTextPrintout m_plain;
};
