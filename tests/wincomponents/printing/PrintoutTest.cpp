#include "GuiTest.h"

#include "MetafileTexts.h"
#include "framework/window/AfxOleInit.h"
#include "wincomponents/printing/CListPrintout.h"
#include "wincomponents/printing/CRichEditPrintout.h"
#include "wincomponents/lists/CSortListCtrl.h"

#include <functional>
#include <vector>

namespace
{
// Pages of a small sheet, recorded on the screen's resolution as the preview records them.
class PrintoutTest : public GuiTest
{
protected:
    PrintoutTest() : m_rectPage(0, 0, 500, 300) { m_hScreen = GetDC(nullptr); }
    ~PrintoutTest() override
    {
        DeletePages(m_pages);
        ReleaseDC(nullptr, m_hScreen);
    }

    // Lays out on the screen's context, then records each page.
    void Record(const std::function<UINT(CDC*)>& fnLayout, const std::function<void(CDC*, UINT)>& fnPage)
    {
        CDC dcScreen;
        dcScreen.Attach(m_hScreen);
        UINT nPages = fnLayout(&dcScreen);
        dcScreen.Detach();
        for (UINT nPage = 1; nPage <= nPages; nPage++)
        {
            CDC dcPage;
            dcPage.Attach(CreateEnhMetaFileW(m_hScreen, nullptr, nullptr, nullptr));
            fnPage(&dcPage, nPage);
            m_pages.push_back(CloseEnhMetaFile(dcPage.Detach()));
        }
    }

    CRect m_rectPage;
    HDC m_hScreen;
    std::vector<HENHMETAFILE> m_pages;
};
} // namespace

// Every row is printed once, in list order, and every page starts with the column titles.
TEST_F(PrintoutTest, ListPagesHoldEveryRowOnceUnderTheColumnTitles)
{
    CSortListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &Host(), 20));
    const SORTLIST_COLUMN columns[] = {{L"Name", LVCFMT_LEFT}, {L"Count", LVCFMT_RIGHT}};
    list.SetColumns(columns, 2);
    list.SetColumnWidth(0, 150);
    list.SetColumnWidth(1, 80);
    const int kRows = 57;
    for (int i = 0; i < kRows; i++)
    {
        CString strName, strCount;
        strName.Format(L"row %02d", i);
        strCount.Format(L"%d", i * 7);
        list.InsertItem(i, strName);
        list.SetItemText(i, 1, strCount);
    }
    CListPrintout printout;
    Record([&](CDC* pDC) { return printout.Layout(list, pDC, m_rectPage); },
           [&](CDC* pDC, UINT nPage) { printout.PrintPage(list, pDC, nPage); });
    ASSERT_GT(m_pages.size(), 2u) << "a small sheet takes several pages";

    std::vector<CString> rows;
    for (HENHMETAFILE hPage : m_pages)
    {
        std::vector<CString> texts = MetafileTexts(hPage);
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(CString(L"Name"), texts[0]);
        EXPECT_EQ(CString(L"Count"), texts[1]);
        ASSERT_GT(texts.size(), 2u) << "no page without rows";
        rows.insert(rows.end(), texts.begin() + 2, texts.end());
    }
    std::vector<CString> expected;
    for (int i = 0; i < kRows; i++)
    {
        expected.push_back(list.GetItemText(i, 0));
        expected.push_back(list.GetItemText(i, 1));
    }
    EXPECT_EQ(expected, rows);

    // An empty list is one page with the titles.
    list.DeleteAllItems();
    CDC dcScreen;
    dcScreen.Attach(m_hScreen);
    EXPECT_EQ(1u, printout.Layout(list, &dcScreen, m_rectPage));
    dcScreen.Detach();
}

// A context without text metrics (an old-style metafile's) still lays the rows out on pages,
// every row on one of them.
TEST_F(PrintoutTest, ListLayoutWithoutTextMetricsStillMakesPages)
{
    CSortListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &Host(), 20));
    const SORTLIST_COLUMN columns[] = {{L"Name", LVCFMT_LEFT}};
    list.SetColumns(columns, 1);
    for (int i = 0; i < 30; i++)
        list.InsertItem(i, L"row");
    CDC dcMeta;
    ASSERT_TRUE(dcMeta.Attach(CreateMetaFileW(nullptr)));
    TEXTMETRICW tm = {};
    EXPECT_FALSE(GetTextMetricsW(dcMeta.m_hDC, &tm)) << "the case this test is about";
    CListPrintout printout;
    UINT nPages = printout.Layout(list, &dcMeta, m_rectPage);
    EXPECT_GE(nPages, 1u);
    EXPECT_LE(nPages, 30u);
    for (UINT nPage = 1; nPage <= nPages; nPage++)
        printout.PrintPage(list, &dcMeta, nPage);
    DeleteMetaFile(CloseMetaFile(dcMeta.Detach()));
}

// The rich edit's pages follow one another: every line once, in order, none cut off, a long
// one wrapped, whether the control lays the pages out or its plain lines are printed.
TEST_F(PrintoutTest, RichEditPagesHoldTheWholeTextOnce)
{
    AfxInitRichEdit();
    HWND hEdit = CreateWindowExW(0, L"RichEdit20W", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 0, 0, 400,
                                 300, Host().m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hEdit != nullptr);
    CString strText, strExpected;
    for (int i = 1; i <= 90; i++)
    {
        CString strLine;
        strLine.Format(L"Line-%03d", i);
        if (i % 30 == 0)
            for (int nWord = 0; nWord < 40; nWord++)
                strLine.AppendFormat(L" word%d", nWord);
        strText += strLine + L"\r\n";
        strExpected += strLine;
        strExpected.Remove(L' ');
    }
    SetWindowTextW(hEdit, strText);
    CRichEditPrintout printout;
    Record([&](CDC* pDC) { return printout.Layout(hEdit, pDC, m_rectPage); },
           [&](CDC* pDC, UINT nPage) { printout.PrintPage(hEdit, pDC, nPage); });
    EXPECT_GT(m_pages.size(), 2u);
    CString strPrinted;
    for (const CString& strPiece : PagesTexts(m_pages))
        strPrinted += strPiece;
    strPrinted.Remove(L'\r');
    strPrinted.Remove(L'\n');
    strPrinted.Remove(L' ');
    EXPECT_STREQ(strExpected, strPrinted);

    // An empty control still makes one page.
    SetWindowTextW(hEdit, L"");
    CDC dcScreen;
    dcScreen.Attach(m_hScreen);
    EXPECT_EQ(1u, printout.Layout(hEdit, &dcScreen, m_rectPage));
    dcScreen.Detach();
    DestroyWindow(hEdit);
}
