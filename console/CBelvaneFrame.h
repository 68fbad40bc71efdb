// The alarm definitions window's MDI child frame.
#pragma once

#include "framework/frames/CMDIChildWnd.h"

class CBelvaneFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CBelvaneFrame)
};
