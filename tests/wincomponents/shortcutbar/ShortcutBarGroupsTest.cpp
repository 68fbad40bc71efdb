#include "ShortcutBarFixture.h"

#include "framework/gdi/CBitmap.h"
#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace
{
// While set, new arrays come with letters in them and behind them, as a used heap block may:
// a text read past its end then shows them.
bool s_bScribble = false;
} // namespace

void* operator new[](std::size_t nSize, const std::nothrow_t&) noexcept
{
    const std::size_t nSlack = 64;
    void* pBlock = std::malloc(nSize + nSlack);
    if (pBlock && s_bScribble)
        memset(pBlock, 'Q', nSize + nSlack);
    return pBlock;
}

TEST_F(ShortcutBarTest, GroupsTakeTheirPlacesAndOrdersStayWithoutGaps)
{
    HSHBGROUP hA = AddGroup(L"A");
    HSHBGROUP hB = AddGroup(L"B");
    HSHBGROUP hC = AddGroup(L"C");
    EXPECT_EQ(1u, hA);
    EXPECT_EQ(3u, hC);
    HSHBGROUP hD = AddGroup(L"D", nullptr, SHBGI_FIRST);
    EXPECT_STREQ(L"D A B C", Orders());

    EXPECT_TRUE(m_bar.DeleteGroup(hA));
    EXPECT_STREQ(L"D B C", Orders());
    EXPECT_EQ(-1, m_bar.GetGroupOrder(hA));
    EXPECT_FALSE(m_bar.DeleteGroup(hA)) << "a group goes once";

    HSHBGROUP hE = AddGroup(L"E", nullptr, 1);
    EXPECT_EQ(5u, hE) << "handles are never reused: the first one is gone, yet 1 is not given again";
    EXPECT_STREQ(L"D E B C", Orders());
    EXPECT_EQ(0, AddGroup(L"F", nullptr, 4)) << "an order past the last group is refused";

    // A new place exchanges two groups; the one between stays.
    EXPECT_TRUE(m_bar.SetGroupOrder(hC, 0));
    EXPECT_STREQ(L"C E B D", Orders());
    (void)hB;
    (void)hD;

    EXPECT_TRUE(m_bar.DeleteAllGroups());
    EXPECT_EQ(0, m_bar.GetGroupCount());
}

TEST_F(ShortcutBarTest, GroupsSortByTextWithoutRegardToCase)
{
    AddGroup(L"b");
    AddGroup(L"A");
    AddGroup(L"c");
    m_bar.SortGroupsByText(1);
    EXPECT_STREQ(L"A b c", Orders());
    m_bar.SortGroupsByText(-1);
    EXPECT_STREQ(L"c b A", Orders());
    m_bar.SortGroupsByText(0);
    EXPECT_STREQ(L"c b A", Orders()) << "no direction moves nothing";

    AddGroup(L"B2", nullptr, SHBGI_SORT);
    EXPECT_STREQ(L"A b B2 c", Orders()) << "a sorted insert sorts ascending";
}

TEST_F(ShortcutBarTest, InvalidGroupRecordsAreRefusedAndLeaveTheBarAsItWas)
{
    HSHBGROUP hA = AddGroup(L"A");
    CWnd other;
    ASSERT_TRUE(other.Create(nullptr, L"", WS_CHILD, CRect(), &m_parent, 7));

    SHB_GROUPINFO info;
    info.nMask = 0x01000000;
    EXPECT_EQ(0u, m_bar.InsertGroup(&info)) << "a bit outside the fields";
    info.nMask = SHBGI_IMAGE;
    info.nImage = 0;
    EXPECT_EQ(0u, m_bar.InsertGroup(&info)) << "an image without a header image list";
    info.nMask = SHBGI_VIEW;
    info.nView = 4;
    EXPECT_EQ(0u, m_bar.InsertGroup(&info));
    info.nMask = SHBGI_CHILDWND;
    info.hwndChild = other.m_hWnd;
    EXPECT_EQ(0u, m_bar.InsertGroup(&info)) << "a child window of another parent";
    EXPECT_EQ(1, m_bar.GetGroupCount());

    EXPECT_FALSE(m_bar.SetGroupView(hA, 4));
    EXPECT_TRUE(m_bar.SetGroupView(hA, 3)) << "views 0 to 3 are accepted";
    EXPECT_FALSE(m_bar.SetGroupOrder(hA, 1));
    EXPECT_EQ(0, m_bar.GetGroupOrder(hA));
    EXPECT_FALSE(m_bar.SetGroupText(99, L"x"));

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 1, 0));
    CBitmap bitmap;
    HDC hScreen = ::GetDC(nullptr);
    bitmap.Attach(::CreateCompatibleBitmap(hScreen, 16, 16));
    ::ReleaseDC(nullptr, hScreen);
    images.Add(&bitmap, (CBitmap*)nullptr);
    m_bar.SetImageList(&images);
    info.nMask = SHBGI_IMAGE;
    info.nImage = 0;
    EXPECT_NE(0u, m_bar.InsertGroup(&info)) << "the image is in the list now";
    info.nImage = 1;
    EXPECT_EQ(0u, m_bar.InsertGroup(&info));
    m_bar.SetImageList(nullptr);
}

