#include "console/app/CLogoPainter.h"

#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CDC.h"
#include "framework/window/CWnd.h"
#include "resources/console/BelvaneRes.h"
#include "support/FileVersionInfo.h"
#include "wincomponents/pictures/DrawTransparentBitmap.h"

namespace
{
const int nTextPoints = 11;
const COLORREF crLogoKey = RGB(255, 255, 255);
} // namespace

void CLogoPainter::BuildLines(BOOL bAllLines)
{
    CFileVersionInfo version;
    m_arrLines.RemoveAll();
    m_arrLines.Add(L" ");
    m_arrLines.Add(version.m_strVersionLine);
    CString strSpecial = version.GetValue(L"SpecialBuild");
    if (!strSpecial.IsEmpty())
        m_arrLines.Add(strSpecial);
    if (bAllLines)
    {
        m_arrLines.Add(L" ");
        m_arrLines.Add(version.GetValue(L"LegalCopyright"));
    }
}

void CLogoPainter::CreateTextFont(CWnd* pOwner)
{
    HDC hScreen = GetDC(pOwner ? pOwner->m_hWnd : nullptr);
    int nPixelsPerInch = GetDeviceCaps(hScreen, LOGPIXELSY);
    ReleaseDC(pOwner ? pOwner->m_hWnd : nullptr, hScreen);
    m_font.DeleteObject();
    m_font.CreateFont(MulDiv(nTextPoints, nPixelsPerInch, 72), 0, 0, 0, 100, FALSE, FALSE, FALSE,
                      ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 6,
                      L"MS Sans Serif");
}

void CLogoPainter::MeasureLines(CDC* pDC)
{
    HGDIOBJ hOldFont = pDC->SelectObject(&m_font);
    m_nTextHeight = 0;
    m_nTextWidth = 0;
    for (int i = 0; i < m_arrLines.GetSize(); ++i)
    {
        CSize size = pDC->GetTextExtent(m_arrLines[i]);
        m_nLineHeight = size.cy;
        m_nTextHeight += size.cy;
        m_nTextWidth = std::max(m_nTextWidth, (int)size.cx);
    }
    pDC->SelectObject(hOldFont);
}

void CLogoPainter::DrawLines(CDC* pDC, int x, int y)
{
    HGDIOBJ hOldFont = pDC->SelectObject(&m_font);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOldText = pDC->SetTextColor(RGB(0, 0, 0));
    UINT nOldAlign = SetTextAlign(*pDC, TA_CENTER | TA_TOP);
    for (int i = 0; i < m_arrLines.GetSize(); ++i)
    {
        pDC->TextOut(x, y, m_arrLines[i]);
        y += pDC->GetTextExtent(m_arrLines[i]).cy;
    }
    SetTextAlign(*pDC, nOldAlign);
    pDC->SetTextColor(crOldText);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(hOldFont);
}

void CLogoPainter::Draw(CWnd* pOwner, CDC* pDC, int nWidth, int nHeight, BOOL bWithText, BOOL bAllLines)
{
    CBitmap logo;
    if (!logo.LoadBitmap(IDB_LOGO))
        return;
    BITMAP bm;
    logo.GetBitmap(&bm);
    if (bWithText)
    {
        CreateTextFont(pOwner);
        BuildLines(bAllLines);
        MeasureLines(pDC);
    }
    int x = (nWidth - bm.bmWidth) / 2;
    int y = (nHeight - bm.bmHeight - m_nTextHeight) / 2;
    DrawTransparentBitmap(pDC, &logo, x, y, crLogoKey);
    if (bWithText)
        DrawLines(pDC, nWidth / 2, y + bm.bmHeight);
}
