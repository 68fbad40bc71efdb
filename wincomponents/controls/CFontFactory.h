// Makes the fonts that dialogs give their controls, sized in points for the owner window's
// screen. Every font returned is new and belongs to the caller, who deletes it.
#pragma once

#include "framework/gdi/CFont.h"

class CWnd;

class CFontFactory
{
public:
    explicit CFontFactory(CWnd* pOwnerWnd) : m_pOwnerWnd(pOwnerWnd) {}
    virtual ~CFontFactory() {}

    // Null when the font cannot be made.
    CFont* CreateFaceFont(const wchar_t* lpszFace, int nPoints, BOOL bBold, BOOL bItalic);
    CFont* CreateCourierFont(int nPoints, BOOL bBold);
    CFont* CreateSansSerifFont(int nPoints, BOOL bBold);

protected:
    // Vertical pixels per logical inch of the owner window's screen.
    virtual int GetPixelsPerInch();

private:
    CFont* Create(const wchar_t* lpszFace, int nPoints, BOOL bBold, BOOL bItalic, BYTE nPitchAndFamily);

    CWnd* m_pOwnerWnd;
};