// A header text is kept with its terminator: it is handed to the owner and drawn as a string,
// and a caller's buffer need not end where the header text does.
TEST_F(ShortcutBarTest, AHeaderTextIsKeptTerminatedAtItsLength)
{
    m_bar.SetBarStyle(SHBS_EDITHEADERS);
    wchar_t szSource[] = L"AlarmsXYZ";
    s_bScribble = true;
    SHB_GROUPINFO info;
    info.nMask = SHBGI_TEXT;
    info.pszText = szSource;
    info.nTextMax = 6;
    HSHBGROUP hGroup = m_bar.InsertGroup(&info);
    s_bScribble = false;
    ASSERT_NE(0u, hGroup);
    EXPECT_STREQ(L"Alarms", m_bar.GetGroupText(hGroup));

    m_parent.m_mapAnswers[SHBN_BEGINHEADEREDIT] = 1;
    m_bar.EditGroupHeader(hGroup);
    const ShortcutNotice* pNotice = m_parent.Find(SHBN_BEGINHEADEREDIT);
    ASSERT_NE(nullptr, pNotice);
    EXPECT_STREQ(L"Alarms", pNotice->strText) << "the owner gets the header text alone";

    info.pszText = const_cast<wchar_t*>(L"Ab");
    info.nTextMax = 80;
    EXPECT_TRUE(m_bar.SetGroupInfo(hGroup, &info)) << "a terminator before nTextMax ends the text";
    EXPECT_STREQ(L"Ab", m_bar.GetGroupText(hGroup));
    info.nTextMax = 0;
    EXPECT_TRUE(m_bar.SetGroupInfo(hGroup, &info));
    EXPECT_STREQ(L"", m_bar.GetGroupText(hGroup)) << "length 0 leaves the header blank";
}

TEST_F(ShortcutBarTest, GroupsWithoutDescriptorsUseTheDefaultsAndDescriptorsChangeFieldByField)
{
    HSHBGROUP hA = AddGroup(L"A");
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), m_bar.GetGroupBkColor(hA));
    EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), m_bar.GetGroupTextColor(hA));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), m_bar.GetGroupHeaderBkColor(hA));
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), m_bar.GetGroupHeaderTextColor(hA));
    EXPECT_EQ(0x8025u, m_bar.GetGroupHeaderTextFormat(hA));
    EXPECT_EQ(18, m_bar.GetGroupHeaderHeight(hA));
    EXPECT_EQ(1, m_bar.GetGroupView(hA));
    EXPECT_EQ((COLORREF)-1, m_bar.GetGroupBkColor(99));
    EXPECT_EQ(-1, m_bar.GetGroupHeaderHeight(99));
    EXPECT_EQ(nullptr, m_bar.GetGroupTextFont(99));
    const LOGFONTW* pHeaderFont = m_bar.GetGroupHeaderTextFont(hA);
    ASSERT_NE(nullptr, pHeaderFont);
    EXPECT_STREQ(L"MS Sans Serif", pHeaderFont->lfFaceName);

    EXPECT_TRUE(m_bar.SetGroupBkColor(hA, RGB(1, 2, 3)));
    EXPECT_TRUE(m_bar.SetGroupHeaderHeight(hA, 30));
    EXPECT_EQ(RGB(1, 2, 3), m_bar.GetGroupBkColor(hA)) << "a later field keeps the earlier ones";
    EXPECT_EQ(30, m_bar.GetGroupHeaderHeight(hA));
    EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), m_bar.GetGroupTextColor(hA));

    SHB_DESCRIPTOR descriptor = {};
    descriptor.nMask = SHBD_HEADERFONT;
    wmemset(descriptor.lfHeader.lfFaceName, L'F', LF_FACESIZE);
    EXPECT_TRUE(m_bar.SetGroupDescriptor(hA, &descriptor));
    EXPECT_EQ(LF_FACESIZE - 1, (int)wcslen(m_bar.GetGroupHeaderTextFont(hA)->lfFaceName))
        << "a face name without its end is cut to fit";

    SHB_GROUPINFO info;
    info.nMask = SHBGI_DESCRIPTOR;
    EXPECT_TRUE(m_bar.SetGroupInfo(hA, &info)) << "no descriptor removes it";
    EXPECT_EQ(18, m_bar.GetGroupHeaderHeight(hA));
}

