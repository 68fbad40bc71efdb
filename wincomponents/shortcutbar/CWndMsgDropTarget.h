// A drop target that hands every call of the system to its window as a message, so that the
// window answers in its message map. The window's non-zero answer makes the record's result the
// answer to the system; an answer of 0 gets the default of each message.
#pragma once

#include "framework/ole/COleDropTarget.h"

// wParam 0, lParam a DROPTARGETCALL on the sender's stack; sent, never posted.
const UINT DROPTARGET_DRAGENTER = 0x720; // default: no effect
const UINT DROPTARGET_DRAGLEAVE = 0x721; // default: the base class's leave
const UINT DROPTARGET_DRAGOVER = 0x722;  // default: no effect
const UINT DROPTARGET_DRAGSCROLL = 0x723; // default: no effect, so no automatic scrolling
const UINT DROPTARGET_DROP = 0x724;      // default: FALSE
const UINT DROPTARGET_DROPEX = 0x725;    // default: the base class's, which defers to the drop

// Pointer fields are pointer-sized, so that they survive a 64-bit build.
struct DROPTARGETCALL
{
    CWnd* pWnd;
    COleDataObject* pDataObject;
    DWORD dwKeyState;
    LONG x; // client coordinates of pWnd
    LONG y;
    DROPEFFECT dropEffect; // drop: the effect; drop-ex: the default effect
    DROPEFFECT dropList;   // drop-ex: the effects the source allows
    DWORD result;          // set by the window: a drop effect, or TRUE/FALSE for a drop
};

class CWndMsgDropTarget : public COleDropTarget
{
public:
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                        CPoint point) override;
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

private:
    // Sends the record to its window; TRUE when the window answered.
    static BOOL Forward(UINT nMessage, DROPTARGETCALL& call);
    static DROPTARGETCALL MakeCall(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
};
