#include "wincomponents/printing/CTextPrintout.h"

#include <algorithm>

namespace
{
const int kPointSize = 10;
const UINT kDrawFlags = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;
} // namespace

HFONT CTextPrintout::CreateTextFont(CDC* pDC) const
{
    return CreateFontW(-MulDiv(kPointSize, pDC->GetDeviceCaps(LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"Courier New");
}

int CTextPrintout::LineHeight(CDC* pDC, const CString& strLine) const
{
    CRect rect(0, 0, m_rectText.Width(), 0);
    // An empty line still takes a line's height.
    return pDC->DrawText(strLine.IsEmpty() ? CString(L" ") : strLine, rect, kDrawFlags | DT_CALCRECT);
}

UINT CTextPrintout::Layout(const std::vector<CString>& arrLines, CDC* pDC, const CRect& rectPage)
{
    // Half an inch of white around the text.
    m_rectText = rectPage;
    m_rectText.DeflateRect(pDC->GetDeviceCaps(LOGPIXELSX) / 2, pDC->GetDeviceCaps(LOGPIXELSY) / 2);
    m_arrLines = arrLines;
    m_arrHeights.clear();
    m_arrPageStarts.assign(1, 0);
    HFONT hFont = CreateTextFont(pDC);
    HGDIOBJ hOld = pDC->SelectObject(hFont);
    int nUsed = 0;
    for (size_t i = 0; i < m_arrLines.size(); i++)
    {
        int nHeight = LineHeight(pDC, m_arrLines[i]);
        m_arrHeights.push_back(nHeight);
        // A line taller than a page has a page to itself and is cut there.
        if (nUsed > 0 && nUsed + nHeight > m_rectText.Height())
        {
            m_arrPageStarts.push_back(i);
            nUsed = 0;
        }
        nUsed += nHeight;
    }
    pDC->SelectObject(hOld);
    DeleteObject(hFont);
    return (UINT)m_arrPageStarts.size();
}

void CTextPrintout::PrintPage(CDC* pDC, UINT nPage) const
{
    if (nPage < 1 || nPage > m_arrPageStarts.size())
        return;
    size_t nEnd = nPage < m_arrPageStarts.size() ? m_arrPageStarts[nPage] : m_arrLines.size();
    HFONT hFont = CreateTextFont(pDC);
    HGDIOBJ hOld = pDC->SelectObject(hFont);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    int y = m_rectText.top;
    for (size_t i = m_arrPageStarts[nPage - 1]; i < nEnd; i++)
    {
        CRect rect(m_rectText.left, y, m_rectText.right, std::min(y + m_arrHeights[i], (int)m_rectText.bottom));
        pDC->DrawText(m_arrLines[i], rect, kDrawFlags);
        y += m_arrHeights[i];
    }
    pDC->SelectObject(hOld);
    DeleteObject(hFont);
}
