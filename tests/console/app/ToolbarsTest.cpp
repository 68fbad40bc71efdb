#include "GuiTest.h"

#include "console/app/CBelvaneApp.h"
#include "console/app/CMainFrame.h"
#include "framework/bars/CDockBar.h"
#include "framework/bars/CDockContext.h"
#include "framework/window/AfxOleInit.h"
#include "framework/window/CCmdUI.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/ToolbarsRes.h"
#include "support/RegistryStore.h"

#include <functional>
#include <vector>

namespace
{
// A check mark as the update handlers leave it.
class CCheckCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override { m_bEnabled = bOn; }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }
    BOOL m_bEnabled = TRUE;
    int m_nCheck = -1;
};

// The console's main frame with its toolbars, opened and closed the way the program does, on a
// profile of this test.
class ToolbarsTest : public GuiTest
{
protected:
    ToolbarsTest()
    {
        AfxInitRichEdit();
        m_belvane.SetRegistryKey(m_strKey);
        m_strStoreKey.Format(L"SOFTWARE\\Tervok AG\\ConsoleToolbarTests-%lu", GetCurrentProcessId());
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strStoreKey, L"Volatile");
        m_belvane.AddTemplates();
        EXPECT_TRUE(m_belvane.RegisterMainWindowClass());
        Open();
    }
    ~ToolbarsTest() override
    {
        if (m_pFrame && IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = nullptr;
        PumpUntilIdle();
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strStoreKey);
    }

    void Open()
    {
        m_pFrame = new CMainFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr));
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = m_pFrame;
        m_pFrame->MoveWindow(CRect(0, 0, 1100, 800));
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        PumpUntilIdle();
    }
    // Closes the frame without saving its state, as a crash would.
    void CloseUnsaved()
    {
        m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = nullptr;
        PumpUntilIdle();
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    // Closes the frame as the user does (its state is saved) and opens a new one.
    void Restart()
    {
        HWND hFrame = m_pFrame->m_hWnd;
        m_pFrame->SendMessage(WM_CLOSE);
        PumpUntilIdle();
        ASSERT_FALSE(IsWindow(hFrame)) << "the frame closed";
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = nullptr;
        // The closed frame's loop ended; the new one runs on.
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        Open();
    }

    std::vector<UINT> Buttons(CToolBar& bar)
    {
        std::vector<UINT> ids;
        for (int i = 0; i < bar.GetCount(); ++i)
            ids.push_back(bar.GetItemID(i));
        return ids;
    }
    std::vector<CString> Labels(CToolBar& bar)
    {
        std::vector<CString> labels;
        for (int i = 0; i < bar.GetCount(); ++i)
            labels.push_back(bar.GetButtonText(i));
        return labels;
    }

    // The rows of a dock bar as "Options|Definitions Outstanding".
    CString Rows(UINT nID)
    {
        CString strRows;
        for (CControlBar* pBar : m_pFrame->GetDockBar(nID)->m_arrBars)
        {
            if (!pBar)
                strRows += L"|";
            else
                strRows += (strRows.Right(1) == L"|" ? L"" : L" ") + pBar->GetWindowText();
        }
        return strRows;
    }

    // The View menu's bar toggles, in the menu's order.
    struct Toggle
    {
        UINT nCommand;
        CControlBar* pBar;
    };
    std::vector<Toggle> Toggles()
    {
        return {{ID_VIEW_DEFINITIONS_TOOLBAR, &m_pFrame->m_wndDefinitionsBar},
                {ID_VIEW_TOOLBAR, &m_pFrame->m_wndOptionsBar},
                {ID_VIEW_OUTSTANDING_TOOLBAR, &m_pFrame->m_wndOutstandingBar},
                {ID_VIEW_STATUS_BAR, &m_pFrame->m_wndStatusBar},
                {ID_VIEW_OPEN_ALARMS, &m_pFrame->m_wndOpenAlarmsBar}};
    }

    int CheckOf(UINT nID)
    {
        CCheckCmdUI state;
        state.m_nID = nID;
        state.DoUpdate(m_pFrame, FALSE);
        return state.m_nCheck;
    }

    // A pixel of image nImage of one of the toolbar's image lists, drawn on white.
    COLORREF ImagePixel(CToolBar& bar, UINT nGetList, int nImage, int x, int y)
    {
        HIMAGELIST hList = (HIMAGELIST)bar.SendMessage(nGetList);
        HDC hScreen = GetDC(nullptr);
        HDC hDC = CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 32, 32);
        HGDIOBJ hOld = SelectObject(hDC, hBitmap);
        RECT rect = {0, 0, 32, 32};
        FillRect(hDC, &rect, (HBRUSH)GetStockObject(WHITE_BRUSH));
        ImageList_Draw(hList, nImage, hDC, 0, 0, ILD_NORMAL);
        COLORREF cr = GetPixel(hDC, x, y);
        SelectObject(hDC, hOld);
        DeleteObject(hBitmap);
        DeleteDC(hDC);
        ReleaseDC(nullptr, hScreen);
        return cr;
    }

    // The "Open Alarms" bar and screen points on it.
    cdxCDynamicBar& AlarmsBar() { return m_pFrame->m_wndOpenAlarmsBar; }
    CRect AlarmsBarRect()
    {
        CRect rect;
        AlarmsBar().GetWindowRect(&rect);
        return rect;
    }
    CPoint AlarmsBarEdge(UINT nHitTest)
    {
        CRect rectEdge;
        EXPECT_TRUE(AlarmsBar().GetEdgeRect(AlarmsBarRect(), nHitTest, rectEdge));
        return rectEdge.CenterPoint();
    }
    CPoint AlarmsBarCloseButton()
    {
        CRect rect = AlarmsBar().m_btnClose.GetRect();
        rect.OffsetRect(AlarmsBarRect().left, AlarmsBarRect().top);
        return rect.CenterPoint();
    }
    // On the caption strip, away from the close button.
    CPoint AlarmsBarCaption()
    {
        CRect rectClient;
        AlarmsBar().GetClientRect(&rectClient);
        AlarmsBar().ClientToScreen((POINT*)&rectClient.left);
        return CPoint(rectClient.left + 20, rectClient.top - 6);
    }
    HWND MiniFrameOf(CControlBar& bar) { return GetParent(GetParent(bar.m_hWnd)); }

    CBelvaneApp m_belvane;
    CMainFrame* m_pFrame = nullptr;
    CString m_strStoreKey;
};
} // namespace

