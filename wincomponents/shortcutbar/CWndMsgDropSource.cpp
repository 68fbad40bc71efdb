#include "wincomponents/shortcutbar/CWndMsgDropSource.h"

#include "framework/window/CWnd.h"

BOOL CWndMsgDropSource::Forward(UINT nMessage, DROPSOURCECALL& call) const
{
    return m_pWnd && m_pWnd->SendMessage(nMessage, 0, (LPARAM)&call) != 0;
}

SCODE CWndMsgDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    DROPSOURCECALL call = {};
    call.dwKeyState = dwKeyState;
    call.bEscapePressed = bEscapePressed;
    if (Forward(DROPSOURCE_QUERYCONTINUEDRAG, call))
        return call.result;
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}

SCODE CWndMsgDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    DROPSOURCECALL call = {};
    call.dropEffect = dropEffect;
    if (Forward(DROPSOURCE_GIVEFEEDBACK, call))
        return call.result;
    return COleDropSource::GiveFeedback(dropEffect);
}

BOOL CWndMsgDropSource::OnBeginDrag(CWnd* pWnd)
{
    DROPSOURCECALL call = {};
    call.pWnd = pWnd;
    if (Forward(DROPSOURCE_BEGINDRAG, call))
        return (BOOL)call.result;
    return COleDropSource::OnBeginDrag(pWnd);
}
