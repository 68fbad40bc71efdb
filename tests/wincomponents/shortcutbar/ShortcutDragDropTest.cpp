#include "RealInput.h"
#include "ShortcutBarFixture.h"
#include "ScriptedDropSource.h"
#include "ShortcutItemCases.h"
#include "SquareImages.h"

#include "framework/gdi/CBitmap.h"
#include "framework/ole/COleDataSource.h"
#include "framework/window/AfxOleInit.h"
#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

#include <algorithm>
#include <functional>
#include <string>

namespace
{
const int kIconSize = 32;

// Notes, besides every notification, the insert mark and the scroll position of the list a drag
// is over, and when each group was expanded.
class CDropWatchParent : public CShortcutParent
{
public:
    std::vector<int> m_arrMarksAtDrop;
    std::vector<int> m_arrOrigins;
    std::map<HSHBGROUP, DWORD> m_mapExpandTicks;
    DWORD m_dwFirstOverHeaders = 0; // when a drag first passed over the bar's headers
    // Runs for every notification before it is noted; may answer it.
    std::function<void(NMSHORTCUTBAR*, LRESULT*)> m_onNotify;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMSHORTCUTBAR* pNM = (NMSHORTCUTBAR*)lParam;
        if (pNM->hdr.code == SHBN_DROP)
            m_arrMarksAtDrop.push_back(GetList(pNM)->GetPlaceholder());
        if (pNM->hdr.code == SHBN_DRAGOVER && GetList(pNM))
            m_arrOrigins.push_back(GetList(pNM)->GetOrigin().y);
        if (pNM->hdr.code == SHBN_DRAGOVER && !pNM->hGroup && !m_dwFirstOverHeaders)
            m_dwFirstOverHeaders = GetTickCount();
        if (pNM->hdr.code == SHBN_GROUPEXPANDED)
            m_mapExpandTicks[pNM->hGroup] = GetTickCount();
        LRESULT lAnswer = 0;
        if (m_onNotify)
            m_onNotify(pNM, &lAnswer);
        BOOL bNoted = CShortcutParent::OnNotify(wParam, lParam, pResult);
        if (lAnswer)
            *pResult = lAnswer;
        return bNoted;
    }

private:
    COXSHBListCtrl* GetList(NMSHORTCUTBAR* pNM)
    {
        COXShortcutBar* pBar = (COXShortcutBar*)CWnd::FromHandlePermanent(pNM->hdr.hwndFrom);
        return pBar ? pBar->GetGroupListCtrl(pNM->hGroup) : nullptr;
    }
};

