// A drop source that asks its window first: every call of the system goes to m_pWnd as a
// message; the window's non-zero answer makes the record's result the answer, an answer of 0
// (or no window) leaves the call to the base class.
#pragma once

#include "framework/ole/COleDropSource.h"

// wParam 0, lParam a DROPSOURCECALL on the sender's stack; sent, never posted.
const UINT DROPSOURCE_GIVEFEEDBACK = 0x752;
const UINT DROPSOURCE_BEGINDRAG = 0x753;
const UINT DROPSOURCE_QUERYCONTINUEDRAG = 0x754;

// The window pointer is pointer-sized, so that it survives a 64-bit build.
struct DROPSOURCECALL
{
    CWnd* pWnd;
    DWORD dwKeyState;
    BOOL bEscapePressed;
    DROPEFFECT dropEffect;
    LONG result; // set by the window: an SCODE, or TRUE/FALSE for the start of a drag
};

class CWndMsgDropSource : public COleDropSource
{
public:
    CWndMsgDropSource() : m_pWnd(nullptr) {}

    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    BOOL OnBeginDrag(CWnd* pWnd) override;

    // Receives the messages; not owned, set by the owner before a drag.
    CWnd* m_pWnd;

private:
    BOOL Forward(UINT nMessage, DROPSOURCECALL& call) const;
};
