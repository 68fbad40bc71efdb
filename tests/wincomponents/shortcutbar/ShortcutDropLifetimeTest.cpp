// An owner may delete a group in any notification of its list; the list, its editor, the drop
// target and the drop source the system still holds must then leave the freed list alone. Freed
// memory is overwritten while these tests run, so that a late touch reads garbage rather than what
// the list held; a freed list itself becomes unreachable, so that even a read of it faults.
#include "GuiTest.h"
#include "ScriptedDropSource.h"

#include "framework/ole/COleDataSource.h"
#include "framework/window/AfxOleInit.h"
#include "wincomponents/shortcutbar/COXSHBListCtrl.h"
#include "wincomponents/shortcutbar/COXShortcutBar.h"
#include "wincomponents/shortcutbar/CShortcutItemPayload.h"

#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <new>

namespace
{
bool s_bPoisonFreed = false;

// Blocks of this size (a group list's) get pages of their own in one reserved region, a free page
// between two of them. Freed, their pages are decommitted and never given again: any later touch
// of the block faults, a read as much as a write. 0: none.
size_t s_nGuardedSize = 0;
const size_t kGuardedRegion = 64 << 20;
char* s_pGuardedRegion = nullptr;
size_t s_nGuardedUsed = 0;

size_t PageSize()
{
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    return info.dwPageSize;
}

void* NewGuarded(size_t nSize)
{
    if (!s_pGuardedRegion)
        s_pGuardedRegion = (char*)::VirtualAlloc(nullptr, kGuardedRegion, MEM_RESERVE, PAGE_NOACCESS);
    const size_t nPage = PageSize();
    const size_t nCommit = (nSize + nPage - 1) / nPage * nPage;
    if (!s_pGuardedRegion || s_nGuardedUsed + nCommit + nPage > kGuardedRegion)
        return nullptr;
    void* p = ::VirtualAlloc(s_pGuardedRegion + s_nGuardedUsed, nCommit, MEM_COMMIT, PAGE_READWRITE);
    if (p)
        s_nGuardedUsed += nCommit + nPage;
    return p;
}

bool IsGuarded(const void* p)
{
    return s_pGuardedRegion && p >= s_pGuardedRegion && p < s_pGuardedRegion + kGuardedRegion;
}

void FreeGuarded(void* p)
{
    MEMORY_BASIC_INFORMATION info = {};
    if (::VirtualQuery(p, &info, sizeof info))
        ::VirtualFree(p, info.RegionSize, MEM_DECOMMIT);
}

// Keeps the block's contents as they are, seen from the optimiser: they may be read elsewhere.
// Without it, a fill just before free is a dead store, and the optimiser drops it.
void KeepBlock(void* p)
{
    __asm__ __volatile__("" : : "r"(p) : "memory");
}

void FreeBlock(void* p) noexcept
{
    if (IsGuarded(p))
    {
        FreeGuarded(p);
        return;
    }
    if (p && s_bPoisonFreed)
    {
        memset(p, 0xDD, _msize(p));
        KeepBlock(p);
    }
    free(p);
}
} // namespace

