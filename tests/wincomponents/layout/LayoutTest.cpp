#include "GuiTest.h"

#include "WinComponentsTestsRes.h"
#include "framework/window/CDialog.h"
#include "wincomponents/layout/CDialogLayout.h"
#include "wincomponents/layout/CResizableFormView.h"

namespace
{
class CLayoutForm : public CResizableFormView
{
public:
    CLayoutForm() : CResizableFormView(IDD_LAYOUT_FORM) {}
};

CRect ControlRect(CWnd* pParent, int nID)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(pParent->m_hWnd, nID), &rect);
    ::MapWindowPoints(nullptr, pParent->m_hWnd, (LPPOINT)&rect, 2);
    return rect;
}

class ResizableFormViewTest : public GuiTest
{
protected:
    void SetUp() override
    {
        m_pForm = new CLayoutForm;
        ASSERT_TRUE(m_pForm->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 100, 100),
                                    &Host(), 1));
        int nMapMode = 0;
        CSize sizePage, sizeLine;
        m_pForm->GetDeviceScrollSizes(nMapMode, m_sizeDesign, sizePage, sizeLine);
        ResizeClient(m_sizeDesign.cx, m_sizeDesign.cy);
        for (int i = 0; i < 8; ++i)
            m_rectDesign[i] = ControlRect(m_pForm, IDC_LAYOUT_FIRST + i);
    }
    void TearDown() override
    {
        GuiTest::TearDown();
        m_pForm->DestroyWindow();
    }
    // Gives the view a client area of that size.
    void ResizeClient(int cx, int cy)
    {
        CRect rectWindow, rectClient;
        m_pForm->GetWindowRect(&rectWindow);
        m_pForm->GetClientRect(&rectClient);
        m_pForm->SetWindowPos(nullptr, 0, 0, cx + rectWindow.Width() - rectClient.Width(),
                              cy + rectWindow.Height() - rectClient.Height(), SWP_NOZORDER | SWP_NOMOVE);
        PumpUntilIdle();
    }

    CLayoutForm* m_pForm = nullptr;
    CSize m_sizeDesign;
    CRect m_rectDesign[8];
};

class DialogLayoutTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create(IDD_LAYOUT_FORM, &Host()));
        m_dialog.ShowWindow(SW_SHOW);
        m_dialog.GetClientRect(&m_rectStart);
        for (int i = 0; i < 8; ++i)
            m_rectDesign[i] = ControlRect(&m_dialog, IDC_LAYOUT_FIRST + i);
    }
    void Grow(int dx, int dy)
    {
        m_dialog.SetWindowPos(nullptr, 0, 0, m_rectStart.Width() + dx, m_rectStart.Height() + dy,
                              SWP_NOZORDER | SWP_NOMOVE);
        m_layout.OnSize();
    }

    CDialog m_dialog;
    CDialogLayout m_layout;
    CRect m_rectStart;
    CRect m_rectDesign[8];
};
} // namespace

TEST_F(ResizableFormViewTest, GrowthIsSharedInQuarterSteps)
{
    // Widths follow modes 0-4 and 5; so do the left edges.
    LAYOUT_ANCHOR table[] = {{1200, 0, 0, 0, 0}, {1201, 1, 0, 0, 0}, {1202, 2, 0, 0, 0}, {1203, 3, 0, 0, 0},
                             {1204, 4, 0, 0, 0}, {1205, 0, 0, 1, 0}, {1206, 0, 0, 3, 4}, {1207, 5, 0, 5, 2}};
    EXPECT_TRUE(m_pForm->SetLayout(table, 8));
    EXPECT_EQ(8, m_pForm->GetAnchorCount());
    EXPECT_EQ(m_sizeDesign.cx, m_pForm->GetDesignRect().Width());
    ResizeClient(m_sizeDesign.cx + 10, m_sizeDesign.cy + 10);
    m_pForm->RepositionControls(TRUE);
    const int anWidthGrowth[] = {0, 2, 5, 7, 10};
    for (int i = 0; i < 5; ++i)
    {
        CRect rect = ControlRect(m_pForm, IDC_LAYOUT_FIRST + i);
        EXPECT_EQ(m_rectDesign[i].Width() + anWidthGrowth[i], rect.Width()) << "mode " << i;
        EXPECT_EQ(m_rectDesign[i].TopLeft(), rect.TopLeft()) << "mode " << i;
    }
    EXPECT_EQ(m_rectDesign[5].left + 2, ControlRect(m_pForm, 1205).left);
    EXPECT_EQ(m_rectDesign[6].left + 7, ControlRect(m_pForm, 1206).left);
    EXPECT_EQ(m_rectDesign[6].top + 10, ControlRect(m_pForm, 1206).top);
    // Own size and own place: the control keeps both, only its top follows.
    CRect rectOwn = ControlRect(m_pForm, 1207);
    EXPECT_EQ(m_rectDesign[7].Width(), rectOwn.Width());
    EXPECT_EQ(m_rectDesign[7].left, rectOwn.left);
    EXPECT_EQ(m_rectDesign[7].top + 5, rectOwn.top);
}

