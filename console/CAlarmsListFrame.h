// The outstanding-alarms window's MDI child frame.
#pragma once

#include "framework/frames/CMDIChildWnd.h"

class CAlarmsListFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CAlarmsListFrame)
};
