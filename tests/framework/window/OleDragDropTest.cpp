#include "GuiTest.h"
#include "IconPixels.h"
#include "RealInput.h"

#include "framework/files/CArchive.h"
#include "framework/files/CMemFile.h"
#include "framework/controls/CListCtrl.h"
#include "framework/ole/COleDataSource.h"
#include "framework/ole/COleDropSource.h"
#include "framework/ole/COleDropTarget.h"
#include "framework/window/AfxOleInit.h"

#include <atomic>
#include <cstring>
#include <new>
#include <vector>

namespace
{
const COLORREF crLeft = RGB(12, 200, 77);
const COLORREF crRight = RGB(201, 33, 150);

// A window that starts a drag of a little text when it is pressed.
class CDragSourceWnd : public CWnd
{
public:
    DROPEFFECT m_dropResult = (DROPEFFECT)-1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_LBUTTONDOWN)
            return CWnd::WindowProc(message, wParam, lParam);
        COleDataSource source;
        HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, 8);
        memcpy(GlobalLock(hText), L"abc", 8);
        GlobalUnlock(hText);
        source.CacheGlobalData(CF_UNICODETEXT, hText);
        m_dropResult = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
        return 0;
    }
};

// A window that counts the line scrolls it is asked for (read by the input thread too).
class CScrollNoteWnd : public CWnd
{
public:
    std::atomic<int> m_nUp{0};
    std::atomic<int> m_nDown{0};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_VSCROLL && LOWORD(wParam) == SB_LINEUP)
            ++m_nUp;
        if (message == WM_VSCROLL && LOWORD(wParam) == SB_LINEDOWN)
            ++m_nDown;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class OleDragDropTest : public GuiTest
{
protected:
    OleDragDropTest() { AfxOleInit(); }

    void ShowPopup(CWnd& wnd, const CRect& rect, DWORD dwStyle = 0)
    {
        ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, nullptr, L"", WS_POPUP | WS_VISIBLE | WS_BORDER | dwStyle, rect,
                                 nullptr, 0));
        PumpUntilIdle();
    }
};
} // namespace

TEST(MemFileArchiveTest, StoredBytesCrossBufferAndGrowBordersAndLoadBackInPieces)
{
    CMemFile file(16);
    {
        CArchive ar(&file, CArchive::store, 7);
        for (int i = 0; i < 100; ++i)
        {
            BYTE b = (BYTE)i;
            ar.Write(&b, 1);
        }
        std::vector<BYTE> block(50, 0xAB);
        ar.Write(block.data(), (UINT)block.size());
    } // the archive's end writes what it still holds
    ASSERT_EQ(150u, file.GetLength());

    file.Seek(0, CFile::begin);
    CArchive in(&file, CArchive::load, 7);
    std::vector<BYTE> back(200, 0);
    EXPECT_EQ(150u, in.Read(back.data(), 200)) << "a read past the end stops at the end";
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(i, back[i]);
    for (int i = 100; i < 150; ++i)
        ASSERT_EQ(0xAB, back[i]);
    EXPECT_EQ(0u, in.Read(back.data(), 1));
}

TEST(MemFileArchiveTest, ALentBlockIsNeverWrittenAndSeekingPastTheEndWritesZerosBetween)
{
    const BYTE lent[4] = {1, 2, 3, 4};
    CMemFile reader(lent, 4);
    EXPECT_THROW(reader.Write(lent, 1), CFileException);
    EXPECT_EQ(1, lent[0]);

    CMemFile file;
    file.Write("x", 1);
    file.Seek(10, CFile::begin);
    file.Write("y", 1);
    ASSERT_EQ(11u, file.GetLength());
    EXPECT_EQ(std::vector<BYTE>({'x', 0, 0, 0, 0, 0, 0, 0, 0, 0, 'y'}),
              std::vector<BYTE>(file.GetBuffer(), file.GetBuffer() + 11));
    EXPECT_THROW(file.Seek(-1, CFile::begin), CFileException);
}