class ShortcutDragDropTest : public GuiTest
{
protected:
    ShortcutDragDropTest() { AfxOleInit(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, nullptr, L"", WS_POPUP | WS_VISIBLE, CRect(100, 50, 340, 550),
                                      nullptr, 0));
        ASSERT_TRUE(m_bar.Create(&m_parent, CRect(0, 0, 200, 480), 0, kBarId));
        MakeSquareImages(m_images[0], kIconSize, 2, RGB(200, 0, 0), 1);
        MakeSquareImages(m_images[1], kIconSize, 2, RGB(0, 0, 200), 1);
        m_hOne = AddGroup(L"One", 0);
        m_hTwo = AddGroup(L"Two", 1);
        m_bar.ExpandGroup(m_hOne);
        // Keys reach the drag loop only through the window that has the focus.
        ::SetForegroundWindow(m_parent.m_hWnd);
        m_bar.SetFocus();
        PumpUntilIdle();
        m_parent.m_arrNotices.clear();
    }

    HSHBGROUP AddGroup(const wchar_t* pszText, int nGroup)
    {
        SHB_GROUPINFO info;
        info.nMask = SHBGI_TEXT;
        info.pszText = const_cast<wchar_t*>(pszText);
        info.nTextMax = lstrlenW(pszText);
        HSHBGROUP hGroup = m_bar.InsertGroup(&info);
        m_bar.SetLCImageList(hGroup, m_images[nGroup].GetSafeHandle(), LVSIL_NORMAL);
        return hGroup;
    }
    // Items "<prefix>0", "<prefix>1", ... with data 10 * (group + 1) + index and image index.
    void AddItems(HSHBGROUP hGroup, const wchar_t* pszPrefix, int nCount)
    {
        for (int i = 0; i < nCount; i++)
        {
            CString strText;
            strText.Format(L"%s%d", pszPrefix, i);
            LVITEMW item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
            item.iItem = i;
            item.pszText = (LPWSTR)strText.GetString();
            item.iImage = i % 2;
            item.lParam = (hGroup == m_hOne ? 10 : 20) + i;
            m_bar.InsertLCItem(hGroup, &item);
        }
        PumpUntilIdle();
    }

    COXSHBListCtrl* List(HSHBGROUP hGroup) { return m_bar.GetGroupListCtrl(hGroup); }
    CRect RowRect(HSHBGROUP hGroup, int nItem)
    {
        CRect rect(-1, 0, 0, 0);
        List(hGroup)->SendMessage(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)&rect);
        return rect;
    }
    POINT ToScreen(HSHBGROUP hGroup, CPoint point)
    {
        List(hGroup)->ClientToScreen(&point);
        return point;
    }
    POINT IconPoint(HSHBGROUP hGroup, int nItem)
    {
        CRect rect;
        List(hGroup)->GetItemRect(nItem, &rect, LVIR_ICON);
        return ToScreen(hGroup, rect.CenterPoint());
    }
    // Between the rows of nIndex - 1 and nIndex, where the insert mark for nIndex goes.
    POINT GapPoint(HSHBGROUP hGroup, int nIndex)
    {
        CRect rectBelow = RowRect(hGroup, nIndex);
        CRect rectAbove = RowRect(hGroup, nIndex - 1);
        return ToScreen(hGroup, CPoint(rectBelow.CenterPoint().x, (rectAbove.bottom + rectBelow.top) / 2));
    }
    POINT HeaderPoint(HSHBGROUP hGroup)
    {
        CRect rect;
        m_bar.GetGroupHeaderRect(hGroup, &rect);
        CPoint point = rect.CenterPoint();
        m_bar.ClientToScreen(&point);
        return point;
    }

    // Presses on the item, drags it in steps to the point and lets the script end the drag.
    // The pointer leaves the item only once the list has started the drag: a list that saw the
    // first moves late would find the pointer off the pressed item and start none.
    void DragItem(HSHBGROUP hGroup, int nItem, POINT to, const std::function<void()>& end)
    {
        POINT from = IconPoint(hGroup, nItem);
        COXSHBListCtrl* pList = List(hGroup);
        RunWithRealInput([&] {
            RealMouseMove(from);
            RealMouseButton(MOUSEEVENTF_LEFTDOWN);
            RealMouseGlide(from, POINT{from.x + 4, from.y + 12}, 3);
            for (int nWait = 0; nWait < 500 && pList->GetDragItem() == -1; ++nWait)
                Sleep(10);
            RealMouseGlide(POINT{from.x + 4, from.y + 12}, to, 8);
            RealMouseGlide(to, POINT{to.x + 2, to.y}, 2);
            end();
        });
        PumpUntilIdle();
    }
    static void Release() { RealMouseButton(MOUSEEVENTF_LEFTUP); }

    // The texts of the group's items with their data, as "A1:11 A0:10".
    CString Items(HSHBGROUP hGroup)
    {
        CString strAll;
        for (int i = 0; i < List(hGroup)->GetItemCount(); i++)
        {
            CString strOne;
            strOne.Format(L"%s%s:%d", i ? L" " : L"", List(hGroup)->GetItemText(i, 0).GetString(),
                          (int)List(hGroup)->GetItemData(i));
            strAll += strOne;
        }
        return strAll;
    }
    DROPEFFECT DropComplete()
    {
        const ShortcutNotice* pNotice = nullptr;
        for (const ShortcutNotice& notice : m_parent.m_arrNotices)
        {
            if (notice.nCode == SHBN_DROPCOMPLETE)
                pNotice = &notice;
        }
        return pNotice ? (DROPEFFECT)pNotice->lParam : (DROPEFFECT)-1;
    }

    // Drags the list's item with a scripted source and drops it back into the list at the point
    // with the effect; TRUE when the drop was taken.
    BOOL DropWithinItsList(COXSHBListCtrl* pList, int nItem, CPoint point, DROPEFFECT dropEffect);

    CDropWatchParent m_parent;
    COXShortcutBar m_bar;
    CImageList m_images[2];
    HSHBGROUP m_hOne = 0;
    HSHBGROUP m_hTwo = 0;
};
} // namespace