void* operator new(std::size_t nSize)
{
    if (nSize == s_nGuardedSize)
    {
        if (void* p = NewGuarded(nSize))
            return p;
    }
    if (void* p = malloc(nSize ? nSize : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t nSize)
{
    return operator new(nSize);
}
void operator delete(void* p) noexcept
{
    FreeBlock(p);
}
void operator delete[](void* p) noexcept
{
    FreeBlock(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    FreeBlock(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    FreeBlock(p);
}

namespace
{
const UINT kBarId = 0x51;

// The bar's parent: a script may act on any notification and answer it.
class CActingParent : public CWnd
{
public:
    std::function<LRESULT(NMSHORTCUTBAR*)> m_onNotify;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMSHORTCUTBAR* pNM = (NMSHORTCUTBAR*)lParam;
        if (wParam != kBarId || !m_onNotify)
            return CWnd::OnNotify(wParam, lParam, pResult);
        *pResult = m_onNotify(pNM);
        return TRUE;
    }
};

int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    return (int)(lParam2 - lParam1);
}

// The freed list as the poison left it: nothing wrote into it after it was deleted (the allocator
// keeps its own notes at the ends of a free block). A list on guarded pages is unreachable once
// freed: a write would have faulted.
bool IsStillPoisoned(const void* pFreed, size_t nSize)
{
    if (IsGuarded(pFreed))
        return true;
    for (size_t n = 32; n + 32 < nSize; ++n)
    {
        if (((const volatile unsigned char*)pFreed)[n] != 0xDD)
            return false;
    }
    return true;
}

class ShortcutDropLifetimeTest : public GuiTest
{
protected:
    ShortcutDropLifetimeTest() { AfxOleInit(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, nullptr, L"", WS_POPUP | WS_VISIBLE, CRect(100, 50, 340, 450),
                                      nullptr, 0));
        ASSERT_TRUE(m_bar.Create(&m_parent, CRect(0, 0, 200, 380), 0, kBarId));
        PumpUntilIdle();
        s_bPoisonFreed = true;
        s_nGuardedSize = sizeof(COXSHBListCtrl);
    }
    void TearDown() override
    {
        s_nGuardedSize = 0;
        s_bPoisonFreed = false;
        m_parent.m_onNotify = nullptr;
    }

    // An expanded group with three items labelled so.
    HSHBGROUP AddGroup(const wchar_t* pszLabel = L"A")
    {
        SHB_GROUPINFO info;
        info.nMask = SHBGI_TEXT;
        info.pszText = const_cast<wchar_t*>(L"One");
        info.nTextMax = 3;
        HSHBGROUP hGroup = m_bar.InsertGroup(&info);
        for (int i = 0; i < 3; i++)
        {
            LVITEMW item = {};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = i;
            item.pszText = const_cast<wchar_t*>(pszLabel);
            item.lParam = 10 + i;
            m_bar.InsertLCItem(hGroup, &item);
        }
        m_bar.ExpandGroup(hGroup);
        PumpUntilIdle();
        return hGroup;
    }
    // Screen point of the gap between the list's first two rows.
    POINTL GapPoint(COXSHBListCtrl* pList)
    {
        CRect rectFirst, rectSecond;
        pList->SendMessage(LVM_GETITEMRECT, 0, (LPARAM)&rectFirst);
        pList->SendMessage(LVM_GETITEMRECT, 1, (LPARAM)&rectSecond);
        CPoint point(rectSecond.CenterPoint().x, (rectFirst.bottom + rectSecond.top) / 2);
        pList->ClientToScreen(&point);
        return POINTL{point.x, point.y};
    }

    // The centre of the item's label, in the list's client coordinates.
    static CPoint LabelCentre(COXSHBListCtrl* pList, int nItem)
    {
        CRect rect;
        pList->GetItemRect(nItem, &rect, LVIR_LABEL);
        return rect.CenterPoint();
    }
    // The owner deletes the group on the first notification of the code; the number of drags
    // that began anyway, each vetoed, so that no drag loop runs.
    void DeleteGroupOn(UINT nCode, HSHBGROUP hGroup, BOOL& bDeleted, int& nDragsBegun)
    {
        bDeleted = FALSE;
        nDragsBegun = 0;
        m_parent.m_onNotify = [this, nCode, hGroup, &bDeleted, &nDragsBegun](NMSHORTCUTBAR* pNM) -> LRESULT {
            if (pNM->hdr.code == nCode && !bDeleted)
                bDeleted = m_bar.DeleteGroup(hGroup);
            if (pNM->hdr.code != SHBN_BEGINDRAGDROP)
                return 0;
            nDragsBegun++;
            return 1;
        };
    }

    // After the queue has run: the group went, its freed list was left alone and no drag began.
    void ExpectGoneQuietly(BOOL bDeleted, bool bUntouched, int nDragsBegun)
    {
        PumpUntilIdle();
        m_parent.m_onNotify = nullptr;
        EXPECT_TRUE(bDeleted);
        EXPECT_TRUE(bUntouched) << "the deleted list was written to";
        EXPECT_EQ(0, nDragsBegun);
        EXPECT_EQ(0, m_bar.GetGroupCount());
    }

    // A new expanded group whose owner deletes it on the first notification of the code.
    struct DoomedGroup
    {
        HSHBGROUP hGroup = 0;
        COXSHBListCtrl* pList = nullptr;
        HWND hList = nullptr;
        BOOL bDeleted = FALSE;
        int nDragsBegun = 0;
    };
    void AddGroupDeletedOn(UINT nCode, DoomedGroup& group)
    {
        group.hGroup = AddGroup();
        group.pList = m_bar.GetGroupListCtrl(group.hGroup);
        group.hList = group.pList->m_hWnd;
        DeleteGroupOn(nCode, group.hGroup, group.bDeleted, group.nDragsBegun);
    }
    void ExpectGoneQuietly(DoomedGroup& group)
    {
        const bool bUntouched = IsStillPoisoned(group.pList, sizeof(COXSHBListCtrl));
        ExpectGoneQuietly(group.bDeleted, bUntouched, group.nDragsBegun);
    }

    CActingParent m_parent;
    COXShortcutBar m_bar;
};

} // namespace

TEST_F(ShortcutDropLifetimeTest, ABlockFreedWhileTheTestsRunReadsAsThePoison)
{
    const size_t nSize = 256;
    unsigned char* p = new unsigned char[nSize];
    memset(p, 0x11, nSize);
    KeepBlock(p);
    const uintptr_t nAddress = (uintptr_t)p;
    delete[] p;
    // The allocator keeps its own notes at the ends of a free block; its middle is the block's.
    const unsigned char bMiddle = *(volatile unsigned char*)(nAddress + nSize / 2);
    EXPECT_EQ(0xDD, bMiddle);
}

TEST_F(ShortcutDropLifetimeTest, AListFreedWhileTheTestsRunCannotBeTouchedAnyMore)
{
    COXSHBListCtrl* pList = new COXSHBListCtrl;
    ASSERT_TRUE(IsGuarded(pList));
    delete pList;
    MEMORY_BASIC_INFORMATION info = {};
    ASSERT_TRUE(::VirtualQuery(pList, &info, sizeof info));
    EXPECT_NE((DWORD)MEM_COMMIT, info.State);
}

TEST_F(ShortcutDropLifetimeTest, AGroupItsOwnerDeletesInADragNotificationLeavesTheSystemNothingFreed)
{
    CShortcutItemPayload item;
    item.m_strText = L"B";
    item.m_extra = {1, 2, 3};
    COleDataSource data;
    data.CacheGlobalData(CShortcutItemPayload::GetClipboardFormat(), item.Write());
    IDataObject* pData = data.GetDataObject();

    for (UINT nCode : {SHBN_DRAGENTER, SHBN_DRAGOVER, SHBN_DROP, SHBN_GETADDITIONALDROPDATA})
    {
        SCOPED_TRACE(nCode);
        HSHBGROUP hGroup = AddGroup();
        COXSHBListCtrl* pList = m_bar.GetGroupListCtrl(hGroup);
        ASSERT_NE(nullptr, pList);
        POINTL pt = GapPoint(pList);
        // The drag loop holds the target under the pointer from the enter to the drop.
        IDropTarget* pTarget = pList->GetDropTarget()->GetInterface();
        ASSERT_NE(nullptr, pTarget);
        pTarget->AddRef();
        BOOL bDeleted = FALSE;
        m_parent.m_onNotify = [&](NMSHORTCUTBAR* pNM) -> LRESULT {
            if (pNM->hdr.code == nCode && !bDeleted)
                bDeleted = m_bar.DeleteGroup(hGroup);
            return 0;
        };

        DWORD dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
        EXPECT_EQ(S_OK, pTarget->DragEnter(pData, MK_LBUTTON, pt, &dwEffect));
        dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
        EXPECT_EQ(S_OK, pTarget->DragOver(MK_LBUTTON, pt, &dwEffect));
        dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
        EXPECT_EQ(S_OK, pTarget->Drop(pData, 0, pt, &dwEffect));
        pTarget->Release();
        m_parent.m_onNotify = nullptr;
        EXPECT_TRUE(bDeleted);
        EXPECT_EQ(0, m_bar.GetGroupCount());
    }
    pData->Release();
}

TEST_F(ShortcutDropLifetimeTest, AGroupDeletedWhileItsItemIsDraggedEndsTheDragWithoutTouchingItsList)
{
    HSHBGROUP hGroup = AddGroup();
    COXSHBListCtrl* pList = m_bar.GetGroupListCtrl(hGroup);
    m_bar.SetBarStyle(m_bar.GetBarStyle() | SHBS_DRAWITEMDRAGIMAGE);
    CScriptedDropSource dropSource;
    dropSource.m_script = [&] { m_bar.DeleteGroup(hGroup); };
    UINT nDropCompletes = 0;
    m_parent.m_onNotify = [&](NMSHORTCUTBAR* pNM) -> LRESULT {
        if (pNM->hdr.code == SHBN_DROPCOMPLETE)
            nDropCompletes++;
        if (pNM->hdr.code != SHBN_GETDROPSOURCE)
            return 0;
        pNM->lParam = (LPARAM)(COleDropSource*)&dropSource;
        return 1;
    };
    pList->SetDragItem(1);
    PumpUntilIdle();
    EXPECT_EQ(0, m_bar.GetGroupCount());
    EXPECT_EQ(0u, nDropCompletes) << "a deleted list reports nothing";
    EXPECT_EQ(nullptr, ImageList_GetDragImage(nullptr, nullptr)) << "its drag image went with it";
}

TEST_F(ShortcutDropLifetimeTest, AGroupItsOwnerDeletesWhileAnItemDragIsPreparedStartsNoDrag)
{
    for (UINT nCode : {SHBN_BEGINDRAGITEM, SHBN_SETADDITIONALDRAGDATA})
    {
        SCOPED_TRACE(nCode);
        HSHBGROUP hGroup = AddGroup();
        COXSHBListCtrl* pList = m_bar.GetGroupListCtrl(hGroup);
        BOOL bDeleted = FALSE;
        int nDragsBegun = 0;
        DeleteGroupOn(nCode, hGroup, bDeleted, nDragsBegun);
        pList->SetDragItem(1);
        const bool bUntouched = IsStillPoisoned(pList, sizeof(COXSHBListCtrl));
        ExpectGoneQuietly(bDeleted, bUntouched, nDragsBegun);
    }
}

// The pointer's path over an item: it becomes hot, is pressed, and then released on it, which
// makes it active, or moved more than eight pixels on it, which starts its drag. The list looks
// at the pointer itself, so the test moves it.
TEST_F(ShortcutDropLifetimeTest, AGroupItsOwnerDeletesInANotificationOfThePointersPathLeavesItsListAlone)
{
    for (UINT nCode :
         {SHBN_HOTITEM, SHBN_SELECTITEM, SHBN_ACTIVATEITEM, SHBN_BEGINDRAGITEM, SHBN_SETADDITIONALDRAGDATA})
    {
        SCOPED_TRACE(nCode);
        ::SetCursorPos(5, 5); // off the list, so that no item is hot yet
        HSHBGROUP hGroup = AddGroup(L"A label to press on");
        COXSHBListCtrl* pList = m_bar.GetGroupListCtrl(hGroup);
        ::SetWindowPos(m_parent.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        const CPoint ptPress = LabelCentre(pList, 1);
        const CPoint ptMoved(ptPress.x + 12, ptPress.y);
        CRect rectLabel;
        pList->GetItemRect(1, &rectLabel, LVIR_LABEL);
        ASSERT_TRUE(rectLabel.PtInRect(ptMoved)) << "the move stays on the item";
        BOOL bDeleted = FALSE;
        int nDragsBegun = 0;
        DeleteGroupOn(nCode, hGroup, bDeleted, nDragsBegun);
        const HWND hList = pList->m_hWnd;
        const COXSHBListCtrl* pFreed = pList;

        const bool bRelease = nCode == SHBN_ACTIVATEITEM;
        const CPoint steps[] = {ptPress, ptPress, bRelease ? ptPress : ptMoved};
        const UINT messages[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, bRelease ? (UINT)WM_LBUTTONUP : (UINT)WM_MOUSEMOVE};
        for (int i = 0; i < 3 && !bDeleted; ++i)
        {
            CPoint ptScreen = steps[i];
            ::ClientToScreen(hList, &ptScreen);
            ::SetCursorPos(ptScreen.x, ptScreen.y);
            ::SendMessageW(hList, messages[i], messages[i] == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                           MAKELPARAM(steps[i].x, steps[i].y));
        }
        const bool bUntouched = bDeleted && IsStillPoisoned(pFreed, sizeof(COXSHBListCtrl));
        ExpectGoneQuietly(bDeleted, bUntouched, nDragsBegun);
    }
}

TEST_F(ShortcutDropLifetimeTest, ARealPressAndMoveOnAnItemWhoseGroupItsOwnerDeletesAsTheDragBeginsStartsNoDrag)
{
    HSHBGROUP hGroup = AddGroup(L"A label to press on");
    COXSHBListCtrl* pList = m_bar.GetGroupListCtrl(hGroup);
    CPoint ptFrom = LabelCentre(pList, 1);
    pList->ClientToScreen(&ptFrom);
    BOOL bDeleted = FALSE;
    int nDragsBegun = 0;
    DeleteGroupOn(SHBN_BEGINDRAGITEM, hGroup, bDeleted, nDragsBegun);
    MouseDrag(m_parent.m_hWnd, ptFrom, CPoint(ptFrom.x + 12, ptFrom.y));
    m_parent.m_onNotify = nullptr;
    EXPECT_TRUE(bDeleted) << "the press and move began a drag";
    EXPECT_EQ(0, nDragsBegun);
    EXPECT_EQ(0, m_bar.GetGroupCount());
}

TEST_F(ShortcutDropLifetimeTest, ADropTargetTheOwnerLendsIsRevokedWithTheListOrTheBarItWasRegisteredFor)
{
    for (bool bBar : {false, true})
    {
        SCOPED_TRACE(bBar ? "bar" : "group list");
        CWndMsgDropTarget lent;
        m_parent.m_onNotify = [&](NMSHORTCUTBAR* pNM) -> LRESULT {
            if (pNM->hdr.code != SHBN_GETDROPTARGET)
                return 0;
            pNM->lParam = (LPARAM)(COleDropTarget*)&lent;
            return 1;
        };
        std::unique_ptr<CWnd> pWnd;
        if (bBar)
        {
            std::unique_ptr<COXShortcutBar> pBar(new COXShortcutBar);
            ASSERT_TRUE(pBar->Create(&m_parent, CRect(0, 0, 100, 100), 0, kBarId));
            pWnd = std::move(pBar);
        }
        else
        {
            // Standalone, the list asks its parent, which answers for the bar's id.
            std::unique_ptr<COXSHBListCtrl> pList(new COXSHBListCtrl);
            ASSERT_TRUE(pList->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_parent, kBarId));
            pWnd = std::move(pList);
        }
        m_parent.m_onNotify = nullptr;
        IDropTarget* pInterface = lent.GetInterface();
        ASSERT_NE(nullptr, pInterface) << "the lent target was registered";
        pInterface->AddRef();
        pWnd->DestroyWindow();
        EXPECT_EQ(nullptr, lent.GetInterface()) << "the target still counts itself registered";
        EXPECT_EQ(0u, pInterface->Release()) << "the system still holds the target";
    }
}

// Label editing: the owner deletes the group as the edit of a label begins, by the bar's Rename
// Item or by LVM_EDITLABEL; no editor opens.
TEST_F(ShortcutDropLifetimeTest, AGroupItsOwnerDeletesAsALabelEditBeginsOpensNoEditor)
{
    m_bar.SetBarStyle(SHBS_EDITITEMS);
    for (bool bMessage : {false, true})
    {
        SCOPED_TRACE(bMessage ? "LVM_EDITLABEL" : "the bar's EditLCItem");
        DoomedGroup group;
        AddGroupDeletedOn(SHBN_BEGINITEMEDIT, group);
        if (bMessage)
            EXPECT_EQ(0, ::SendMessageW(group.hList, LVM_EDITLABELW, 1, 0));
        else
            EXPECT_EQ(nullptr, m_bar.EditLCItem(group.hGroup, 1));
        ExpectGoneQuietly(group);
    }
}

// The owner deletes the group as a label edit ends, in each way an edit ends with its text taken:
// Enter, the focus leaving the editor, the edit of another label beginning, the items being
// sorted. Neither the list nor its editor is touched again, and no other edit begins.
TEST_F(ShortcutDropLifetimeTest, AGroupItsOwnerDeletesAsALabelEditEndsLeavesItsListAndEditorAlone)
{
    m_bar.SetBarStyle(SHBS_EDITITEMS);
    const char* ways[] = {"Enter", "the focus leaving", "another edit", "sorting"};
    for (int nWay = 0; nWay < 4; ++nWay)
    {
        SCOPED_TRACE(ways[nWay]);
        DoomedGroup group;
        AddGroupDeletedOn(SHBN_ENDITEMEDIT, group);
        COXSHBEdit* pEdit = m_bar.EditLCItem(group.hGroup, 1);
        ASSERT_NE(nullptr, pEdit);
        const HWND hEdit = pEdit->m_hWnd;
        ::SetWindowTextW(hEdit, L"Renamed");
        auto onNotify = m_parent.m_onNotify;
        int nEditsBegun = 0;
        m_parent.m_onNotify = [&](NMSHORTCUTBAR* pNM) -> LRESULT {
            if (pNM->hdr.code == SHBN_BEGINITEMEDIT)
                nEditsBegun++;
            return onNotify(pNM);
        };
        switch (nWay)
        {
        case 0:
            ::PostMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 0);
            PumpUntilIdle();
            break;
        case 1: ::SetFocus(m_parent.m_hWnd); break;
        case 2: EXPECT_EQ(0, ::SendMessageW(group.hList, LVM_EDITLABELW, 2, 0)); break;
        default: EXPECT_FALSE(::SendMessageW(group.hList, LVM_SORTITEMS, 0, (LPARAM)CompareItems)); break;
        }
        ExpectGoneQuietly(group);
        EXPECT_EQ(0, nEditsBegun);
    }
}

