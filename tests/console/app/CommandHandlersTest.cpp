#include "GuiTest.h"

#include "console/alarms/CAlarmsListDoc.h"
#include "console/alarms/CAlarmsListFrame.h"
#include "console/alarms/CAlarmsListView.h"
#include "console/app/CBelvaneApp.h"
#include "console/app/CMainFrame.h"
#include "console/definitions/CBelvaneDoc.h"
#include "console/definitions/CBelvaneFrame.h"
#include "console/definitions/CBelvaneView.h"
#include "console/logfile/CLogfileDocument.h"
#include "console/logfile/CLogfileForm.h"
#include "console/logfile/CLogfileFrame.h"
#include "framework/bars/CToolBar.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/ToolbarsRes.h"

#include <set>
#include <vector>

namespace
{
void AddMenuCommands(HMENU hMenu, std::set<UINT>& commands)
{
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
    {
        if (HMENU hPopup = GetSubMenu(hMenu, i))
            AddMenuCommands(hPopup, commands);
        else if (UINT nID = GetMenuItemID(hMenu, i); nID != 0 && nID != (UINT)-1)
            commands.insert(nID);
    }
}

// A toolbar resource: version, button width and height, count, then the commands (0 a gap).
void AddToolbarCommands(UINT nResource, std::set<UINT>& commands)
{
    HMODULE hModule = GetModuleHandleW(nullptr);
    HRSRC hRsrc = FindResourceW(hModule, MAKEINTRESOURCEW(nResource), MAKEINTRESOURCEW(RT_TOOLBAR_TYPE));
    ASSERT_NE(nullptr, hRsrc) << nResource;
    const WORD* pWords = (const WORD*)LockResource(LoadResource(hModule, hRsrc));
    for (WORD i = 0; i < pWords[3]; ++i)
        if (pWords[4 + i])
            commands.insert(pWords[4 + i]);
}

BOOL HasHandler(const std::vector<const CCmdTarget*>& targets, UINT nID)
{
    for (const CCmdTarget* pTarget : targets)
        if (pTarget->FindMessageEntry(WM_COMMAND, (UINT)CN_COMMAND, nID) ||
            pTarget->FindMessageEntry(WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, nID))
            return TRUE;
    return FALSE;
}
} // namespace

// Every command the menu bar and the three toolbars show is handled by the application, the
// main frame or one of the windows, so none shows greyed for want of a handler.
TEST(CommandHandlers, EveryMenuItemAndToolbarButtonHasAHandler)
{
    std::set<UINT> commands;
    HMENU hMenu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(nullptr, hMenu);
    AddMenuCommands(hMenu, commands);
    DestroyMenu(hMenu);
    for (UINT nToolbar : {IDR_MAINFRAME, IDR_OUTSTANDING_TOOLBAR, IDR_DEFINITIONS_TOOLBAR})
        AddToolbarCommands(nToolbar, commands);
    ASSERT_GT(commands.size(), 60u);

    CBelvaneApp app;
    CMainFrame frame;
    CAlarmsListDoc alarmsDoc;
    CAlarmsListFrame alarmsFrame;
    CAlarmsListView alarmsView;
    CBelvaneDoc definitionsDoc;
    CBelvaneFrame definitionsFrame;
    CBelvaneView definitionsView;
    CLogfileDocument logDoc;
    CLogfileFrame logFrame;
    CLogfileForm logForm;
    const std::vector<const CCmdTarget*> targets = {&app, &frame, &alarmsDoc, &alarmsFrame, &alarmsView,
                                                    &definitionsDoc, &definitionsFrame, &definitionsView,
                                                    &logDoc, &logFrame, &logForm};
    std::vector<UINT> missing;
    for (UINT nID : commands)
        if (!HasHandler(targets, nID))
            missing.push_back(nID);
    EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}