TEST_F(ShortcutDragDropTest, AnItemMovesWithinItsGroupToTheInsertMarkEitherWay)
{
    AddItems(m_hOne, L"A", 4);

    // Down: the dragged item goes where the mark was, and the rows after it close up.
    DragItem(m_hOne, 0, GapPoint(m_hOne, 3), Release);
    EXPECT_EQ(std::vector<int>{3}, m_parent.m_arrMarksAtDrop);
    EXPECT_STREQ(L"A1:11 A2:12 A0:10 A3:13", Items(m_hOne).GetString());
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_MOVE, DropComplete());

    // Up: the mark is before the dragged item, so the item deleted is the one pushed down.
    DragItem(m_hOne, 3, GapPoint(m_hOne, 1), Release);
    EXPECT_STREQ(L"A1:11 A3:13 A2:12 A0:10", Items(m_hOne).GetString());
    EXPECT_EQ(-1, List(m_hOne)->GetPlaceholder());
    EXPECT_EQ(-1, List(m_hOne)->GetDragItem());
    EXPECT_FALSE(List(m_hOne)->IsDragSource());
}

TEST_F(ShortcutDragDropTest, CtrlAtTheDropCopiesAndTheSourceKeepsItsItem)
{
    AddItems(m_hOne, L"A", 3);
    POINT to = GapPoint(m_hOne, 2);
    DragItem(m_hOne, 0, to, [&] {
        RealKey(VK_CONTROL, TRUE);
        // No pointer move while Ctrl is held: under X the pointer's events carry the real
        // modifiers, which would let go of the Ctrl sent here.
        Release();
        Sleep(300);
        RealKey(VK_CONTROL, FALSE);
    });
    EXPECT_STREQ(L"A0:10 A1:11 A0:10 A2:12", Items(m_hOne).GetString());
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, DropComplete());
}

TEST_F(ShortcutDragDropTest, AnItemHeldOnACollapsedHeaderOpensItsGroupAndMovesThereWithItsIconButNoData)
{
    AddItems(m_hOne, L"A", 3);
    AddItems(m_hTwo, L"B", 2);
    int nImagesBefore = m_images[1].GetImageCount();
    POINT header = HeaderPoint(m_hTwo);
    DragItem(m_hOne, 1, header, [&] {
        Sleep(500);
        // Group Two's list now fills the child area: drop below its last item.
        CRect rectChild = m_bar.GetChildWndRect();
        POINT ptBottom = {rectChild.CenterPoint().x, rectChild.bottom - 20};
        m_bar.ClientToScreen(&ptBottom);
        RealMouseGlide(header, ptBottom, 6);
        RealMouseGlide(ptBottom, POINT{ptBottom.x, ptBottom.y + 2}, 2);
        Release();
    });

    ASSERT_EQ(m_hTwo, m_bar.GetExpandedGroup());
    ASSERT_TRUE(m_parent.m_mapExpandTicks.count(m_hTwo));
    ASSERT_NE(0u, m_parent.m_dwFirstOverHeaders);
    EXPECT_GE(m_parent.m_mapExpandTicks[m_hTwo] - m_parent.m_dwFirstOverHeaders, 150u) << "opened only after a quarter of the delay";
    EXPECT_STREQ(L"A0:10 A2:12", Items(m_hOne).GetString());
    EXPECT_STREQ(L"B0:20 B1:21 A1:0", Items(m_hTwo).GetString()) << "data of another list does not travel";
    ASSERT_EQ(nImagesBefore + 1, m_images[1].GetImageCount()) << "the icon came along";
    EXPECT_EQ(nImagesBefore, List(m_hTwo)->GetItemImage(2));
}

