#include "wincomponents/sizingbars/CSizingControlBarCF.h"

IMPLEMENT_DYNAMIC(CSizingControlBarCF, CSizingControlBarG)

namespace
{
const int kGradientBands = 64;

int CALLBACK StopAtFirstFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM)
{
    return 0;
}

BOOL IsFontFamilyInstalled(const wchar_t* pszFamily)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, pszFamily, LF_FACESIZE);
    // The enumeration answers 0 only when the callback stopped it at a family found.
    BOOL bFound = ::EnumFontFamiliesExW(hDC, &lf, StopAtFirstFamily, 0, 0) == 0;
    ::DeleteDC(hDC);
    return bFound;
}

COLORREF Blend(COLORREF crFirst, COLORREF crSecond, int nBand)
{
    auto mix = [nBand](int a, int b) { return (a * (kGradientBands - nBand) + b * nBand) >> 6; };
    return RGB(mix(GetRValue(crFirst), GetRValue(crSecond)), mix(GetGValue(crFirst), GetGValue(crSecond)),
               mix(GetBValue(crFirst), GetBValue(crSecond)));
}

void FillSolid(HDC hDC, const RECT& rect, COLORREF crColor)
{
    ::SetBkColor(hDC, crColor);
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}
} // namespace

CSizingControlBarCF::CSizingControlBarCF()
    : m_bCaptionActive(FALSE), m_strFontFace(IsFontFamilyInstalled(L"Tahoma") ? L"Tahoma" : L"Arial")
{
}

CRect CSizingControlBarCF::CaptionRect(const CRect& rectClient) const
{
    CRect rectButton = m_btnClose.GetRect();
    CRect rect;
    if (IsHorzDocked())
    {
        rect.left = rectClient.left - m_nGripperSize - 1;
        rect.right = rect.left + 11;
        rect.top = rectButton.bottom + 3;
        rect.bottom = rectClient.bottom;
        rect.InflateRect(1, 0);
    }
    else
    {
        rect.top = rectClient.top - m_nGripperSize - 1;
        rect.bottom = rect.top + 11;
        rect.left = rectClient.left;
        rect.right = rectButton.left - 3;
        rect.InflateRect(0, 1);
    }
    return rect;
}

void CSizingControlBarCF::FillCaption(HDC hDC, const CRect& rect) const
{
    COLORREF crFirst = ::GetSysColor(m_bCaptionActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    BOOL bGradient = FALSE;
    ::SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &bGradient, 0);
    if (!bGradient)
    {
        FillSolid(hDC, rect, crFirst);
        return;
    }
    COLORREF crSecond =
        ::GetSysColor(m_bCaptionActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    BOOL bUpward = IsHorzDocked(); // a vertical strip runs from the bottom up
    for (int i = 0; i < kGradientBands; ++i)
    {
        CRect rectBand = rect;
        if (bUpward)
        {
            rectBand.top = rect.bottom - ((i + 1) * rect.Height()) / kGradientBands;
            rectBand.bottom = rect.bottom - (i * rect.Height()) / kGradientBands;
        }
        else
        {
            rectBand.left = rect.left + (i * rect.Width()) / kGradientBands;
            rectBand.right = rect.left + ((i + 1) * rect.Width()) / kGradientBands;
        }
        if (!rectBand.IsRectEmpty())
            FillSolid(hDC, rectBand, Blend(crFirst, crSecond, i));
    }
}

void CSizingControlBarCF::DrawCaptionText(HDC hDC, const CRect& rect)
{
    BOOL bUpward = IsHorzDocked();
    LOGFONTW lf = {};
    int nTenths = ::MulDiv(85, 96, ::GetDeviceCaps(hDC, LOGPIXELSX));
    lf.lfHeight = -::MulDiv(nTenths, ::GetDeviceCaps(hDC, LOGPIXELSY), 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    if (bUpward)
        lf.lfEscapement = lf.lfOrientation = 900;
    lstrcpynW(lf.lfFaceName, m_strFontFace, LF_FACESIZE);
    HFONT hFont = ::CreateFontIndirectW(&lf);
    if (!hFont)
        return;
    CString strText = GetWindowText();
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF crOld =
        ::SetTextColor(hDC, ::GetSysColor(m_bCaptionActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    CPoint pt = bUpward ? CPoint(rect.left - 1, rect.bottom - 3) : CPoint(rect.left + 3, rect.top - 1);
    ::ExtTextOutW(hDC, pt.x, pt.y, ETO_CLIPPED, &rect, strText, (UINT)strText.GetLength(), nullptr);
    ::SetTextColor(hDC, crOld);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOldFont);
    ::DeleteObject(hFont);
}

void CSizingControlBarCF::PaintGripper(HDC hDC, const CRect& rectClient)
{
    if (!HasGripper())
        return;
    CRect rect = CaptionRect(rectClient);
    FillCaption(hDC, rect);
    DrawCaptionText(hDC, rect);
    m_btnClose.Paint(hDC);
}

void CSizingControlBarCF::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CSizingControlBarG::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (!HasGripper())
        return;
    HWND hFocus = ::GetFocus();
    BOOL bActive = hFocus && ::IsChild(m_hWnd, hFocus);
    if (bActive != m_bCaptionActive)
    {
        m_bCaptionActive = bActive;
        SendMessage(WM_NCPAINT);
    }
}

BOOL CSizingControlBarCF::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_SETTEXT)
        return CSizingControlBarG::OnWndMsg(message, wParam, lParam, pResult);
    CSizingControlBarG::OnWndMsg(message, wParam, lParam, pResult);
    SendMessage(WM_NCPAINT); // the caption shows the new text
    return TRUE;
}