TEST_F(OleDragDropTest, AnImageListComesBackFromItsStreamFormWithItsColoursAndRefusesOtherBytes)
{
    CImageList list;
    ASSERT_TRUE(list.Create(20, 16, ILC_COLOR32 | ILC_MASK, 2, 0));
    HICON hIcon = MakeTwoColourIcon(20, 16, crLeft, crRight);
    list.Add(hIcon);
    list.Add(hIcon);
    DestroyIcon(hIcon);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(list.Write(&ar));
    }
    ASSERT_GT(file.GetLength(), 0u);
    file.Seek(0, CFile::begin);
    CArchive in(&file, CArchive::load);
    CImageList back;
    ASSERT_TRUE(back.Read(&in));
    EXPECT_EQ(2, back.GetImageCount());
    EXPECT_EQ(crLeft, ImagePixel(back, 1, 2, 8));
    EXPECT_EQ(crRight, ImagePixel(back, 1, 17, 8));

    CArchive again(&file, CArchive::load);
    EXPECT_FALSE(back.Read(&again)) << "an object that holds a list reads no other";

    const BYTE garbage[] = "not an image list at all, just some text";
    CMemFile other(garbage, sizeof garbage);
    CArchive otherIn(&other, CArchive::load);
    CImageList none;
    EXPECT_FALSE(none.Read(&otherIn));
    EXPECT_EQ(nullptr, none.GetSafeHandle());
}

TEST_F(OleDragDropTest, AWindowWithScrollBarsScrollsWhileTheDragRestsNearItsEdgesAndRefusesTheDrop)
{
    CDragSourceWnd source;
    CScrollNoteWnd target, plain;
    ShowPopup(source, CRect(100, 100, 300, 300));
    ShowPopup(target, CRect(400, 100, 600, 300), WS_VSCROLL);
    ShowPopup(plain, CRect(700, 100, 900, 300));
    COleDropTarget dropTarget, plainTarget;
    ASSERT_TRUE(dropTarget.Register(&target));
    ASSERT_TRUE(plainTarget.Register(&plain));
    EXPECT_FALSE(dropTarget.Register(&plain)) << "one drop target serves one window";

    CRect rectClient;
    target.GetClientRect(&rectClient);
    CPoint ptTop(rectClient.CenterPoint().x, 3), ptBottom(rectClient.CenterPoint().x, rectClient.bottom - 3);
    target.ClientToScreen(&ptTop);
    target.ClientToScreen(&ptBottom);
    int nBeforeEdges = -1, nUpAtTop = -1, nDownAtTop = -1;
    RunWithRealInput([&] {
        RealMouseMove(POINT{200, 200});
        RealMouseButton(MOUSEEVENTF_LEFTDOWN);
        RealMouseGlide(POINT{200, 200}, POINT{500, 200}, 6);
        RealMouseGlide(POINT{500, 200}, POINT{520, 200}, 4);
        nBeforeEdges = target.m_nUp + target.m_nDown;
        for (int i = 0; i < 10; ++i)
            RealMouseMove(POINT{ptTop.x + i % 2, ptTop.y});
        nUpAtTop = target.m_nUp;
        nDownAtTop = target.m_nDown;
        for (int i = 0; i < 10; ++i)
            RealMouseMove(POINT{ptBottom.x + i % 2, ptBottom.y});
        RealMouseGlide(ptBottom, POINT{800, 200}, 6);
        for (int i = 0; i < 10; ++i)
            RealMouseMove(POINT{800 + i % 2, 103});
        RealMouseButton(MOUSEEVENTF_LEFTUP);
    });

    EXPECT_EQ(0, nBeforeEdges) << "away from the edges nothing scrolls";
    EXPECT_GT(nUpAtTop, 0);
    EXPECT_EQ(0, nDownAtTop);
    EXPECT_GT(target.m_nDown, 0);
    EXPECT_EQ(0, plain.m_nUp + plain.m_nDown) << "a window without scroll bars never scrolls";
    EXPECT_EQ(DROPEFFECT_NONE, source.m_dropResult) << "the base target accepts nothing";
}

