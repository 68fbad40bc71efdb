// The outstanding-alarms window's MDI child frame: titled "Outstanding Alarms", never with the
// document's name; the view extends the title with its count and filters.
#pragma once

#include "framework/frames/CMDIChildWnd.h"

class CAlarmsListFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CAlarmsListFrame)
protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext) override;
};
