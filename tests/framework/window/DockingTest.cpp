#include "GuiTest.h"

#include "WindowTestsRes.h"
#include "framework/bars/CDockBar.h"
#include "framework/bars/CDockContext.h"
#include "framework/bars/CToolBar.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/window/CCmdUI.h"
#include "BarStateMutation.h"

#include <memory>

namespace
{
class CDockFrame : public CFrameWnd
{
public:
    void OnMain() {}
    void OnUpdateMain(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bChecked); }
    BOOL m_bChecked = FALSE;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDockFrame, CFrameWnd)
    ON_COMMAND(ID_MAIN_COMMAND, OnMain)
    ON_COMMAND(ID_VIEW_COMMAND, OnMain)
    ON_UPDATE_COMMAND_UI(ID_MAIN_COMMAND, OnUpdateMain)
END_MESSAGE_MAP()

// A frame with three toolbars "A", "B" and "C" (ids 59400-59402) that dock anywhere.
class DockingTest : public GuiTest
{
protected:
    DockingTest()
    {
        m_pFrame = new CDockFrame;
        EXPECT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->MoveWindow(CRect(40, 40, 840, 640));
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        const wchar_t* names[] = {L"A", L"B", L"C"};
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_TRUE(m_bars[i].CreateEx(m_pFrame, TBSTYLE_FLAT,
                                           WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC,
                                           CRect(0, 0, 0, 0), 59400 + i));
            EXPECT_TRUE(m_bars[i].LoadToolBar(IDR_TOOLBAR_GOOD));
            m_bars[i].SetWindowText(names[i]);
            m_bars[i].EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->DockControlBar(&m_bars[i]);
        }
        PumpUntilIdle();
    }
    ~DockingTest() override
    {
        if (m_app.m_pMainWnd == m_pFrame)
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        PumpUntilIdle();
    }

    CDockBar* Dock(UINT nID) { return m_pFrame->GetDockBar(nID); }

    // The rows of a dock bar as "A B|C": bars by their text, rows split by "|".
    CString Rows(UINT nID)
    {
        CString strRows;
        for (CControlBar* pBar : Dock(nID)->m_arrBars)
        {
            if (!pBar)
                strRows += L"|";
            else
            {
                if (strRows.Right(1) != L"|")
                    strRows += L" ";
                strRows += pBar->GetWindowText();
            }
        }
        return strRows;
    }

    CRect ScreenRect(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect;
    }

    // The mini frame a floating bar lives in.
    HWND MiniFrameOf(CControlBar& bar) { return ::GetParent(::GetParent(bar.m_hWnd)); }

    // Real mouse input over the frame, kept above other tests' windows.
    void Drag(CPoint from, CPoint to) { MouseDrag(m_pFrame->m_hWnd, from, to); }
    void DoubleClick(CPoint at) { MouseDoubleClick(m_pFrame->m_hWnd, at); }

    CDockFrame* m_pFrame = nullptr;
    CToolBar m_bars[3];
};
} // namespace

TEST_F(DockingTest, ToolBarResourceGivesButtonsAndADamagedOneIsRefused)
{
    CToolBar& bar = m_bars[0];
    ASSERT_EQ(4, bar.GetCount());
    EXPECT_EQ((UINT)ID_VIEW_COMMAND, bar.GetItemID(0));
    EXPECT_TRUE(bar.GetButtonStyle(1) & BTNS_SEP);
    EXPECT_EQ(2, bar.CommandToIndex(ID_MAIN_COMMAND));
    EXPECT_EQ(-1, bar.CommandToIndex(0)) << "a separator is no command";
    EXPECT_EQ(CSize(16, 15), bar.GetImageSize());

    EXPECT_FALSE(bar.LoadToolBar(IDR_TOOLBAR_SHORT));
    EXPECT_FALSE(bar.LoadToolBar(4242));
    EXPECT_EQ(4, bar.GetCount()) << "a refused resource leaves the buttons as they were";
}