TEST_F(ShortcutDragDropTest, EscapeOrADropOntoAnItemChangesNothing)
{
    AddItems(m_hOne, L"A", 4);
    DragItem(m_hOne, 0, GapPoint(m_hOne, 3), [] {
        RealKey(VK_ESCAPE, TRUE);
        RealKey(VK_ESCAPE, FALSE);
        Release();
    });
    EXPECT_STREQ(L"A0:10 A1:11 A2:12 A3:13", Items(m_hOne).GetString());
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, DropComplete());
    EXPECT_EQ(-1, List(m_hOne)->GetPlaceholder());
    EXPECT_TRUE(m_parent.m_arrMarksAtDrop.empty());

    m_parent.m_arrNotices.clear();
    DragItem(m_hOne, 0, IconPoint(m_hOne, 2), Release);
    EXPECT_STREQ(L"A0:10 A1:11 A2:12 A3:13", Items(m_hOne).GetString());
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, DropComplete());
}

TEST_F(ShortcutDragDropTest, ADragNearTheBottomOrTopEdgeScrollsTheList)
{
    AddItems(m_hOne, L"A", 12);
    COXSHBListCtrl* pList = List(m_hOne);
    ASSERT_FALSE(pList->GetDownButtonRect().IsRectEmpty()) << "the items must not fit";
    CRect rectClient;
    pList->GetClientRect(&rectClient);
    POINT ptBottom = ToScreen(m_hOne, CPoint(rectClient.CenterPoint().x, rectClient.bottom - 4));
    POINT ptTop = ToScreen(m_hOne, CPoint(rectClient.CenterPoint().x, rectClient.top + 4));
    DragItem(m_hOne, 0, ptBottom, [&] {
        for (int i = 0; i < 8; i++)
            RealMouseMove(POINT{ptBottom.x + (i % 2), ptBottom.y});
        RealMouseGlide(ptBottom, ptTop, 4);
        for (int i = 0; i < 8; i++)
            RealMouseMove(POINT{ptTop.x + (i % 2), ptTop.y});
        RealKey(VK_ESCAPE, TRUE);
        RealKey(VK_ESCAPE, FALSE);
        Release();
    });
    ASSERT_FALSE(m_parent.m_arrOrigins.empty());
    int nLowest = *std::max_element(m_parent.m_arrOrigins.begin(), m_parent.m_arrOrigins.end());
    EXPECT_GT(nLowest, 0) << "scrolled down while held near the bottom";
    EXPECT_LT(pList->GetOrigin().y, nLowest) << "and back up near the top";
    EXPECT_EQ(12, pList->GetItemCount());
}

namespace
{
// A data object holding the bytes under the item format, or plain text.
IDataObject* MakeDataObject(COleDataSource& source, const std::vector<BYTE>& bytes, CLIPFORMAT cfFormat)
{
    HGLOBAL hGlobal = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!bytes.empty())
    {
        memcpy(GlobalLock(hGlobal), bytes.data(), bytes.size());
        GlobalUnlock(hGlobal);
    }
    source.CacheGlobalData(cfFormat, hGlobal);
    return source.GetDataObject();
}
} // namespace

