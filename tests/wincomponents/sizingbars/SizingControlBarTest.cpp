#include "BarStateMutation.h"
#include "GuiTest.h"

#include "framework/bars/CDockBar.h"
#include "framework/bars/CDockContext.h"
#include "framework/frames/CFrameWnd.h"
#include "tests/support/Mutation.h"
#include "wincomponents/sizingbars/CSizingControlBarCF.h"

#include <iostream>
#include <map>

namespace
{
const UINT kFirstBar = 59400;

// A frame with three caption bars "A", "B", "C", each filled by an edit, docked where a test
// puts them.
class SizingControlBarTest : public GuiTest
{
protected:
    SizingControlBarTest()
    {
        m_pFrame = new CFrameWnd;
        EXPECT_TRUE(m_pFrame->LoadFrame(4242, WS_OVERLAPPEDWINDOW));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->MoveWindow(CRect(40, 40, 840, 640));
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        const wchar_t* names[] = {L"A", L"B", L"C"};
        for (int i = 0; i < 3; ++i)
        {
            CSizingControlBarCF& bar = m_bars[i];
            EXPECT_TRUE(bar.Create(names[i], m_pFrame, CSize(150, 120), FALSE, kFirstBar + i,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP));
            bar.m_dwSizingStyle |= CSizingControlBar::scbsSizeChildren;
            bar.SetBarStyle(bar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
            m_edits[i] = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10,
                                           bar.m_hWnd, nullptr, nullptr, nullptr);
            bar.EnableDocking(CBRS_ALIGN_ANY);
        }
    }
    ~SizingControlBarTest() override
    {
        if (m_app.m_pMainWnd == m_pFrame)
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        PumpUntilIdle();
    }

    CDockBar* Dock(UINT nID) { return m_pFrame->GetDockBar(nID); }

    // Docks the bars given in one row of the dock bar, in that order.
    void DockInRow(UINT nID, std::initializer_list<int> bars)
    {
        for (int i : bars)
            m_pFrame->DockControlBar(&m_bars[i], nID);
        CDockBar* pDock = Dock(nID);
        int nRow = pDock->GetRowOf(&m_bars[*bars.begin()]);
        for (int i : bars)
            pDock->DockControlBarInRow(&m_bars[i], nRow, 0);
        m_pFrame->RecalcLayout();
        PumpUntilIdle();
    }

    CRect ScreenRect(HWND hWnd)
    {
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        return rect;
    }

    // A screen point in the middle of the bar's sizing edge.
    CPoint EdgePoint(CSizingControlBar& bar, UINT nHitTest)
    {
        CRect rectEdge;
        EXPECT_TRUE(bar.GetEdgeRect(ScreenRect(bar.m_hWnd), nHitTest, rectEdge));
        return rectEdge.CenterPoint();
    }

    void Drag(CSizingControlBar& bar, UINT nEdge, CSize offset)
    {
        CPoint pt = EdgePoint(bar, nEdge);
        bar.BeginTracking(nEdge, pt);
        bar.TrackTo(CPoint(pt.x + offset.cx, pt.y + offset.cy));
        bar.EndTracking();
        PumpUntilIdle();
    }

    CFrameWnd* m_pFrame = nullptr;
    CSizingControlBarCF m_bars[3];
    HWND m_edits[3] = {};
};
} // namespace

