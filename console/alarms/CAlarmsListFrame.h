// The outstanding-alarms window's MDI child frame: titled "Outstanding Alarms", never with the
// document's name; the view extends the title with its count and filters. It carries the filter
// side bar "Selection", docked at its left edge.
#pragma once

#include "console/alarms/CAlarmsSideBar.h"
#include "framework/frames/CMDIChildWnd.h"

class CAlarmsListFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CAlarmsListFrame)
public:
    enum
    {
        kSideBarId = 105
    };
    // The name the side bar's sizes are kept under.
    static const wchar_t szSideBarState[];

    CAlarmsSideBar m_wndBar;

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext) override;
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
