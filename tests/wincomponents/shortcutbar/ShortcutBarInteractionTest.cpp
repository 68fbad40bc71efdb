#include "ShortcutBarFixture.h"

#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

#include <functional>
#include <string>

namespace
{
// The bar's own timers, which the tests fire by message rather than by waiting.
const UINT_PTR kPressTimer = 2;
const UINT_PTR kHoverTimer = 3;

class ShortcutBarInteractionTest : public ShortcutBarTest
{
protected:
    // Three groups A, B, C with probes as their child windows, A expanded.
    void AddThree(DWORD dwStyle)
    {
        m_bar.SetBarStyle(dwStyle);
        m_hA = AddGroup(L"A", &m_probeA);
        m_hB = AddGroup(L"B", &m_probeB);
        m_hC = AddGroup(L"C", &m_probeC);
        m_bar.ExpandGroup(m_hA);
        PumpUntilIdle();
        m_parent.m_arrNotices.clear();
    }
    CPoint Centre(HSHBGROUP hGroup) { return HeaderRect(hGroup).CenterPoint(); }
    // Presses on the header, lets the press time pass and drags to the point. The group is
    // expanded first: a press expands a collapsed group, whose header then moves away.
    void DragHeader(HSHBGROUP hGroup, CPoint ptTo)
    {
        m_bar.ExpandGroup(hGroup);
        m_parent.m_arrNotices.clear();
        Mouse(WM_LBUTTONDOWN, Centre(hGroup), MK_LBUTTON);
        m_bar.SendMessage(WM_TIMER, kPressTimer);
        Mouse(WM_MOUSEMOVE, Centre(hGroup), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, ptTo, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, ptTo);
    }
    void ContextMenuAt(CPoint ptClient)
    {
        m_parent.m_mapAnswers[SHBN_CONTEXTMENU] = 1;
        m_bar.ClientToScreen(&ptClient);
        m_bar.SendMessage(WM_CONTEXTMENU, (WPARAM)m_bar.m_hWnd, MAKELPARAM(ptClient.x, ptClient.y));
    }
    CString MenuText()
    {
        CString strAll;
        for (const CString& strEntry : m_parent.m_arrMenu)
            strAll += (strAll.IsEmpty() ? L"" : L",") + strEntry;
        return strAll;
    }
    // Types into the open header editor and ends the edit with the key.
    void TypeAndEnd(const wchar_t* pszText, UINT nKey)
    {
        CWnd* pEdit = CWnd::FromHandle(::GetDlgItem(m_bar.m_hWnd, SHB_IDCEDIT));
        ASSERT_NE(nullptr, pEdit);
        pEdit->SetWindowText(pszText);
        pEdit->PostMessage(WM_KEYDOWN, nKey, 0);
        PumpUntilIdle();
    }

    CChildProbe m_probeA, m_probeB, m_probeC;
    HSHBGROUP m_hA = 0, m_hB = 0, m_hC = 0;
};
} // namespace

TEST_F(ShortcutBarInteractionTest, ExpandingTellsTheParentBeforeAndAfterAndAVetoKeepsTheOldGroup)
{
    AddThree(0);
    CString strExpected;
    EXPECT_EQ(m_hA, m_bar.ExpandGroup(m_hB));
    strExpected.Format(L"0x46A g%u, 0x469 g%u", m_hB, m_hB);
    EXPECT_STREQ(strExpected, m_parent.Codes());
    EXPECT_TRUE(m_probeB.IsWindowVisible());
    EXPECT_FALSE(m_probeA.IsWindowVisible()) << "the old group's child window is hidden";

    m_parent.m_arrNotices.clear();
    EXPECT_EQ(m_hB, m_bar.ExpandGroup(m_hB));
    EXPECT_STREQ(L"", m_parent.Codes()) << "the expanded group stays without a word";

    m_parent.m_mapAnswers[SHBN_GROUPEXPANDING] = 1;
    EXPECT_EQ(m_hB, m_bar.ExpandGroup(m_hC));
    EXPECT_EQ(m_hB, m_bar.GetExpandedGroup());
    EXPECT_FALSE(m_probeC.IsWindowVisible());
}

