#include "GuiTest.h"

#include "wincomponents/lists/CSortListCtrl.h"

#include <vector>

namespace
{
const int kList = 20;

class SortListTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                                  CRect(10, 10, 610, 400), &Host(), kList));
        const SORTLIST_COLUMN columns[] = {{L"Name", LVCFMT_LEFT}, {L"Kind", LVCFMT_LEFT}, {L"Count", LVCFMT_RIGHT}};
        m_list.SetColumns(columns, 3);
        for (int i = 0; i < 3; ++i)
            m_list.SetColumnWidth(i, 100);
    }

    // Appends a row whose item data is its position at insertion.
    void AddRow(const wchar_t* pszName, const wchar_t* pszKind, const wchar_t* pszCount)
    {
        int nItem = m_list.InsertItem(m_list.GetItemCount(), pszName);
        m_list.SetItemText(nItem, 1, pszKind);
        m_list.SetItemText(nItem, 2, pszCount);
        m_list.SetItemData(nItem, (DWORD_PTR)(100 + nItem));
    }

    CString Column(int nColumn)
    {
        CString strAll;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            strAll += (i ? L"," : L"") + m_list.GetItemText(i, nColumn);
        return strAll;
    }

    CString Data()
    {
        CString strAll;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            strAll.AppendFormat(L"%s%u", i ? L"," : L"", (UINT)m_list.GetItemData(i));
        return strAll;
    }

    CSortListCtrl m_list;
};
} // namespace

TEST_F(SortListTest, SortTogglesAndBreaksTiesByTheOtherColumns)
{
    AddRow(L"delta", L"b", L"1");
    AddRow(L"alpha", L"a", L"2");
    AddRow(L"charlie", L"b", L"3");
    AddRow(L"bravo", L"a", L"4");
    AddRow(L"Echo", L"a", L"5");

    m_list.SortByColumn(1, FALSE);
    // Equal kinds are ordered by name, code unit by code unit: upper case first.
    EXPECT_STREQ(L"Echo,alpha,bravo,charlie,delta", Column(0));
    EXPECT_STREQ(L"104,101,103,102,100", Data());
    EXPECT_EQ(1, m_list.m_nSortColumn);
    EXPECT_FALSE(m_list.m_bSortDescending);

    m_list.SortByColumn(1, FALSE);
    EXPECT_STREQ(L"delta,charlie,bravo,alpha,Echo", Column(0));
    EXPECT_TRUE(m_list.m_bSortDescending);
    m_list.SortByColumn(1, FALSE);
    EXPECT_STREQ(L"Echo,alpha,bravo,charlie,delta", Column(0));
    EXPECT_FALSE(m_list.m_bSortDescending);
    m_list.SortByColumn(1, TRUE);
    EXPECT_STREQ(L"Echo,alpha,bravo,charlie,delta", Column(0));
    EXPECT_FALSE(m_list.m_bSortDescending);

    NMLISTVIEW click = {};
    click.iSubItem = 2;
    m_list.SortOnColumnClick(&click);
    EXPECT_STREQ(L"1,2,3,4,5", Column(2));
    EXPECT_EQ(2, m_list.m_nSortColumn);
}

TEST_F(SortListTest, RowsEqualEverywhereEndInTheTextOrderOfTheirFormerIndex)
{
    for (int i = 0; i < 12; ++i)
        AddRow(L"same", L"same", L"same");
    m_list.SortByFirstColumn();
    // Former indices compared as text: 0, 1, 10, 11, 2, ...
    EXPECT_STREQ(L"100,101,110,111,102,103,104,105,106,107,108,109", Data());
}

