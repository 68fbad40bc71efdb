#include "console/logfile/CLogfileFrame.h"

IMPLEMENT_DYNCREATE(CLogfileFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CLogfileFrame, CMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CLogfileFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style &= ~FWS_ADDTOTITLE;
    return CMDIChildWnd::PreCreateWindow(cs);
}

int CLogfileFrame::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetTitle(L"Logfile");
    SetWindowText(L"Logfile");
    return 0;
}

void CLogfileFrame::OnUpdateFrameTitle(BOOL)
{
    SetWindowText(GetTitle());
}

void CLogfileFrame::OnClose()
{
    ShowWindow(SW_MINIMIZE);
    ShowWindow(SW_HIDE);
}
