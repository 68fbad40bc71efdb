// The log window's MDI child frame, titled "Logfile". Closing it only hides it: the log lives
// as long as the main frame and keeps taking lines while hidden.
#pragma once

#include "framework/frames/CMDIChildWnd.h"

class CLogfileFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CLogfileFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

protected:
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnClose();
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    DECLARE_MESSAGE_MAP()
};