TEST_F(ShortcutBarTest, HeadersStackFromTheTopAndTheExpandedGroupTakesTheRoomLeft)
{
    CChildProbe probeA, probeB, probeC;
    m_bar.m_nGroupMargin = 2;
    HSHBGROUP hA = AddGroup(L"A", &probeA);
    HSHBGROUP hB = AddGroup(L"B", &probeB);
    HSHBGROUP hC = AddGroup(L"C", &probeC);
    m_bar.SetGroupHeaderHeight(hB, 25);
    EXPECT_EQ(CRect(0, 0, 200, 18), HeaderRect(hA));
    EXPECT_EQ(CRect(0, 20, 200, 45), HeaderRect(hB));
    EXPECT_EQ(CRect(0, 47, 200, 65), HeaderRect(hC));
    EXPECT_TRUE(m_bar.GetChildWndRect().IsRectEmpty()) << "inserting never expands";

    m_bar.ExpandGroup(hB);
    PumpUntilIdle();
    int nFree = 300 - 65;
    EXPECT_EQ(CRect(0, 47 + nFree, 200, 300), HeaderRect(hC)) << "the groups after it sit at the bottom";
    EXPECT_EQ(CRect(0, 20, 200, 45), HeaderRect(hB));
    EXPECT_EQ(CRect(5, 50, 195, 45 + nFree - 5), m_bar.GetChildWndRect()) << "the child area inside its margins";
    CRect rectChild;
    probeB.GetWindowRect(&rectChild);
    m_bar.ScreenToClient((POINT*)&rectChild);
    m_bar.ScreenToClient((POINT*)&rectChild + 1);
    EXPECT_EQ(m_bar.GetChildWndRect(), rectChild);
    EXPECT_TRUE(probeB.IsWindowVisible());
    EXPECT_FALSE(probeA.IsWindowVisible());
    EXPECT_FALSE(probeC.IsWindowVisible());

    m_bar.SetWindowPos(nullptr, 0, 0, 200, 60, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    EXPECT_TRUE(m_bar.GetChildWndRect().IsRectEmpty()) << "headers taller than the bar leave no child area";
    EXPECT_EQ(CRect(0, 47, 200, 65), HeaderRect(hC)) << "and move nothing";
    EXPECT_FALSE(probeB.IsWindowVisible());
}

TEST_F(ShortcutBarTest, DeletingTheExpandedGroupExpandsTheOneThatTakesItsPlace)
{
    CChildProbe probeA, probeB, probeC;
    HSHBGROUP hA = AddGroup(L"A", &probeA);
    HSHBGROUP hB = AddGroup(L"B", &probeB);
    HSHBGROUP hC = AddGroup(L"C", &probeC);
    m_bar.ExpandGroup(hB);
    m_bar.DeleteGroup(hB);
    EXPECT_EQ(hC, m_bar.GetExpandedGroup());
    EXPECT_STREQ(L"0x531 0", probeB.m_arrMessages.back()) << "the child window hears that its group went";
    EXPECT_FALSE(probeB.IsWindowVisible());
    m_bar.DeleteGroup(hC);
    EXPECT_EQ(hA, m_bar.GetExpandedGroup()) << "after the last one the first";
    m_bar.DeleteGroup(hA);
    EXPECT_EQ(0u, m_bar.GetExpandedGroup());
    EXPECT_TRUE(m_bar.GetChildWndRect().IsRectEmpty());
}

TEST_F(ShortcutBarTest, ChildWindowsHearOfTheirGroupAndItsChanges)
{
    CChildProbe probe;
    HSHBGROUP hA = AddGroup(L"A", &probe);
    m_bar.SetGroupView(hA, SHB_SMALLICON);
    m_bar.SetBarStyle(SHBS_TOOLTIPS);
    CString strExpected;
    strExpected.Format(L"0x52E %X,0x52F %X,0x530 20", (UINT)hA, SHBGI_VIEW);
    CString strSeen;
    for (const CString& strMessage : probe.m_arrMessages)
        strSeen += (strSeen.IsEmpty() ? L"" : L",") + strMessage;
    EXPECT_STREQ(strExpected, strSeen);
}

TEST_F(ShortcutBarTest, PaintingFillsTheRestWithTheExpandedGroupsBackground)
{
    CChildProbe probeA, probeB;
    HSHBGROUP hA = AddGroup(L"A", &probeA);
    HSHBGROUP hB = AddGroup(L"B", &probeB);
    SHB_DESCRIPTOR descriptor = {};
    descriptor.nMask = SHBD_CLRBACK | SHBD_CLRHEADERBACK;
    descriptor.clrBackground = RGB(0x20, 0x60, 0xA0);
    descriptor.clrHeaderBackground = RGB(0xC0, 0xE0, 0x80);
    m_bar.SetGroupDescriptor(0, &descriptor);

    WindowPixels image = Capture(&m_bar);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), image.At(100, 200)) << "no group expanded";
    EXPECT_EQ(descriptor.clrHeaderBackground, image.At(5, 9)) << "the face of a header";
    EXPECT_EQ(RGB(255, 255, 0xC0), image.At(0, 0)) << "its raised border, lighter by 64 in each channel";

    m_bar.ExpandGroup(hA);
    image = Capture(&m_bar);
    EXPECT_EQ(descriptor.clrBackground, image.At(2, 100)) << "the margin around the child area";
    EXPECT_EQ(descriptor.clrBackground, image.At(100, 300 - 18 - 2));
    (void)hB;
}