TEST_F(ShortcutBarInteractionTest, AnimatedExpandingSlidesTheHeadersInRoundsOfTwentyThenForty)
{
    // A child area 100 pixels high: 164 less three headers and the margins above and below.
    m_bar.SetWindowPos(nullptr, 0, 0, 200, 164, SWP_NOMOVE | SWP_NOZORDER);
    AddThree(SHBS_ANIMATEEXPAND);
    ASSERT_EQ(100, m_bar.GetChildWndRect().Height());
    m_probeA.m_arrHeights.clear();
    m_bar.ExpandGroup(m_hC);
    std::vector<int> arrExpected = {80, 60, 40, 0};
    EXPECT_EQ(arrExpected, m_probeA.m_arrHeights) << "the old child window shrinks round by round";
    EXPECT_EQ(CRect(0, 36, 200, 54), HeaderRect(m_hC));
}

TEST_F(ShortcutBarInteractionTest, AHeaderIsDraggedOnlyAfterThePressTimeAndLandsInItsTargetsPlace)
{
    AddThree(0);
    // Moved at once: no drag.
    m_bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(m_hA).x, Centre(m_hA).y));
    m_bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(Centre(m_hA).x, Centre(m_hA).y));
    PumpUntilIdle();
    EXPECT_EQ(0u, m_bar.GetDragGroup());
    Mouse(WM_LBUTTONUP, Centre(m_hA));

    DragHeader(m_hA, Centre(m_hC));
    CString strExpected;
    strExpected.Format(L"0x464 g%u, 0x464 g0, 0x46C g%u", m_hA, m_hA);
    EXPECT_STREQ(strExpected, m_parent.Codes());
    EXPECT_EQ((LPARAM)m_hC, m_parent.Find(SHBN_DROPHEADER)->lParam);
    EXPECT_STREQ(L"C B A", Orders()) << "the two exchange places";
    EXPECT_EQ(nullptr, ::GetCapture());

    m_parent.m_mapAnswers[SHBN_DROPHEADER] = 1;
    DragHeader(m_hB, CPoint(Centre(m_hC).x, 5));
    ASSERT_NE(nullptr, m_parent.Find(SHBN_DROPHEADER));
    EXPECT_STREQ(L"C B A", Orders()) << "a vetoed drop moves nothing";

    m_parent.m_mapAnswers.clear();
    DragHeader(m_hB, Centre(m_hB));
    strExpected.Format(L"0x464 g%u, 0x464 g0, 0x46C g%u", m_hB, m_hB);
    EXPECT_STREQ(strExpected, m_parent.Codes());
    EXPECT_EQ((LPARAM)m_hB, m_parent.Find(SHBN_DROPHEADER)->lParam) << "dropped on itself";
    EXPECT_STREQ(L"C B A", Orders());
}

TEST_F(ShortcutBarInteractionTest, AHeaderDraggedWithItsImageOutOfTheBarLandsNowhere)
{
    AddThree(SHBS_DRAGIMAGE);
    DragHeader(m_hB, CPoint(600, 600));
    CString strExpected;
    strExpected.Format(L"0x464 g%u, 0x464 g0", m_hB);
    EXPECT_STREQ(strExpected, m_parent.Codes());
    EXPECT_STREQ(L"A B C", Orders());
}