TEST_F(ToolbarsTest, ThreeToolbarsCarryTheirButtonsInOrderWithLabels)
{
    EXPECT_EQ((std::vector<UINT>{32820, 32780, 32771, 32773, 0, 32793, 32805, 32792, 0, 57650, 57651, 0, 32801, 32826}),
              Buttons(m_pFrame->m_wndOptionsBar));
    EXPECT_EQ((std::vector<UINT>{32811, 32818, 0, 32804, 32785, 32786, 32812, 32813, 32783, 0, 32782, 32798, 32819}),
              Buttons(m_pFrame->m_wndOutstandingBar));
    EXPECT_EQ((std::vector<UINT>{32772, 32776, 32774, 32775, 0, 32803, 32802, 0, 32790, 32792}),
              Buttons(m_pFrame->m_wndDefinitionsBar));

    std::vector<CString> labels = Labels(m_pFrame->m_wndOptionsBar);
    EXPECT_STREQ(L"Open Alarms", labels[0]);
    EXPECT_STREQ(L"Logfile", labels[1]);
    EXPECT_STREQ(L"Test All", labels[7]) << "the later row of the table wins";
    EXPECT_STREQ(L"Tervok", labels[13]);
    labels = Labels(m_pFrame->m_wndDefinitionsBar);
    EXPECT_STREQ(L"Delete", labels[3]);
    EXPECT_STREQ(L"Test Defn", labels[8]);
    EXPECT_STREQ(L"Set Widths", Labels(m_pFrame->m_wndOutstandingBar)[12]);

    EXPECT_STREQ(L"Options", m_pFrame->m_wndOptionsBar.GetWindowText());
    EXPECT_EQ(59403, m_pFrame->m_wndDefinitionsBar.GetDlgCtrlID());
    EXPECT_EQ(CSize(32, 32), m_pFrame->m_wndOptionsBar.GetImageSize());
    CRect labelled = m_pFrame->m_wndOptionsBar.GetLabelledRect();
    EXPECT_GT(labelled.Height(), m_pFrame->m_wndOptionsBar.GetPlainRect().Height()) << "labels sit under the images";
}

