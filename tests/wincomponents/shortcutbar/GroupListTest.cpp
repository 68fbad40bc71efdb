#include "GuiTest.h"

#include "framework/controls/CMenu.h"
#include "framework/gdi/CBitmap.h"
#include "framework/ole/COleDataSource.h"
#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

#include "SquareImages.h"

#include <map>
#include <string>
#include <vector>

namespace
{
const int kList = 40;
const int kIconSize = 32;
const int kSmallIconSize = 16;
const COLORREF kIconColor = RGB(200, 30, 30);

// One notification as the list's owner saw it.
struct Notice
{
    UINT nCode;
    HSHBGROUP hGroup;
    int nItem;
    CString strText; // the text of the codes that carry one
};

// The owner of the list (or of the stand-in bar): writes down every notification and answers
// the codes listed in m_mapAnswers.
class CNoticeOwner : public CWnd
{
public:
    std::vector<Notice> m_arrNotices;
    std::map<UINT, LRESULT> m_mapAnswers;
    int m_nContextMenus = 0;
    const wchar_t* m_pszOwnTip = nullptr; // the info tip's text the owner points to, besides "tip"

    int Count(UINT nCode) const
    {
        int nCount = 0;
        for (const Notice& notice : m_arrNotices)
            nCount += notice.nCode == nCode;
        return nCount;
    }
    const Notice* Last(UINT nCode) const
    {
        for (auto it = m_arrNotices.rbegin(); it != m_arrNotices.rend(); ++it)
            if (it->nCode == nCode)
                return &*it;
        return nullptr;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_nContextMenus += message == WM_CONTEXTMENU;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMSHORTCUTBAR* pNotify = (const NMSHORTCUTBAR*)lParam;
        UINT nCode = pNotify->hdr.code;
        if (nCode < SHBN_BEGINDRAGITEM || nCode > SHBN_DROP)
            return CWnd::OnNotify(wParam, lParam, pResult);
        Notice notice = {nCode, pNotify->hGroup, pNotify->nItem, L""};
        if (nCode == SHBN_BEGINITEMEDIT || nCode == SHBN_ENDITEMEDIT)
            notice.strText = (const wchar_t*)pNotify->lParam;
        if (nCode == SHBN_GETITEMINFOTIP)
        {
            lstrcpynW(((SHBINFOTIP*)pNotify->lParam)->szText, L"tip", 80);
            ((SHBINFOTIP*)pNotify->lParam)->lpszText = m_pszOwnTip;
        }
        if (nCode != SHBN_DRAWITEM)
            m_arrNotices.push_back(notice);
        auto it = m_mapAnswers.find(nCode);
        *pResult = it == m_mapAnswers.end() ? 0 : it->second;
        return TRUE;
    }
};

// A stand-in for the shortcut bar: a window that hosts a group list and answers for its group.
class CStandInBar : public CNoticeOwner, public COXSHBListHost
{
public:
    DWORD m_dwStyle = 0;
    int m_nView = SHB_LARGEICON;
    COLORREF m_clrBack = RGB(0, 128, 128);
    COLORREF m_clrText = RGB(255, 255, 0);
    std::vector<HSHBGROUP> m_arrNotifiedGroups;

    DWORD GetBarStyle() const override { return m_dwStyle; }
    CSize GetScrollButtonSize() const override { return CSize(20, 20); }
    UINT GetScrollingDelay() const override { return 200; }
    UINT GetAutoScrollingDelay() const override { return 400; }
    BOOL IsEditingGroupHeader() const override { return FALSE; }
    int GetGroupView(HSHBGROUP) const override { return m_nView; }
    COLORREF GetGroupBkColor(HSHBGROUP) const override { return m_clrBack; }
    BOOL SetGroupBkColor(HSHBGROUP, COLORREF clr) override
    {
        m_clrBack = clr;
        return TRUE;
    }
    COLORREF GetGroupTextColor(HSHBGROUP) const override { return m_clrText; }
    BOOL SetGroupTextColor(HSHBGROUP, COLORREF clr) override
    {
        m_clrText = clr;
        return TRUE;
    }
    const LOGFONTW* GetGroupTextFont(HSHBGROUP) override
    {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_lf, &m_lf);
        return &m_lf;
    }
    // The bar speaks for its lists: its own window and id, to its own parent (here: itself).
    LRESULT SendSHBNotification(NMSHORTCUTBAR* pNotify) override
    {
        pNotify->hdr.hwndFrom = m_hWnd;
        pNotify->hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
        LRESULT lResult = 0;
        OnNotify(pNotify->hdr.idFrom, (LPARAM)pNotify, &lResult);
        return lResult;
    }

private:
    LOGFONTW m_lf = {};
};

// An image list of squares of one colour.
void MakeImages(CImageList& images, int nSize, int nCount)
{
    MakeSquareImages(images, nSize, nCount, kIconColor);
}

// Sorts the items by their data, highest first.
int CALLBACK CompareDescending(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    return (int)(lParam2 - lParam1);
}

class GroupListTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 600, 440), &Host(), 1));
        MakeImages(m_images, kIconSize, 4);
        MakeImages(m_smallImages, kSmallIconSize, 4);
    }

    // A standalone list of nCount items "Item 0", "Item 1", ... with images.
    void CreateList(int nCount, DWORD dwStyle = 0, CRect rect = CRect(10, 10, 170, 410))
    {
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_SHAREIMAGELISTS | dwStyle, rect, &m_owner, kList));
        m_list.SetImageList(&m_images, LVSIL_NORMAL);
        m_list.SetImageList(&m_smallImages, LVSIL_SMALL);
        for (int i = 0; i < nCount; i++)
        {
            CString strText;
            strText.Format(L"Item %d", i);
            m_list.InsertItem(i, strText, i % 4);
        }
        PumpUntilIdle();
        m_owner.m_arrNotices.clear();
    }

    CRect ItemRect(int nItem, int nCode)
    {
        CRect rect;
        EXPECT_TRUE(m_list.GetItemRect(nItem, &rect, (UINT)nCode));
        return rect;
    }
    CPoint LabelCentre(int nItem) { return ItemRect(nItem, LVIR_LABEL).CenterPoint(); }

    void Press(CPoint point)
    {
        m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }
    void Release(CPoint point)
    {
        m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    void ClickMessage(CPoint point)
    {
        Press(point);
        Release(point);
        PumpUntilIdle();
    }

    CString Codes()
    {
        CString strAll;
        for (const Notice& notice : m_owner.m_arrNotices)
        {
            // The pointer's item follows wherever the shared display's pointer happens to be.
            if (notice.nCode == SHBN_HOTITEM)
                continue;
            CString strOne;
            strOne.Format(L"%s%X:%d", strAll.IsEmpty() ? L"" : L" ", notice.nCode, notice.nItem);
            strAll += strOne;
        }
        return strAll;
    }

    // Real mouse input at a point of the list; the host stays on top so that no other window
    // takes it.
    void MoveMouse(CPoint ptClient, CWnd* pList = nullptr)
    {
        ::SetWindowPos(Host().m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::ClientToScreen(pList ? pList->m_hWnd : m_list.m_hWnd, &ptClient);
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = (ptClient.x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = (ptClient.y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ASSERT_EQ(1u, SendInput(1, &input, sizeof(INPUT)));
        Sleep(50);
        PumpUntilIdle();
    }
    void MouseButton(DWORD dwFlags)
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = dwFlags;
        ASSERT_EQ(1u, SendInput(1, &input, sizeof(INPUT)));
        Sleep(50);
        PumpUntilIdle();
    }

    CImageList m_images;
    CImageList m_smallImages;
    CNoticeOwner m_owner;
    COXSHBListCtrl m_list;
};

TEST_F(GroupListTest, LargeIconsStackItemsWithTheIconCentredAboveTheLabel)
{
    CreateList(3);
    CRect rectClient;
    m_list.GetClientRect(&rectClient);
    int nTop = 2;
    for (int i = 0; i < 3; i++)
    {
        SCOPED_TRACE(i);
        CRect rectItem = ItemRect(i, -1);
        CRect rectIcon = ItemRect(i, LVIR_ICON);
        CRect rectLabel = ItemRect(i, LVIR_LABEL);
        EXPECT_EQ(CRect(0, nTop, rectClient.right, rectItem.bottom), rectItem);
        // The icon's bounds grown by 3 on every side, centred across the row.
        EXPECT_EQ(kIconSize + 6, rectIcon.Width());
        EXPECT_EQ(nTop, rectIcon.top);
        EXPECT_EQ((rectClient.Width() - rectIcon.Width()) / 2, rectIcon.left);
        EXPECT_EQ(rectIcon.bottom, rectLabel.top);
        EXPECT_EQ((rectClient.Width() - rectLabel.Width()) / 2, rectLabel.left);
        EXPECT_EQ(rectIcon.Height() + rectLabel.Height(), rectItem.Height());
        nTop = rectItem.bottom + 6;
    }
}

TEST_F(GroupListTest, LabelsWithoutIconsAndLabelsWiderThanTheListKeepInsideTheRow)
{
    CreateList(0);
    m_list.InsertItem(0, L"no image here");
    m_list.InsertItem(1, L"a label that is far too long to stand on one line of this narrow list", 0);
    CRect rectClient;
    m_list.GetClientRect(&rectClient);

    // Large icons: the label starts at the item's top, a long one wraps within the width.
    m_list.SetImageList(nullptr, LVSIL_NORMAL);
    EXPECT_EQ(ItemRect(0, -1).top, ItemRect(0, LVIR_LABEL).top);
    m_list.SetImageList(&m_images, LVSIL_NORMAL);
    CRect rectLong = ItemRect(1, LVIR_LABEL);
    EXPECT_GE(rectLong.left, 0);
    EXPECT_LE(rectLong.right, rectClient.right);
    EXPECT_GT(rectLong.Height(), ItemRect(0, LVIR_LABEL).Height());

    // Small icons: the label follows the icon on one line and never passes the width; without
    // an image it starts 2 pixels in.
    m_list.ModifyStyle(0, LVS_SMALLICON);
    PumpUntilIdle();
    CRect rectIcon = ItemRect(1, LVIR_ICON);
    CRect rectLabel = ItemRect(1, LVIR_LABEL);
    EXPECT_EQ(kSmallIconSize + 6, rectIcon.Width());
    EXPECT_EQ(rectIcon.right, rectLabel.left);
    EXPECT_EQ(rectClient.right, rectLabel.right);
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iImage = -1;
    m_list.SetItem(&item);
    EXPECT_EQ(2, ItemRect(0, LVIR_LABEL).left);
}

TEST_F(GroupListTest, AnEmptyListOrAnEmptyClientAreaHasNoGeometry)
{
    CreateList(0);
    EXPECT_EQ(-1, m_list.GetTopIndex());
    EXPECT_TRUE(m_list.GetUpButtonRect().IsRectEmpty());
    EXPECT_TRUE(m_list.GetDownButtonRect().IsRectEmpty());
    EXPECT_EQ(-1, m_list.HitTest(CPoint(50, 10)));

    m_list.InsertItem(0, L"one", 0);
    m_list.InsertItem(1, L"two", 1);
    m_list.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    for (int nCode : {-1, LVIR_ICON, LVIR_LABEL})
    {
        EXPECT_TRUE(ItemRect(0, nCode).IsRectEmpty());
        EXPECT_TRUE(ItemRect(1, nCode).IsRectEmpty());
    }
}

TEST_F(GroupListTest, HitTestsTellIconLabelRowAndOutside)
{
    CreateList(3);
    int nPart = 0;
    EXPECT_EQ(1, m_list.HitTest(ItemRect(1, LVIR_ICON).CenterPoint(), &nPart));
    EXPECT_EQ(SHBLC_ONIMAGE, nPart);
    EXPECT_EQ(1, m_list.HitTest(LabelCentre(1), &nPart));
    EXPECT_EQ(SHBLC_ONLABEL, nPart);
    CRect rectIcon = ItemRect(1, LVIR_ICON);
    EXPECT_EQ(1, m_list.HitTest(CPoint(2, rectIcon.CenterPoint().y), &nPart));
    EXPECT_EQ(SHBLC_ONITEMROW, nPart);
    CRect rectItem = ItemRect(2, -1);
    EXPECT_EQ(-1, m_list.HitTest(CPoint(10, rectItem.bottom + 20), &nPart));
    EXPECT_EQ(SHBLC_BELOW, nPart);

    // The list-view message answers the same.
    LVHITTESTINFO hit = {};
    hit.pt = LabelCentre(2);
    EXPECT_EQ(2, (int)m_list.SendMessage(LVM_HITTEST, 0, (LPARAM)&hit));
    EXPECT_EQ(2, hit.iItem);
    EXPECT_EQ((UINT)SHBLC_ONLABEL, hit.flags);
}

TEST_F(GroupListTest, ScrollButtonsAppearWhenContentIsCutAndScrollByPages)
{
    CreateList(12, 0, CRect(10, 10, 170, 250));
    CRect rectDown = m_list.GetDownButtonRect();
    ASSERT_FALSE(rectDown.IsRectEmpty());
    EXPECT_TRUE(m_list.GetUpButtonRect().IsRectEmpty());
    EXPECT_EQ(16, rectDown.Width());
    int nPerPage = m_list.GetCountPerPage();
    ASSERT_GT(nPerPage, 1);

    // Down: the item after the page's fully shown ones comes to the top.
    int nPart = 0;
    EXPECT_EQ(-1, m_list.HitTest(rectDown.CenterPoint(), &nPart));
    EXPECT_EQ(SHBLC_ONDOWNBUTTON, nPart);
    ClickMessage(rectDown.CenterPoint());
    int nTop = m_list.GetTopIndex();
    EXPECT_EQ(nPerPage - 1, nTop);
    EXPECT_EQ(2, ItemRect(nTop, -1).top);
    EXPECT_FALSE(m_list.GetUpButtonRect().IsRectEmpty());
    POINT ptOrigin = {};
    EXPECT_TRUE(m_list.SendMessage(LVM_GETORIGIN, 0, (LPARAM)&ptOrigin));
    EXPECT_EQ(m_list.GetOrigin(), CPoint(ptOrigin));

    // Up from a fully shown top item jumps back a whole page: here to the start.
    ClickMessage(m_list.GetUpButtonRect().CenterPoint());
    EXPECT_EQ(0, m_list.GetTopIndex());
    EXPECT_EQ(0, m_list.GetOrigin().y);
    EXPECT_TRUE(m_list.GetUpButtonRect().IsRectEmpty());

    // Down steps end with the last item shown; without scrolling the buttons do nothing.
    int nClicks = 0;
    for (; !m_list.GetDownButtonRect().IsRectEmpty() && nClicks < 20; nClicks++)
        ClickMessage(m_list.GetDownButtonRect().CenterPoint());
    EXPECT_LT(nClicks, 20);
    EXPECT_GE(ItemRect(11, -1).top, 2);
    EXPECT_LE(ItemRect(11, -1).bottom, 238);
    EXPECT_FALSE(m_list.Scroll(CSize(0, 50)));

    COXSHBListCtrl quiet;
    ASSERT_TRUE(quiet.Create(WS_CHILD | WS_VISIBLE | LVS_SHAREIMAGELISTS | LVS_NOSCROLL, CRect(200, 10, 360, 250), &m_owner, 9));
    quiet.SetImageList(&m_images, LVSIL_NORMAL);
    for (int i = 0; i < 12; i++)
        quiet.InsertItem(i, L"quiet", 0);
    quiet.HitTest(rectDown.CenterPoint(), &nPart);
    EXPECT_NE(SHBLC_ONDOWNBUTTON, nPart);
    quiet.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectDown.CenterPoint().x, rectDown.CenterPoint().y));
    EXPECT_EQ(0, quiet.GetTopIndex());
}

