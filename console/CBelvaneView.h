// The alarm definitions window's view: for now one list that names the window.
#pragma once

#include "console/CStandInListView.h"

class CBelvaneView : public CStandInListView
{
    DECLARE_DYNCREATE(CBelvaneView)
public:
    CBelvaneView() : CStandInListView(L"Alarm definitions") {}
};