TEST_F(ToolbarsTest, LabelsAreMeasuredOnceAndATableFreeBarHasNone)
{
    CColorToolBar& bar = m_pFrame->m_wndOptionsBar;
    CRect labelled = bar.GetLabelledRect();
    bar.ShowButtonText(FALSE);
    EXPECT_EQ(bar.GetPlainRect().Height(), bar.GetButtonSize().cy);
    bar.ShowButtonText(TRUE);
    EXPECT_EQ(labelled, bar.GetLabelledRect());
    EXPECT_EQ(labelled.Height(), bar.GetButtonSize().cy);

    CColorToolBar other;
    ASSERT_TRUE(other.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(0, 0, 0, 0), 59410));
    const UINT ids[] = {40001, 40002};
    ASSERT_TRUE(other.SetButtons(ids, 2));
    other.ShowButtonText(TRUE);
    EXPECT_STREQ(L"", other.GetButtonText(0));
    EXPECT_EQ(other.GetPlainRect(), other.GetLabelledRect());
    other.DestroyWindow();
}

TEST_F(ToolbarsTest, ImagesArePalerAtRestFullUnderTheMouseAndGreyWhenDisabled)
{
    CColorToolBar& bar = m_pFrame->m_wndOptionsBar;
    HIMAGELIST hNormal = (HIMAGELIST)bar.SendMessage(TB_GETIMAGELIST);
    COLORREF hot = ImagePixel(bar, TB_GETHOTIMAGELIST, 2, 20, 20);
    COLORREF normal = ImagePixel(bar, TB_GETIMAGELIST, 2, 20, 20);
    COLORREF disabled = ImagePixel(bar, TB_GETDISABLEDIMAGELIST, 2, 20, 20);
    auto lightness = [](COLORREF cr) {
        return std::max({GetRValue(cr), GetGValue(cr), GetBValue(cr)}) + std::min({GetRValue(cr), GetGValue(cr), GetBValue(cr)});
    };
    EXPECT_NE(hot, normal);
    EXPECT_GT(lightness(normal), lightness(hot)) << "paler at rest";
    EXPECT_EQ(GetRValue(disabled), GetGValue(disabled));
    EXPECT_EQ(GetGValue(disabled), GetBValue(disabled)) << "grey";
    EXPECT_NE(RGB(255, 255, 255), disabled);
    // The magenta corner is cut out of every look.
    for (UINT nList : {TB_GETHOTIMAGELIST, TB_GETIMAGELIST, TB_GETDISABLEDIMAGELIST})
        EXPECT_EQ(RGB(255, 255, 255), ImagePixel(bar, nList, 2, 0, 0)) << nList;
    EXPECT_EQ(11, ImageList_GetImageCount(hNormal));

    // Made once: switching labels keeps the lists.
    bar.ShowButtonText(FALSE);
    bar.ShowButtonText(TRUE);
    EXPECT_EQ(hNormal, (HIMAGELIST)bar.SendMessage(TB_GETIMAGELIST));
}

TEST_F(ToolbarsTest, FirstStartDocksOutstandingRightOfDefinitions)
{
    EXPECT_STREQ(L"|Options|Definitions Outstanding|", Rows(AFX_IDW_DOCKBAR_TOP));
    CRect definitions, outstanding;
    m_pFrame->m_wndDefinitionsBar.GetWindowRect(&definitions);
    m_pFrame->m_wndOutstandingBar.GetWindowRect(&outstanding);
    EXPECT_EQ(definitions.right, outstanding.left);
    EXPECT_EQ(definitions.top, outstanding.top);
    CRect status;
    m_pFrame->m_wndStatusBar.GetWindowRect(&status);
    CRect bottom;
    m_pFrame->GetDockBar(AFX_IDW_DOCKBAR_BOTTOM)->GetWindowRect(&bottom);
    EXPECT_GE(status.top, bottom.bottom) << "the status bar keeps the outermost strip";
}

TEST_F(ToolbarsTest, ViewTogglesHideAndShowTheBarsAndCheckTheirItems)
{
    for (const Toggle& toggle : Toggles())
    {
        EXPECT_EQ(1, CheckOf(toggle.nCommand)) << toggle.nCommand;
        m_pFrame->SendMessage(WM_COMMAND, toggle.nCommand);
        PumpUntilIdle();
        EXPECT_FALSE(toggle.pBar->IsWindowVisible()) << toggle.nCommand;
        EXPECT_EQ(0, CheckOf(toggle.nCommand)) << toggle.nCommand;
        m_pFrame->SendMessage(WM_COMMAND, toggle.nCommand);
        PumpUntilIdle();
        EXPECT_TRUE(toggle.pBar->IsWindowVisible()) << toggle.nCommand;
    }
    // A floating toolbar toggles with its mini frame.
    m_pFrame->FloatControlBar(&m_pFrame->m_wndDefinitionsBar, CPoint(400, 400));
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_DEFINITIONS_TOOLBAR);
    EXPECT_EQ(0, CheckOf(ID_VIEW_DEFINITIONS_TOOLBAR));
    EXPECT_FALSE(IsWindowVisible(GetParent(GetParent(m_pFrame->m_wndDefinitionsBar.m_hWnd))));
}