TEST_F(GroupListTest, APressSelectsAndAReleaseOnTheSameItemActivatesWithVetoes)
{
    CreateList(4);
    ClickMessage(LabelCentre(1));
    EXPECT_EQ(L"47F:1 480:1", Codes());
    EXPECT_EQ(1, m_list.GetSelectedItem());
    EXPECT_EQ(1, m_list.GetActiveItem());

    // Released on another item: selected, not activated.
    m_owner.m_arrNotices.clear();
    Press(LabelCentre(2));
    Release(LabelCentre(3));
    EXPECT_EQ(L"47F:2", Codes());
    EXPECT_EQ(1, m_list.GetActiveItem());

    // A click in the row beside the icon and label changes nothing.
    m_owner.m_arrNotices.clear();
    ClickMessage(CPoint(1, ItemRect(3, LVIR_ICON).CenterPoint().y));
    EXPECT_EQ(L"", Codes());

    // The owner keeps the active item, then the selected one.
    m_owner.m_mapAnswers[SHBN_ACTIVATEITEM] = 1;
    ClickMessage(LabelCentre(3));
    EXPECT_EQ(3, m_list.GetSelectedItem());
    EXPECT_EQ(1, m_list.GetActiveItem());
    m_owner.m_mapAnswers[SHBN_SELECTITEM] = 1;
    m_owner.m_mapAnswers[SHBN_ACTIVATEITEM] = 0;
    m_owner.m_arrNotices.clear();
    ClickMessage(LabelCentre(0));
    EXPECT_EQ(3, m_list.GetSelectedItem());
    EXPECT_EQ(1, m_list.GetActiveItem());
    EXPECT_EQ(L"47F:0", Codes());
}