TEST_F(ShortcutDragDropTest, OnlyAWellFormedItemIsTakenFromWhatAnyProgramMayOffer)
{
    AddItems(m_hOne, L"A", 2);
    COXSHBListCtrl* pList = List(m_hOne);
    CPoint ptGap(RowRect(m_hOne, 1).CenterPoint().x, (RowRect(m_hOne, 0).bottom + RowRect(m_hOne, 1).top) / 2);
    std::vector<CPayloadCase> cases = MakeShortcutItemCases();
    cases.push_back({"plain text", {'a', 0, 0, 0}, false});
    for (const CPayloadCase& payload : cases)
    {
        SCOPED_TRACE(payload.pszWhat);
        COleDataSource source;
        CLIPFORMAT cfFormat = strcmp(payload.pszWhat, "plain text") ? CShortcutItemPayload::GetClipboardFormat()
                                                                     : (CLIPFORMAT)CF_UNICODETEXT;
        COleDataObject dataObject;
        dataObject.Attach(MakeDataObject(source, payload.bytes, cfFormat));
        int nCount = pList->GetItemCount();

        DROPTARGETCALL over = {pList, &dataObject, MK_LBUTTON, ptGap.x, ptGap.y, 0, 0, 0};
        ASSERT_TRUE(pList->SendMessage(DROPTARGET_DRAGENTER, 0, (LPARAM)&over));
        DROPTARGETCALL drop = {pList, &dataObject, 0, ptGap.x, ptGap.y, DROPEFFECT_MOVE, 0, 0};
        ASSERT_TRUE(pList->SendMessage(DROPTARGET_DROP, 0, (LPARAM)&drop));

        EXPECT_EQ(payload.bGood, drop.result != FALSE);
        EXPECT_EQ(nCount + (payload.bGood ? 1 : 0), pList->GetItemCount());
        EXPECT_EQ(-1, pList->GetPlaceholder());
        if (cfFormat == CF_UNICODETEXT)
        {
            EXPECT_EQ((DWORD)DROPEFFECT_NONE, over.result) << "text alone is no item";
        }
    }
}

TEST_F(ShortcutDragDropTest, ADropNearTheBottomEdgeEndsTheScrollingItStarted)
{
    AddItems(m_hOne, L"A", 12);
    COXSHBListCtrl* pList = List(m_hOne);
    CRect rectDown = pList->GetDownButtonRect();
    ASSERT_FALSE(rectDown.IsRectEmpty()) << "the items must not fit";
    CPoint ptButton = rectDown.CenterPoint();
    POINT ptScreen = ToScreen(m_hOne, ptButton);
    ::SetCursorPos(ptScreen.x, ptScreen.y);

    std::vector<CPayloadCase> cases = MakeShortcutItemCases();
    COleDataSource source;
    COleDataObject dataObject;
    dataObject.Attach(MakeDataObject(source, cases[0].bytes, CShortcutItemPayload::GetClipboardFormat()));
    DROPTARGETCALL over = {pList, &dataObject, MK_LBUTTON, ptButton.x, ptButton.y, 0, 0, 0};
    pList->SendMessage(DROPTARGET_DRAGENTER, 0, (LPARAM)&over);
    DROPTARGETCALL drop = {pList, &dataObject, 0, ptButton.x, ptButton.y, DROPEFFECT_MOVE, 0, 0};
    pList->SendMessage(DROPTARGET_DROP, 0, (LPARAM)&drop);

    // The pointer rests on the down button, where a running scroll would go on stepping.
    int nOrigin = pList->GetOrigin().y;
    for (DWORD dwEnd = GetTickCount() + 600; GetTickCount() < dwEnd;)
    {
        PumpUntilIdle();
        Sleep(20);
    }
    EXPECT_EQ(nOrigin, pList->GetOrigin().y);
}