TEST_F(SizingControlBarTest, ABarAloneInItsRowTakesTheWholeRowAndTwoShareIt)
{
    DockInRow(AFX_IDW_DOCKBAR_LEFT, {0});
    CRect rectDock = ScreenRect(Dock(AFX_IDW_DOCKBAR_LEFT)->m_hWnd);
    CRect rectA = ScreenRect(m_bars[0].m_hWnd);
    EXPECT_EQ(rectDock.Height(), rectA.Height());
    EXPECT_EQ(150, rectA.Width()) << "its thickness stays";
    EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, m_bars[0].m_nDockBarId);

    m_bars[1].m_szVert.cx = 180;
    DockInRow(AFX_IDW_DOCKBAR_LEFT, {0, 1});
    rectDock = ScreenRect(Dock(AFX_IDW_DOCKBAR_LEFT)->m_hWnd);
    rectA = ScreenRect(m_bars[0].m_hWnd);
    CRect rectB = ScreenRect(m_bars[1].m_hWnd);
    EXPECT_EQ(rectDock.Height(), rectA.Height() + rectB.Height()) << "the row is shared without gap or overlap";
    EXPECT_EQ(rectA.bottom, rectB.top);
    EXPECT_EQ(180, rectA.Width()) << "both take the greatest thickness";
    EXPECT_EQ(180, rectB.Width());
    EXPECT_LE(std::abs(rectA.Height() - rectB.Height()), 2) << "the difference is spread pixel by pixel";

    // The edit fills the bar's client area.
    CRect rectClient;
    ::GetClientRect(m_bars[0].m_hWnd, &rectClient);
    EXPECT_EQ(rectClient.Size(), ScreenRect(m_edits[0]).Size());
}