TEST_F(DockingTest, IdleUpdateEnablesAndChecksButtonsThroughTheFrame)
{
    m_pFrame->m_bChecked = TRUE;
    PumpUntilIdle();
    CToolBar& bar = m_bars[0];
    EXPECT_TRUE(bar.GetButtonState(0) & TBSTATE_ENABLED);
    EXPECT_TRUE(bar.GetButtonState(2) & TBSTATE_CHECKED);
    EXPECT_FALSE(bar.GetButtonState(3) & TBSTATE_ENABLED) << "no handler";
    m_pFrame->m_bChecked = FALSE;
    PumpUntilIdle();
    EXPECT_FALSE(bar.GetButtonState(2) & TBSTATE_CHECKED);
}

TEST_F(DockingTest, TooltipsTakeTheShortTextAndFlyByShowsThePrompt)
{
    NMTTDISPINFOW info = {};
    info.hdr.code = TTN_GETDISPINFOW;
    info.hdr.idFrom = ID_VIEW_COMMAND;
    ASSERT_TRUE(CToolBar::OnToolTipText(&info.hdr));
    EXPECT_STREQ(L"View command", info.lpszText);
    info.hdr.idFrom = ID_MAIN_COMMAND;
    ASSERT_TRUE(CToolBar::OnToolTipText(&info.hdr));
    EXPECT_STREQ(L"The main frame's command", info.lpszText) << "a text without a short part";
    info.hdr.idFrom = ID_UNHANDLED_COMMAND;
    EXPECT_FALSE(CToolBar::OnToolTipText(&info.hdr));
}

