// A rich edit control ("RichEdit20W"): formatted text, embedded OLE objects (through its
// IRichEditOle) and streaming of its contents as text or RTF. Create loads the library itself.
#pragma once

#include "framework/window/CWnd.h"

#include <richedit.h>
#include <richole.h>

class CRichEditCtrl : public CWnd
{
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    long GetTextLength() const { return (long)SendMessage(WM_GETTEXTLENGTH); }
    void SetSel(long nStartChar, long nEndChar);
    void GetSel(long& nStartChar, long& nEndChar) const;
    void ReplaceSel(const wchar_t* lpszNewText, BOOL bCanUndo = FALSE)
    { SendMessage(EM_REPLACESEL, (WPARAM)bCanUndo, (LPARAM)lpszNewText); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, (WPARAM)bReadOnly); }
    void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
    // The format of text typed or inserted from now on; both record widths are accepted.
    BOOL SetDefaultCharFormat(CHARFORMATW& cf)
    { return (BOOL)SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf); }
    BOOL SetDefaultCharFormat(CHARFORMATA& cf)
    { return (BOOL)SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf); }
    // The control's OLE interface with a reference the caller releases; null when it has none.
    IRichEditOle* GetIRichEditOle() const;
    // nFormat: SF_TEXT, SF_RTF, ... The callback in es moves the bytes; the result is the
    // number of characters read or written.
    long StreamIn(int nFormat, EDITSTREAM& es) { return (long)SendMessage(EM_STREAMIN, (WPARAM)nFormat, (LPARAM)&es); }
    long StreamOut(int nFormat, EDITSTREAM& es) { return (long)SendMessage(EM_STREAMOUT, (WPARAM)nFormat, (LPARAM)&es); }
};