TEST_F(SizingControlBarTest, ARowTooShortForItsBarsIsBrokenAndAShownBarKeepsItsLength)
{
    for (CSizingControlBarCF& bar : m_bars)
        bar.m_szMinVert.cy = 250;
    DockInRow(AFX_IDW_DOCKBAR_LEFT, {0, 1, 2});
    CDockBar* pDock = Dock(AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(2, pDock->GetRowCount()) << "three minimums of 250 do not fit in one column";
    EXPECT_EQ(pDock->GetRowOf(&m_bars[0]), pDock->GetRowOf(&m_bars[1]));
    EXPECT_NE(pDock->GetRowOf(&m_bars[1]), pDock->GetRowOf(&m_bars[2]));
    for (CSizingControlBarCF& bar : m_bars)
        EXPECT_GE(ScreenRect(bar.m_hWnd).Height(), 250) << "no bar below its minimum";

    // Hidden and shown again, a bar keeps its length in the first negotiation.
    m_pFrame->ShowControlBar(&m_bars[1], FALSE, FALSE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenRect(pDock->m_hWnd).Height(), ScreenRect(m_bars[0].m_hWnd).Height());
    m_bars[1].m_szVert.cy = 260;
    m_bars[1].ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(m_bars[1].m_bHoldSize);
    m_pFrame->RecalcLayout();
    PumpUntilIdle();
    EXPECT_EQ(260, ScreenRect(m_bars[1].m_hWnd).Height()) << "A gave way, B held its length";
    EXPECT_FALSE(m_bars[1].m_bHoldSize);
}

TEST_F(SizingControlBarTest, DraggingTheBoundaryMovesItButNeverBelowAMinimum)
{
    DockInRow(AFX_IDW_DOCKBAR_TOP, {0, 1});
    CRect rectA = ScreenRect(m_bars[0].m_hWnd);
    CRect rectB = ScreenRect(m_bars[1].m_hWnd);
    ASSERT_EQ(HTRIGHT, (int)m_bars[0].SendMessage(WM_NCHITTEST, 0,
                                                    MAKELPARAM(EdgePoint(m_bars[0], HTRIGHT).x,
                                                               EdgePoint(m_bars[0], HTRIGHT).y)));
    Drag(m_bars[0], HTRIGHT, CSize(60, 0));
    EXPECT_EQ(rectA.Width() + 60, ScreenRect(m_bars[0].m_hWnd).Width());
    EXPECT_EQ(rectB.Width() - 60, ScreenRect(m_bars[1].m_hWnd).Width());
    EXPECT_EQ(ScreenRect(m_bars[0].m_hWnd).right, ScreenRect(m_bars[1].m_hWnd).left);

    // B's left edge, far to the right: B stops at its minimum width.
    Drag(m_bars[1], HTLEFT, CSize(2000, 0));
    EXPECT_EQ(m_bars[1].m_szMinHorz.cx, ScreenRect(m_bars[1].m_hWnd).Width());
    EXPECT_EQ(ScreenRect(Dock(AFX_IDW_DOCKBAR_TOP)->m_hWnd).right, ScreenRect(m_bars[1].m_hWnd).right);
    // And back far to the left: A stops at its minimum.
    Drag(m_bars[1], HTLEFT, CSize(-2000, 0));
    EXPECT_EQ(m_bars[0].m_szMinHorz.cx, ScreenRect(m_bars[0].m_hWnd).Width());
}

TEST_F(SizingControlBarTest, DraggingTheInnerEdgeChangesTheThicknessUpToTheFreeRoom)
{
    DockInRow(AFX_IDW_DOCKBAR_LEFT, {0});
    Drag(m_bars[0], HTRIGHT, CSize(50, 0));
    EXPECT_EQ(200, ScreenRect(m_bars[0].m_hWnd).Width());
    EXPECT_EQ(200, m_bars[0].m_szVert.cx);

    Drag(m_bars[0], HTRIGHT, CSize(5000, 0));
    CRect rectFrameClient;
    m_pFrame->GetClientRect(&rectFrameClient);
    EXPECT_EQ(rectFrameClient.Width() - 2, ScreenRect(m_bars[0].m_hWnd).Width())
        << "it stops where the view would vanish";

    Drag(m_bars[0], HTRIGHT, CSize(-5000, 0));
    EXPECT_EQ(m_bars[0].m_szMinVert.cx, ScreenRect(m_bars[0].m_hWnd).Width());
}

TEST_F(SizingControlBarTest, WithFullWindowDragsTheBarsFollowAtOnceElseAtTheEnd)
{
    DockInRow(AFX_IDW_DOCKBAR_TOP, {0});
    int nHeight = ScreenRect(m_bars[0].m_hWnd).Height();
    for (BOOL bFull : {TRUE, FALSE})
    {
        m_bars[0].m_bDragFullWindows = bFull;
        CPoint pt = EdgePoint(m_bars[0], HTBOTTOM);
        m_bars[0].BeginTracking(HTBOTTOM, pt);
        m_bars[0].TrackTo(CPoint(pt.x, pt.y + 20));
        // The frame's idle turn, without taking the input that goes to the captured bar.
        m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        EXPECT_EQ(bFull ? nHeight + 20 : nHeight, ScreenRect(m_bars[0].m_hWnd).Height()) << bFull;
        m_bars[0].SendMessage(WM_LBUTTONUP);
        EXPECT_FALSE(m_bars[0].m_bTracking) << "a button release ends the drag";
        EXPECT_NE(m_bars[0].m_hWnd, ::GetCapture());
        PumpUntilIdle();
        nHeight += 20;
        EXPECT_EQ(nHeight, ScreenRect(m_bars[0].m_hWnd).Height());
    }
}

TEST_F(SizingControlBarTest, AFloatingBarHasNoEdgesNoGripperAndKeepsItsFloatingSize)
{
    DockInRow(AFX_IDW_DOCKBAR_LEFT, {0});
    m_bars[0].m_szFloat = CSize(220, 170);
    m_pFrame->FloatControlBar(&m_bars[0], CPoint(300, 300));
    PumpUntilIdle();
    ASSERT_TRUE(m_bars[0].IsFloating());
    EXPECT_EQ(CSize(220, 170), ScreenRect(m_bars[0].m_hWnd).Size());
    CRect rectWindow = ScreenRect(m_bars[0].m_hWnd);
    for (CPoint pt : {rectWindow.TopLeft(), CPoint(rectWindow.right - 2, rectWindow.bottom - 2)})
        EXPECT_EQ(HTCLIENT, (int)m_bars[0].SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    m_bars[0].m_nTrackEdge = 0;
    m_bars[0].SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(rectWindow.right - 2, rectWindow.top + 40));
    EXPECT_FALSE(m_bars[0].m_bTracking) << "a floating bar never starts an edge drag";
    CRect rectClient;
    ::GetClientRect(m_bars[0].m_hWnd, &rectClient);
    EXPECT_EQ(220 - 6, rectClient.Width()) << "no gripper, no caption strip";
    EXPECT_EQ(170 - 8, rectClient.Height());

    // Its mini frame's borders size it, down to its floating minimum.
    HWND hMini = ::GetParent(::GetParent(m_bars[0].m_hWnd));
    EXPECT_TRUE(::GetWindowLongW(hMini, GWL_STYLE) & WS_THICKFRAME);
    CRect rectMini = ScreenRect(hMini);
    ::SetWindowPos(hMini, nullptr, 0, 0, rectMini.Width() + 60, rectMini.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    EXPECT_EQ(CSize(280, 210), m_bars[0].m_szFloat);
    EXPECT_EQ(CSize(280, 210), ScreenRect(m_bars[0].m_hWnd).Size());
    ::SetWindowPos(hMini, nullptr, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    // (The system keeps a captioned window wide enough for its caption.)
    EXPECT_EQ(m_bars[0].m_szMinFloat.cy, ScreenRect(m_bars[0].m_hWnd).Height());
    EXPECT_LE(m_bars[0].m_szMinFloat.cx, ScreenRect(m_bars[0].m_hWnd).Width());
    EXPECT_EQ(ScreenRect(m_bars[0].m_hWnd).bottom + ::GetSystemMetrics(SM_CYFRAME), ScreenRect(hMini).bottom)
        << "the frame fits around the bar";

    // A double click on the bar docks it back where it was.
    m_bars[0].SendMessage(WM_LBUTTONDBLCLK);
    PumpUntilIdle();
    EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, m_bars[0].m_nDockBarId);
}

TEST_F(SizingControlBarTest, TheCloseButtonHidesTheBarAndCloseMessagesDoNot)
{
    DockInRow(AFX_IDW_DOCKBAR_LEFT, {0});
    m_bars[0].SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_TRUE(m_bars[0].IsWindowVisible()) << "WM_CLOSE leaves the bar open";

    CRect rectButton = m_bars[0].m_btnClose.GetRect();
    CRect rectWindow = ScreenRect(m_bars[0].m_hWnd);
    rectButton.OffsetRect(rectWindow.left, rectWindow.top);
    CPoint pt = rectButton.CenterPoint();
    ASSERT_EQ(HTCLOSE, (int)m_bars[0].SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    EXPECT_LT(rectWindow.right - 20, rectButton.left) << "top right, above the client area";
    m_bars[0].SendMessage(WM_NCLBUTTONUP, HTCLOSE, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(m_bars[0].IsWindowVisible());
    EXPECT_TRUE(::IsWindow(m_bars[0].m_hWnd)) << "hidden, not destroyed";
    EXPECT_EQ(0, ScreenRect(Dock(AFX_IDW_DOCKBAR_LEFT)->m_hWnd).Width());
    m_pFrame->ShowControlBar(&m_bars[0], TRUE, FALSE);
    PumpUntilIdle();
    EXPECT_TRUE(m_bars[0].IsWindowVisible());
}

TEST_F(SizingControlBarTest, TheCaptionTurnsActiveWhileTheFocusIsInsideTheBar)
{
    DockInRow(AFX_IDW_DOCKBAR_TOP, {0});
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    ::SetFocus(m_edits[0]);
    PumpUntilIdle();
    EXPECT_TRUE(m_bars[0].m_bCaptionActive);
    ::SetFocus(m_pFrame->m_hWnd);
    PumpUntilIdle();
    EXPECT_FALSE(m_bars[0].m_bCaptionActive);
    EXPECT_TRUE(m_bars[0].m_strFontFace == L"Tahoma" || m_bars[0].m_strFontFace == L"Arial");

    // The strip lies left of the client area, in the caption colour.
    HDC hDC = ::GetWindowDC(m_bars[0].m_hWnd);
    CRect rectClient;
    ::GetClientRect(m_bars[0].m_hWnd, &rectClient);
    ::MapWindowPoints(m_bars[0].m_hWnd, nullptr, (POINT*)&rectClient, 2);
    CRect rectWindow = ScreenRect(m_bars[0].m_hWnd);
    COLORREF crStrip = ::GetPixel(hDC, rectClient.left - rectWindow.left - 8, rectWindow.Height() - 12);
    ::ReleaseDC(m_bars[0].m_hWnd, hDC);
    BOOL bGradient = FALSE;
    ::SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &bGradient, 0);
    if (!bGradient)
    {
        EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTION), crStrip);
    }
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), crStrip);
}