// The owner deletes the item whose label is to be edited, as that edit begins or as the running
// edit ends before it: no editor opens on the item that is gone.
TEST_F(ShortcutDropLifetimeTest, AnItemItsOwnerDeletesAsItsLabelEditBeginsOpensNoEditor)
{
    m_bar.SetBarStyle(SHBS_EDITITEMS);
    for (UINT nCode : {(UINT)SHBN_BEGINITEMEDIT, (UINT)SHBN_ENDITEMEDIT})
    {
        SCOPED_TRACE(nCode == (UINT)SHBN_BEGINITEMEDIT ? "as the edit begins" : "as the running edit ends");
        HSHBGROUP hGroup = AddGroup();
        COXSHBListCtrl* pList = m_bar.GetGroupListCtrl(hGroup);
        if (nCode == (UINT)SHBN_ENDITEMEDIT)
        {
            ASSERT_NE(nullptr, m_bar.EditLCItem(hGroup, 0));
        }
        int nBegun = 0;
        m_parent.m_onNotify = [&](NMSHORTCUTBAR* pNM) -> LRESULT {
            if (pNM->hdr.code == SHBN_BEGINITEMEDIT)
                nBegun++;
            if (pNM->hdr.code == nCode && pList->GetItemCount() == 3)
                pList->DeleteItem(2);
            return 0;
        };
        EXPECT_EQ(0, ::SendMessageW(pList->m_hWnd, LVM_EDITLABELW, 2, 0));
        PumpUntilIdle();
        m_parent.m_onNotify = nullptr;
        EXPECT_EQ(2, pList->GetItemCount());
        EXPECT_EQ(nCode == (UINT)SHBN_BEGINITEMEDIT ? 1 : 0, nBegun) << "edits begun on the item that went";
        EXPECT_FALSE(::IsWindowVisible(pList->GetEditControl()->m_hWnd));
        m_bar.DeleteGroup(hGroup);
    }
}

