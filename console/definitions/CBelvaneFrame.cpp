#include "console/definitions/CBelvaneFrame.h"

IMPLEMENT_DYNCREATE(CBelvaneFrame, CMDIChildWnd)

BOOL CBelvaneFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!CMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

BOOL CBelvaneFrame::OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext)
{
    if (!CMDIChildWnd::OnCreateClient(lpcs, pContext))
        return FALSE;
    SetWindowText(L"Alarm Definitions");
    return TRUE;
}