TEST_F(ShortcutBarInteractionTest, AHeaderDragEndsWithoutADropWhenAnotherWindowTakesTheMouseOrModesAreCancelled)
{
    AddThree(SHBS_DRAGIMAGE);
    CString strExpected;
    strExpected.Format(L"0x464 g%u, 0x464 g0", m_hB);
    // A message box or a menu takes the capture; a window being disabled gets WM_CANCELMODE.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    const std::function<void()> interruptions[] = {[&] { ::SetCapture(other.m_hWnd); },
                                                   [&] { m_bar.SendMessage(WM_CANCELMODE); }};
    for (const std::function<void()>& interrupt : interruptions)
    {
        m_bar.ExpandGroup(m_hB);
        m_parent.m_arrNotices.clear();
        Mouse(WM_LBUTTONDOWN, Centre(m_hB), MK_LBUTTON);
        m_bar.SendMessage(WM_TIMER, kPressTimer);
        Mouse(WM_MOUSEMOVE, Centre(m_hB), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, Centre(m_hC), MK_LBUTTON);
        ASSERT_EQ(m_hB, m_bar.GetDragGroup());
        ASSERT_NE(nullptr, ImageList_GetDragImage(nullptr, nullptr));

        interrupt();
        PumpUntilIdle();
        EXPECT_EQ(0u, m_bar.GetDragGroup());
        EXPECT_EQ(nullptr, ImageList_GetDragImage(nullptr, nullptr)) << "the drag image left the desktop";
        EXPECT_NE(m_bar.m_hWnd, ::GetCapture());
        ::ReleaseCapture();

        // The next click on a header drops nothing.
        Mouse(WM_LBUTTONDOWN, Centre(m_hC), MK_LBUTTON);
        Mouse(WM_LBUTTONUP, Centre(m_hC));
        EXPECT_STREQ(strExpected, m_parent.Codes().Left(strExpected.GetLength()));
        EXPECT_EQ(nullptr, m_parent.Find(SHBN_DROPHEADER));
        EXPECT_STREQ(L"A B C", Orders());
    }
    other.DestroyWindow();
}

TEST_F(ShortcutBarInteractionTest, NoHeaderDragStyleKeepsHeadersInPlace)
{
    AddThree(SHBS_NOHEADERDRAG);
    DragHeader(m_hB, Centre(m_hC));
    EXPECT_STREQ(L"A B C", Orders());
    EXPECT_EQ(nullptr, m_parent.Find(SHBN_HEADERDRAG));
    EXPECT_EQ(m_hB, m_bar.GetExpandedGroup()) << "the press still expands";
}

TEST_F(ShortcutBarInteractionTest, HoveringOverACollapsedHeaderExpandsItWhenTheTimeIsUp)
{
    AddThree(SHBS_AUTOEXPAND);
    CPoint ptScreen = Centre(m_hC);
    m_bar.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    Mouse(WM_MOUSEMOVE, Centre(m_hC));
    m_bar.SendMessage(WM_TIMER, kHoverTimer);
    EXPECT_EQ(m_hC, m_bar.GetExpandedGroup());

    Mouse(WM_MOUSEMOVE, Centre(m_hB));
    ::SetCursorPos(ptScreen.x - 500, ptScreen.y);
    m_bar.SendMessage(WM_TIMER, kHoverTimer);
    EXPECT_EQ(m_hC, m_bar.GetExpandedGroup()) << "the cursor left before the time was up";
}

TEST_F(ShortcutBarInteractionTest, TheContextMenuOffersWhatTheStyleAllowsAndTheChildAddsItsOwn)
{
    AddThree(SHBS_EDITHEADERS);
    m_probeA.m_arrMessages.clear();
    ContextMenuAt(Centre(m_hB));
    EXPECT_STREQ(L"Add New Group,-,Large Icons*,Small Icons,-,Remove Group,Rename Group", MenuText());
    const ShortcutNotice* pNotice = m_parent.Find(SHBN_CONTEXTMENU);
    ASSERT_NE(nullptr, pNotice);
    EXPECT_EQ(m_hB, pNotice->hGroup) << "the header clicked on";
    EXPECT_TRUE(m_probeA.m_arrMessages.empty()) << "on a header the child window adds nothing";

    ContextMenuAt(m_bar.GetChildWndRect().CenterPoint());
    CString strExpected;
    strExpected.Format(L"0x52D %X", m_hA);
    ASSERT_EQ(1u, m_probeA.m_arrMessages.size());
    EXPECT_STREQ(strExpected, m_probeA.m_arrMessages[0]) << "inside the child area its window adds to the menu";

    m_bar.SetBarStyle(0);
    m_bar.SetGroupView(m_hA, SHB_SMALLICON);
    ContextMenuAt(Centre(m_hC));
    EXPECT_STREQ(L"Large Icons,Small Icons*", MenuText()) << "the checks follow the expanded group";
}

