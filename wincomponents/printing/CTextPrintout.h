// Plain lines on paper in a fixed-pitch font, each wrapped at the page's width, page after page.
#pragma once

#include "framework/core/CString.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CRect.h"

#include <vector>

class CTextPrintout
{
public:
    // Breaks the lines into pages of rectPage on pDC; returns the number of pages (1 at least).
    UINT Layout(const std::vector<CString>& arrLines, CDC* pDC, const CRect& rectPage);
    // Draws page nPage (from 1) of the last layout.
    void PrintPage(CDC* pDC, UINT nPage) const;

private:
    HFONT CreateTextFont(CDC* pDC) const;
    // The height of the line wrapped at the page's width.
    int LineHeight(CDC* pDC, const CString& strLine) const;

    std::vector<CString> m_arrLines;
    std::vector<int> m_arrHeights;
    std::vector<size_t> m_arrPageStarts; // the first line of each page
    CRect m_rectText;
};
