#include "wincomponents/printing/CRichEditPrintout.h"

namespace
{
LONG ToTwips(int nPixels, int nPixelsPerInch)
{
    return MulDiv(nPixels, 1440, nPixelsPerInch);
}
} // namespace

CRichEditPrintout::CRichEditPrintout() : m_bPlainText(FALSE)
{
}

std::vector<CString> CRichEditPrintout::PlainLines(HWND hRichEdit)
{
    int nLength = GetWindowTextLengthW(hRichEdit);
    CString strText;
    GetWindowTextW(hRichEdit, strText.GetBuffer(nLength + 1), nLength + 1);
    strText.ReleaseBuffer();
    strText.Remove(L'\uFFFC');
    strText.Replace(L"\r\n", L"\r");
    std::vector<CString> arrLines;
    int nStart = 0;
    for (int nEnd; (nEnd = strText.Find(L'\r', nStart)) >= 0; nStart = nEnd + 1)
        arrLines.push_back(strText.Mid(nStart, nEnd - nStart));
    if (nStart < strText.GetLength())
        arrLines.push_back(strText.Mid(nStart));
    return arrLines;
}

FORMATRANGE CRichEditPrintout::Range(CDC* pDC, LONG nFirstChar) const
{
    int nX = pDC->GetDeviceCaps(LOGPIXELSX), nY = pDC->GetDeviceCaps(LOGPIXELSY);
    FORMATRANGE range = {};
    range.hdc = range.hdcTarget = pDC->m_hDC;
    range.rcPage = {ToTwips(m_rectPage.left, nX), ToTwips(m_rectPage.top, nY), ToTwips(m_rectPage.right, nX),
                    ToTwips(m_rectPage.bottom, nY)};
    // Half an inch of white around the text.
    range.rc = range.rcPage;
    range.rc.left += 720;
    range.rc.top += 720;
    range.rc.right -= 720;
    range.rc.bottom -= 720;
    range.chrg.cpMin = nFirstChar;
    range.chrg.cpMax = -1;
    return range;
}

UINT CRichEditPrintout::Layout(HWND hRichEdit, CDC* pDC, const CRect& rectPage)
{
    m_rectPage = rectPage;
    m_arrPageStarts.assign(1, 0);
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    LONG nLength = (LONG)SendMessageW(hRichEdit, EM_GETTEXTLENGTHEX, (WPARAM)&length, 0);
    LONG nStart = 0;
    while (nStart < nLength)
    {
        FORMATRANGE range = Range(pDC, nStart);
        LONG nNext = (LONG)SendMessageW(hRichEdit, EM_FORMATRANGE, FALSE, (LPARAM)&range);
        // A page that takes nothing would never end the loop.
        if (nNext <= nStart)
            break;
        if (nNext < nLength)
            m_arrPageStarts.push_back(nNext);
        nStart = nNext;
    }
    EndLayout(hRichEdit);
    // Not even the first page was laid out: the text goes as plain lines.
    m_bPlainText = nLength > 0 && nStart == 0;
    return m_bPlainText ? m_plain.Layout(PlainLines(hRichEdit), pDC, rectPage) : (UINT)m_arrPageStarts.size();
}

void CRichEditPrintout::PrintPage(HWND hRichEdit, CDC* pDC, UINT nPage) const
{
    if (m_bPlainText)
    {
        m_plain.PrintPage(pDC, nPage);
        return;
    }
    if (nPage < 1 || nPage > m_arrPageStarts.size())
        return;
    FORMATRANGE range = Range(pDC, m_arrPageStarts[nPage - 1]);
    if (nPage < m_arrPageStarts.size())
        range.chrg.cpMax = m_arrPageStarts[nPage];
    SendMessageW(hRichEdit, EM_FORMATRANGE, TRUE, (LPARAM)&range);
    EndLayout(hRichEdit);
}

void CRichEditPrintout::EndLayout(HWND hRichEdit)
{
    SendMessageW(hRichEdit, EM_FORMATRANGE, FALSE, 0);
}