namespace
{
// A well-formed item with the label, data and extra bytes, offered by the source.
void OfferItem(COleDataSource& source, COleDataObject& dataObject, const wchar_t* pszText, DWORD dwData,
               std::vector<BYTE> extra = {})
{
    CShortcutItemPayload item;
    item.m_strText = pszText;
    item.m_dwData = dwData;
    item.m_extra = extra;
    source.CacheGlobalData(CShortcutItemPayload::GetClipboardFormat(), item.Write());
    dataObject.Attach(source.GetDataObject());
}

// Enters the list at the point and drops there with the effect; the drop record.
DROPTARGETCALL EnterAndDrop(COXSHBListCtrl* pList, COleDataObject& dataObject, CPoint point,
                            DROPEFFECT dropEffect = DROPEFFECT_MOVE)
{
    DROPTARGETCALL over = {pList, &dataObject, MK_LBUTTON, point.x, point.y, 0, 0, 0};
    pList->SendMessage(DROPTARGET_DRAGENTER, 0, (LPARAM)&over);
    DROPTARGETCALL drop = {pList, &dataObject, 0, point.x, point.y, dropEffect, 0, 0};
    pList->SendMessage(DROPTARGET_DROP, 0, (LPARAM)&drop);
    return drop;
}

BOOL ShortcutDragDropTest::DropWithinItsList(COXSHBListCtrl* pList, int nItem, CPoint point, DROPEFFECT dropEffect)
{
    CScriptedDropSource dropSource;
    COleDataSource* pDragData = nullptr;
    m_parent.m_onNotify = [&](NMSHORTCUTBAR* pNM, LRESULT* pAnswer) {
        if (pNM->hdr.code == SHBN_BEGINDRAGDROP)
            pDragData = (COleDataSource*)pNM->lParam;
        if (pNM->hdr.code == SHBN_GETDROPSOURCE)
        {
            pNM->lParam = (LPARAM)(COleDropSource*)&dropSource;
            *pAnswer = 1;
        }
    };
    BOOL bDropped = FALSE;
    dropSource.m_script = [&] {
        ASSERT_NE(nullptr, pDragData);
        ASSERT_TRUE(pList->IsDragSource());
        COleDataObject dataObject;
        dataObject.Attach(pDragData->GetDataObject());
        bDropped = (BOOL)EnterAndDrop(pList, dataObject, point, dropEffect).result;
    };
    pList->SetDragItem(nItem);
    PumpUntilIdle();
    m_parent.m_onNotify = nullptr;
    return bDropped;
}

// A list view that runs out of room for new items.
WNDPROC s_pfnListProc = nullptr;
LRESULT CALLBACK RefuseInserts(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LVM_INSERTITEMW)
        return -1;
    return CallWindowProcW(s_pfnListProc, hWnd, message, wParam, lParam);
}
} // namespace