TEST_F(GroupListTest, TheListViewMessagesSeeTheListsOwnLayout)
{
    CreateList(6, 0, CRect(10, 10, 170, 200));
    CRect rectItem = ItemRect(2, -1);
    POINT pt = {};
    EXPECT_TRUE(m_list.SendMessage(LVM_GETITEMPOSITION, 2, (LPARAM)&pt));
    EXPECT_EQ(rectItem.TopLeft(), CPoint(pt));
    CRect rectView;
    EXPECT_TRUE(m_list.SendMessage(LVM_GETVIEWRECT, 0, (LPARAM)(RECT*)&rectView));
    EXPECT_EQ(2, rectView.top);
    EXPECT_EQ(ItemRect(5, -1).bottom, rectView.bottom);
    EXPECT_EQ(0, (int)m_list.SendMessage(LVM_GETTOPINDEX));
    EXPECT_EQ(m_list.GetCountPerPage(), (int)m_list.SendMessage(LVM_GETCOUNTPERPAGE));
    EXPECT_FALSE(m_list.GetItemRect(6, &rectItem, LVIR_BOUNDS)) << "no item 6";

    // Bounds: the union of icon and label.
    CRect rectBounds = ItemRect(1, LVIR_BOUNDS);
    CRect rectUnion;
    CRect rectIcon = ItemRect(1, LVIR_ICON);
    CRect rectLabel = ItemRect(1, LVIR_LABEL);
    ::UnionRect(&rectUnion, &rectIcon, &rectLabel);
    EXPECT_EQ(rectUnion, rectBounds);

    // Scrolling by message moves every rectangle and the top index.
    EXPECT_TRUE(m_list.SendMessage(LVM_SCROLL, 0, ItemRect(2, -1).top - 2));
    EXPECT_EQ(2, (int)m_list.SendMessage(LVM_GETTOPINDEX));
    EXPECT_TRUE(m_list.SendMessage(LVM_ENSUREVISIBLE, 0, FALSE));
    EXPECT_EQ(0, (int)m_list.SendMessage(LVM_GETTOPINDEX));

    // Nearest item below a point between two items, with and without wrapping.
    LVFINDINFOW find = {};
    find.flags = LVFI_NEARESTXY;
    find.pt = CPoint(5, ItemRect(3, -1).top - 3);
    find.vkDirection = VK_DOWN;
    EXPECT_EQ(3, (int)m_list.SendMessage(LVM_FINDITEMW, (WPARAM)-1, (LPARAM)&find));
    EXPECT_EQ(5, (int)m_list.SendMessage(LVM_FINDITEMW, 4, (LPARAM)&find));
    find.vkDirection = VK_UP;
    EXPECT_EQ(-1, (int)m_list.SendMessage(LVM_FINDITEMW, 4, (LPARAM)&find)) << "nothing after item 4 is above";
    find.flags |= LVFI_WRAP;
    EXPECT_EQ(2, (int)m_list.SendMessage(LVM_FINDITEMW, 4, (LPARAM)&find));

    // Hot item, redraw ranges.
    EXPECT_EQ(-1, (int)m_list.SendMessage(LVM_SETHOTITEM, 4));
    EXPECT_EQ(4, (int)m_list.SendMessage(LVM_GETHOTITEM));
    EXPECT_EQ(4, m_owner.Last(SHBN_HOTITEM)->nItem);
    EXPECT_TRUE(m_list.SendMessage(LVM_REDRAWITEMS, 0, 5));
    EXPECT_FALSE(m_list.SendMessage(LVM_REDRAWITEMS, 4, 6));

    // Deleting, inserting and emptying are announced.
    m_owner.m_arrNotices.clear();
    m_list.DeleteItem(5);
    m_list.InsertItem(2, L"new", 0);
    m_list.DeleteAllItems();
    EXPECT_EQ(L"47B:5 47E:2 47A:-1", Codes());
    EXPECT_EQ(-1, m_list.GetTopIndex());
}