TEST_F(ToolbarsTest, ViewMenuChecksAllFourBarsWhileAWindowIsActive)
{
    // A window of the console is active, as always after the start: its frame is asked first.
    m_belvane.ShowLogfileWindow();
    PumpUntilIdle();
    ASSERT_TRUE(m_pFrame->MDIGetActive() != nullptr);
    HMENU hView = GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 2);
    auto state = [&](UINT nCommand) {
        m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hView, 2);
        return GetMenuState(hView, nCommand, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED);
    };
    for (const Toggle& toggle : Toggles())
    {
        EXPECT_EQ((UINT)MF_CHECKED, state(toggle.nCommand)) << "enabled and checked: " << toggle.nCommand;
        m_pFrame->SendMessage(WM_COMMAND, toggle.nCommand);
        PumpUntilIdle();
        EXPECT_FALSE(toggle.pBar->IsWindowVisible()) << toggle.nCommand;
        EXPECT_EQ((UINT)MF_UNCHECKED, state(toggle.nCommand)) << "enabled, unchecked: " << toggle.nCommand;
        m_pFrame->SendMessage(WM_COMMAND, toggle.nCommand);
        PumpUntilIdle();
        EXPECT_TRUE(toggle.pBar->IsWindowVisible()) << toggle.nCommand;
    }
}