TEST_F(SizingControlBarTest, SizesComeBackFromTheProfileWithinTheirLimits)
{
    m_bars[0].m_szHorz = CSize(300, 90);
    m_bars[0].m_szVert = CSize(140, 400);
    m_bars[0].m_szFloat = CSize(250, 260);
    m_bars[0].SaveState(L"Test");
    CString strSection;
    strSection.Format(L"Test-SCBar-%u", kFirstBar);
    EXPECT_EQ(90u, m_app.GetProfileInt(strSection, L"sizeHorzCY", 0));
    EXPECT_EQ(260u, m_app.GetProfileInt(strSection, L"sizeFloatCY", 0));

    CSizingControlBarCF& other = m_bars[1];
    m_app.WriteProfileInt(strSection, L"sizeHorzCY", 10);
    m_app.WriteProfileInt(strSection, L"sizeVertCX", -40);
    m_app.WriteProfileInt(strSection, L"sizeVertCY", 0x7FFFFFF0);
    ::SetWindowLongPtrW(other.m_hWnd, GWLP_ID, kFirstBar);
    other.LoadState(L"Test");
    EXPECT_EQ(CSize(300, 32), other.m_szHorz) << "below its minimum it loads as the minimum";
    EXPECT_EQ(CSize(33, 120), other.m_szVert) << "a damaged size leaves the bar's own";
    EXPECT_EQ(CSize(250, 260), other.m_szFloat);

    // A profile name longer than any section name the registry takes harms nothing.
    CString strLong(L'x', 600);
    m_bars[2].SaveState(strLong);
    m_bars[2].LoadState(strLong);
    EXPECT_EQ(CSize(150, 120), m_bars[2].m_szHorz);
}

