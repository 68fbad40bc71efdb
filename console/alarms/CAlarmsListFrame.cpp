#include "console/alarms/CAlarmsListFrame.h"

IMPLEMENT_DYNCREATE(CAlarmsListFrame, CMDIChildWnd)

BOOL CAlarmsListFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style &= ~FWS_ADDTOTITLE;
    return CMDIChildWnd::PreCreateWindow(cs);
}

BOOL CAlarmsListFrame::OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext)
{
    if (!CMDIChildWnd::OnCreateClient(lpcs, pContext))
        return FALSE;
    SetWindowText(L"Outstanding Alarms");
    return TRUE;
}
