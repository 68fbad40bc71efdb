#include "GuiTest.h"

#include "WinComponentsTestsRes.h"
#include "WindowRects.h"
#include "support/AppProfile.h"
#include "wincomponents/layout/CResizableToolDialog.h"

#include <climits>

namespace
{
const UINT nTickMessage = WM_APP + 55;

class CToolDialog : public CResizableToolDialog
{
public:
    explicit CToolDialog(BOOL bWithToolBar = FALSE)
        : CResizableToolDialog(IDD_TOOL, nullptr), m_bWithToolBar(bWithToolBar)
    {
        // Width by a half, left edges by a half, a third and two thirds, the edit grows both ways.
        static const LAYOUT_ANCHOR layout[] = {{IDC_TOOL_HALF, 1, 0, 0, 0},
                                               {IDC_TOOL_THIRD, 0, 0, 3, 0},
                                               {IDC_TOOL_TWO_THIRDS, 0, 0, 4, 4},
                                               {IDC_TOOL_WHOLE, 2, 2, 0, 0}};
        SetLayout(layout, 4);
    }
    BOOL OnInitDialog() override
    {
        CResizableToolDialog::OnInitDialog();
        static const UINT buttons[] = {ID_TOOL_HANDLED, ID_TOOL_UNHANDLED};
        if (m_bWithToolBar && m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP))
            m_wndToolBar.SetButtons(buttons, 2);
        return TRUE;
    }
    void OnHandled() {}
    LRESULT OnTick(WPARAM, LPARAM)
    {
        ++m_nTicks;
        return 0;
    }

    BOOL m_bWithToolBar;
    int m_nTicks = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolDialog, CResizableToolDialog)
    ON_COMMAND(ID_TOOL_HANDLED, OnHandled)
    ON_MESSAGE(nTickMessage, OnTick)
END_MESSAGE_MAP()

class CFixedToolDialog : public CToolDialog
{
public:
    BOOL OnInitDialog() override
    {
        ModifyStyle(WS_THICKFRAME, 0);
        return CToolDialog::OnInitDialog();
    }
};


class ResizableToolDialogTest : public GuiTest
{
protected:
    void Open(CToolDialog& dialog)
    {
        ASSERT_TRUE(dialog.Create(IDD_TOOL, &Host()));
        dialog.ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }
    void Resize(CWnd& wnd, const CRect& rectStart, int dx, int dy)
    {
        wnd.SetWindowPos(nullptr, 0, 0, rectStart.Width() + dx, rectStart.Height() + dy,
                         SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        PumpUntilIdle();
    }
    std::vector<int> Stored(const wchar_t* pszKey)
    {
        std::vector<int> values;
        GetAppProfile().GetIntList(pszKey, values);
        return values;
    }
    const wchar_t* m_pszKey = L"Window Geometry 00000194 00000000";
};
} // namespace

TEST_F(ResizableToolDialogTest, GrowthIsSharedInHalvesAndThirdsAndShrinkingTakesItBack)
{
    CToolDialog dialog;
    Open(dialog);
    CRect rectStart = WindowRect(dialog);
    CRect rectHalf = ControlRect(dialog, IDC_TOOL_HALF), rectThird = ControlRect(dialog, IDC_TOOL_THIRD),
          rectTwo = ControlRect(dialog, IDC_TOOL_TWO_THIRDS), rectWhole = ControlRect(dialog, IDC_TOOL_WHOLE);
    Resize(dialog, rectStart, 7, 7);
    EXPECT_EQ(rectHalf.Width() + 3, ControlRect(dialog, IDC_TOOL_HALF).Width());
    EXPECT_EQ(rectHalf.TopLeft(), ControlRect(dialog, IDC_TOOL_HALF).TopLeft());
    EXPECT_EQ(rectThird.left + 2, ControlRect(dialog, IDC_TOOL_THIRD).left);
    EXPECT_EQ(rectTwo.left + 4, ControlRect(dialog, IDC_TOOL_TWO_THIRDS).left);
    EXPECT_EQ(rectTwo.top + 4, ControlRect(dialog, IDC_TOOL_TWO_THIRDS).top);
    EXPECT_EQ(rectTwo.Size(), ControlRect(dialog, IDC_TOOL_TWO_THIRDS).Size());
    EXPECT_EQ(CSize(rectWhole.Width() + 7, rectWhole.Height() + 7), ControlRect(dialog, IDC_TOOL_WHOLE).Size());
    Resize(dialog, rectStart, 0, 0);
    EXPECT_EQ(rectHalf, ControlRect(dialog, IDC_TOOL_HALF));
    EXPECT_EQ(rectThird, ControlRect(dialog, IDC_TOOL_THIRD));
    EXPECT_EQ(rectTwo, ControlRect(dialog, IDC_TOOL_TWO_THIRDS));
    EXPECT_EQ(rectWhole, ControlRect(dialog, IDC_TOOL_WHOLE));
    dialog.DestroyWindow();
}

