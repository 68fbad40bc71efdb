#include "GuiTest.h"

#include "WinComponentsTestsRes.h"
#include "WindowRects.h"
#include "tests/framework/window/WorkAreaAt.h"
#include "tests/support/Mutation.h"
#include "wincomponents/layout/cdxCDynamicBarDlg.h"
#include "wincomponents/layout/cdxCDynamicDialog.h"
#include "wincomponents/layout/cdxCSizeIconCtrl.h"

#include <climits>
#include <iostream>
#include <map>
#include <vector>

namespace
{
const DYNAMIC_MAP_ENTRY dynamicMap[] = {
    {cdxCDynamicWnd::mapModes, IDC_DYN_STRETCH, {cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdResize, 0, 0}},
    {cdxCDynamicWnd::mapBytes, IDC_DYN_HALF, {50, 0, 100, 0}},
    {cdxCDynamicWnd::mapModes, IDC_DYN_CORNER, {cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos, 0, 0}},
    {cdxCDynamicWnd::mapBytes, 9999, {100, 100, 100, 100}}, // no such control: skipped
    {cdxCDynamicWnd::mapEnd, 0, {0, 0, 0, 0}}};

class CMappedDialog : public cdxCDynamicDialog
{
public:
    CMappedDialog(UINT nFreedom = fdAll, UINT nFlags = flSizeIcon | flAntiFlicker)
        : cdxCDynamicDialog(IDD_DYNAMIC, nullptr, nFreedom, nFlags) {}
    const DYNAMIC_MAP_ENTRY* GetDynamicMap() const override { return dynamicMap; }
    using cdxCDynamicWnd::m_szInitial;
};

CPoint Corner(const CRect& rect)
{
    return CPoint(rect.right, rect.bottom);
}

class DynamicLayoutTest : public GuiTest
{
protected:
    void Open(CMappedDialog& dialog)
    {
        ASSERT_TRUE(dialog.Create(IDD_DYNAMIC, &Host()));
        dialog.ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }
    // Gives the dialog a client area larger than its initial one by dx, dy.
    void Grow(CMappedDialog& dialog, int dx, int dy)
    {
        CRect rectWindow = WindowRect(dialog), rectClient;
        dialog.GetClientRect(&rectClient);
        dialog.SetWindowPos(nullptr, 0, 0, dialog.m_szInitial.cx + dx + rectWindow.Width() - rectClient.Width(),
                            dialog.m_szInitial.cy + dy + rectWindow.Height() - rectClient.Height(),
                            SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        PumpUntilIdle();
    }
    MINMAXINFO MinMax(CMappedDialog& dialog)
    {
        MINMAXINFO info = {};
        info.ptMaxTrackSize = {5000, 5000};
        dialog.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
        return info;
    }
};
} // namespace

TEST_F(DynamicLayoutTest, EdgesFollowTheGrowthByTheirPercentagesAndComeBackExactly)
{
    CMappedDialog dialog;
    Open(dialog);
    CRect rectStretch = ControlRect(dialog, IDC_DYN_STRETCH);
    CRect rectHalf = ControlRect(dialog, IDC_DYN_HALF);
    CRect rectCorner = ControlRect(dialog, IDC_DYN_CORNER);
    CRect rectShrinking = ControlRect(dialog, IDC_DYN_SHRINKING);
    EXPECT_EQ(4, dialog.GetCtrlCount()) << "three mapped controls and the size grip, the missing one skipped";
    Grow(dialog, 75, 75);
    CRect rect = ControlRect(dialog, IDC_DYN_HALF);
    EXPECT_EQ(rectHalf.left + 37, rect.left);
    EXPECT_EQ(rectHalf.right + 75, rect.right);
    EXPECT_EQ(rectHalf.top, rect.top);
    rect = ControlRect(dialog, IDC_DYN_STRETCH);
    EXPECT_EQ(rectStretch.TopLeft(), rect.TopLeft());
    EXPECT_EQ(rectStretch.Width() + 75, rect.Width());
    EXPECT_EQ(rectStretch.Height() + 75, rect.Height());
    rect = ControlRect(dialog, IDC_DYN_CORNER);
    EXPECT_EQ(rectCorner.left + 75, rect.left);
    EXPECT_EQ(rectCorner.top + 75, rect.top);
    EXPECT_EQ(rectCorner.Size(), rect.Size());
    EXPECT_EQ(rectShrinking, ControlRect(dialog, IDC_DYN_SHRINKING)) << "not managed";
    Grow(dialog, 0, 0);
    EXPECT_EQ(rectHalf, ControlRect(dialog, IDC_DYN_HALF));
    EXPECT_EQ(rectStretch, ControlRect(dialog, IDC_DYN_STRETCH));
    EXPECT_EQ(rectCorner, ControlRect(dialog, IDC_DYN_CORNER));
    dialog.DestroyWindow();
}

TEST_F(DynamicLayoutTest, AControlAtItsMinimumSizeIsParkedOutOfSight)
{
    CMappedDialog dialog;
    Open(dialog);
    HWND hShrinking = ::GetDlgItem(dialog.m_hWnd, IDC_DYN_SHRINKING);
    CRect rectStart = ControlRect(dialog, IDC_DYN_SHRINKING);
    // Its right edge stays while its left edge follows the whole growth: it narrows.
    cdxCDynamicWnd::Position pos(rectStart, SBYTES{100, 0, 0, 0}, CSize(rectStart.Width() - 20, 0));
    ASSERT_TRUE(dialog.AddSzControl(hShrinking, pos, TRUE));
    Grow(dialog, 19, 0);
    EXPECT_EQ(rectStart.left + 19, ControlRect(dialog, IDC_DYN_SHRINKING).left);
    Grow(dialog, 20, 0);
    CRect rect = ControlRect(dialog, IDC_DYN_SHRINKING);
    EXPECT_EQ(-10, rect.right);
    EXPECT_EQ(-10 - pos.sizeMin.cx, rect.left);
    EXPECT_EQ(rectStart.top, rect.top) << "vertically it still fits";
    Grow(dialog, 0, 0);
    EXPECT_EQ(rectStart, ControlRect(dialog, IDC_DYN_SHRINKING));
    dialog.RemSzControl(hShrinking);
    Grow(dialog, 40, 0);
    EXPECT_EQ(rectStart, ControlRect(dialog, IDC_DYN_SHRINKING)) << "no longer managed";
    dialog.DestroyWindow();
}

TEST_F(DynamicLayoutTest, TheWindowNeverShrinksBelowItsInitialSizeAndGrowsOnlyWhereFree)
{
    CMappedDialog dialog(cdxCDynamicWnd::fdHoriz);
    Open(dialog);
    CRect rectWindow = WindowRect(dialog);
    MINMAXINFO info = MinMax(dialog);
    EXPECT_EQ(rectWindow.Width(), info.ptMinTrackSize.x);
    EXPECT_EQ(rectWindow.Height(), info.ptMinTrackSize.y);
    EXPECT_EQ(5000, info.ptMaxTrackSize.x) << "free horizontally, no maximum";
    EXPECT_EQ(rectWindow.Height(), info.ptMaxTrackSize.y) << "pinned vertically";
    dialog.m_szMax = CSize(dialog.m_szInitial.cx + 50, 0);
    info = MinMax(dialog);
    EXPECT_EQ(rectWindow.Width() + 50, info.ptMaxTrackSize.x);
    // Sizing by program goes through the same limits.
    dialog.SetWindowPos(nullptr, 0, 0, rectWindow.Width() / 2, rectWindow.Height() * 2,
                        SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    EXPECT_EQ(rectWindow.Size(), WindowRect(dialog).Size());
    dialog.DestroyWindow();
}

TEST_F(DynamicLayoutTest, TheSizeGripSitsInTheCornerAndIsGoneWhileMaximised)
{
    CMappedDialog dialog;
    Open(dialog);
    cdxCSizeIconCtrl* pGrip = dialog.GetSizeIcon();
    ASSERT_NE(nullptr, pGrip);
    EXPECT_TRUE(pGrip->IsWindowVisible());
    CRect rectClient;
    dialog.GetClientRect(&rectClient);
    CRect rectGrip = ControlRect(dialog, cdxCDynamicWnd::nDefaultSizeIconId);
    EXPECT_EQ(Corner(rectClient), Corner(rectGrip));
    EXPECT_LT(rectGrip.Width(), rectClient.Width() / 4);
    Grow(dialog, 30, 20);
    dialog.GetClientRect(&rectClient);
    EXPECT_EQ(Corner(rectClient), Corner(ControlRect(dialog, cdxCDynamicWnd::nDefaultSizeIconId)));

    // A double click on the grip neither maximises nor restores.
    pGrip->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    PumpUntilIdle();
    EXPECT_FALSE(::IsZoomed(dialog.m_hWnd));

    ::SetCursor(nullptr);
    pGrip->SendMessage(WM_SETCURSOR, (WPARAM)pGrip->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZENWSE), ::GetCursor());
    dialog.ShowWindow(SW_MAXIMIZE);
    PumpUntilIdle();
    HCURSOR hArrow = ::LoadCursorW(nullptr, IDC_ARROW);
    ::SetCursor(hArrow);
    EXPECT_TRUE(pGrip->SendMessage(WM_SETCURSOR, (WPARAM)pGrip->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(hArrow, ::GetCursor()) << "the maximised window's grip leaves the cursor alone";
    dialog.DestroyWindow();
    EXPECT_EQ(nullptr, dialog.GetSizeIcon());
}

TEST_F(DynamicLayoutTest, FullRedrawIsOffWhileDraggingTheFarEdgesAndComesBackAfterThePause)
{
    CMappedDialog dialog;
    Open(dialog);
    DWORD dwSaved = (DWORD)::GetClassLongPtrW(dialog.m_hWnd, GCL_STYLE);
    RECT rect = WindowRect(dialog);
    dialog.SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, (LPARAM)&rect);
    EXPECT_EQ(0u, ::GetClassLongPtrW(dialog.m_hWnd, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW));
    dialog.SendMessage(WM_TIMER, cdxCDynamicWnd::nAntiFlickerTimer);
    EXPECT_EQ(dwSaved, (DWORD)::GetClassLongPtrW(dialog.m_hWnd, GCL_STYLE));
    dialog.SendMessage(WM_SIZING, WMSZ_LEFT, (LPARAM)&rect);
    EXPECT_EQ((DWORD)(CS_HREDRAW | CS_VREDRAW), ::GetClassLongPtrW(dialog.m_hWnd, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW));
    // Further sizing while it is on changes nothing until the pause.
    dialog.SendMessage(WM_SIZING, WMSZ_RIGHT, (LPARAM)&rect);
    EXPECT_EQ((DWORD)(CS_HREDRAW | CS_VREDRAW), ::GetClassLongPtrW(dialog.m_hWnd, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW));
    dialog.SendMessage(WM_TIMER, cdxCDynamicWnd::nAntiFlickerTimer);
    EXPECT_EQ(dwSaved, (DWORD)::GetClassLongPtrW(dialog.m_hWnd, GCL_STYLE));
    dialog.DestroyWindow();
}

TEST_F(DynamicLayoutTest, ADialogClosedWhileSizingGivesTheSharedClassItsStyleBack)
{
    CMappedDialog first;
    Open(first);
    DWORD dwSaved = (DWORD)::GetClassLongPtrW(first.m_hWnd, GCL_STYLE);
    RECT rect = WindowRect(first);
    first.SendMessage(WM_SIZING, WMSZ_LEFT, (LPARAM)&rect);
    first.DestroyWindow();

    // Every dialog shares the class: the next one must find its style as it was.
    CMappedDialog second;
    Open(second);
    EXPECT_EQ(dwSaved, (DWORD)::GetClassLongPtrW(second.m_hWnd, GCL_STYLE));
    second.SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, (LPARAM)&rect);
    second.SendMessage(WM_TIMER, cdxCDynamicWnd::nAntiFlickerTimer);
    EXPECT_EQ(dwSaved, (DWORD)::GetClassLongPtrW(second.m_hWnd, GCL_STYLE));
    second.DestroyWindow();
}

// Two dialogs of the one class open at once, each sized from its left edge (full redraw on), in
// every order of opening, sizing, pausing and closing: while either is being sized the class has
// the changed style, and once neither is, its own style is back.
TEST_F(DynamicLayoutTest, TwoDialogsSizedAtOnceGiveTheSharedClassItsStyleBackInEveryOrder)
{
    enum Step { open, size, pause, close };
    struct Action
    {
        int nDialog;
        Step step;
    };
    const std::vector<std::vector<Action>> orders = {
        {{0, open}, {0, size}, {1, open}, {1, size}, {0, close}, {1, close}},
        {{0, open}, {0, size}, {1, open}, {1, size}, {1, close}, {0, close}},
        {{0, open}, {1, open}, {0, size}, {1, size}, {0, pause}, {1, close}, {0, close}},
        {{0, open}, {0, size}, {1, open}, {0, close}, {1, size}, {1, pause}, {1, close}},
        {{0, open}, {1, open}, {1, size}, {0, size}, {1, close}, {0, pause}, {0, close}}};
    CMappedDialog probe;
    Open(probe);
    const DWORD dwOwn = (DWORD)::GetClassLongPtrW(probe.m_hWnd, GCL_STYLE);
    probe.DestroyWindow();
    ASSERT_EQ(0u, dwOwn & (CS_HREDRAW | CS_VREDRAW)) << "the left edge's change must show";

    for (size_t nOrder = 0; nOrder < orders.size(); ++nOrder)
    {
        CMappedDialog dialogs[2];
        bool bSizing[2] = {false, false};
        for (size_t nAction = 0; nAction < orders[nOrder].size(); ++nAction)
        {
            const Action& action = orders[nOrder][nAction];
            CMappedDialog& dialog = dialogs[action.nDialog];
            RECT rect = {0, 0, 0, 0};
            switch (action.step)
            {
            case open:
                Open(dialog);
                break;
            case size:
                rect = WindowRect(dialog);
                dialog.SendMessage(WM_SIZING, WMSZ_LEFT, (LPARAM)&rect);
                // The pause is the test's own WM_TIMER: the real one would end the sizing
                // whenever opening the other dialog takes longer than the pause.
                ::KillTimer(dialog.m_hWnd, cdxCDynamicWnd::nAntiFlickerTimer);
                bSizing[action.nDialog] = true;
                break;
            case pause:
                dialog.SendMessage(WM_TIMER, cdxCDynamicWnd::nAntiFlickerTimer);
                bSizing[action.nDialog] = false;
                break;
            case close:
                dialog.DestroyWindow();
                bSizing[action.nDialog] = false;
                break;
            }
            // With both closed, a third dialog shows what the class has kept.
            CMappedDialog after;
            HWND hAny = ::IsWindow(dialogs[0].m_hWnd) ? dialogs[0].m_hWnd : dialogs[1].m_hWnd;
            if (!::IsWindow(hAny))
            {
                Open(after);
                hAny = after.m_hWnd;
            }
            DWORD dwStyle = (DWORD)::GetClassLongPtrW(hAny, GCL_STYLE);
            if (after.m_hWnd)
                after.DestroyWindow();
            if (bSizing[0] || bSizing[1])
                EXPECT_EQ(dwOwn | CS_HREDRAW | CS_VREDRAW, dwStyle) << "order " << nOrder << ", step " << nAction;
            else
                EXPECT_EQ(dwOwn, dwStyle) << "order " << nOrder << ", step " << nAction;
        }
    }
}

TEST_F(DynamicLayoutTest, ADestroyedChildLeavesTheLayoutWhateverItsId)
{
    CMappedDialog dialog;
    Open(dialog);
    int nBefore = dialog.GetCtrlCount();
    HWND hChild = ::CreateWindowExW(0, L"STATIC", L"late", WS_CHILD | WS_VISIBLE, 10, 10, 30, 10, dialog.m_hWnd,
                                    (HMENU)77, nullptr, nullptr);
    dialog.AddSzControl(SBYTES{0, 0, 100, 0}, FALSE, TRUE);
    EXPECT_EQ(nBefore + 2, dialog.GetCtrlCount()) << "the late child and the unmapped static";
    ::DestroyWindow(hChild);
    EXPECT_EQ(nBefore + 1, dialog.GetCtrlCount());
    dialog.DestroyWindow();
}

TEST_F(DynamicLayoutTest, WithoutAWindowEveryOperationDeclines)
{
    CMappedDialog dialog;
    EXPECT_FALSE(dialog.AddSzControl(Host().m_hWnd, cdxCDynamicWnd::Position(), FALSE));
    EXPECT_EQ(CSize(0, 0), dialog.GetCurrentClientSize());
    dialog.Layout();
    EXPECT_FALSE(dialog.StoreWindowPosition());
    EXPECT_FALSE(dialog.RestoreWindowPosition());
}

namespace
{
class StoredPlacementTest : public DynamicLayoutTest
{
protected:
    CString Section() const { return L"WindowPositions\\Test Dialog"; }
    // A whole stored placement of that rectangle, the rest as it is.
    void StorePlacement(const CRect& rect)
    {
        m_app.WriteProfileInt(Section(), L"(valid)", 1);
        m_app.WriteProfileInt(Section(), L"Left", rect.left);
        m_app.WriteProfileInt(Section(), L"Right", rect.right);
        m_app.WriteProfileInt(Section(), L"Top", rect.top);
        m_app.WriteProfileInt(Section(), L"Bottom", rect.bottom);
    }
    CRect StoredRect()
    {
        return CRect((int)m_app.GetProfileInt(Section(), L"Left", 0), (int)m_app.GetProfileInt(Section(), L"Top", 0),
                     (int)m_app.GetProfileInt(Section(), L"Right", 0), (int)m_app.GetProfileInt(Section(), L"Bottom", 0));
    }
    void OpenNamed(CMappedDialog& dialog)
    {
        dialog.m_strRegistryName = L"Test Dialog";
        Open(dialog);
    }
    CRect TemplateRect()
    {
        CMappedDialog plain;
        Open(plain);
        CRect rect = WindowRect(plain);
        plain.DestroyWindow();
        return rect;
    }
};
} // namespace

TEST_F(StoredPlacementTest, FirstOpeningIsCentredAndATenthLargerThenThePlacementComesBack)
{
    CRect rectTemplate = TemplateRect();
    CMappedDialog first;
    OpenNamed(first);
    CRect rect = WindowRect(first);
    int cx = rectTemplate.Width() * 10 / 100, cy = rectTemplate.Height() * 10 / 100;
    EXPECT_EQ(rectTemplate.Width() + cx, rect.Width());
    EXPECT_EQ(rectTemplate.Height() + cy, rect.Height());
    CRect rectHost = WindowRect(Host());
    EXPECT_NEAR(rectHost.CenterPoint().x, rect.CenterPoint().x, 2);
    EXPECT_NEAR(rectHost.CenterPoint().y, rect.CenterPoint().y, 2);

    first.SetWindowPos(nullptr, 40, 50, rect.Width() + 33, rect.Height() + 22, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectLeft = WindowRect(first);
    first.DestroyWindow();
    EXPECT_EQ(1u, m_app.GetProfileInt(Section(), L"(valid)", 0));
    EXPECT_EQ(1u, m_app.GetProfileInt(Section(), L"Visibility", 7));
    EXPECT_EQ(-1, (int)m_app.GetProfileInt(Section(), L"State", 7));

    CMappedDialog second;
    OpenNamed(second);
    EXPECT_EQ(rectLeft, WindowRect(second));
    second.DestroyWindow();
}

TEST_F(StoredPlacementTest, AReversedRectangleIsSwappedAndADamagedOneGivesTheDefault)
{
    CRect rectTemplate = TemplateRect();
    m_app.WriteProfileInt(Section(), L"(valid)", 1);
    m_app.WriteProfileInt(Section(), L"Left", 520);
    m_app.WriteProfileInt(Section(), L"Right", 100);
    m_app.WriteProfileInt(Section(), L"Top", 420);
    m_app.WriteProfileInt(Section(), L"Bottom", 60);
    CMappedDialog swapped;
    OpenNamed(swapped);
    EXPECT_EQ(CRect(100, 60, 520, 420), WindowRect(swapped));
    swapped.DestroyWindow();

    // No area at all: opening there would leave the window out of reach.
    m_app.WriteProfileInt(Section(), L"(valid)", 1);
    m_app.WriteProfileInt(Section(), L"Left", 100);
    m_app.WriteProfileInt(Section(), L"Right", 100);
    CMappedDialog damaged;
    OpenNamed(damaged);
    EXPECT_EQ(rectTemplate.Width() + rectTemplate.Width() / 10, WindowRect(damaged).Width());
    damaged.DestroyWindow();

    // A store that never finished is not taken either.
    m_app.WriteProfileInt(Section(), L"(valid)", 0);
    m_app.WriteProfileInt(Section(), L"Right", 500);
    CMappedDialog unfinished;
    OpenNamed(unfinished);
    EXPECT_EQ(rectTemplate.Width() + rectTemplate.Width() / 10, WindowRect(unfinished).Width());
    unfinished.DestroyWindow();
}

TEST_F(StoredPlacementTest, APlacementOffTheScreenOpensInTheNearestWorkArea)
{
    CRect rectTemplate = TemplateRect();
    CRect work = WorkArea(Host());
    // Where a minimised window used to be parked.
    StorePlacement(CRect(-30000, -30000, -29600, -29700));
    CMappedDialog parked;
    OpenNamed(parked);
    EXPECT_EQ(CRect(work.left, work.top, work.left + 400, work.top + 300), WindowRect(parked));
    parked.DestroyWindow();

    // A width no rectangle can hold is damaged: the default placement.
    m_app.WriteProfileInt(Section(), L"(valid)", 1);
    m_app.WriteProfileInt(Section(), L"Left", INT_MIN);
    m_app.WriteProfileInt(Section(), L"Right", INT_MAX);
    CMappedDialog huge;
    OpenNamed(huge);
    CRect rect = WindowRect(huge);
    EXPECT_EQ(rectTemplate.Width() + rectTemplate.Width() / 10, rect.Width());
    EXPECT_TRUE(LiesWithin(rect, work));
    huge.DestroyWindow();
}

TEST_F(StoredPlacementTest, AMaximisedWindowKeepsItsNormalRectangleAndOpensMaximised)
{
    CMappedDialog first;
    OpenNamed(first);
    first.SetWindowPos(nullptr, 30, 30, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    first.ShowWindow(SW_MAXIMIZE);
    PumpUntilIdle();
    first.DestroyWindow();
    EXPECT_EQ(1, (int)m_app.GetProfileInt(Section(), L"State", 7));
    EXPECT_EQ(430, (int)m_app.GetProfileInt(Section(), L"Right", 0));

    CMappedDialog second;
    OpenNamed(second);
    EXPECT_TRUE(::IsZoomed(second.m_hWnd));
    second.ShowWindow(SW_RESTORE);
    EXPECT_EQ(CSize(400, 300), WindowRect(second).Size());
    second.DestroyWindow();
}

// With the taskbar at the top or left, placements are relative to the work area. The dialog still
// opens centred on its first opening and, start after start, where it was closed; the place is
// stored as Windows gives it, and a place off every screen still opens in the nearest work area.
TEST_F(StoredPlacementTest, TheDialogOpensWhereItWasClosedWithTheWorkAreaAwayFromTheCorner)
{
    const CRect rectTemplate = TemplateRect();
    const POINT origins[] = {{0, 40}, {60, 0}};
    for (const POINT& ptOrigin : origins)
    {
        SCOPED_TRACE(testing::Message() << "work area at " << ptOrigin.x << "," << ptOrigin.y);
        CWorkAreaAt workArea(ptOrigin);
        m_app.WriteProfileInt(Section(), L"(valid)", 0);
        CMappedDialog first;
        OpenNamed(first);
        CRect rect = WindowRect(first);
        const CRect rectHost = WindowRect(Host());
        EXPECT_NEAR(rectHost.CenterPoint().x, rect.CenterPoint().x, 2);
        EXPECT_NEAR(rectHost.CenterPoint().y, rect.CenterPoint().y, 2);
        EXPECT_EQ(rectTemplate.Width() + rectTemplate.Width() / 10, rect.Width());

        const CRect rectLeft(100, 120, 100 + rect.Width(), 120 + rect.Height());
        first.SetWindowPos(nullptr, rectLeft.left, rectLeft.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        first.DestroyWindow();
        const CRect rectStored = StoredRect();
        CRect rectWorkspace(rectLeft);
        rectWorkspace.OffsetRect(-ptOrigin.x, -ptOrigin.y);
        EXPECT_EQ(rectWorkspace, rectStored) << rectStored.left << "," << rectStored.top;
        for (int nStart = 1; nStart <= 3; ++nStart)
        {
            CMappedDialog again;
            OpenNamed(again);
            rect = WindowRect(again);
            EXPECT_EQ(rectLeft, rect) << "start " << nStart << ": " << rect.left << "," << rect.top;
            again.DestroyWindow();
        }

        StorePlacement(CRect(-30000, -30000, -29600, -29700));
        CMappedDialog parked;
        OpenNamed(parked);
        rect = WindowRect(parked);
        EXPECT_EQ(CSize(400, 300), rect.Size());
        EXPECT_TRUE(LiesWithin(rect, WorkArea(Host()))) << rect.left << "," << rect.top;
        parked.DestroyWindow();
    }
}

namespace
{
class CBarDialog : public cdxCDynamicBarDlg
{
public:
    CBarDialog() : cdxCDynamicBarDlg(IDD_DYNAMIC_CHILD) {}
};
} // namespace

TEST_F(DynamicLayoutTest, ABarDialogLivesInItsParentAndNeverEndsItself)
{
    CBarDialog dialog;
    ASSERT_TRUE(dialog.CreateBarDialog(&Host()));
    dialog.ShowWindow(SW_SHOW);
    EXPECT_EQ(Host().m_hWnd, ::GetParent(dialog.m_hWnd));
    EXPECT_TRUE(dialog.GetStyle() & WS_CHILD);
    EXPECT_EQ(CSize(dialog.GetCurrentClientSize()), dialog.m_szMin);
    EXPECT_EQ(nullptr, dialog.GetSizeIcon());
    dialog.SendMessage(WM_CLOSE);
    dialog.SendMessage(WM_COMMAND, IDOK);
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
    PumpUntilIdle();
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    EXPECT_TRUE(dialog.IsWindowVisible());

    dialog.UpdateBarCmdUI(&dialog, TRUE);
    EXPECT_FALSE(IsEnabled(&dialog, IDC_DYN_BUTTON)) << "no handler";
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    dialog.DestroyWindow();
}

// Stored placements, damaged value by value, open the dialog with an area on a show state it
// can have, or as on its first opening.
TEST_F(StoredPlacementTest, TwoThousandDamagedPlacementsOpenTheDialogWithAnArea)
{
    const uint32_t kSeed = 20261213;
    const int kInputs = 2000;
    std::cout << "stored placement mutation: seed " << kSeed << ", " << kInputs << " inputs" << std::endl;
    RecordProperty("seed", (int)kSeed);
    const wchar_t* names[] = {L"(valid)", L"Left", L"Right", L"Top", L"Bottom", L"Visibility", L"State"};
    const int base[][7] = {{1, 40, 460, 50, 390, 1, -1}, {1, 30, 430, 30, 330, 1, 1}, {1, 100, 500, 60, 400, 0, 0}};
    std::map<std::string, int> faults;
    for (int i = 0; i < kInputs; ++i)
    {
        testsupport::CMutator mutator(kSeed ^ (uint32_t)(i * 2654435761u));
        const int* values = base[mutator.Below(3)];
        for (int k = 0; k < 7; ++k)
            m_app.WriteProfileInt(Section(), names[k], values[k]);
        HKEY hSection = m_app.GetSectionKey(Section());
        ASSERT_TRUE(hSection);
        const int nChanges = 1 + (int)mutator.Below(4);
        for (int c = 0; c < nChanges; ++c)
            mutator.MutateValue(hSection, names[mutator.Below(7)]);
        RegCloseKey(hSection);

        CMappedDialog dialog;
        OpenNamed(dialog);
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        ::GetWindowPlacement(dialog.m_hWnd, &placement);
        CRect rect(placement.rcNormalPosition);
        const char* fault = nullptr;
        if (rect.Width() <= 0 || rect.Height() <= 0)
            fault = "a window without area";
        else if (rect.Width() > 40000 || rect.Height() > 40000)
            fault = "a window larger than any screen";
        if (fault && faults.emplace(fault, i).second)
            ADD_FAILURE() << "seed " << kSeed << ", input " << i << ": " << fault << " " << rect.left << ","
                          << rect.top << "," << rect.right << "," << rect.bottom;
        dialog.DestroyWindow();
    }
}
