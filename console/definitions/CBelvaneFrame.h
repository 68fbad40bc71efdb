// The alarm definitions window's MDI child frame: its title is always "Alarm Definitions",
// never a document name.
#pragma once

#include "framework/frames/CMDIChildWnd.h"

class CBelvaneFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CBelvaneFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext) override;
};