TEST_F(ResizableToolDialogTest, TheTemplateSizeIsTheMinimumAndGrowthCanBePinned)
{
    CToolDialog dialog;
    dialog.m_bCanGrowHeight = FALSE;
    Open(dialog);
    CRect rectStart = WindowRect(dialog);
    Resize(dialog, rectStart, -40, -30);
    EXPECT_EQ(rectStart.Size(), WindowRect(dialog).Size());
    Resize(dialog, rectStart, 50, 50);
    EXPECT_EQ(CSize(rectStart.Width() + 50, rectStart.Height()), WindowRect(dialog).Size());
    dialog.DestroyWindow();
}

TEST_F(ResizableToolDialogTest, TheRectangleIsKeptUnderTheTemplateIdAndComesBack)
{
    CToolDialog first;
    EXPECT_EQ(CString(m_pszKey), first.GeometryKey());
    first.m_nGeometryId2 = -1;
    EXPECT_EQ(CString(L"Window Geometry 00000194"), first.GeometryKey());
    first.m_nGeometryId2 = 0;
    Open(first);
    EXPECT_FALSE(first.WasRestoredFromProfile());
    CRect rectHost = WindowRect(Host()), rectFirst = WindowRect(first);
    EXPECT_NEAR(rectHost.CenterPoint().x, rectFirst.CenterPoint().x, 1) << "nothing stored: centred";
    first.SetWindowPos(nullptr, 60, 70, rectFirst.Width() + 20, rectFirst.Height() + 10, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpUntilIdle();
    CRect rectLeft = WindowRect(first);
    // A maximised dialog writes nothing; closing it keeps the last normal rectangle.
    first.ShowWindow(SW_MAXIMIZE);
    PumpUntilIdle();
    first.DestroyWindow();
    EXPECT_EQ((std::vector<int>{rectLeft.left, rectLeft.right, rectLeft.top, rectLeft.bottom, 0}), Stored(m_pszKey));

    CToolDialog second;
    Open(second);
    EXPECT_TRUE(second.WasRestoredFromProfile());
    EXPECT_EQ(rectLeft, WindowRect(second));
    second.DestroyWindow();
}

TEST_F(ResizableToolDialogTest, DamagedStoredValuesLeaveTheTemplatePlacementButSavingGoesOn)
{
    CToolDialog plain;
    Open(plain);
    CRect rectTemplate = WindowRect(plain);
    plain.m_bGeometryEnabled = FALSE;
    plain.DestroyWindow();
    EXPECT_TRUE(Stored(m_pszKey).empty()) << "switched off: nothing saved";

    GetAppProfile().WriteIntList(m_pszKey, {10, 20, 30});
    CToolDialog wrongCount;
    Open(wrongCount);
    EXPECT_FALSE(wrongCount.WasRestoredFromProfile());
    EXPECT_EQ(rectTemplate, WindowRect(wrongCount)) << "centred as with nothing stored";
    wrongCount.DestroyWindow();

    GetAppProfile().WriteIntList(m_pszKey, {300, 300, 40, 400, 0});
    CToolDialog noWidth;
    Open(noWidth);
    EXPECT_FALSE(noWidth.WasRestoredFromProfile());
    EXPECT_EQ(rectTemplate.Size(), WindowRect(noWidth).Size());
    noWidth.SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    noWidth.DestroyWindow();
    EXPECT_EQ(5, Stored(m_pszKey)[0]);

    // Edges stored as -1 keep the present ones; a place off the top left is pulled back to 0.
    GetAppProfile().WriteIntList(m_pszKey, {-50, -1, -20, -1, 0});
    CToolDialog partial;
    Open(partial);
    EXPECT_TRUE(partial.WasRestoredFromProfile());
    EXPECT_EQ(CPoint(0, 0), WindowRect(partial).TopLeft());
    partial.DestroyWindow();
}

TEST_F(ResizableToolDialogTest, AStoredPlaceOffTheScreenOpensInTheNearestWorkArea)
{
    CRect work = WorkArea(Host());

    // Left on a screen far right of and below this one.
    GetAppProfile().WriteIntList(m_pszKey, {20000, 20400, 15000, 15300, 0});
    CToolDialog away;
    Open(away);
    EXPECT_TRUE(away.WasRestoredFromProfile());
    EXPECT_EQ(CRect(work.right - 400, work.bottom - 300, work.right, work.bottom), WindowRect(away))
        << "its size is kept, its corner moved in";
    away.DestroyWindow();

    // A dialog of fixed size keeps its own, smaller size there.
    GetAppProfile().WriteIntList(m_pszKey, {20000, 20800, 15000, 15600, 0});
    CFixedToolDialog fixed;
    Open(fixed);
    CSize sizeFixed = WindowRect(fixed).Size();
    EXPECT_EQ(CRect(CPoint(work.right - 800, work.bottom - 600), sizeFixed), WindowRect(fixed));
    fixed.DestroyWindow();

    // A size no rectangle can hold is damaged.
    GetAppProfile().WriteIntList(m_pszKey, {INT_MIN, INT_MAX, INT_MIN, INT_MAX, 0});
    CToolDialog huge;
    Open(huge);
    EXPECT_FALSE(huge.WasRestoredFromProfile());
    EXPECT_TRUE(LiesWithin(WindowRect(huge), work));
    huge.DestroyWindow();
}

TEST_F(ResizableToolDialogTest, TheTickUpdatesTheToolBarAndPostsTheTickMessage)
{
    CToolDialog dialog(TRUE);
    dialog.m_nTickMessage = nTickMessage;
    Open(dialog);
    ASSERT_TRUE(dialog.m_wndToolBar.m_hWnd);
    Resize(dialog, WindowRect(dialog), 10, 0);
    CRect rectBar = WindowRect(dialog.m_wndToolBar);
    CRect rectClient;
    dialog.GetClientRect(&rectClient);
    EXPECT_EQ(rectClient.Width(), rectBar.Width()) << "the bar takes the top of the dialog";
    dialog.SendMessage(WM_TIMER, CResizableToolDialog::nTickTimer);
    PumpUntilIdle();
    EXPECT_TRUE(dialog.m_wndToolBar.GetButtonState(0) & TBSTATE_ENABLED);
    EXPECT_FALSE(dialog.m_wndToolBar.GetButtonState(1) & TBSTATE_ENABLED);
    EXPECT_LE(1, dialog.m_nTicks) << "the real tick may have come too";
    dialog.DestroyWindow();
}

TEST_F(ResizableToolDialogTest, TooltipsShowTheSecondFieldOfTheString)
{
    CToolDialog dialog;
    Open(dialog);
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = dialog.GetToolTip();
    info.hdr.idFrom = IDS_TOOL_TIP;
    info.hdr.code = TTN_NEEDTEXTW;
    dialog.SendMessage(WM_NOTIFY, IDS_TOOL_TIP, (LPARAM)&info);
    EXPECT_STREQ(L"Short tip", info.szText);

    NMTTDISPINFOA infoA = {};
    infoA.hdr.hwndFrom = dialog.GetToolTip();
    infoA.hdr.idFrom = (UINT_PTR)::GetDlgItem(dialog.m_hWnd, IDC_TOOL_HALF);
    infoA.hdr.code = TTN_NEEDTEXTA;
    infoA.uFlags = TTF_IDISHWND;
    strcpy(infoA.szText, "old");
    dialog.SendMessage(WM_NOTIFY, 0, (LPARAM)&infoA);
    EXPECT_STREQ("", infoA.szText) << "a control without a string has no tip";
    EXPECT_TRUE(dialog.SendMessage(WM_HELP)) << "help is swallowed";
    dialog.DestroyWindow();
}
