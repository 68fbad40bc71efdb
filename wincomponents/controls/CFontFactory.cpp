#include "wincomponents/controls/CFontFactory.h"

#include "framework/gdi/CClientDC.h"

int CFontFactory::GetPixelsPerInch()
{
    CClientDC dc(m_pOwnerWnd);
    return dc.GetDeviceCaps(LOGPIXELSY);
}

CFont* CFontFactory::Create(const wchar_t* lpszFace, int nPoints, BOOL bBold, BOOL bItalic, BYTE nPitchAndFamily)
{
    // A negative height asks for the character height.
    int nHeight = -MulDiv(nPoints, GetPixelsPerInch(), 72);
    CFont* pFont = new CFont;
    if (!pFont->CreateFont(nHeight, 0, 0, 0, bBold ? FW_BOLD : FW_NORMAL, (BYTE)(bItalic ? 1 : 0), 0, 0, 0,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, nPitchAndFamily, lpszFace))
    {
        delete pFont;
        return nullptr;
    }
    return pFont;
}

CFont* CFontFactory::CreateFaceFont(const wchar_t* lpszFace, int nPoints, BOOL bBold, BOOL bItalic)
{
    return Create(lpszFace, nPoints, bBold, bItalic, 0);
}

CFont* CFontFactory::CreateCourierFont(int nPoints, BOOL bBold)
{
    return Create(L"Courier", nPoints, bBold, FALSE, FIXED_PITCH);
}

CFont* CFontFactory::CreateSansSerifFont(int nPoints, BOOL bBold)
{
    return Create(L"Microsoft Sans Serif", nPoints, bBold, FALSE, VARIABLE_PITCH | FF_SWISS);
}
