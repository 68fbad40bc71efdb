#include "wincomponents/printing/CListPrintout.h"

#include <algorithm>

namespace
{
const int kPointSize = 9;

UINT ColumnAlign(int nFormat)
{
    switch (nFormat & LVCFMT_JUSTIFYMASK)
    {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}
} // namespace

CListPrintout::CListPrintout() : m_nRowHeight(1), m_nRowsPerPage(1)
{
}

HFONT CListPrintout::CreateTextFont(CDC* pDC, BOOL bBold) const
{
    return CreateFontW(-MulDiv(kPointSize, pDC->GetDeviceCaps(LOGPIXELSY), 72), 0, 0, 0, bBold ? FW_BOLD : FW_NORMAL,
                       FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Arial");
}

int CListPrintout::RowHeight(CDC* pDC) const
{
    HFONT hFont = CreateTextFont(pDC, FALSE);
    HGDIOBJ hOld = pDC->SelectObject(hFont);
    TEXTMETRICW tm = {};
    BOOL bMetrics = GetTextMetricsW(pDC->m_hDC, &tm) && tm.tmHeight > 0;
    pDC->SelectObject(hOld);
    DeleteObject(hFont);
    // Without metrics (a metafile's context has none) the font's own height stands in.
    if (!bMetrics)
        tm.tmHeight = MulDiv(kPointSize, pDC->GetDeviceCaps(LOGPIXELSY), 72);
    return std::max(1, (int)(tm.tmHeight + tm.tmExternalLeading + tm.tmHeight / 4));
}

UINT CListPrintout::Layout(const CListCtrl& list, CDC* pDC, const CRect& rectPage)
{
    // A quarter inch of white around the rows.
    m_rectPage = rectPage;
    m_rectPage.DeflateRect(pDC->GetDeviceCaps(LOGPIXELSX) / 4, pDC->GetDeviceCaps(LOGPIXELSY) / 4);

    m_nRowHeight = RowHeight(pDC);
    // The first row holds the column titles.
    m_nRowsPerPage = std::max(1, m_rectPage.Height() / m_nRowHeight - 1);

    m_arrColumns.clear();
    int nTotal = 0;
    for (int nColumn = 0;; nColumn++)
    {
        wchar_t szTitle[128] = L"";
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.pszText = szTitle;
        column.cchTextMax = (int)(sizeof szTitle / sizeof szTitle[0]);
        if (!list.GetColumn(nColumn, &column))
            break;
        m_arrColumns.push_back({szTitle, nTotal, nTotal + std::max(0, column.cx), ColumnAlign(column.fmt)});
        nTotal += std::max(0, column.cx);
    }
    // The list's widths scaled to the page's.
    for (COLUMN& column : m_arrColumns)
    {
        column.nLeft = m_rectPage.left + (nTotal ? MulDiv(column.nLeft, m_rectPage.Width(), nTotal) : 0);
        column.nRight = m_rectPage.left + (nTotal ? MulDiv(column.nRight, m_rectPage.Width(), nTotal) : 0);
    }
    int nRows = list.GetItemCount();
    return std::max(1, (nRows + m_nRowsPerPage - 1) / m_nRowsPerPage);
}

void CListPrintout::DrawRow(CDC* pDC, int y, const std::vector<CString>& arrTexts) const
{
    int nGap = m_nRowHeight / 4;
    for (size_t i = 0; i < m_arrColumns.size() && i < arrTexts.size(); i++)
    {
        CRect rectCell(m_arrColumns[i].nLeft + nGap, y, m_arrColumns[i].nRight - nGap, y + m_nRowHeight);
        if (rectCell.Width() > 0)
            pDC->DrawText(arrTexts[i], rectCell,
                          m_arrColumns[i].nAlign | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void CListPrintout::PrintPage(const CListCtrl& list, CDC* pDC, UINT nPage) const
{
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    std::vector<CString> arrTitles;
    for (const COLUMN& column : m_arrColumns)
        arrTitles.push_back(column.strTitle);
    HFONT hBold = CreateTextFont(pDC, TRUE);
    HGDIOBJ hOld = pDC->SelectObject(hBold);
    DrawRow(pDC, m_rectPage.top, arrTitles);
    HFONT hFont = CreateTextFont(pDC, FALSE);
    pDC->SelectObject(hFont);
    DeleteObject(hBold);
    int y = m_rectPage.top + m_nRowHeight;
    MoveToEx(pDC->m_hDC, m_rectPage.left, y, nullptr);
    LineTo(pDC->m_hDC, m_rectPage.right, y);

    int nFirst = (int)(nPage - 1) * m_nRowsPerPage;
    int nEnd = std::min(list.GetItemCount(), nFirst + m_nRowsPerPage);
    std::vector<CString> arrTexts(m_arrColumns.size());
    for (int nRow = nFirst; nRow < nEnd; nRow++, y += m_nRowHeight)
    {
        for (size_t i = 0; i < m_arrColumns.size(); i++)
            arrTexts[i] = list.GetItemText(nRow, (int)i);
        DrawRow(pDC, y, arrTexts);
    }
    pDC->SelectObject(hOld);
    DeleteObject(hFont);
}