// LVM_SETHOTITEM makes an item hot as the pointer would; the owner deletes the group as it does.
TEST_F(ShortcutDropLifetimeTest, AGroupItsOwnerDeletesAsAnItemIsMadeHotByMessageLeavesItsListAlone)
{
    DoomedGroup group;
    AddGroupDeletedOn(SHBN_HOTITEM, group);
    EXPECT_EQ(-1, ::SendMessageW(group.hList, LVM_SETHOTITEM, 1, 0)) << "the hot item before";
    ExpectGoneQuietly(group);
}

// The owner deletes the group as one item or all of them are about to go: the list stops and
// reports that it deleted nothing.
TEST_F(ShortcutDropLifetimeTest, AGroupItsOwnerDeletesAsItemsAreDeletedReportsNothingDeleted)
{
    for (UINT nCode : {SHBN_DELETEITEM, SHBN_DELETEALLITEMS})
    {
        SCOPED_TRACE(nCode);
        DoomedGroup group;
        AddGroupDeletedOn(nCode, group);
        if (nCode == SHBN_DELETEITEM)
            EXPECT_FALSE(m_bar.DeleteLCItem(group.hGroup, 1));
        else
            EXPECT_FALSE(::SendMessageW(group.hList, LVM_DELETEALLITEMS, 0, 0));
        ExpectGoneQuietly(group);
    }
}

