// The outstanding-alarms window's view: for now one list that names the window.
#pragma once

#include "console/CStandInListView.h"

class CAlarmsListView : public CStandInListView
{
    DECLARE_DYNCREATE(CAlarmsListView)
public:
    CAlarmsListView() : CStandInListView(L"Outstanding alarms") {}
};