TEST_F(SizingControlBarTest, TheMouseMovesTheBoundaryAndTheNeighboursGiveWayInTurn)
{
    DockInRow(AFX_IDW_DOCKBAR_TOP, {0, 1, 2});
    for (CSizingControlBarCF& bar : m_bars)
        bar.m_bDragFullWindows = TRUE;
    int nB = ScreenRect(m_bars[1].m_hWnd).Width();
    int nC = ScreenRect(m_bars[2].m_hWnd).Width();
    int nMinB = m_bars[1].m_szMinHorz.cx;
    // A's right edge, pushed past what B can give: B goes to its minimum, then C gives the rest.
    CPoint pt = EdgePoint(m_bars[0], HTRIGHT);
    int nPush = nB - nMinB + 40;
    MouseDrag(m_pFrame->m_hWnd, pt, CPoint(pt.x + nPush, pt.y));
    EXPECT_EQ(nMinB, ScreenRect(m_bars[1].m_hWnd).Width()) << "the nearest neighbour gave way first";
    EXPECT_EQ(nC - 40, ScreenRect(m_bars[2].m_hWnd).Width());
    EXPECT_EQ(ScreenRect(m_bars[0].m_hWnd).right, ScreenRect(m_bars[1].m_hWnd).left);
    EXPECT_EQ(ScreenRect(Dock(AFX_IDW_DOCKBAR_TOP)->m_hWnd).right, ScreenRect(m_bars[2].m_hWnd).right);

    // The thickness edge below the row: every bar of the row follows.
    int nHeight = ScreenRect(m_bars[0].m_hWnd).Height();
    pt = EdgePoint(m_bars[1], HTBOTTOM);
    MouseDrag(m_pFrame->m_hWnd, pt, CPoint(pt.x, pt.y + 30));
    for (CSizingControlBarCF& bar : m_bars)
        EXPECT_EQ(nHeight + 30, ScreenRect(bar.m_hWnd).Height());
}