TEST_F(SortListTest, RowsAddedSortedLieAsASortOfTheFilledListLays)
{
    const wchar_t* rows[][3] = {{L"delta", L"b", L"1"}, {L"alpha", L"a", L"2"}, {L"same", L"s", L"s"},
                                {L"bravo", L"a", L"4"}, {L"same", L"s", L"s"}, {L"Echo", L"a", L"5"}};
    std::vector<SORTLIST_ROW> sorted;
    for (const auto& texts : rows)
    {
        AddRow(texts[0], texts[1], texts[2]);
        SORTLIST_ROW row;
        row.arrTexts = {texts[0], texts[1], texts[2]};
        row.dwData = (DWORD_PTR)(100 + sorted.size());
        row.nImage = (int)sorted.size();
        row.bSelected = sorted.size() == 3;
        sorted.push_back(row);
    }
    m_list.SelectItem(3, TRUE);
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        m_list.SetItemImage(i, i, FALSE);
    m_list.SortByColumn(1, TRUE);
    CString strTexts = Column(0) + Column(1) + Column(2);
    CString strData = Data();
    CString strImages;
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        strImages.AppendFormat(L"%d,", m_list.GetItemImage(i));

    m_list.SetSortedRows(sorted, 1);
    EXPECT_EQ(strTexts, Column(0) + Column(1) + Column(2));
    EXPECT_EQ(strData, Data());
    CString strSortedImages;
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        strSortedImages.AppendFormat(L"%d,", m_list.GetItemImage(i));
    EXPECT_EQ(strImages, strSortedImages);
    EXPECT_STREQ(L"bravo", m_list.GetSelectedText(0));
    EXPECT_EQ(1, m_list.m_nSortColumn);
    EXPECT_FALSE(m_list.m_bSortDescending);
    // A click on the same column then turns the order round, as after a sort.
    m_list.SortByColumn(1, FALSE);
    EXPECT_TRUE(m_list.m_bSortDescending);
}

TEST_F(SortListTest, CheckStateSelectionDataAndImageTravelWithTheirRows)
{
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    ASSERT_TRUE(m_list.HasCheckBoxes());
    AddRow(L"b", L"x", L"");
    AddRow(L"a", L"x", L"");
    AddRow(L"d", L"x", L"");
    AddRow(L"c", L"x", L"");
    m_list.SetCheck(0, TRUE);  // b
    m_list.SetCheck(2, TRUE);  // d
    m_list.SelectItem(2, TRUE); // d
    m_list.SetItemImage(1, 7, FALSE); // a
    m_list.SetItemState(3, LVIS_FOCUSED, LVIS_FOCUSED); // c

    m_list.SortByFirstColumn();
    // Checked rows first, each group in name order.
    EXPECT_STREQ(L"b,d,a,c", Column(0));
    EXPECT_STREQ(L"100,102,101,103", Data());
    EXPECT_TRUE(m_list.GetCheck(0));
    EXPECT_TRUE(m_list.GetCheck(1));
    EXPECT_FALSE(m_list.GetCheck(2));
    EXPECT_FALSE(m_list.GetCheck(3));
    EXPECT_EQ(1, m_list.GetSelectedIndex());
    EXPECT_STREQ(L"d", m_list.GetSelectedText(0));
    EXPECT_EQ(7, m_list.GetItemImage(2));
    // The focus stays where it was.
    EXPECT_TRUE(m_list.GetItemState(3, LVIS_FOCUSED));

    // By another column the prefix plays no part: the tie on "x" is broken by name.
    m_list.SortByColumn(1, TRUE);
    EXPECT_STREQ(L"a,b,c,d", Column(0));
    EXPECT_TRUE(m_list.GetCheck(1));
    EXPECT_TRUE(m_list.GetCheck(3));
}

TEST_F(SortListTest, ListsOfOneRowOrNoneStayUntouched)
{
    m_list.SortByColumn(1, FALSE);
    EXPECT_EQ(-1, m_list.m_nSortColumn);
    AddRow(L"only", L"x", L"1");
    m_list.SortByColumn(2, FALSE);
    EXPECT_EQ(-1, m_list.m_nSortColumn);
    EXPECT_STREQ(L"only", Column(0));
}

