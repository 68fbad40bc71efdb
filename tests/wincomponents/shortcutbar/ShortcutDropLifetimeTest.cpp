// An owner may delete a group in any notification of a drag; the list, the drop target and the
// drop source the system still holds must then leave the freed list alone. Freed memory is
// overwritten while these tests run, so that a late touch reads garbage rather than what the
// list held.
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
#include <new>

namespace
{
bool s_bPoisonFreed = false;

// Keeps the block's contents as they are, seen from the optimiser: they may be read elsewhere.
// Without it, a fill just before free is a dead store, and the optimiser drops it.
void KeepBlock(void* p)
{
    __asm__ __volatile__("" : : "r"(p) : "memory");
}

void FreeBlock(void* p) noexcept
{
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
    }
    void TearDown() override
    {
        s_bPoisonFreed = false;
        m_parent.m_onNotify = nullptr;
    }

    // An expanded group with three items.
    HSHBGROUP AddGroup()
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
            item.pszText = const_cast<wchar_t*>(L"A");
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
