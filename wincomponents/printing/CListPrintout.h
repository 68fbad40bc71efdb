// A report list on paper: its column titles at the top of every page, then its rows in list
// order, each column as wide as its share of the list's widths and aligned as in the list.
#pragma once

#include "framework/controls/CListCtrl.h"
#include "framework/gdi/CDC.h"

#include <vector>

class CListPrintout
{
public:
    CListPrintout();

    // Lays the rows out on pDC's pages of rectPage; returns the number of pages (1 at least).
    UINT Layout(const CListCtrl& list, CDC* pDC, const CRect& rectPage);
    // Draws page nPage (from 1) of the last layout.
    void PrintPage(const CListCtrl& list, CDC* pDC, UINT nPage) const;

private:
    struct COLUMN
    {
        CString strTitle;
        int nLeft;
        int nRight;
        UINT nAlign; // DT_LEFT, DT_RIGHT or DT_CENTER
    };

    // A row's height on pDC, 1 at least.
    int RowHeight(CDC* pDC) const;
    void DrawRow(CDC* pDC, int y, const std::vector<CString>& arrTexts) const;
    // The text font for pDC: its height follows the device's resolution.
    HFONT CreateTextFont(CDC* pDC, BOOL bBold) const;

    std::vector<COLUMN> m_arrColumns;
    CRect m_rectPage;
    int m_nRowHeight;
    int m_nRowsPerPage;
};