TEST_F(GroupListTest, EveryItemIndexFollowsDeletionsAndInsertions)
{
    CreateList(5, LVS_EDITLABELS);
    // The pointer's item, the clicked one and the one being renamed.
    m_list.SetHotItem(3);
    ClickMessage(LabelCentre(2));
    ASSERT_EQ(2, m_list.GetActiveItem());
    ASSERT_TRUE(m_list.EditLabel(4) != nullptr);
    ASSERT_EQ(L"Item 3", m_list.GetItemText(m_list.GetContextItem(), 0));

    m_list.DeleteItem(0);
    EXPECT_EQ(L"Item 2", m_list.GetItemText(m_list.GetActiveItem(), 0));
    EXPECT_EQ(L"Item 3", m_list.GetItemText(m_list.GetHotItem(), 0));
    EXPECT_EQ(L"Item 3", m_list.GetItemText(m_list.GetContextItem(), 0)) << "Remove Item would hit another item";
    EXPECT_EQ(L"Item 4", m_list.GetItemText(m_list.GetEditItem(), 0)) << "the rename would go to another item";

    m_list.InsertItem(0, L"first", 0);
    EXPECT_EQ(L"Item 3", m_list.GetItemText(m_list.GetHotItem(), 0));
    EXPECT_EQ(L"Item 4", m_list.GetItemText(m_list.GetEditItem(), 0));
    m_list.GetEditControl()->SetWindowText(L"renamed");
    m_list.GetEditControl()->FinishEdit(TRUE);
    EXPECT_EQ(L"renamed", m_list.GetItemText(4, 0));

    // After the pointer has gone, the item it was last on stays the context item, and goes when
    // that item is deleted.
    m_list.SetHotItem(-1);
    EXPECT_EQ(L"Item 3", m_list.GetItemText(m_list.GetContextItem(), 0));
    m_list.DeleteItem(m_list.GetContextItem());
    EXPECT_EQ(-1, m_list.GetContextItem());

    // An edit of a deleted item ends without renaming anything.
    ASSERT_TRUE(m_list.EditLabel(1) != nullptr);
    m_list.GetEditControl()->SetWindowText(L"lost");
    m_list.DeleteItem(1);
    EXPECT_EQ(-1, m_list.GetEditItem());
    EXPECT_FALSE(m_list.GetEditControl()->IsWindowVisible());
    for (int i = 0; i < m_list.GetItemCount(); i++)
        EXPECT_NE(L"lost", m_list.GetItemText(i, 0));

    // A sort moves every item: no index names the same item afterwards.
    for (int i = 0; i < m_list.GetItemCount(); i++)
        m_list.SetItemData(i, (DWORD_PTR)i);
    m_list.SetHotItem(0);
    ClickMessage(LabelCentre(1));
    EXPECT_TRUE(m_list.SendMessage(LVM_SORTITEMS, 0, (LPARAM)CompareDescending));
    EXPECT_EQ(L"first", m_list.GetItemText(m_list.GetItemCount() - 1, 0));
    EXPECT_EQ(-1, m_list.GetHotItem());
    EXPECT_EQ(-1, m_list.GetActiveItem());
    EXPECT_EQ(-1, m_list.GetContextItem());

    // So do the edits of a deleted group and of emptied lists.
    ASSERT_TRUE(m_list.EditLabel(0) != nullptr);
    m_list.SendMessage(SHBM_GROUPDELETED);
    EXPECT_EQ(-1, m_list.GetEditItem());
    ASSERT_TRUE(m_list.EditLabel(0) != nullptr);
    m_list.GetEditControl()->SetWindowText(L"lost");
    m_list.SetHotItem(1);
    m_list.DeleteAllItems();
    EXPECT_EQ(-1, m_list.GetEditItem());
    EXPECT_FALSE(m_list.GetEditControl()->IsWindowVisible());
    EXPECT_EQ(-1, m_list.GetHotItem());
    EXPECT_EQ(-1, m_list.GetContextItem());
    EXPECT_EQ(-1, m_list.GetActiveItem());
}

TEST_F(GroupListTest, EnterCommitsALabelEditAndEscapeLeavesTheLabel)
{
    CreateList(3);
    EXPECT_TRUE(m_list.EditLabel(1) == nullptr) << "labels are not editable";
    EXPECT_EQ(L"", Codes());

    m_list.ModifyStyle(0, LVS_EDITLABELS);
    COXSHBEdit* pEdit = m_list.EditLabel(1);
    ASSERT_TRUE(pEdit != nullptr);
    EXPECT_EQ((LRESULT)pEdit->m_hWnd, m_list.SendMessage(LVM_GETEDITCONTROL));
    EXPECT_TRUE(pEdit->IsWindowVisible());
    EXPECT_EQ(L"Item 1", pEdit->GetWindowText());
    EXPECT_EQ(L"Item 1", m_owner.Last(SHBN_BEGINITEMEDIT)->strText);
    pEdit->SetWindowText(L"Disks");
    pEdit->PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    PumpUntilIdle();
    EXPECT_EQ(L"Disks", m_list.GetItemText(1, 0));
    EXPECT_EQ(L"Disks", m_owner.Last(SHBN_ENDITEMEDIT)->strText);
    EXPECT_EQ(1, m_owner.Count(SHBN_ENDITEMEDIT));
    EXPECT_EQ(-1, m_list.GetEditItem());
    EXPECT_FALSE(pEdit->IsWindowVisible());

    // Escape: the label stays, and the edit is over.
    ASSERT_EQ((LRESULT)pEdit->m_hWnd, m_list.SendMessage(LVM_EDITLABELW, 2));
    pEdit->SetWindowText(L"Printers");
    pEdit->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PumpUntilIdle();
    EXPECT_EQ(L"Item 2", m_list.GetItemText(2, 0));
    EXPECT_EQ(-1, m_list.GetEditItem());
    EXPECT_EQ(1, m_owner.Count(SHBN_ENDITEMEDIT));

    // The owner refuses the new text, or the edit itself.
    m_owner.m_mapAnswers[SHBN_ENDITEMEDIT] = 1;
    m_list.EditLabel(0);
    pEdit->SetWindowText(L"refused");
    pEdit->PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    PumpUntilIdle();
    EXPECT_EQ(L"Item 0", m_list.GetItemText(0, 0));
    m_owner.m_mapAnswers[SHBN_BEGINITEMEDIT] = 1;
    EXPECT_TRUE(m_list.EditLabel(0) == nullptr);
}

