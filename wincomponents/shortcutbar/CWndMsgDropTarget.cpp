#include "wincomponents/shortcutbar/CWndMsgDropTarget.h"

#include "framework/window/CWnd.h"

DROPTARGETCALL CWndMsgDropTarget::MakeCall(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    DROPTARGETCALL call = {};
    call.pWnd = pWnd;
    call.pDataObject = pDataObject;
    call.dwKeyState = dwKeyState;
    call.x = point.x;
    call.y = point.y;
    return call;
}

BOOL CWndMsgDropTarget::Forward(UINT nMessage, DROPTARGETCALL& call)
{
    return call.pWnd->SendMessage(nMessage, 0, (LPARAM)&call) != 0;
}

DROPEFFECT CWndMsgDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    DROPTARGETCALL call = MakeCall(pWnd, pDataObject, dwKeyState, point);
    return Forward(DROPTARGET_DRAGENTER, call) ? call.result : DROPEFFECT_NONE;
}

DROPEFFECT CWndMsgDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    DROPTARGETCALL call = MakeCall(pWnd, pDataObject, dwKeyState, point);
    return Forward(DROPTARGET_DRAGOVER, call) ? call.result : DROPEFFECT_NONE;
}

void CWndMsgDropTarget::OnDragLeave(CWnd* pWnd)
{
    DROPTARGETCALL call = {};
    call.pWnd = pWnd;
    if (!Forward(DROPTARGET_DRAGLEAVE, call))
        COleDropTarget::OnDragLeave(pWnd);
}

BOOL CWndMsgDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    DROPTARGETCALL call = MakeCall(pWnd, pDataObject, 0, point);
    call.dropEffect = dropEffect;
    return Forward(DROPTARGET_DROP, call) ? (BOOL)call.result : FALSE;
}

DROPEFFECT CWndMsgDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                       DROPEFFECT dropList, CPoint point)
{
    DROPTARGETCALL call = MakeCall(pWnd, pDataObject, 0, point);
    call.dropEffect = dropDefault;
    call.dropList = dropList;
    if (Forward(DROPTARGET_DROPEX, call))
        return call.result;
    return COleDropTarget::OnDropEx(pWnd, pDataObject, dropDefault, dropList, point);
}

DROPEFFECT CWndMsgDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    DROPTARGETCALL call = MakeCall(pWnd, nullptr, dwKeyState, point);
    return Forward(DROPTARGET_DRAGSCROLL, call) ? call.result : DROPEFFECT_NONE;
}