TEST_F(ShortcutDragDropTest, ADroppedItemGoesWhereTheListPutsItAndAFailedInsertRefusesTheDrop)
{
    AddItems(m_hOne, L"A", 3);
    COXSHBListCtrl* pList = List(m_hOne);
    CPoint ptGap(RowRect(m_hOne, 2).CenterPoint().x, (RowRect(m_hOne, 1).bottom + RowRect(m_hOne, 2).top) / 2);

    // A sorted list puts "0" first whatever the mark says: the owner's extra data names that row.
    pList->ModifyStyle(0, LVS_SORTASCENDING);
    {
        COleDataSource source;
        COleDataObject dataObject;
        OfferItem(source, dataObject, L"0", 5, {1, 2, 3});
        DROPTARGETCALL drop = EnterAndDrop(pList, dataObject, ptGap);
        EXPECT_TRUE(drop.result);
        EXPECT_STREQ(L"0:0 A0:10 A1:11 A2:12", Items(m_hOne).GetString());
        const ShortcutNotice* pExtra = m_parent.Find(SHBN_GETADDITIONALDROPDATA);
        ASSERT_NE(nullptr, pExtra);
        EXPECT_EQ(0, pExtra->nItem);
    }
    pList->ModifyStyle(LVS_SORTASCENDING, 0);

    // An insert that fails is no drop: the source must not delete its item.
    m_parent.m_arrNotices.clear();
    s_pfnListProc = (WNDPROC)SetWindowLongPtrW(pList->m_hWnd, GWLP_WNDPROC, (LONG_PTR)RefuseInserts);
    {
        COleDataSource source;
        COleDataObject dataObject;
        OfferItem(source, dataObject, L"B", 5, {1, 2, 3});
        DROPTARGETCALL drop = EnterAndDrop(pList, dataObject, ptGap);
        EXPECT_FALSE(drop.result);
    }
    SetWindowLongPtrW(pList->m_hWnd, GWLP_WNDPROC, (LONG_PTR)s_pfnListProc);
    EXPECT_EQ(4, pList->GetItemCount());
    EXPECT_EQ(nullptr, m_parent.Find(SHBN_GETADDITIONALDROPDATA));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, DropComplete());
    EXPECT_EQ(-1, pList->GetPlaceholder());
}

TEST_F(ShortcutDragDropTest, TheInsertMarkFollowsItemsInsertedAndDeletedDuringADrag)
{
    AddItems(m_hOne, L"A", 4);
    COXSHBListCtrl* pList = List(m_hOne);
    CPoint ptGap(RowRect(m_hOne, 2).CenterPoint().x, (RowRect(m_hOne, 1).bottom + RowRect(m_hOne, 2).top) / 2);
    COleDataSource source;
    COleDataObject dataObject;
    OfferItem(source, dataObject, L"D", 5);
    DROPTARGETCALL over = {pList, &dataObject, MK_LBUTTON, ptGap.x, ptGap.y, 0, 0, 0};
    pList->SendMessage(DROPTARGET_DRAGENTER, 0, (LPARAM)&over);
    ASSERT_EQ(2, pList->GetPlaceholder()) << "between A1 and A2";

    pList->DeleteItem(0);
    EXPECT_EQ(1, pList->GetPlaceholder());
    pList->InsertItem(0, L"N");
    EXPECT_EQ(2, pList->GetPlaceholder());
    pList->InsertItem(3, L"M");
    EXPECT_EQ(2, pList->GetPlaceholder()) << "an item after the mark leaves it";

    DROPTARGETCALL drop = {pList, &dataObject, 0, ptGap.x, ptGap.y, DROPEFFECT_COPY, 0, 0};
    pList->SendMessage(DROPTARGET_DROP, 0, (LPARAM)&drop);
    EXPECT_TRUE(drop.result);
    EXPECT_STREQ(L"N:0 A1:11 D:0 A2:12 M:0 A3:13", Items(m_hOne).GetString()) << "still between A1 and A2";
}

TEST_F(ShortcutDragDropTest, AnItemCopiedWithinItsListKeepsItsWholeData)
{
    AddItems(m_hOne, L"A", 3);
    COXSHBListCtrl* pList = List(m_hOne);
    // Every bit set but the lowest: a 64-bit value that 32 bits cannot carry.
    const LPARAM lWide = (LPARAM)(~(ULONG_PTR)0 - 1);
    pList->SetItemData(1, (DWORD_PTR)lWide);
    CPoint ptGap(RowRect(m_hOne, 0).CenterPoint().x, RowRect(m_hOne, 0).top - 1);

    ASSERT_TRUE(DropWithinItsList(pList, 1, ptGap, DROPEFFECT_COPY));
    ASSERT_EQ(4, pList->GetItemCount());
    EXPECT_EQ(L"A1", pList->GetItemText(0, 0));
    EXPECT_EQ(lWide, (LPARAM)pList->GetItemData(0)) << "the dropped copy";
    EXPECT_EQ(lWide, (LPARAM)pList->GetItemData(2)) << "the original";
}