TEST_F(ToolbarsTest, TooltipsAndTheStatusBarPromptFollowTheButtonUnderTheMouse)
{
    NMTTDISPINFOW info = {};
    info.hdr.code = TTN_GETDISPINFOW;
    info.hdr.idFrom = ID_VIEW_OPEN_ALARMS;
    ASSERT_TRUE(CToolBar::OnToolTipText(&info.hdr));
    EXPECT_STREQ(L"Toggle Open Alarms Window", info.lpszText);

    // The mouse over the log window's button, with no other test's window in between.
    ::SetWindowPos(m_pFrame->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CRect rect;
    CToolBar& bar = m_pFrame->m_wndOptionsBar;
    bar.GetItemRect(1, &rect);
    ::MapWindowPoints(bar.m_hWnd, nullptr, (POINT*)&rect, 2);
    auto moveTo = [this](int x, int y) {
        MouseMove(CPoint(x, y));
        PumpUntilIdle();
    };
    // Waits, pumping, until the condition holds or 5 s have passed.
    auto pumpUntil = [this](const std::function<bool()>& condition) {
        for (DWORD dwStart = GetTickCount(); !condition() && GetTickCount() - dwStart < 5000;)
        {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            PumpUntilIdle();
        }
    };
    // Onto the button and off the bar first, so that the last move enters the bar wherever an
    // earlier test left the pointer (the frame may have appeared under it, the button hot). The
    // bar must see the pointer leave before it comes back: Wine tells it from a timer, some
    // 400 ms after the pointer left, and a bar that never saw it leave announces no new button.
    moveTo(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2);
    moveTo(rect.left + rect.Width() / 2, rect.bottom + 200);
    pumpUntil([&bar] { return bar.SendMessage(TB_GETHOTITEM) == -1; });
    EXPECT_STREQ(L"Ready", m_pFrame->m_wndStatusBar.GetPaneText(0)) << "the prompt once the pointer left the bar";
    for (int i = 0; i < 2; ++i)
        moveTo(rect.left + rect.Width() / 2 + i, rect.top + rect.Height() / 2);
    // The prompt follows once the bar has seen the pointer: on a busy machine after some pumps.
    pumpUntil([this] { return m_pFrame->m_wndStatusBar.GetPaneText(0) == L"Display logfile"; });
    // What the bar and the pointer say, should the prompt be missing.
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    wchar_t szUnder[64] = L"";
    ::GetClassNameW(::WindowFromPoint(cursor), szUnder, 64);
    EXPECT_STREQ(L"Display logfile", m_pFrame->m_wndStatusBar.GetPaneText(0))
        << "hot button " << bar.SendMessage(TB_GETHOTITEM) << ", pointer at " << cursor.x << "," << cursor.y
        << " over " << CStringA(szUnder).GetString();
}

TEST_F(ToolbarsTest, RestartRestoresDockBarsRowsOrderFloatingAndVisibility)
{
    m_pFrame->DockControlBar(&m_pFrame->m_wndOptionsBar, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->FloatControlBar(&m_pFrame->m_wndOutstandingBar, CPoint(500, 420));
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    PumpUntilIdle();
    Restart();

    EXPECT_STREQ(L"|Definitions|", Rows(AFX_IDW_DOCKBAR_TOP));
    EXPECT_STREQ(L"|Open Alarms|Options|", Rows(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(m_pFrame->m_wndOutstandingBar.IsFloating());
    CRect rect;
    GetWindowRect(GetParent(GetParent(m_pFrame->m_wndOutstandingBar.m_hWnd)), &rect);
    EXPECT_EQ(CPoint(500, 420), CPoint(rect.left, rect.top));
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(0, CheckOf(ID_VIEW_STATUS_BAR));
}

TEST_F(ToolbarsTest, AFloatingBarSavedOnAScreenThatIsGoneOpensOnTheNearestOne)
{
    m_pFrame->FloatControlBar(&m_pFrame->m_wndOutstandingBar, CPoint(500, 420));
    PumpUntilIdle();
    Restart();
    CloseUnsaved();
    for (int i = 0; i < 4; ++i)
    {
        CString strSection;
        strSection.Format(L"Control Bar State-Bar%d", i);
        if ((int)m_belvane.GetProfileInt(strSection, L"BarID", 0) == ID_VIEW_OUTSTANDING_BAR)
            m_belvane.WriteProfileInt(strSection, L"XPos", 9000);
    }
    Open();
    ASSERT_TRUE(m_pFrame->m_wndOutstandingBar.IsFloating());
    CRect rect;
    GetWindowRect(GetParent(GetParent(m_pFrame->m_wndOutstandingBar.m_hWnd)), &rect);
    MONITORINFO monitor = {sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(m_pFrame->m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(monitor.rcWork.right - 40, rect.left) << "its corner is on the screen";
    EXPECT_EQ(420, rect.top);
}

TEST_F(ToolbarsTest, DamagedBarStateStillOpensTheFrameWithTheDefaultLayout)
{
    Restart();
    m_belvane.WriteProfileString(L"Control Bar State-Bar0", L"BarID", L"not a number");
    m_belvane.WriteProfileInt(L"Control Bar State-Bar1", L"DockBarID", -7);
    m_belvane.WriteProfileInt(L"Control Bar State-Bar2", L"Row", 1000000);
    m_belvane.WriteProfileInt(L"Control Bar State-Bar3", L"BarID", 59499);
    CloseUnsaved();
    Open();
    ASSERT_TRUE(IsWindow(m_pFrame->m_hWnd));
    EXPECT_STREQ(L"|Options|Definitions Outstanding|", Rows(AFX_IDW_DOCKBAR_TOP));
    EXPECT_TRUE(m_pFrame->m_wndOptionsBar.IsWindowVisible());
}

TEST_F(ToolbarsTest, ScreenshotOfDockedAndFloatingToolbars)
{
    m_pFrame->DockControlBar(&m_pFrame->m_wndDefinitionsBar, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->FloatControlBar(&m_pFrame->m_wndOutstandingBar, CPoint(360, 360));
    PumpUntilIdle();
    ::RedrawWindow(m_pFrame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Sleep(200);
    PumpUntilIdle();
    SaveScreenshot(L"toolbars.png");
    EXPECT_TRUE(m_pFrame->m_wndOutstandingBar.IsFloating());
}

TEST_F(ToolbarsTest, TheOpenAlarmsBarResizesFloatsDocksAndClosesByMouse)
{
    CRect rectBefore = AlarmsBarRect();
    ASSERT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, AlarmsBar().m_nDockBarId);
    CPoint ptEdge = AlarmsBarEdge(HTRIGHT);
    MouseDrag(m_pFrame->m_hWnd, ptEdge, CPoint(ptEdge.x + 80, ptEdge.y));
    EXPECT_EQ(rectBefore.Width() + 80, AlarmsBarRect().Width());
    CRect rectClient;
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rectClient);
    EXPECT_EQ(AlarmsBarRect().right, rectClient.left) << "the windows' area gave way";

    MouseDrag(m_pFrame->m_hWnd, AlarmsBarCaption(), CPoint(600, 450));
    ASSERT_TRUE(AlarmsBar().IsFloating()) << "dragged by its caption, it floats";
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rectClient);
    EXPECT_EQ(rectBefore.left, rectClient.left);

    CRect rectMini;
    ::GetWindowRect(MiniFrameOf(AlarmsBar()), &rectMini);
    MouseDoubleClick(MiniFrameOf(AlarmsBar()),
                     CPoint(rectMini.left + 30, rectMini.top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2));
    ASSERT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, AlarmsBar().m_nDockBarId) << "a double click docks it back";
    EXPECT_EQ(rectBefore.Width() + 80, AlarmsBarRect().Width());

    CToolBar& options = m_pFrame->m_wndOptionsBar;
    int nButton = options.CommandToIndex(ID_VIEW_OPEN_ALARMS);
    ASSERT_GE(nButton, 0);
    EXPECT_TRUE(options.GetButtonState(nButton) & TBSTATE_CHECKED);
    MouseClick(m_pFrame->m_hWnd, AlarmsBarCloseButton());
    EXPECT_FALSE(AlarmsBar().IsWindowVisible()) << "the close button hides it";
    EXPECT_EQ(0, CheckOf(ID_VIEW_OPEN_ALARMS));
    EXPECT_FALSE(options.GetButtonState(nButton) & TBSTATE_CHECKED);

    CRect rectButton;
    options.GetItemRect(nButton, &rectButton);
    ::MapWindowPoints(options.m_hWnd, nullptr, (POINT*)&rectButton, 2);
    MouseClick(m_pFrame->m_hWnd, rectButton.CenterPoint());
    EXPECT_TRUE(AlarmsBar().IsWindowVisible()) << "its toolbar button shows it again";
    EXPECT_EQ(1, CheckOf(ID_VIEW_OPEN_ALARMS));
}

TEST_F(ToolbarsTest, TheOpenAlarmsBarComesBackWithItsSizePlaceAndVisibility)
{
    int nDefaultWidth = AlarmsBarRect().Width();
    AlarmsBar().m_szVert.cx = nDefaultWidth + 90;
    m_pFrame->RecalcLayout();
    Restart();
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, AlarmsBar().m_nDockBarId);
    EXPECT_EQ(nDefaultWidth + 90, AlarmsBarRect().Width());

    AlarmsBar().m_szFloat = CSize(240, 330);
    m_pFrame->FloatControlBar(&AlarmsBar(), CPoint(520, 300));
    PumpUntilIdle();
    Restart();
    ASSERT_TRUE(AlarmsBar().IsFloating());
    CRect rectMini;
    ::GetWindowRect(MiniFrameOf(AlarmsBar()), &rectMini);
    EXPECT_EQ(CPoint(520, 300), rectMini.TopLeft());
    EXPECT_EQ(CSize(240, 330), AlarmsBarRect().Size());

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_OPEN_ALARMS);
    PumpUntilIdle();
    Restart();
    EXPECT_FALSE(AlarmsBar().IsWindowVisible());
    EXPECT_EQ(0, CheckOf(ID_VIEW_OPEN_ALARMS));
}

TEST_F(ToolbarsTest, ADamagedOpenAlarmsStateOpensTheDefaultLayout)
{
    int nDefaultWidth = AlarmsBarRect().Width();
    Restart();
    CloseUnsaved();
    CString strSection;
    strSection.Format(L"OpenAlarms-SCBar-%d", ID_VIEW_OPEN_ALARMS_BAR);
    m_belvane.WriteProfileInt(strSection, L"sizeVertCX", -300);
    m_belvane.WriteProfileInt(strSection, L"sizeVertCY", 0x7FFFFF00);
    m_belvane.WriteProfileString(strSection, L"sizeFloatCX", L"wide");
    for (int i = 0; i < 4; ++i)
    {
        CString strBar;
        strBar.Format(L"Control Bar State-Bar%d", i);
        if ((int)m_belvane.GetProfileInt(strBar, L"BarID", 0) == ID_VIEW_OPEN_ALARMS_BAR)
            m_belvane.WriteProfileInt(strBar, L"DockBarID", 12345);
    }
    Open();
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, AlarmsBar().m_nDockBarId);
    EXPECT_TRUE(AlarmsBar().IsWindowVisible());
    EXPECT_EQ(nDefaultWidth, AlarmsBarRect().Width());
    CRect rectDock;
    m_pFrame->GetDockBar(AFX_IDW_DOCKBAR_LEFT)->GetWindowRect(&rectDock);
    EXPECT_EQ(rectDock.Height(), AlarmsBarRect().Height());
}
