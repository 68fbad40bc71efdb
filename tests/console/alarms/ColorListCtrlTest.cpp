#include "GuiTest.h"

#include "wincomponents/lists/CColorListCtrl.h"

namespace
{
class ColorListCtrlTest : public GuiTest
{
protected:
    void SetUp() override
    {
        RECT rect = {0, 0, 300, 200};
        ASSERT_TRUE(m_list.Create(&Host(), 1000, &rect, LVS_ICON | LVS_EDITLABELS));
        static const SORTLIST_COLUMN columns[] = {{L"A", LVCFMT_LEFT}, {L"B", LVCFMT_LEFT}};
        m_list.SetColumns(columns, 2);
        for (int i = 0; i < 3; i++)
        {
            CString strText;
            strText.Format(L"row %d", i);
            m_list.InsertItem(i, strText);
            m_list.SetItemData(i, 100 + i);
        }
    }

    CColorListCtrl m_list;
};
} // namespace

TEST_F(ColorListCtrlTest, StyleIsForcedToReportWithFullRowSelection)
{
    DWORD dwStyle = (DWORD)::GetWindowLongW(m_list.m_hWnd, GWL_STYLE);
    EXPECT_EQ((DWORD)LVS_REPORT, dwStyle & LVS_TYPEMASK);
    EXPECT_EQ(0u, dwStyle & LVS_EDITLABELS);
    EXPECT_EQ((DWORD)(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES),
              m_list.GetExtendedStyle() & (LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES));
}

TEST_F(ColorListCtrlTest, ItemDataLivesInTheRecordAndFollowsDeletion)
{
    EXPECT_EQ(101u, m_list.GetItemData(1));
    EXPECT_TRUE(m_list.DeleteItem(0, FALSE));
    EXPECT_EQ(101u, m_list.GetItemData(0));
    EXPECT_EQ(0u, m_list.GetItemData(5));
    EXPECT_FALSE(m_list.SetItemData(5, 1));
    // An item inserted past the control has no record.
    m_list.CListCtrl::InsertItem(2, L"bare");
    EXPECT_EQ(0u, m_list.GetItemData(2));
    EXPECT_EQ((COLORREF)-1, m_list.GetItemBkColor(2, 0));
}

TEST_F(ColorListCtrlTest, ColoursWidenToRowColumnOrEveryCell)
{
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), m_list.GetItemBkColor(0, 0));
    m_list.SetItemBkColor(1, -1, RGB(255, 0, 0), FALSE);
    EXPECT_EQ(RGB(255, 0, 0), m_list.GetItemBkColor(1, 0));
    EXPECT_EQ(RGB(255, 0, 0), m_list.GetItemBkColor(1, 1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), m_list.GetItemBkColor(0, 1));
    m_list.SetItemTextColor(-1, 1, RGB(0, 0, 255), FALSE);
    EXPECT_EQ(RGB(0, 0, 255), m_list.GetItemTextColor(2, 1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), m_list.GetItemTextColor(2, 0));
    m_list.SetItemTextColor(-1, -1, RGB(1, 2, 3), FALSE);
    EXPECT_EQ(RGB(1, 2, 3), m_list.GetItemTextColor(0, 0));
    m_list.SetItemTextColor(0, 0, (COLORREF)-1, FALSE);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), m_list.GetItemTextColor(0, 0));
    EXPECT_EQ((COLORREF)-1, m_list.GetItemBkColor(3, 0));
    EXPECT_EQ((COLORREF)-1, m_list.GetItemBkColor(0, 2));
}

TEST_F(ColorListCtrlTest, CellColoursArePainted)
{
    m_list.SetItemBkColor(1, -1, RGB(255, 0, 0), FALSE);
    m_list.SetItemTextColor(1, -1, RGB(255, 255, 0), TRUE);
    RECT rect;
    m_list.GetItemRect(1, &rect, LVIR_BOUNDS);
    WindowPixels pixels = Capture(&m_list);
    EXPECT_GT(pixels.Count(rect, RGB(255, 0, 0)), 100);
    m_list.GetItemRect(0, &rect, LVIR_BOUNDS);
    EXPECT_EQ(0, pixels.Count(rect, RGB(255, 0, 0)));
}

TEST_F(ColorListCtrlTest, StatesCountFindAndChange)
{
    EXPECT_EQ(3, m_list.GetItemCountByState(COLORLIST_ALL));
    EXPECT_EQ(0, m_list.GetItemCountByState(0));
    EXPECT_TRUE(m_list.SetItemFlags(2, COLORLIST_SELECTED));
    EXPECT_EQ(1, m_list.GetItemCountByState(COLORLIST_SELECTED));
    EXPECT_EQ(2, m_list.FindItemByState(COLORLIST_SELECTED, -5));
    EXPECT_EQ(-1, m_list.FindItemByState(COLORLIST_SELECTED, 2));
    EXPECT_EQ(0, m_list.FindItemByState(COLORLIST_UNSELECTED, -1));
    EXPECT_EQ(3, m_list.SetItemFlagsAll(COLORLIST_UNSELECTED, COLORLIST_SELECTED));
    EXPECT_EQ(3, m_list.GetItemCountByState(COLORLIST_SELECTED));
    EXPECT_TRUE(m_list.SetItemFlags(0, COLORLIST_FOCUSED));
    EXPECT_EQ(2, m_list.DeleteItems(COLORLIST_SELECTED | COLORLIST_UNFOCUSED));
    EXPECT_EQ(1, m_list.GetItemCount());
}

TEST_F(ColorListCtrlTest, InsertingOrChangingTextForgetsTheSort)
{
    m_list.SortByColumn(0, TRUE);
    EXPECT_EQ(0, m_list.m_nSortColumn);
    m_list.SetItemText(0, 1, L"x");
    EXPECT_EQ(-1, m_list.m_nSortColumn);
    m_list.SortByColumn(0, TRUE);
    m_list.InsertItem(0, L"new");
    EXPECT_EQ(-1, m_list.m_nSortColumn);
}