TEST_F(GroupListTest, AnEmptyLabelEditsInABlanksRoomAndAHiddenLabelNotAtAll)
{
    CreateList(8, LVS_EDITLABELS, CRect(10, 10, 170, 200));
    m_list.SetItemText(0, 0, L"");
    CRect rectIcon = ItemRect(0, LVIR_ICON);
    COXSHBEdit* pEdit = m_list.EditLabel(0);
    ASSERT_TRUE(pEdit != nullptr);
    CRect rectEdit;
    pEdit->GetWindowRect(&rectEdit);
    ::MapWindowPoints(nullptr, m_list.m_hWnd, (POINT*)(RECT*)&rectEdit, 2);
    EXPECT_EQ(rectIcon.bottom, rectEdit.top);
    EXPECT_GE(rectEdit.Width(), 10);
    EXPECT_LT(rectEdit.Width(), 40);
    pEdit->FinishEdit(FALSE);

    // The last label lies below the visible part.
    int nLast = m_list.GetItemCount() - 1;
    EXPECT_TRUE(m_list.EditLabel(nLast) == nullptr);
    m_list.EnsureVisible(nLast, FALSE);
    EXPECT_TRUE(m_list.EditLabel(nLast) != nullptr);
}

TEST_F(GroupListTest, AttachedToABarTheListTakesItsStyleColoursViewAndSpeaksThroughIt)
{
    CStandInBar bar;
    ASSERT_TRUE(bar.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(200, 0, 400, 400), &m_owner, 2));
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_SHAREIMAGELISTS, CRect(5, 5, 195, 395), &bar, 7));
    m_list.SetImageList(&m_images, LVSIL_NORMAL);
    m_list.SetImageList(&m_smallImages, LVSIL_SMALL);
    m_list.InsertItem(0, L"Alpha", 0);
    m_list.InsertItem(1, L"Beta", 1);
    EXPECT_TRUE(m_list.GetBar() == nullptr);

    // A parent that is no bar attaches nothing.
    COXSHBListCtrl loose;
    ASSERT_TRUE(loose.Create(WS_CHILD, CRect(0, 0, 50, 50), &m_owner, 8));
    loose.SendMessage(SHBM_ATTACHGROUP, 0, 5);
    EXPECT_TRUE(loose.GetBar() == nullptr);

    m_list.SendMessage(SHBM_ATTACHGROUP, 0, 5);
    ASSERT_TRUE(m_list.GetBar() == &bar);
    EXPECT_EQ(5u, m_list.GetGroup());
    EXPECT_EQ(RGB(0, 128, 128), m_list.GetBkColor());
    EXPECT_EQ(RGB(255, 255, 0), m_list.GetTextColor());
    EXPECT_EQ(RGB(0, 128, 128), m_list.GetTextBkColor());
    EXPECT_TRUE(m_list.SetBkColor(RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), bar.m_clrBack);
    EXPECT_FALSE(m_list.SetTextBkColor(RGB(4, 5, 6)));

    // Notifications come from the bar with the group.
    ClickMessage(LabelCentre(1));
    ASSERT_TRUE(bar.Last(SHBN_ACTIVATEITEM) != nullptr);
    EXPECT_EQ(5u, bar.Last(SHBN_ACTIVATEITEM)->hGroup);
    EXPECT_EQ(1, bar.Last(SHBN_ACTIVATEITEM)->nItem);
    EXPECT_EQ(0, m_owner.Count(SHBN_ACTIVATEITEM));

    // The group's view comes from the bar; a view change scrolls back to the start.
    EXPECT_EQ(kIconSize + 6, ItemRect(0, LVIR_ICON).Width());
    bar.m_nView = SHB_SMALLICON;
    m_list.SendMessage(SHBM_GROUPINFOCHANGED, 0, SHBGI_VIEW);
    EXPECT_EQ(kSmallIconSize + 6, ItemRect(0, LVIR_ICON).Width());

    // The context menu gets the item entries only for an item of its own bar and group, and only
    // when the bar lets items be edited.
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 1524, L"Large Icons");
    SHBCONTEXTMENU record = {&menu, &bar, 5, LabelCentre(0)};
    m_list.ClientToScreen(&record.point);
    m_list.SendMessage(SHBM_POPULATECONTEXTMENU, 0, (LPARAM)&record);
    EXPECT_EQ(1, menu.GetMenuItemCount()) << "items cannot be edited";
    bar.m_dwStyle = SHBS_EDITITEMS;
    record.hGroup = 6;
    m_list.SendMessage(SHBM_POPULATECONTEXTMENU, 0, (LPARAM)&record);
    EXPECT_EQ(1, menu.GetMenuItemCount()) << "another group";
    record.hGroup = 5;
    m_list.SendMessage(SHBM_POPULATECONTEXTMENU, 0, (LPARAM)&record);
    ASSERT_EQ(4, menu.GetMenuItemCount());
    EXPECT_EQ(0u, menu.GetMenuItemID(1)) << "a separator";
    EXPECT_EQ(ID_SHB_RENAMEITEM, menu.GetMenuItemID(2));
    EXPECT_EQ(ID_SHB_REMOVEITEM, menu.GetMenuItemID(3));
    EXPECT_EQ(0, m_list.GetContextItem());
    m_list.DestroyWindow();
}

TEST_F(GroupListTest, PaintingFillsTheBackgroundAndDrawsIconsUnlessTheOwnerDraws)
{
    CreateList(2);
    m_list.SetBkColor(RGB(0, 0, 160));
    WindowPixels pixels = Capture(&m_list);
    CRect rectIcon = ItemRect(0, LVIR_ICON);
    rectIcon.DeflateRect(3, 3);
    EXPECT_EQ(kIconSize * kIconSize, pixels.Count(rectIcon, kIconColor));
    EXPECT_EQ(RGB(0, 0, 160), pixels.At(2, ItemRect(1, -1).bottom + 20));
    EXPECT_EQ(RGB(0, 0, 160), pixels.At(2, ItemRect(0, -1).bottom + 3)) << "the gap between items";

    m_owner.m_mapAnswers[SHBN_DRAWITEM] = 1;
    m_list.Invalidate();
    pixels = Capture(&m_list);
    EXPECT_EQ(0, pixels.Count(rectIcon, kIconColor));
}