TEST_F(DockingTest, BarsDockedWithoutARectangleTakeARowEach)
{
    EXPECT_STREQ(L"|A|B|C|", Rows(AFX_IDW_DOCKBAR_TOP));
    CDockBar* pTop = Dock(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(3, pTop->GetRowCount());
    EXPECT_EQ(1, pTop->GetRowOf(&m_bars[1]));
    CRect a = ScreenRect(m_bars[0]), b = ScreenRect(m_bars[1]);
    EXPECT_EQ(a.bottom, b.top) << "rows stack without a gap";
    EXPECT_EQ(3 * a.Height(), ScreenRect(*pTop).Height());
    EXPECT_TRUE(m_bars[0].GetBarStyle() & CBRS_ALIGN_TOP);
}

TEST_F(DockingTest, ARectangleOverARowDocksIntoItInOrder)
{
    CRect rect = ScreenRect(m_bars[0]);
    rect.OffsetRect(1, 0);
    m_pFrame->DockControlBar(&m_bars[2], AFX_IDW_DOCKBAR_TOP, &rect);
    EXPECT_STREQ(L"|A C|B|", Rows(AFX_IDW_DOCKBAR_TOP));
    CRect a = ScreenRect(m_bars[0]), c = ScreenRect(m_bars[2]);
    EXPECT_EQ(a.right, c.left) << "the layout pushes C on past A";
    EXPECT_EQ(a.top, c.top);

    // Before A's start: first in the row.
    rect = ScreenRect(m_bars[0]);
    rect.OffsetRect(-1, 0);
    m_pFrame->DockControlBar(&m_bars[1], AFX_IDW_DOCKBAR_TOP, &rect);
    EXPECT_STREQ(L"|B A C|", Rows(AFX_IDW_DOCKBAR_TOP)) << "B's emptied row went too";
}

TEST_F(DockingTest, RowsCanBeSplitAndFoundByIndex)
{
    CRect rect = ScreenRect(m_bars[0]);
    rect.OffsetRect(1, 0);
    m_pFrame->DockControlBar(&m_bars[1], AFX_IDW_DOCKBAR_TOP, &rect);
    CDockBar* pTop = Dock(AFX_IDW_DOCKBAR_TOP);
    ASSERT_STREQ(L"|A B|C|", Rows(AFX_IDW_DOCKBAR_TOP));
    int nFirst = 0, nLast = 0;
    pTop->GetRowBounds(pTop->FindBar(&m_bars[1]), nFirst, nLast);
    EXPECT_EQ(1, nFirst);
    EXPECT_EQ(2, nLast);
    pTop->InsertRowBreak(1);
    EXPECT_STREQ(L"|A B|C|", Rows(AFX_IDW_DOCKBAR_TOP)) << "a row's start is already a break";
    pTop->InsertRowBreak(2);
    EXPECT_STREQ(L"|A|B|C|", Rows(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(3, pTop->GetDockedCount());
    EXPECT_EQ(std::vector<CControlBar*>{&m_bars[1]}, pTop->GetRowBars(1));
}

TEST_F(DockingTest, DelayedHideAndShowWaitForTheNextLayout)
{
    CDockBar* pTop = Dock(AFX_IDW_DOCKBAR_TOP);
    int nHeight = ScreenRect(*pTop).Height();
    m_pFrame->ShowControlBar(&m_bars[1], FALSE, TRUE);
    EXPECT_TRUE(m_bars[1].IsWindowVisible()) << "not before the layout";
    EXPECT_FALSE(m_bars[1].IsVisible());
    PumpUntilIdle();
    EXPECT_FALSE(m_bars[1].IsWindowVisible());
    EXPECT_EQ(nHeight * 2 / 3, ScreenRect(*pTop).Height()) << "its row takes no room";
    m_pFrame->ShowControlBar(&m_bars[1], TRUE, TRUE);
    PumpUntilIdle();
    EXPECT_TRUE(m_bars[1].IsWindowVisible());
    EXPECT_EQ(nHeight, ScreenRect(*pTop).Height());
}

TEST_F(DockingTest, ABarDockedAtASideStandsInAColumn)
{
    m_pFrame->DockControlBar(&m_bars[0], AFX_IDW_DOCKBAR_LEFT);
    PumpUntilIdle();
    CRect rect = ScreenRect(m_bars[0]);
    EXPECT_TRUE(m_bars[0].GetBarStyle() & CBRS_ALIGN_LEFT);
    EXPECT_GT(rect.Height(), rect.Width());
    EXPECT_STREQ(L"|A|", Rows(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_STREQ(L"|B|C|", Rows(AFX_IDW_DOCKBAR_TOP));
    CRect left = ScreenRect(*Dock(AFX_IDW_DOCKBAR_LEFT));
    CRect top = ScreenRect(*Dock(AFX_IDW_DOCKBAR_TOP));
    EXPECT_GE(left.top, top.bottom) << "the side dock bars lie below the top one";
}

TEST_F(DockingTest, FloatingBarLivesInACaptionedMiniFrameAndDocksBackToItsRow)
{
    m_pFrame->FloatControlBar(&m_bars[1], CPoint(300, 300));
    PumpUntilIdle();
    EXPECT_TRUE(m_bars[1].IsFloating());
    EXPECT_STREQ(L"|A|C|", Rows(AFX_IDW_DOCKBAR_TOP));
    HWND hMini = MiniFrameOf(m_bars[1]);
    EXPECT_TRUE(IsWindowVisible(hMini));
    wchar_t szCaption[32] = L"";
    GetWindowTextW(hMini, szCaption, 31);
    EXPECT_STREQ(L"B", szCaption);
    CRect rect;
    GetWindowRect(hMini, &rect);
    EXPECT_EQ(CPoint(300, 300), CPoint(rect.left, rect.top));

    // Hidden and shown again with its mini frame.
    m_pFrame->ShowControlBar(&m_bars[1], FALSE, FALSE);
    EXPECT_FALSE(IsWindowVisible(hMini));
    m_pFrame->ShowControlBar(&m_bars[1], TRUE, FALSE);
    EXPECT_TRUE(IsWindowVisible(hMini));

    m_bars[1].m_pDockContext->ToggleDocking();
    PumpUntilIdle();
    EXPECT_FALSE(m_bars[1].IsFloating());
    EXPECT_FALSE(IsWindow(hMini)) << "the emptied mini frame goes";
    EXPECT_STREQ(L"|A|B|C|", Rows(AFX_IDW_DOCKBAR_TOP));
    m_bars[1].m_pDockContext->ToggleDocking();
    GetWindowRect(MiniFrameOf(m_bars[1]), &rect);
    EXPECT_EQ(CPoint(300, 300), CPoint(rect.left, rect.top)) << "it floats again where it floated";
}

TEST_F(DockingTest, BarStateRestoresRowsOrderFloatingAndVisibility)
{
    CRect rect = ScreenRect(m_bars[0]);
    rect.OffsetRect(1, 0);
    m_pFrame->DockControlBar(&m_bars[2], AFX_IDW_DOCKBAR_TOP, &rect);
    m_pFrame->FloatControlBar(&m_bars[1], CPoint(320, 330));
    m_pFrame->ShowControlBar(&m_bars[0], FALSE, FALSE);
    m_pFrame->SaveBarState(L"Bars");

    m_pFrame->ShowControlBar(&m_bars[0], TRUE, FALSE);
    m_pFrame->DockControlBar(&m_bars[1], AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->DockControlBar(&m_bars[2], AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->LoadBarState(L"Bars");
    PumpUntilIdle();

    EXPECT_STREQ(L"|A C|", Rows(AFX_IDW_DOCKBAR_TOP));
    EXPECT_STREQ(L"|", Rows(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_STREQ(L"|", Rows(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_FALSE(m_bars[0].IsVisible());
    EXPECT_TRUE(m_bars[2].IsVisible());
    ASSERT_TRUE(m_bars[1].IsFloating());
    GetWindowRect(MiniFrameOf(m_bars[1]), &rect);
    EXPECT_EQ(CPoint(320, 330), CPoint(rect.left, rect.top));
}

// The mini frame a bar floated in is emptied by the restore: it must go without the bar's window.
TEST_F(DockingTest, AFloatingBarSavedDockedComesBackDockedWithItsWindow)
{
    m_pFrame->SaveBarState(L"Bars");
    m_pFrame->FloatControlBar(&m_bars[1], CPoint(320, 330));
    PumpUntilIdle();
    m_pFrame->LoadBarState(L"Bars");
    PumpUntilIdle();
    ASSERT_TRUE(::IsWindow(m_bars[1].m_hWnd));
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), m_bars[1].m_pDockBar);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP)->m_hWnd, ::GetParent(m_bars[1].m_hWnd));
    EXPECT_STREQ(L"|A|B|C|", Rows(AFX_IDW_DOCKBAR_TOP));
    EXPECT_TRUE(m_bars[1].IsVisible());
}

TEST_F(DockingTest, DamagedOrForeignBarStateKeepsWhatItCannotRestore)
{
    m_pFrame->SaveBarState(L"Bars");
    // Bar 0 names a bar that no longer exists, bar 1 a dock bar that does not exist, bar 2 a
    // sound place.
    m_app.WriteProfileInt(L"Bars-Bar0", L"BarID", 59499);
    m_app.WriteProfileInt(L"Bars-Bar1", L"DockBarID", 12345);
    m_app.WriteProfileInt(L"Bars-Bar1", L"Visible", 7);
    m_app.WriteProfileInt(L"Bars-Bar2", L"DockBarID", AFX_IDW_DOCKBAR_LEFT);
    m_app.WriteProfileInt(L"Bars-Bar2", L"Row", 0);
    m_app.WriteProfileInt(L"Bars-Bar2", L"XPos", 0);
    m_app.WriteProfileInt(L"Bars-Bar2", L"YPos", 0);
    m_pFrame->LoadBarState(L"Bars");
    PumpUntilIdle();
    EXPECT_STREQ(L"|A|B|", Rows(AFX_IDW_DOCKBAR_TOP));
    EXPECT_STREQ(L"|C|", Rows(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_TRUE(m_bars[1].IsVisible());

    // Another version's layout, or a count out of range, changes nothing.
    m_app.WriteProfileInt(L"Bars-Summary", L"Version", 99);
    m_app.WriteProfileInt(L"Bars-Bar2", L"DockBarID", AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->LoadBarState(L"Bars");
    EXPECT_STREQ(L"|C|", Rows(AFX_IDW_DOCKBAR_LEFT));
    m_app.WriteProfileInt(L"Bars-Summary", L"Version", 1);
    m_app.WriteProfileInt(L"Bars-Summary", L"Bars", 100000);
    m_pFrame->LoadBarState(L"Bars");
    EXPECT_STREQ(L"|C|", Rows(AFX_IDW_DOCKBAR_LEFT));
    m_app.WriteProfileString(L"Bars-Summary", L"Bars", L"garbage");
    m_pFrame->LoadBarState(L"Bars");
    EXPECT_STREQ(L"|C|", Rows(AFX_IDW_DOCKBAR_LEFT));
}

TEST_F(DockingTest, DraggingByMouseFloatsDocksAndDoubleClickDocksBack)
{
    // The gripper of B, dragged into the middle of the frame: B floats there.
    CRect b = ScreenRect(m_bars[1]);
    CPoint grip(b.left + 3, b.top + b.Height() / 2);
    Drag(grip, CPoint(grip.x + 300, grip.y + 250));
    ASSERT_TRUE(m_bars[1].IsFloating());
    CRect mini;
    HWND hMini = MiniFrameOf(m_bars[1]);
    GetWindowRect(hMini, &mini);
    EXPECT_NEAR(b.left + 300, mini.left, 12);
    EXPECT_STREQ(L"|A|C|", Rows(AFX_IDW_DOCKBAR_TOP));

    // A double click on its caption docks it back in its row.
    DoubleClick(CPoint(mini.left + 20, mini.top + GetSystemMetrics(SM_CYSMCAPTION) / 2 + 1));
    EXPECT_FALSE(m_bars[1].IsFloating());
    EXPECT_STREQ(L"|A|B|C|", Rows(AFX_IDW_DOCKBAR_TOP));

    // Dragged onto each side of the frame, it docks there.
    CRect client;
    m_pFrame->GetClientRect(&client);
    ::MapWindowPoints(m_pFrame->m_hWnd, nullptr, (POINT*)&client, 2);
    struct { UINT nID; CPoint to; } sides[] = {
        {AFX_IDW_DOCKBAR_LEFT, CPoint(client.left + 4, client.top + client.Height() / 2)},
        {AFX_IDW_DOCKBAR_RIGHT, CPoint(client.right - 4, client.top + client.Height() / 2)},
        {AFX_IDW_DOCKBAR_BOTTOM, CPoint(client.left + client.Width() / 2, client.bottom - 4)},
    };
    for (const auto& side : sides)
    {
        b = ScreenRect(m_bars[1]);
        grip = m_bars[1].IsHorz() ? CPoint(b.left + 3, b.top + b.Height() / 2) : CPoint(b.left + b.Width() / 2, b.top + 3);
        Drag(grip, side.to);
        EXPECT_EQ(Dock(side.nID), m_bars[1].m_pDockBar) << "side " << side.nID;
    }
}

// Bar states of three well-formed layouts, damaged value by value (numbers, bits, values gone or
// of another type, sections repeated or added), restore only what fits the frame's bars.
TEST_F(DockingTest, FiveThousandDamagedBarStatesLeaveEveryBarOnceInADockBar)
{
    CBarStateMutation mutation(m_app, m_pFrame, {&m_bars[0], &m_bars[1], &m_bars[2]});
    mutation.SaveLayout();
    CRect rect = ScreenRect(m_bars[0]);
    rect.OffsetRect(1, 0);
    m_pFrame->DockControlBar(&m_bars[2], AFX_IDW_DOCKBAR_TOP, &rect);
    m_pFrame->FloatControlBar(&m_bars[1], CPoint(320, 330));
    m_pFrame->ShowControlBar(&m_bars[0], FALSE, FALSE);
    mutation.SaveLayout();
    m_pFrame->ShowControlBar(&m_bars[0], TRUE, FALSE);
    m_pFrame->DockControlBar(&m_bars[0], AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(&m_bars[1], AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->DockControlBar(&m_bars[2], AFX_IDW_DOCKBAR_BOTTOM);
    mutation.SaveLayout();
    mutation.Run(20261211, 5000, 16, [this]() { PumpUntilIdle(); });
}