TEST_F(ShortcutBarInteractionTest, AnEmptyBarWithoutHeaderEditingHasAnEmptyContextMenu)
{
    ContextMenuAt(CPoint(100, 100));
    EXPECT_STREQ(L"", MenuText());
    ASSERT_NE(nullptr, m_parent.Find(SHBN_CONTEXTMENU));
    EXPECT_EQ(0u, m_parent.Find(SHBN_CONTEXTMENU)->hGroup);
}

TEST_F(ShortcutBarInteractionTest, TheViewCommandsSetAndCheckTheExpandedGroupsView)
{
    AddThree(0);
    Command(ID_SHB_SMALLICONS);
    EXPECT_EQ(SHB_SMALLICON, m_bar.GetGroupView(m_hA));
    EXPECT_EQ(1, m_bar.GetGroupView(m_hB));

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_SHB_LARGEICONS, L"Large Icons");
    menu.AppendMenu(MF_STRING, ID_SHB_SMALLICONS, L"Small Icons");
    m_bar.SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.GetSafeHmenu(), 0);
    std::vector<CString> arrExpected = {L"Large Icons", L"Small Icons*"};
    EXPECT_EQ(arrExpected, MenuEntries(menu));

    Command(ID_SHB_LARGEICONS);
    EXPECT_EQ(SHB_LARGEICON, m_bar.GetGroupView(m_hA));
}

TEST_F(ShortcutBarInteractionTest, RemoveGroupActsOnTheGroupTheMenuWasOpenedOn)
{
    AddThree(SHBS_EDITHEADERS);
    ContextMenuAt(Centre(m_hB));
    Command(ID_SHB_REMOVEGROUP);
    EXPECT_STREQ(L"A C", Orders());
    EXPECT_EQ(m_hB, m_parent.Find(SHBN_DELETEGROUP)->hGroup);

    m_parent.m_mapAnswers[SHBN_DELETEGROUP] = 1;
    ContextMenuAt(Centre(m_hC));
    Command(ID_SHB_REMOVEGROUP);
    EXPECT_STREQ(L"A C", Orders()) << "the parent may keep a group";
}

TEST_F(ShortcutBarInteractionTest, TheParentIsOfferedTheBarsCommandsFirst)
{
    AddThree(SHBS_EDITHEADERS);
    m_parent.m_nTakenCommand = ID_SHB_REMOVEGROUP;
    ContextMenuAt(Centre(m_hB));
    Command(ID_SHB_REMOVEGROUP);
    EXPECT_EQ(1, m_parent.m_nCommandsTaken);
    EXPECT_STREQ(L"A B C", Orders()) << "the parent carried it out instead";
}

TEST_F(ShortcutBarInteractionTest, AddNewGroupOnAnEmptyBarExpandsItAndOpensTheEditor)
{
    m_bar.SetBarStyle(SHBS_EDITHEADERS);
    Command(ID_SHB_ADDNEWGROUP);
    ASSERT_EQ(1, m_bar.GetGroupCount());
    HSHBGROUP hNew = m_bar.FindGroupByOrder(0);
    EXPECT_EQ(hNew, m_bar.GetExpandedGroup());
    EXPECT_EQ(hNew, m_bar.GetEditGroup());
    EXPECT_STREQ(L"", m_parent.Find(SHBN_BEGINHEADEREDIT)->strText);
    EXPECT_NE(nullptr, m_bar.GetGroupListCtrl(hNew)) << "a group without a window of its own gets a list";

    TypeAndEnd(L"Servers", VK_RETURN);
    EXPECT_STREQ(L"Servers", m_bar.GetGroupText(hNew));
}