TEST_F(SortListTest, SelectionHelpers)
{
    AddRow(L"one", L"k", L"1");
    AddRow(L"two", L"k", L"2");
    AddRow(L"Two", L"k", L"3");
    AddRow(L"four", L"k", L"4");
    EXPECT_EQ(-1, m_list.GetSelectedIndex());
    EXPECT_EQ(-1, m_list.GetSelectedImage());
    EXPECT_STREQ(L"", m_list.GetSelectedText(0));
    m_list.SelectByText(L"Two", 0);
    EXPECT_EQ(2, m_list.GetSelectedIndex());
    m_list.SelectByText(L"none", 0);
    m_list.SelectItem(0, TRUE);
    m_list.SelectItem(9, TRUE);
    CStringArray texts;
    texts.Add(L"stale");
    m_list.GetSelectedTexts(texts, 2);
    ASSERT_EQ(2, texts.GetSize());
    EXPECT_STREQ(L"1", texts[0]);
    EXPECT_STREQ(L"3", texts[1]);
    m_list.DeleteSelectedItems();
    EXPECT_STREQ(L"two,four", Column(0));
    EXPECT_EQ(2, m_list.SelectAll());
    EXPECT_TRUE(m_list.IsItemSelected(1));
    EXPECT_EQ(2, m_list.SelectNone());
    EXPECT_FALSE(m_list.IsItemSelected(1));
}

TEST_F(SortListTest, AutoSizedColumnsTakeTheirHeaderOrWidestTextWithPadding)
{
    CSortListCtrl unattached;
    unattached.AutoSizeColumns();
    AddRow(L"a much longer name than the header", L"k", L"1");
    AddRow(L"short", L"k", L"22");
    m_list.AutoSizeColumns();
    EXPECT_EQ(m_list.GetStringWidth(L"a much longer name than the header") + 16, m_list.GetColumnWidth(0));
    EXPECT_EQ(m_list.GetStringWidth(L"Kind") + 16, m_list.GetColumnWidth(1)) << "the header is wider than the texts";
    EXPECT_EQ(m_list.GetStringWidth(L"Count") + 16, m_list.GetColumnWidth(2)) << "the last column does not fill the list";

    m_list.DeleteAllItems();
    m_list.AutoSizeColumns();
    EXPECT_EQ(m_list.GetStringWidth(L"Name") + 16, m_list.GetColumnWidth(0)) << "an empty list fits its headers";
}

TEST_F(SortListTest, AutoSizedFirstColumnMakesRoomForItsImagesAndCheckBoxes)
{
    HIMAGELIST hImages = ImageList_Create(24, 16, ILC_COLOR24, 1, 0);
    m_list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)hImages);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    int cxCheck = 0, cyCheck = 0;
    ASSERT_TRUE(ImageList_GetIconSize(m_list.GetImageList(LVSIL_STATE), &cxCheck, &cyCheck));
    AddRow(L"a much longer name than the header", L"a much longer kind", L"1");
    m_list.AutoSizeColumns();
    int nText = m_list.GetStringWidth(L"a much longer name than the header");
    EXPECT_EQ(cxCheck + 24 + nText + 16, m_list.GetColumnWidth(0));
    EXPECT_EQ(m_list.GetStringWidth(L"a much longer kind") + 16, m_list.GetColumnWidth(1)) << "only the first has images";
    CRect label;
    m_list.GetItemRect(0, label, LVIR_LABEL);
    EXPECT_GE(m_list.GetColumnWidth(0), label.left + nText) << "the text is not cut";
    m_list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    ImageList_Destroy(hImages);
}

TEST_F(SortListTest, ColoursShowThroughTheListViewsOwnDrawing)
{
    AddRow(L"row", L"k", L"1");
    m_list.m_bUseColours = TRUE;
    WindowPixels image = Capture(&m_list);
    CRect item;
    m_list.GetItemRect(0, item, LVIR_BOUNDS);
    // Below the rows and inside the row, away from its text.
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xE1), image.At(image.nWidth / 2, image.nHeight - 10));
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xE1), image.At(item.left + 90, (item.top + item.bottom) / 2));

    m_list.m_crBackground = RGB(0xE0, 0xF0, 0xFF);
    image = Capture(&m_list);
    EXPECT_EQ(RGB(0xE0, 0xF0, 0xFF), image.At(image.nWidth / 2, image.nHeight - 10));
}

TEST_F(SortListTest, MouseMovesAreReportedToTheParent)
{
    const UINT kMoved = WM_APP + 9;
    MSG msg;
    m_list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(PeekMessageW(&msg, Host().m_hWnd, kMoved, kMoved, PM_REMOVE));
    m_list.m_nMouseMoveMessage = kMoved;
    m_list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PeekMessageW(&msg, Host().m_hWnd, kMoved, kMoved, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_EQ(0, msg.lParam);
}