TEST_F(ShortcutDragDropTest, ADroppedLabelIsCutToFiveHundredAndTwelveCharactersButAMovedOneStaysWhole)
{
    const int nLimit = 512; // what the side bar uses of a label
    AddItems(m_hOne, L"A", 3);
    COXSHBListCtrl* pList = List(m_hOne);
    CPoint ptGap(RowRect(m_hOne, 1).CenterPoint().x, (RowRect(m_hOne, 0).bottom + RowRect(m_hOne, 1).top) / 2);
    for (int nLength : {nLimit, 262144})
    {
        SCOPED_TRACE(nLength);
        COleDataSource source;
        COleDataObject dataObject;
        OfferItem(source, dataObject, std::wstring((size_t)nLength, L'x').c_str(), 5);
        EXPECT_TRUE(EnterAndDrop(pList, dataObject, ptGap).result);
        ASSERT_EQ(4, pList->GetItemCount());
        EXPECT_EQ(CString(std::wstring((size_t)nLimit, L'x')), pList->GetItemText(1, 0));
        pList->DeleteItem(1);
    }

    // A copy within its own list keeps the whole label.
    const CString strLong(std::wstring((size_t)nLimit + 100, L'L'));
    pList->SetItemText(2, 0, strLong);
    CPoint ptTop(RowRect(m_hOne, 0).CenterPoint().x, RowRect(m_hOne, 0).top - 1);
    ASSERT_TRUE(DropWithinItsList(pList, 2, ptTop, DROPEFFECT_COPY));
    ASSERT_EQ(4, pList->GetItemCount());
    EXPECT_EQ(strLong, pList->GetItemText(0, 0));
}

TEST_F(ShortcutDragDropTest, ADropThatCannotBeInsertedLeavesTheImageListsAsItFoundThem)
{
    AddItems(m_hOne, L"A", 2);
    AddItems(m_hTwo, L"B", 2);
    m_bar.SetLCImageList(m_hTwo, nullptr, LVSIL_NORMAL);
    const CShortcutItemPayload offered = MakeOfferedItem(true);
    for (HSHBGROUP hGroup : {m_hOne, m_hTwo})
    {
        SCOPED_TRACE(hGroup == m_hOne ? "a list with a normal image list" : "a list without image lists");
        m_bar.ExpandGroup(hGroup);
        PumpUntilIdle();
        COXSHBListCtrl* pList = List(hGroup);
        const HIMAGELIST hNormal = pList->GetImageList(LVSIL_NORMAL);
        const int nNormal = hNormal ? ImageList_GetImageCount(hNormal) : 0;
        CPoint ptGap(RowRect(hGroup, 1).CenterPoint().x, (RowRect(hGroup, 0).bottom + RowRect(hGroup, 1).top) / 2);
        s_pfnListProc = (WNDPROC)SetWindowLongPtrW(pList->m_hWnd, GWLP_WNDPROC, (LONG_PTR)RefuseInserts);
        {
            COleDataSource source;
            source.CacheGlobalData(CShortcutItemPayload::GetClipboardFormat(), offered.Write());
            COleDataObject dataObject;
            dataObject.Attach(source.GetDataObject());
            EXPECT_FALSE(EnterAndDrop(pList, dataObject, ptGap).result);
        }
        SetWindowLongPtrW(pList->m_hWnd, GWLP_WNDPROC, (LONG_PTR)s_pfnListProc);
        EXPECT_EQ(hNormal, pList->GetImageList(LVSIL_NORMAL));
        if (hNormal)
        {
            EXPECT_EQ(nNormal, ImageList_GetImageCount(hNormal)) << "the dropped icon stayed";
        }
        EXPECT_EQ(nullptr, pList->GetImageList(LVSIL_SMALL)) << "a list without small icons got some";
    }
}