// Sizes of a well-formed profile section, damaged value by value (numbers, bits, values gone or
// of another type or size), load within the bar's limits and lay out.
TEST_F(SizingControlBarTest, TwentyThousandDamagedProfileSizesLoadWithinTheirLimits)
{
    const uint32_t kSeed = 20261212;
    const int kInputs = 20000;
    std::cout << "sizing bar state mutation: seed " << kSeed << ", " << kInputs << " inputs" << std::endl;
    RecordProperty("seed", (int)kSeed);
    DockInRow(AFX_IDW_DOCKBAR_TOP, {0, 1});
    m_pFrame->DockControlBar(&m_bars[2], AFX_IDW_DOCKBAR_LEFT);
    const wchar_t* names[] = {L"sizeHorzCX", L"sizeHorzCY", L"sizeVertCX", L"sizeVertCY", L"sizeFloatCX", L"sizeFloatCY"};
    m_bars[0].m_szHorz = CSize(300, 90);
    m_bars[0].m_szVert = CSize(140, 400);
    m_bars[0].m_szFloat = CSize(250, 260);
    m_bars[0].SaveState(L"Base");
    CString strBase, strSection;
    strBase.Format(L"Base-SCBar-%u", kFirstBar);
    strSection.Format(L"Mut-SCBar-%u", kFirstBar);
    DWORD base[6];
    for (int k = 0; k < 6; ++k)
        base[k] = m_app.GetProfileInt(strBase, names[k], 0);

    std::map<std::string, int> faults;
    for (int i = 0; i < kInputs; ++i)
    {
        testsupport::CMutator mutator(kSeed ^ (uint32_t)(i * 2654435761u));
        for (int k = 0; k < 6; ++k)
            m_app.WriteProfileInt(strSection, names[k], (int)base[k]);
        HKEY hSection = m_app.GetSectionKey(strSection);
        ASSERT_TRUE(hSection);
        const int nChanges = 1 + (int)mutator.Below(4);
        for (int c = 0; c < nChanges; ++c)
            mutator.MutateValue(hSection, names[mutator.Below(6)]);
        RegCloseKey(hSection);
        CSizingControlBarCF& bar = m_bars[i % 3];
        ::SetWindowLongPtrW(bar.m_hWnd, GWLP_ID, kFirstBar);
        bar.LoadState(L"Mut");
        ::SetWindowLongPtrW(bar.m_hWnd, GWLP_ID, kFirstBar + i % 3);
        const CSize sizes[] = {bar.m_szHorz, bar.m_szVert, bar.m_szFloat};
        const CSize minimums[] = {bar.m_szMinHorz, bar.m_szMinVert, bar.m_szMinFloat};
        const char* fault = nullptr;
        for (int k = 0; k < 3; ++k)
            if (sizes[k].cx < minimums[k].cx || sizes[k].cy < minimums[k].cy || sizes[k].cx > 32767 ||
                sizes[k].cy > 32767)
                fault = "a size out of its limits";
        if (!fault && i % 64 == 0)
        {
            m_pFrame->RecalcLayout();
            PumpUntilIdle();
        }
        if (fault && faults.emplace(fault, i).second)
            ADD_FAILURE() << "seed " << kSeed << ", input " << i << ": " << fault;
    }
}

// Saved bar states with sizing bars in shared rows, at the sides and floating, damaged value by
// value: after each restore and layout every bar sits once in the rows of its dock bar.
TEST_F(SizingControlBarTest, TwoThousandDamagedBarStatesLeaveEverySizingBarOnceInADockBar)
{
    CBarStateMutation mutation(m_app, m_pFrame, {&m_bars[0], &m_bars[1], &m_bars[2]});
    DockInRow(AFX_IDW_DOCKBAR_TOP, {0, 1});
    m_pFrame->DockControlBar(&m_bars[2], AFX_IDW_DOCKBAR_LEFT);
    PumpUntilIdle();
    mutation.SaveLayout();
    DockInRow(AFX_IDW_DOCKBAR_TOP, {0, 1, 2});
    mutation.SaveLayout();
    m_pFrame->FloatControlBar(&m_bars[1], CPoint(300, 300));
    DockInRow(AFX_IDW_DOCKBAR_RIGHT, {2, 0});
    mutation.SaveLayout();
    mutation.Run(20261215, 2000, 1, [this]() {
        m_pFrame->RecalcLayout();
        PumpUntilIdle();
    });
}