TEST_F(ShortcutBarInteractionTest, HeaderEditingCommitsOnEnterCancelsOnEscapeAndTheParentMayVeto)
{
    AddThree(SHBS_EDITHEADERS);
    ASSERT_NE(nullptr, m_bar.EditGroupHeader(m_hB));
    EXPECT_EQ(m_hB, m_bar.GetEditGroup());
    EXPECT_TRUE(m_bar.IsEditingGroupHeader());
    CWnd* pEdit = CWnd::FromHandle(::GetDlgItem(m_bar.m_hWnd, SHB_IDCEDIT));
    CRect rectEdit;
    pEdit->GetWindowRect(&rectEdit);
    m_bar.ScreenToClient((POINT*)&rectEdit);
    m_bar.ScreenToClient((POINT*)&rectEdit + 1);
    EXPECT_EQ(HeaderRect(m_hB), rectEdit) << "the editor lies over the header";
    EXPECT_STREQ(L"B", pEdit->GetWindowText());

    TypeAndEnd(L"Bravo", VK_RETURN);
    EXPECT_STREQ(L"Bravo", m_bar.GetGroupText(m_hB));
    EXPECT_STREQ(L"Bravo", m_parent.Find(SHBN_ENDHEADEREDIT)->strText);
    EXPECT_EQ(0u, m_bar.GetEditGroup());

    m_parent.m_arrNotices.clear();
    m_bar.EditGroupHeader(m_hB);
    TypeAndEnd(L"Nothing", VK_ESCAPE);
    EXPECT_STREQ(L"Bravo", m_bar.GetGroupText(m_hB));
    EXPECT_EQ(nullptr, m_parent.Find(SHBN_ENDHEADEREDIT)) << "an edit given up is not reported";
    EXPECT_EQ(0u, m_bar.GetEditGroup());

    m_parent.m_mapAnswers[SHBN_ENDHEADEREDIT] = 1;
    m_bar.EditGroupHeader(m_hB);
    TypeAndEnd(L"Vetoed", VK_RETURN);
    EXPECT_STREQ(L"Bravo", m_bar.GetGroupText(m_hB));

    m_parent.m_mapAnswers[SHBN_BEGINHEADEREDIT] = 1;
    EXPECT_EQ(nullptr, m_bar.EditGroupHeader(m_hB));
    EXPECT_EQ(0u, m_bar.GetEditGroup());
}

TEST_F(ShortcutBarInteractionTest, DeletingTheGroupWhoseHeaderIsEditedEndsTheEditWithoutAWord)
{
    AddThree(SHBS_EDITHEADERS);
    ASSERT_NE(nullptr, m_bar.EditGroupHeader(m_hB));
    CWnd* pEdit = CWnd::FromHandle(::GetDlgItem(m_bar.m_hWnd, SHB_IDCEDIT));
    pEdit->SetWindowText(L"Typed");
    m_bar.DeleteGroup(m_hB);
    PumpUntilIdle();
    EXPECT_EQ(0u, m_bar.GetEditGroup());
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_EQ(nullptr, m_parent.Find(SHBN_ENDHEADEREDIT));
    EXPECT_STREQ(L"A C", Orders());
}

TEST_F(ShortcutBarInteractionTest, HeadersAreEditedOnlyWithTheStyleAndWhenWhollyInside)
{
    AddThree(0);
    EXPECT_EQ(nullptr, m_bar.EditGroupHeader(m_hA));
    m_bar.SetBarStyle(SHBS_EDITHEADERS);
    m_bar.SetWindowPos(nullptr, 0, 0, 200, 45, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    EXPECT_EQ(nullptr, m_bar.EditGroupHeader(m_hC)) << "the last header lies partly below the bar";
    EXPECT_NE(nullptr, m_bar.EditGroupHeader(m_hB));

    // Rename Group opens the editor on the group the menu was opened on, ending the other edit.
    ContextMenuAt(Centre(m_hA));
    Command(ID_SHB_RENAMEGROUP);
    EXPECT_EQ(m_hA, m_bar.GetEditGroup());
}

TEST_F(ShortcutBarInteractionTest, EveryNotificationComesFromTheBarWithItsGroupAndNoItem)
{
    m_parent.m_mapAnswers[SHBN_INSERTGROUP] = 1;
    EXPECT_EQ(0u, AddGroup(L"Vetoed"));
    ASSERT_NE(nullptr, m_parent.Find(SHBN_INSERTGROUP));
    EXPECT_STREQ(L"Vetoed", m_parent.Find(SHBN_INSERTGROUP)->strText) << "the caller's record";
    m_parent.m_mapAnswers.clear();
    EXPECT_EQ(0, m_bar.GetGroupCount());

    AddThree(SHBS_TOOLTIPS);
    Capture(&m_bar);
    const ShortcutNotice* pDraw = m_parent.Find(SHBN_DRAWHEADER);
    ASSERT_NE(nullptr, pDraw);
    EXPECT_NE(0u, pDraw->hGroup);

    m_parent.m_pszTip = L"Tip of B";
    NMTTDISPINFOW tip = {};
    tip.hdr.hwndFrom = m_bar.GetToolTipHwnd();
    tip.hdr.idFrom = m_hB;
    tip.hdr.code = TTN_NEEDTEXTW;
    m_bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&tip);
    EXPECT_STREQ(L"Tip of B", tip.lpszText);
    EXPECT_EQ(m_hB, m_parent.Find(SHBN_GETHEADERTIP)->hGroup);

    for (const ShortcutNotice& notice : m_parent.m_arrNotices)
    {
        EXPECT_EQ(m_bar.m_hWnd, notice.hwndFrom) << notice.nCode;
        EXPECT_EQ(kBarId, notice.idFrom) << notice.nCode;
        EXPECT_EQ(-1, notice.nItem) << notice.nCode;
    }
}