TEST_F(GroupListTest, TheInsertMarkHasTrianglesAtTheEndsAndAroundAGap)
{
    CreateList(3);
    m_list.SetBkColor(RGB(255, 255, 255));
    for (int nIndex : {0, 1, 3})
    {
        SCOPED_TRACE(nIndex);
        m_list.SetPlaceholder(nIndex);
        WindowPixels pixels = Capture(&m_list);
        CRect rectClient;
        m_list.GetClientRect(&rectClient);
        int nRow = nIndex == 0 ? 0 : nIndex == 3 ? ItemRect(2, -1).bottom + 1 : ItemRect(1, -1).top - 3;
        int nBlackInRow = pixels.Count(CRect(0, nRow, rectClient.right, nRow + 1), RGB(0, 0, 0));
        EXPECT_GE(nBlackInRow, rectClient.Width() - 1);
        // A triangle: black at the left edge next to the line, fading within 10 (7) rows.
        int nDepth = nIndex == 1 ? 7 : 10;
        int nNext = nIndex == 3 ? nRow - 2 : nRow + 2;
        EXPECT_EQ(RGB(0, 0, 0), pixels.At(0, nNext));
        EXPECT_EQ(RGB(255, 255, 255), pixels.At(nDepth + 2, nNext));
    }
    m_list.SetPlaceholder(-1);
}

TEST_F(GroupListTest, InfoTipsAskTheOwnerForTheItemsText)
{
    CreateList(2);
    TOOLINFOW ti = {};
    EXPECT_EQ(-1, m_list.OnToolHitTest(LabelCentre(1), &ti)) << "no info tips";
    m_list.SetExtendedStyle(LVS_EX_INFOTIP);
    EXPECT_EQ(2, m_list.OnToolHitTest(LabelCentre(1), &ti));
    EXPECT_EQ(2u, ti.uId);
    EXPECT_EQ(ItemRect(1, LVIR_BOUNDS), CRect(ti.rect));

    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = m_list.GetToolTipHwnd();
    info.hdr.idFrom = 2;
    info.hdr.code = TTN_NEEDTEXTW;
    m_list.SendMessage(WM_NOTIFY, 2, (LPARAM)&info);
    EXPECT_EQ(1, m_owner.Last(SHBN_GETITEMINFOTIP)->nItem);
    EXPECT_STREQ(L"tip", info.lpszText);
}

TEST_F(GroupListTest, AnInfoTipShowsTheTextTheOwnerPointsToInTheNarrowFormToo)
{
    CreateList(2);
    m_list.SetExtendedStyle(LVS_EX_INFOTIP);
    const std::wstring strOwn = L"The owner's own text, " + std::wstring(100, L'x');
    m_owner.m_pszOwnTip = strOwn.c_str();

    NMTTDISPINFOW wide = {};
    wide.hdr.hwndFrom = m_list.GetToolTipHwnd();
    wide.hdr.idFrom = 2;
    wide.hdr.code = TTN_NEEDTEXTW;
    m_list.SendMessage(WM_NOTIFY, 2, (LPARAM)&wide);
    EXPECT_EQ(strOwn.c_str(), wide.lpszText);

    NMTTDISPINFOA narrow = {};
    narrow.hdr = wide.hdr;
    narrow.hdr.code = TTN_NEEDTEXTA;
    m_list.SendMessage(WM_NOTIFY, 2, (LPARAM)&narrow);
    EXPECT_EQ(std::string(strOwn.begin(), strOwn.begin() + 79), narrow.lpszText) << "as much as the tip holds";
}

TEST_F(GroupListTest, ARightClickReachesTheParentAsOneContextMenu)
{
    CreateList(2);
    m_list.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    m_list.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
    PumpUntilIdle();
    EXPECT_EQ(1, m_owner.m_nContextMenus) << "the list posts none of its own with the common controls of today";
    EXPECT_EQ(L"", Codes()) << "a right click selects nothing";
}

TEST_F(GroupListTest, AListViewTakenOverBySubclassingWorksLikeOneCreatedSo)
{
    HWND hWnd = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_SMALLICON | LVS_SHAREIMAGELISTS,
                                  10, 10, 160, 300, m_owner.m_hWnd, (HMENU)(INT_PTR)kList, nullptr, nullptr);
    ASSERT_TRUE(hWnd != nullptr);
    ASSERT_TRUE(m_list.SubclassWindow(hWnd));
    EXPECT_TRUE(m_list.GetEditControl()->m_hWnd != nullptr);
    EXPECT_EQ(SHB_LARGEICON, m_list.GetView()) << "icon view underneath";
    m_list.SetImageList(&m_images, LVSIL_NORMAL);
    m_list.InsertItem(0, L"one", 0);
    EXPECT_EQ(kIconSize + 6, ItemRect(0, LVIR_ICON).Width());
    EXPECT_EQ(2, ItemRect(0, -1).top);
}