TEST_F(ResizableFormViewTest, SmallerThanTheDesignLeavesEveryControlInPlace)
{
    LAYOUT_ANCHOR table[] = {{1202, 4, 4, 0, 0}, {1203, 0, 0, 4, 4}};
    ASSERT_TRUE(m_pForm->SetLayout(table, 2));
    ResizeClient(m_sizeDesign.cx + 40, m_sizeDesign.cy + 40);
    m_pForm->RepositionControls(FALSE);
    ResizeClient(m_sizeDesign.cx / 2, m_sizeDesign.cy / 2);
    m_pForm->RepositionControls(FALSE);
    EXPECT_EQ(m_rectDesign[2], ControlRect(m_pForm, 1202));
    EXPECT_EQ(m_rectDesign[3], ControlRect(m_pForm, 1203));
}

TEST_F(ResizableFormViewTest, MissingControlIsReportedAndLeftAlone)
{
    LAYOUT_ANCHOR table[] = {{IDC_LAYOUT_MISSING, 4, 4, 4, 4}, {1201, 4, 0, 0, 0}};
    EXPECT_FALSE(m_pForm->SetLayout(table, 2));
    ResizeClient(m_sizeDesign.cx + 8, m_sizeDesign.cy);
    m_pForm->RepositionControls(TRUE);
    EXPECT_EQ(m_rectDesign[1].Width() + 8, ControlRect(m_pForm, 1201).Width());
}

TEST_F(DialogLayoutTest, GrowthPlusOnePixelInHalvesAndThirds)
{
    // This helper counts one pixel more than the growth; 10 pixels grow by 11.
    LAYOUT_ANCHOR table[] = {{1200, 1, 0, 0, 0}, {1201, 2, 0, 0, 0}, {1202, 4, 0, 0, 0}, {1203, 5, 0, 0, 0},
                             {1204, 0, 0, 1, 0}, {1205, 0, 0, 6, 0}, {1206, 0, 0, 7, 2}, {1207, 3, 0, 3, 0}};
    m_layout.SetItems(table, 8);
    ASSERT_TRUE(m_layout.Attach(&m_dialog, &m_dialog, FALSE));
    Grow(10, 10);
    const int anWidthGrowth[] = {5, 11, 3, 7};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m_rectDesign[i].Width() + anWidthGrowth[i], ControlRect(&m_dialog, 1200 + i).Width()) << i;
    EXPECT_EQ(m_rectDesign[4].left + 5, ControlRect(&m_dialog, 1204).left);
    EXPECT_EQ(m_rectDesign[5].left + 3, ControlRect(&m_dialog, 1205).left);
    EXPECT_EQ(m_rectDesign[6].left + 7, ControlRect(&m_dialog, 1206).left);
    EXPECT_EQ(m_rectDesign[6].top + 11, ControlRect(&m_dialog, 1206).top);
    // Width mode 3 and position mode 3 mean nothing here.
    EXPECT_EQ(m_rectDesign[7], ControlRect(&m_dialog, 1207));
}

TEST_F(DialogLayoutTest, ShrinkingIsNotClampedAndNothingMovesBeforeAttach)
{
    LAYOUT_ANCHOR table[] = {{1201, 2, 0, 0, 0}, {1204, 0, 0, 4, 5}};
    m_layout.SetItems(table, 2);
    Grow(30, 0);
    EXPECT_EQ(m_rectDesign[1], ControlRect(&m_dialog, 1201));
    m_dialog.SetWindowPos(nullptr, 0, 0, m_rectStart.Width(), m_rectStart.Height(), SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_TRUE(m_layout.Attach(&m_dialog, &m_dialog, FALSE));
    Grow(-11, 0);
    EXPECT_EQ(m_rectDesign[1].Width() - 10, ControlRect(&m_dialog, 1201).Width());
    // Position modes 4 and 5 leave the control where it was.
    EXPECT_EQ(m_rectDesign[4], ControlRect(&m_dialog, 1204));
}

TEST_F(DialogLayoutTest, MissingControlIsReported)
{
    LAYOUT_ANCHOR table[] = {{IDC_LAYOUT_MISSING, 2, 2, 2, 2}};
    m_layout.SetItems(table, 1);
    EXPECT_FALSE(m_layout.Attach(&m_dialog, &m_dialog, FALSE));
    Grow(10, 10);
}
