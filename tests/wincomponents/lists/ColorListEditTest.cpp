#include "GuiTest.h"

#include "ImageListWatch.h"
#include "wincomponents/lists/CColorListCtrl.h"

#include <vector>

namespace
{
const int kList = 30;

// The list's parent: writes down what the list tells it, as "check item message" and
// "edit item column" lines, and sorts the list on a header click as its owners do.
class CNoticeParent : public CWnd
{
public:
    std::vector<CString> m_arrNotices;
    CColorListCtrl* m_pList = nullptr;

protected:
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_pList->SortOnColumnClick(reinterpret_cast<NMLISTVIEW*>(pNMHDR));
        *pResult = 0;
    }
    LRESULT OnCheckClick(WPARAM wParam, LPARAM lParam) { return Note(L"check", wParam, lParam); }
    LRESULT OnEditChange(WPARAM wParam, LPARAM lParam) { return Note(L"edit", wParam, lParam); }
    LRESULT Note(const wchar_t* pszWhat, WPARAM wParam, LPARAM lParam)
    {
        CString strNotice;
        strNotice.Format(L"%s %d %d", pszWhat, (int)wParam, (int)lParam);
        m_arrNotices.push_back(strNotice);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNoticeParent, CWnd)
    ON_NOTIFY(LVN_COLUMNCLICK, kList, OnColumnClick)
    ON_MESSAGE(WM_COLORLIST_CHECKCLICK, OnCheckClick)
    ON_MESSAGE(WM_COLORLIST_EDITCHANGE, OnEditChange)
END_MESSAGE_MAP()

class ColorListEditTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 620, 400), &Host(), 1));
        ASSERT_TRUE(m_list.Create(&m_parent, kList, nullptr, 0));
        m_parent.m_pList = &m_list;
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
        const SORTLIST_COLUMN columns[] = {{L"Name", LVCFMT_LEFT}, {L"Count", LVCFMT_RIGHT}, {L"Kind", LVCFMT_LEFT}};
        m_list.SetColumns(columns, 3);
        for (int i = 0; i < 3; i++)
        {
            m_list.SetColumnWidth(i, 150);
            CString strName;
            strName.Format(L"name %d", i);
            m_list.InsertItem(i, strName);
            m_list.SetItemText(i, 1, L"7");
            m_list.SetItemText(i, 2, L"disk");
        }
        m_list.m_bEditable = TRUE;
        PumpUntilIdle();
    }

    CEdit& Editor() { return *m_list.GetEditControl(); }

    // Types a key into the running editor through the application's message loop.
    void Key(UINT nKey)
    {
        Editor().PostMessage(WM_KEYDOWN, nKey, 0);
        PumpUntilIdle();
    }

    CString Notices()
    {
        CString strAll;
        for (const CString& strNotice : m_parent.m_arrNotices)
            strAll += (strAll.IsEmpty() ? L"" : L", ") + strNotice;
        return strAll;
    }

    // --- real mouse input; the host stays on top so that no other window takes it.
    void ClickAt(CPoint ptClient, DWORD dwDown, DWORD dwUp)
    {
        ::SetWindowPos(Host().m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::ClientToScreen(m_list.m_hWnd, &ptClient);
        INPUT inputs[3] = {};
        inputs[0].type = INPUT_MOUSE;
        inputs[0].mi.dx = (ptClient.x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
        inputs[0].mi.dy = (ptClient.y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
        inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        inputs[1].type = INPUT_MOUSE;
        inputs[1].mi.dwFlags = dwDown;
        inputs[2].type = INPUT_MOUSE;
        inputs[2].mi.dwFlags = dwUp;
        // All at once: the list follows a right button in a loop of its own until it is let go.
        ASSERT_EQ(3u, SendInput(3, inputs, sizeof(INPUT)));
        Sleep(50);
        PumpUntilIdle();
        // Two clicks on one spot must not make a double click.
        Sleep(GetDoubleClickTime() + 50);
        PumpUntilIdle();
    }
    void LeftClickCell(int nItem, int nSubItem) { ClickAt(CellCentre(nItem, nSubItem), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
    void LeftClickHeader(int nColumn)
    {
        CRect rect;
        ::SendMessageW(m_list.GetHeaderCtrl(), HDM_GETITEMRECT, (WPARAM)nColumn, (LPARAM)(RECT*)&rect);
        ::MapWindowPoints(m_list.GetHeaderCtrl(), m_list.m_hWnd, (POINT*)&rect, 2);
        ClickAt(rect.CenterPoint(), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    }
    CPoint CellCentre(int nItem, int nSubItem)
    {
        CRect rect;
        rect.top = nSubItem;
        rect.left = LVIR_LABEL;
        m_list.SendMessage(LVM_GETSUBITEMRECT, (WPARAM)nItem, (LPARAM)(RECT*)&rect);
        return rect.CenterPoint();
    }
    // The point of the item's check box, found by hit tests along the row.
    CPoint CheckBoxPoint(int nItem)
    {
        CRect rect;
        m_list.GetItemRect(nItem, &rect, LVIR_BOUNDS);
        for (int x = rect.left; x < rect.right; x++)
        {
            LVHITTESTINFO hit = {};
            hit.pt = CPoint(x, rect.CenterPoint().y);
            if (m_list.SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)&hit) == nItem && (hit.flags & LVHT_ONITEMSTATEICON))
                return CPoint(x + 3, hit.pt.y);
        }
        ADD_FAILURE() << "no check box on item " << nItem;
        return rect.CenterPoint();
    }
    void ClickCheckBox(int nItem) { ClickAt(CheckBoxPoint(nItem), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
    // The texts of the column, row by row.
    CString Column(int nSubItem)
    {
        CString strTexts;
        for (int i = 0; i < m_list.GetItemCount(); i++)
            strTexts += m_list.GetItemText(i, nSubItem) + L";";
        return strTexts;
    }
    CString Checks()
    {
        CString strChecks;
        for (int i = 0; i < m_list.GetItemCount(); i++)
            strChecks += m_list.GetCheck(i) ? L"x" : L"-";
        return strChecks;
    }

    CNoticeParent m_parent;
    CColorListCtrl m_list;
};
} // namespace

TEST_F(ColorListEditTest, FirstClickSelectsAndASecondClickEditsTheCellAligned)
{
    LeftClickCell(1, 1);
    EXPECT_EQ(1, m_list.GetSelectedIndex());
    EXPECT_FALSE(m_list.IsEditing()) << "the first click only selects";
    LeftClickCell(1, 1);
    ASSERT_TRUE(m_list.IsEditing());
    EXPECT_TRUE(Editor().GetStyle() & WS_VISIBLE);
    EXPECT_EQ((DWORD)ES_RIGHT, Editor().GetStyle() & (ES_CENTER | ES_RIGHT)) << "the Count column is right-aligned";
    EXPECT_STREQ(L"7", Editor().GetWindowText());
    EXPECT_EQ(Editor().m_hWnd, ::GetFocus());
    CRect rcEditor, rcCell;
    Editor().GetWindowRect(&rcEditor);
    ::MapWindowPoints(nullptr, m_list.m_hWnd, (POINT*)&rcEditor, 2);
    rcCell.top = 1;
    rcCell.left = LVIR_LABEL;
    m_list.SendMessage(LVM_GETSUBITEMRECT, 1, (LPARAM)(RECT*)&rcCell);
    EXPECT_EQ(rcCell, rcEditor);

    // A click elsewhere commits the edit; it opens no new one, as no edit may follow an edit.
    Editor().SetWindowText(L"12");
    LeftClickCell(1, 2);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_STREQ(L"12", m_list.GetItemText(1, 1));
    EXPECT_STREQ(L"edit 1 1", Notices());
    LeftClickCell(1, 2);
    ASSERT_TRUE(m_list.IsEditing());
    EXPECT_EQ(0u, Editor().GetStyle() & (ES_CENTER | ES_RIGHT)) << "a left column gets a left editor";
}

TEST_F(ColorListEditTest, RightAndMiddleClicksCommitButNeverEdit)
{
    LeftClickCell(0, 0);
    ClickAt(CellCentre(0, 0), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_FALSE(m_list.IsEditing());
    ASSERT_TRUE(m_list.BeginEdit(0, 2));
    Editor().SetWindowText(L"tape");
    ClickAt(CellCentre(1, 0), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_STREQ(L"tape", m_list.GetItemText(0, 2));
    EXPECT_STREQ(L"edit 0 2", Notices());
}

TEST_F(ColorListEditTest, CheckModesDecideWhatACheckBoxClickDoes)
{
    m_list.m_nCheckMode = COLORLIST_CHECK_SINGLE;
    ClickCheckBox(0);
    EXPECT_STREQ(L"x--", Checks());
    ClickCheckBox(2);
    EXPECT_STREQ(L"--x", Checks()) << "one checked item at most";
    EXPECT_EQ(1, m_list.GetItemCountByState(COLORLIST_SELECTED));
    EXPECT_EQ(COLORLIST_SELECTED | COLORLIST_FOCUSED | COLORLIST_CHECKED, m_list.GetItemFlags(2));
    EXPECT_STREQ(L"check 0 513, check 2 513", Notices()) << "WM_LBUTTONDOWN is 513";
    EXPECT_FALSE(m_list.IsEditing()) << "a check box click on the current item edits nothing";

    m_list.m_nCheckMode = COLORLIST_CHECK_LOCKED;
    ClickCheckBox(1);
    ClickCheckBox(2);
    EXPECT_STREQ(L"--x", Checks());

    m_list.m_nCheckMode = COLORLIST_CHECK_PLAIN;
    ClickCheckBox(1);
    EXPECT_STREQ(L"-xx", Checks());
    EXPECT_EQ(2u, m_parent.m_arrNotices.size()) << "modes 0 and 3 tell nothing";
}

TEST_F(ColorListEditTest, KeysSteerTheEditorAndCommitOrDiscard)
{
    ASSERT_TRUE(m_list.BeginEdit(0, 1));
    Editor().SetWindowText(L"8");
    Key(VK_TAB);
    EXPECT_STREQ(L"8", m_list.GetItemText(0, 1));
    EXPECT_TRUE(m_list.IsEditing());
    Key(VK_TAB);
    EXPECT_STREQ(L"name 0", Editor().GetWindowText()) << "after the last column the first";
    Key(VK_UP);
    EXPECT_STREQ(L"name 0", Editor().GetWindowText()) << "no item above the first";
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_STREQ(L"name 2", Editor().GetWindowText());
    EXPECT_EQ(COLORLIST_SELECTED | COLORLIST_FOCUSED, m_list.GetItemFlags(2) & (COLORLIST_SELECTED | COLORLIST_FOCUSED));
    Editor().SetWindowText(L"gone");
    Key(VK_ESCAPE);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_STREQ(L"name 2", m_list.GetItemText(2, 0));
    ASSERT_TRUE(m_list.BeginEdit(1, 2));
    Key(VK_RETURN);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_STREQ(L"edit 0 1", Notices()) << "an unchanged text and a discarded one tell nothing";
    EXPECT_FALSE(Editor().GetStyle() & WS_VISIBLE);
}

TEST_F(ColorListEditTest, SpaceWithoutAnEditLeavesTheCheckBoxAlone)
{
    m_list.SetItemFlags(1, COLORLIST_SELECTED | COLORLIST_FOCUSED);
    m_list.SetFocus();
    m_list.PostMessage(WM_KEYDOWN, VK_SPACE, 0);
    m_list.PostMessage(WM_KEYUP, VK_SPACE, 0);
    PumpUntilIdle();
    EXPECT_STREQ(L"---", Checks());
    ASSERT_TRUE(m_list.BeginEdit(1, 0));
    Key(VK_SPACE);
    EXPECT_STREQ(L" ", Editor().GetWindowText()) << "the editor takes the space as text";
}

TEST_F(ColorListEditTest, DeletingTheEditedItemDiscardsTheEditAndAnotherCommits)
{
    ASSERT_TRUE(m_list.BeginEdit(1, 0));
    Editor().SetWindowText(L"lost");
    EXPECT_TRUE(m_list.DeleteItem(1, FALSE));
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_STREQ(L"", Notices());
    ASSERT_TRUE(m_list.BeginEdit(1, 0));
    Editor().SetWindowText(L"kept");
    EXPECT_TRUE(m_list.DeleteItem(0, FALSE));
    EXPECT_STREQ(L"kept", m_list.GetItemText(0, 0));
    EXPECT_STREQ(L"edit 1 0", Notices()) << "told before the item above went";
    ASSERT_TRUE(m_list.BeginEdit(0, 0));
    Editor().SetWindowText(L"dropped");
    EXPECT_EQ(1, m_list.DeleteItems(COLORLIST_ALL));
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(1u, m_parent.m_arrNotices.size());
}

TEST_F(ColorListEditTest, EditsAreRefusedOutsideTheListOrWhenNotEditable)
{
    EXPECT_FALSE(m_list.BeginEdit(3, 0));
    EXPECT_FALSE(m_list.BeginEdit(0, 3));
    EXPECT_FALSE(m_list.EndEdit(TRUE)) << "no edit runs";
    ASSERT_TRUE(m_list.BeginEdit(0, 0));
    EXPECT_TRUE(m_list.BeginEdit(0, 0)) << "the same cell again";
    Editor().SetWindowText(L"new");
    m_list.SetItemText(2, 2, L"other");
    EXPECT_STREQ(L"new", m_list.GetItemText(0, 0)) << "a text change commits the edit";
    EXPECT_EQ(-1, m_list.m_nSortColumn);
    m_list.m_bEditable = FALSE;
    EXPECT_FALSE(m_list.BeginEdit(1, 0));
}

TEST_F(ColorListEditTest, AnEditorOverACellImageStartsAfterItAndTheImageListsGoWithTheWindow)
{
    ASSERT_TRUE(m_list.m_ilFirst.Create(16, 16, ILC_COLOR32, 1, 1));
    ASSERT_EQ(0, m_list.m_ilFirst.Add(::LoadIconW(nullptr, IDI_APPLICATION)));
    m_list.SetImageList(&m_list.m_ilFirst, LVSIL_SMALL);
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    item.iSubItem = 2;
    item.iImage = 0;
    ASSERT_TRUE(m_list.SetItem(&item));
    CRect rcCell;
    rcCell.top = 2;
    rcCell.left = LVIR_LABEL;
    m_list.SendMessage(LVM_GETSUBITEMRECT, 1, (LPARAM)(RECT*)&rcCell);
    ASSERT_TRUE(m_list.BeginEdit(1, 2));
    CRect rcEditor;
    Editor().GetWindowRect(&rcEditor);
    ::MapWindowPoints(nullptr, m_list.m_hWnd, (POINT*)&rcEditor, 2);
    EXPECT_EQ(rcCell.left + 16, rcEditor.left);
    EXPECT_EQ(rcCell.right, rcEditor.right);

    // One list set on the control and one never set: each is destroyed once, by one owner.
    ASSERT_TRUE(m_list.m_ilSecond.Create(16, 16, ILC_COLOR32, 1, 1));
    CImageListWatch watchFirst(m_list.m_ilFirst), watchSecond(m_list.m_ilSecond);
    ASSERT_TRUE(watchFirst.IsWatching());
    m_list.DestroyWindow();
    EXPECT_EQ(nullptr, m_list.m_ilFirst.GetSafeHandle());
    EXPECT_EQ(nullptr, m_list.m_ilSecond.GetSafeHandle());
    EXPECT_EQ(1, watchFirst.DestroyCount()) << "the list set on the control";
    EXPECT_EQ(1, watchSecond.DestroyCount()) << "the list never set";
    EXPECT_EQ(nullptr, Editor().m_hWnd);
}

TEST_F(ColorListEditTest, AHeaderClickDuringAnEditCommitsItToItsOwnRowBeforeTheRowsMove)
{
    for (int i = 0; i < 3; i++)
    {
        CString strKind;
        strKind.Format(L"disk %d", i);
        m_list.SetItemText(i, 2, strKind);
    }
    ASSERT_TRUE(m_list.BeginEdit(0, 0));
    Editor().SetWindowText(L"first");
    // The Name column is in ascending order: its header turns the rows round.
    LeftClickHeader(0);
    Key(VK_RETURN);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_STREQ(L"name 2;name 1;first;", Column(0));
    EXPECT_STREQ(L"disk 2;disk 1;disk 0;", Column(2)) << "rows move whole";
    EXPECT_STREQ(L"edit 0 0", Notices()) << "told at the row's place before the sort";
}