TEST_F(ShortcutBarInteractionTest, ANarrowHeaderTipShowsAsMuchOfTheTextTheOwnerPointsToAsItHolds)
{
    AddThree(SHBS_TOOLTIPS);
    const std::wstring strOwn = L"Tip of B, " + std::wstring(100, L'x');
    m_parent.m_pszTip = strOwn.c_str();
    m_parent.m_bTipByPointer = true;
    NMTTDISPINFOA narrow = {};
    narrow.hdr.hwndFrom = m_bar.GetToolTipHwnd();
    narrow.hdr.idFrom = m_hB;
    narrow.hdr.code = TTN_NEEDTEXTA;
    m_bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&narrow);
    EXPECT_EQ(std::string(strOwn.begin(), strOwn.begin() + 79), narrow.lpszText);
}

TEST_F(ShortcutBarInteractionTest, HeadersAreToolsOnlyWithTheToolTipStyle)
{
    AddThree(0);
    TOOLINFOW info = {};
    EXPECT_EQ(-1, m_bar.OnToolHitTest(Centre(m_hB), &info));
    m_bar.SetBarStyle(SHBS_TOOLTIPS);
    EXPECT_EQ((INT_PTR)m_hB, m_bar.OnToolHitTest(Centre(m_hB), &info));
    EXPECT_EQ(HeaderRect(m_hB), CRect(info.rect));
    EXPECT_EQ(-1, m_bar.OnToolHitTest(m_bar.GetChildWndRect().CenterPoint(), &info));
}

