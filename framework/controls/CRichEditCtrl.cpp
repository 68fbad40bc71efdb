#include "framework/controls/CRichEditCtrl.h"

#include "framework/window/AfxOleInit.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit())
        return FALSE;
    return CWnd::Create(RICHEDIT_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE range = {nStartChar, nEndChar};
    SendMessage(EM_EXSETSEL, 0, (LPARAM)&range);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE range = {0, 0};
    SendMessage(EM_EXGETSEL, 0, (LPARAM)&range);
    nStartChar = range.cpMin;
    nEndChar = range.cpMax;
}

IRichEditOle* CRichEditCtrl::GetIRichEditOle() const
{
    IRichEditOle* pRichEditOle = nullptr;
    SendMessage(EM_GETOLEINTERFACE, 0, (LPARAM)&pRichEditOle);
    return pRichEditOle;
}