// The owner deletes the group as a new item goes in: the item went with the list, so the insert
// reports no index, and a drop that brought it is refused, so that a moving source keeps its item.
TEST_F(ShortcutDropLifetimeTest, AGroupItsOwnerDeletesAsAnItemGoesInTakesNoItemAndRefusesTheDrop)
{
    DoomedGroup inserted;
    AddGroupDeletedOn(SHBN_INSERTITEM, inserted);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 3;
    item.pszText = const_cast<wchar_t*>(L"New");
    EXPECT_EQ(-1, m_bar.InsertLCItem(inserted.hGroup, &item));
    ExpectGoneQuietly(inserted);

    CShortcutItemPayload payload;
    payload.m_strText = L"B";
    COleDataSource data;
    data.CacheGlobalData(CShortcutItemPayload::GetClipboardFormat(), payload.Write());
    IDataObject* pData = data.GetDataObject();
    DoomedGroup dropped;
    AddGroupDeletedOn(SHBN_INSERTITEM, dropped);
    POINTL pt = GapPoint(dropped.pList);
    IDropTarget* pTarget = dropped.pList->GetDropTarget()->GetInterface();
    ASSERT_NE(nullptr, pTarget);
    pTarget->AddRef();
    DWORD dwEffect = DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pTarget->DragEnter(pData, MK_LBUTTON, pt, &dwEffect));
    dwEffect = DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pTarget->DragOver(MK_LBUTTON, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_MOVE, dwEffect) << "the gap takes the item";
    EXPECT_EQ(S_OK, pTarget->Drop(pData, 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    pTarget->Release();
    pData->Release();
    ExpectGoneQuietly(dropped);
}

// The owner deletes the group as an item is drawn, and draws it itself or leaves it to the list.
TEST_F(ShortcutDropLifetimeTest, AGroupItsOwnerDeletesAsAnItemIsDrawnStopsThePainting)
{
    for (LRESULT nAnswer : {0, 1})
    {
        SCOPED_TRACE(nAnswer ? "drawn by the owner" : "left to the list");
        DoomedGroup group;
        AddGroupDeletedOn(SHBN_DRAWITEM, group);
        auto onNotify = m_parent.m_onNotify;
        m_parent.m_onNotify = [&](NMSHORTCUTBAR* pNM) -> LRESULT {
            onNotify(pNM);
            return pNM->hdr.code == SHBN_DRAWITEM ? nAnswer : 0;
        };
        // Sent, not left to UpdateWindow: the system passes over a fault in a paint it calls for
        // itself, which would hide a touch of the freed list.
        ::InvalidateRect(group.hList, nullptr, FALSE);
        ::SendMessageW(group.hList, WM_PAINT, 0, 0);
        ExpectGoneQuietly(group);
    }
}