// Real mouse input: a click on a collapsed header expands it on the button's way down.
TEST_F(ShortcutBarInteractionTest, AClickOnACollapsedHeaderExpandsItAtOnce)
{
    AddThree(0);
    ::SetWindowPos(Host().m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CPoint ptScreen = Centre(m_hC);
    m_bar.ClientToScreen(&ptScreen);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dx = (ptScreen.x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
    inputs[0].mi.dy = (ptScreen.y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ASSERT_EQ(2u, SendInput(2, inputs, sizeof(INPUT)));
    Sleep(50);
    PumpUntilIdle();
    EXPECT_EQ(m_hC, m_bar.GetExpandedGroup()) << "expanded with the button still down";
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(1u, SendInput(1, inputs, sizeof(INPUT)));
    Sleep(50);
    PumpUntilIdle();
    CString strExpected;
    strExpected.Format(L"0x46A g%u, 0x469 g%u", m_hC, m_hC);
    EXPECT_STREQ(strExpected, m_parent.Codes());
    EXPECT_TRUE(m_probeC.IsWindowVisible());
}

namespace
{
// Three groups with their own lists of items, the first expanded.
class ShortcutBarItemsTest : public ShortcutBarTest
{
protected:
    void SetUp() override
    {
        ShortcutBarTest::SetUp();
        m_bar.SetBarStyle(SHBS_EDITITEMS | SHBS_BOLDEXPANDED);
        ASSERT_TRUE(m_large.Create(32, 32, ILC_COLOR32 | ILC_MASK, 3, 0));
        ASSERT_TRUE(m_small.Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0));
        for (LPCWSTR pszIcon : {IDI_INFORMATION, IDI_WARNING, IDI_ERROR})
        {
            HICON hIcon = ::LoadIconW(nullptr, pszIcon);
            m_large.Add(hIcon);
            m_small.Add(hIcon);
        }
        const wchar_t* groups[3][3] = {{L"Disk full", L"Service stopped", L"Logon failed"},
                                       {L"Windows", L"Syslog", L"SNMP"},
                                       {L"Today", L"This week", L"Older"}};
        const wchar_t* headers[3] = {L"Alarms", L"Sources", L"Age"};
        for (int nGroup = 0; nGroup < 3; nGroup++)
        {
            m_hGroups[nGroup] = AddGroup(headers[nGroup]);
            m_bar.SetLCImageList(m_hGroups[nGroup], m_large, LVSIL_NORMAL);
            m_bar.SetLCImageList(m_hGroups[nGroup], m_small, LVSIL_SMALL);
            for (int nItem = 0; nItem < 3; nItem++)
            {
                LVITEMW item = {};
                item.mask = LVIF_TEXT | LVIF_IMAGE;
                item.iItem = nItem;
                item.pszText = const_cast<wchar_t*>(groups[nGroup][nItem]);
                item.iImage = nItem;
                m_bar.InsertLCItem(m_hGroups[nGroup], &item);
            }
        }
        m_bar.ExpandGroup(m_hGroups[0]);
        PumpUntilIdle();
    }
    void TearDown() override
    {
        ShortcutBarTest::TearDown();
        // The lists share the image lists, which go before the bar.
        m_bar.DeleteAllGroups();
    }
    COXSHBListCtrl& List() { return *m_bar.GetGroupListCtrl(m_hGroups[0]); }
    // Puts the real pointer over the item, which makes it the list's context item.
    void HoverItem(int nItem)
    {
        ::SetWindowPos(Host().m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        CRect rect;
        rect.left = LVIR_BOUNDS;
        List().SendMessage(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)(RECT*)&rect);
        CPoint point = rect.CenterPoint();
        CPoint ptScreen = point;
        List().ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        List().PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        PumpUntilIdle();
    }

    CImageList m_large, m_small;
    HSHBGROUP m_hGroups[3] = {};
};
} // namespace

TEST_F(ShortcutBarItemsTest, ThreeGroupsWithItemsShowTheExpandedGroupsListBelowItsHeader)
{
    ASSERT_NE(nullptr, m_bar.GetGroupListCtrl(m_hGroups[0]));
    EXPECT_TRUE(List().IsWindowVisible());
    EXPECT_FALSE(m_bar.GetGroupListCtrl(m_hGroups[1])->IsWindowVisible());
    EXPECT_EQ(3, (int)List().SendMessage(LVM_GETITEMCOUNT));
    CRect rectList;
    List().GetWindowRect(&rectList);
    m_bar.ScreenToClient((POINT*)&rectList);
    m_bar.ScreenToClient((POINT*)&rectList + 1);
    EXPECT_EQ(m_bar.GetChildWndRect(), rectList);
    PumpUntilIdle();
    SaveScreenshot(L"shortcut-bar.png");
}

TEST_F(ShortcutBarItemsTest, RemoveItemAndRenameItemActOnTheListsContextItem)
{
    HoverItem(1);
    Command(ID_SHB_REMOVEITEM);
    EXPECT_EQ(2, (int)List().SendMessage(LVM_GETITEMCOUNT));
    wchar_t szText[32] = L"";
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 1;
    item.pszText = szText;
    item.cchTextMax = 32;
    List().SendMessage(LVM_GETITEMW, 0, (LPARAM)&item);
    EXPECT_STREQ(L"Logon failed", szText) << "the item under the pointer went";

    HoverItem(0);
    Command(ID_SHB_RENAMEITEM);
    EXPECT_EQ(0, List().GetEditItem());
    EXPECT_TRUE(List().GetEditControl()->IsEditing());

    m_bar.SetBarStyle(SHBS_BOLDEXPANDED);
    EXPECT_EQ(nullptr, m_bar.EditLCItem(m_hGroups[0], 1)) << "items are edited only with the style";
}