TEST_F(ShortcutBarTest, AGroupGivenItsOwnWindowShowsItInPlaceOfItsListAndBackAgain)
{
    HSHBGROUP hA = AddGroup(L"A");
    m_bar.ExpandGroup(hA);
    CWnd* pList = m_bar.GetGroupListCtrl(hA);
    ASSERT_NE(nullptr, pList);
    EXPECT_TRUE(pList->IsWindowVisible());

    CChildProbe probe;
    ASSERT_TRUE(probe.Create(nullptr, L"", WS_CHILD, CRect(), &m_bar, 0));
    SHB_GROUPINFO info;
    info.nMask = SHBGI_CHILDWND;
    info.hwndChild = probe.m_hWnd;
    EXPECT_TRUE(m_bar.SetGroupInfo(hA, &info));
    EXPECT_EQ(probe.m_hWnd, m_bar.GetGroupChildWndHandle(hA));
    EXPECT_TRUE(probe.IsWindowVisible());
    EXPECT_FALSE(pList->IsWindowVisible());
    CString strAttach;
    strAttach.Format(L"0x52E %X", hA);
    ASSERT_FALSE(probe.m_arrMessages.empty());
    EXPECT_STREQ(strAttach, probe.m_arrMessages[0]);

    info.hwndChild = nullptr;
    EXPECT_TRUE(m_bar.SetGroupInfo(hA, &info));
    EXPECT_EQ(pList->m_hWnd, m_bar.GetGroupChildWndHandle(hA)) << "the list comes back";
    EXPECT_TRUE(pList->IsWindowVisible());
    EXPECT_FALSE(probe.IsWindowVisible());
}

TEST_F(ShortcutBarTest, AWindowTakenOverByTheBarGetsTheDefaultStyle)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, m_parent.m_hWnd,
                                  (HMENU)41, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    COXShortcutBar bar;
    ASSERT_TRUE(bar.SubclassWindow(hWnd));
    EXPECT_EQ(0x020Fu, bar.GetBarStyle());
    EXPECT_TRUE(::IsWindow(::GetDlgItem(hWnd, SHB_IDCEDIT))) << "the header editor is made";
    EXPECT_EQ(0u, m_bar.GetBarStyle()) << "a created bar keeps the style it was given";
}