TEST_F(GroupListTest, ADragImageHoldsTheItemsIconAndLabel)
{
    CreateList(2);
    HIMAGELIST hImages = (HIMAGELIST)m_list.SendMessage(LVM_CREATEDRAGIMAGE, 1);
    ASSERT_TRUE(hImages != nullptr);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(hImages, &cx, &cy);
    CRect rectBounds = ItemRect(1, LVIR_BOUNDS);
    EXPECT_EQ(rectBounds.Width(), cx);
    EXPECT_EQ(rectBounds.Height(), cy);
    EXPECT_EQ(1, ImageList_GetImageCount(hImages));
    ImageList_Destroy(hImages);
    EXPECT_EQ(0, (int)m_list.SendMessage(LVM_CREATEDRAGIMAGE, 2)) << "no item 2";
}

// --- real input: these move the real pointer and run alone

TEST_F(GroupListTest, RealPointerMakesTheItemUnderItHotAndAClickActivatesIt)
{
    CreateList(4, 0, CRect(10, 10, 170, 410));
    m_list.SetExtendedStyle(LVS_EX_UNDERLINEHOT);
    MoveMouse(CPoint(1, 1));
    m_owner.m_arrNotices.clear();

    MoveMouse(LabelCentre(2));
    EXPECT_EQ(2, m_list.GetHotItem());
    EXPECT_EQ(2, m_owner.Last(SHBN_HOTITEM)->nItem);

    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(2, m_list.GetSelectedItem());
    EXPECT_EQ(2, m_list.GetActiveItem());
    EXPECT_EQ(2, m_owner.Last(SHBN_ACTIVATEITEM)->nItem);

    // Leaving the list ends the hot item; the hover timer notices.
    ::SetCursorPos(400, 300);
    m_list.SendMessage(WM_TIMER, 275);
    PumpUntilIdle();
    EXPECT_EQ(-1, m_list.GetHotItem());
    EXPECT_EQ(2, m_list.GetContextItem());
}

TEST_F(GroupListTest, RealClickOutsideTheEditorCommitsTheEditAndStillReachesTheList)
{
    CreateList(3, LVS_EDITLABELS);
    COXSHBEdit* pEdit = m_list.EditLabel(0);
    ASSERT_TRUE(pEdit != nullptr);
    pEdit->SetWindowText(L"typed");
    MoveMouse(LabelCentre(2));
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(L"typed", m_list.GetItemText(0, 0));
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_EQ(2, m_list.GetSelectedItem()) << "the press went on to the list";
}

TEST_F(GroupListTest, RealHeldScrollButtonJumpsAPageThenStepsOneItemPerPeriod)
{
    CreateList(12, 0, CRect(10, 10, 170, 250));
    CRect rectDown = m_list.GetDownButtonRect();
    ASSERT_FALSE(rectDown.IsRectEmpty());
    int nPerPage = m_list.GetCountPerPage();
    MoveMouse(rectDown.CenterPoint());
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(nPerPage - 1, m_list.GetTopIndex());
    m_list.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(nPerPage, m_list.GetTopIndex());
    m_list.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(nPerPage + 1, m_list.GetTopIndex());

    // Let go, the steps end.
    MouseButton(MOUSEEVENTF_LEFTUP);
    m_list.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(nPerPage + 1, m_list.GetTopIndex());
}

// A list that writes down the drags it is asked to carry out.
class CDragWatchList : public COXSHBListCtrl
{
public:
    std::vector<int> m_arrDragged;

protected:
    // Notes the drag and ends it at once: no drag loop runs.
    void OnBeginDragDrop(int nItem, COleDataSource* pDataSource) override
    {
        m_arrDragged.push_back(nItem);
        delete pDataSource;
        SetDragItem(-1);
    }
};

TEST_F(GroupListTest, RealPressAndMoveOfMoreThanEightPixelsStartsADragOfTheItem)
{
    CDragWatchList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_SHAREIMAGELISTS, CRect(10, 10, 170, 410), &m_owner, kList + 1));
    list.SetImageList(&m_images, LVSIL_NORMAL);
    for (int i = 0; i < 3; i++)
        list.InsertItem(i, L"Item", 0);
    PumpUntilIdle();
    CRect rectIcon;
    list.GetItemRect(1, &rectIcon, LVIR_ICON);
    CPoint point = rectIcon.CenterPoint();
    auto moveTo = [&](CPoint pt) { MoveMouse(pt, &list); };

    // A click, and a press that moves only a little, drag nothing.
    moveTo(point);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    moveTo(CPoint(point.x + 3, point.y + 3));
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(list.m_arrDragged.empty());

    moveTo(point);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    moveTo(CPoint(point.x + 7, point.y + 2));
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(std::vector<int>{1}, list.m_arrDragged);
    EXPECT_EQ(-1, list.GetDragItem());
    list.DestroyWindow();
}

TEST_F(GroupListTest, ScreenshotOfAStandaloneList)
{
    CreateList(0, 0, CRect(10, 10, 170, 430));
    const wchar_t* names[] = {L"Outstanding", L"Today", L"Last hour", L"Windows", L"Syslog", L"SNMP",
                              L"All data", L"OpenVMS", L"Priority high", L"Assigned to me", L"Closed", L"A long label that wraps"};
    for (int i = 0; i < 12; i++)
        m_list.InsertItem(i, names[i], i % 4);
    m_list.SetBkColor(::GetSysColor(COLOR_BTNSHADOW));
    m_list.SetTextColor(RGB(255, 255, 255));
    m_list.SetExtendedStyle(LVS_EX_UNDERLINEHOT);
    m_list.SetHotItem(1);
    PumpUntilIdle();
    ASSERT_FALSE(m_list.GetDownButtonRect().IsRectEmpty());
    EXPECT_FALSE(m_list.GetStyle() & (WS_HSCROLL | WS_VSCROLL)) << "the list view's own scroll bars";
    SaveScreenshot(L"group-list.png");
}
} // namespace