TEST_F(OleDragDropTest, AListItemGivesADragImageOfItsIconThatCanBeShownMovedAndEnded)
{
    CImageList icons;
    ASSERT_TRUE(icons.Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 0));
    HICON hIcon = MakeTwoColourIcon(32, 32, crLeft, crRight);
    icons.Add(hIcon);
    DestroyIcon(hIcon);
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 300, 200), &Host(), 1));
    list.SetImageList(&icons, LVSIL_NORMAL);
    ASSERT_EQ(0, list.InsertItem(0, L"item", 0));
    PumpUntilIdle();

    CPoint ptCorner(-1, -1);
    CImageList* pDrag = list.CreateDragImage(0, &ptCorner);
    ASSERT_NE(nullptr, pDrag);
    EXPECT_EQ(1, pDrag->GetImageCount());
    IMAGEINFO info = {};
    ASSERT_TRUE(pDrag->GetImageInfo(0, &info));
    EXPECT_GE(info.rcImage.right - info.rcImage.left, 32) << "the picture holds at least the icon";
    EXPECT_NE(CPoint(-1, -1), ptCorner);

    EXPECT_TRUE(pDrag->BeginDrag(0, CPoint(4, 4)));
    EXPECT_TRUE(CImageList::DragEnter(&list, CPoint(10, 10)));
    EXPECT_TRUE(CImageList::DragMove(CPoint(40, 30)));
    EXPECT_TRUE(CImageList::DragShowNolock(FALSE));
    EXPECT_TRUE(CImageList::DragLeave(&list));
    CImageList::EndDrag();
    EXPECT_FALSE(CImageList::DragMove(CPoint(50, 50))) << "no drag image after the end";
    delete pDrag;
}

namespace
{
// Storage for one object that reads 0xDD once the object is destroyed, as freed memory may.
template <class T> class CPoisonedSlot
{
public:
    T* Make() { return new (m_bytes) T; }
    void Destroy(T* pObject)
    {
        pObject->~T();
        memset(m_bytes, 0xDD, sizeof m_bytes);
    }

private:
    alignas(T) unsigned char m_bytes[sizeof(T)];
};
} // namespace

TEST_F(OleDragDropTest, ATargetAndASourceDestroyedWhileTheSystemHoldsThemAnswerAsGone)
{
    CWnd wnd;
    ShowPopup(wnd, CRect(100, 100, 200, 200));
    COleDataSource data;
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, 8);
    memcpy(GlobalLock(hText), L"abc", 8);
    GlobalUnlock(hText);
    data.CacheGlobalData(CF_UNICODETEXT, hText);
    IDataObject* pData = data.GetDataObject();

    // The window's owner goes away in the middle of a drag over it.
    CPoisonedSlot<COleDropTarget> targetSlot;
    COleDropTarget* pTarget = targetSlot.Make();
    ASSERT_TRUE(pTarget->Register(&wnd));
    IDropTarget* pDropTarget = pTarget->GetInterface();
    ASSERT_NE(nullptr, pDropTarget);
    pDropTarget->AddRef(); // as the drag loop holds the target under the pointer
    POINTL pt = {150, 150};
    DWORD dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDropTarget->DragEnter(pData, MK_LBUTTON, pt, &dwEffect));
    targetSlot.Destroy(pTarget);
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDropTarget->DragOver(MK_LBUTTON, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDropTarget->Drop(pData, 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(S_OK, pDropTarget->DragLeave());
    pDropTarget->Release();

    // The dragging window's owner goes away while the loop still asks its source.
    CPoisonedSlot<COleDropSource> sourceSlot;
    COleDropSource* pSource = sourceSlot.Make();
    IDropSource* pDropSource = pSource->GetInterface();
    pDropSource->AddRef();
    sourceSlot.Destroy(pSource);
    EXPECT_EQ(DRAGDROP_S_CANCEL, pDropSource->QueryContinueDrag(FALSE, MK_LBUTTON)) << "nothing is left to drag";
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, pDropSource->GiveFeedback(DROPEFFECT_MOVE));
    pDropSource->Release();
    pData->Release();
}
