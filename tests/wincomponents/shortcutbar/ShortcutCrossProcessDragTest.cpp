#include "RealInput.h"
#include "ShortcutBarFixture.h"
#include "ShortcutItemCases.h"
#include "ShortcutItemCrossProcess.h"
#include "SquareImages.h"

#include "framework/window/AfxOleInit.h"
#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

#include <fstream>
#include <sstream>

namespace
{
// The program beside this one, showing its window for one drag from or onto it.
class CPeerProcess
{
public:
    explicit CPeerProcess(const wchar_t* pszMode)
    {
        wchar_t szPath[MAX_PATH];
        GetModuleFileNameW(nullptr, szPath, MAX_PATH);
        *wcsrchr(szPath, L'\\') = 0;
        CString strCommand = CString(L"\"") + szPath + L"\\shortcut_item_offer.exe\" " + pszMode;
        STARTUPINFOW si = {sizeof si};
        m_bStarted = CreateProcessW(nullptr, strCommand.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                    &si, &m_pi);
    }
    ~CPeerProcess()
    {
        if (!m_bStarted)
            return;
        if (WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(m_pi.hProcess, 1);
        CloseHandle(m_pi.hProcess);
        CloseHandle(m_pi.hThread);
    }

    // TRUE once its window titled pszTitle shows, within ten seconds.
    BOOL WaitForWindow(const wchar_t* pszTitle)
    {
        for (DWORD dwEnd = GetTickCount() + 10000; m_bStarted && GetTickCount() < dwEnd; Sleep(50))
        {
            if (FindWindowW(nullptr, pszTitle))
                return TRUE;
        }
        return FALSE;
    }
    // Its exit code once it ended within ten seconds, handling this thread's messages meanwhile
    // (a drop onto this process arrives through them); -1 when it did not end.
    int WaitForExit()
    {
        for (DWORD dwEnd = GetTickCount() + 10000; m_bStarted && GetTickCount() < dwEnd;)
        {
            if (MsgWaitForMultipleObjects(1, &m_pi.hProcess, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0)
            {
                DWORD dwCode = 0;
                GetExitCodeProcess(m_pi.hProcess, &dwCode);
                return (int)dwCode;
            }
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        return -1;
    }

private:
    PROCESS_INFORMATION m_pi = {};
    BOOL m_bStarted = FALSE;
};

class ShortcutCrossProcessDragTest : public GuiTest
{
protected:
    ShortcutCrossProcessDragTest() { AfxOleInit(); }

    void SetUp() override
    {
        DeleteFileW(L"taken.txt");
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, nullptr, L"", WS_POPUP | WS_VISIBLE, CRect(100, 50, 340, 550),
                                      nullptr, 0));
        ASSERT_TRUE(m_bar.Create(&m_parent, CRect(0, 0, 200, 480), 0, kBarId));
        MakeSquareImages(m_images, 32, 2, RGB(200, 0, 0), 1);
        SHB_GROUPINFO info;
        info.nMask = SHBGI_TEXT;
        info.pszText = const_cast<wchar_t*>(L"One");
        info.nTextMax = 3;
        m_hGroup = m_bar.InsertGroup(&info);
        m_bar.SetLCImageList(m_hGroup, m_images.GetSafeHandle(), LVSIL_NORMAL);
        for (int i = 0; i < 2; i++)
        {
            LVITEMW item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
            item.iItem = i;
            item.pszText = const_cast<wchar_t*>(i ? L"A1" : L"A\u00e40");
            item.iImage = 1 - i;
            item.lParam = 10 + i;
            m_bar.InsertLCItem(m_hGroup, &item);
        }
        m_bar.ExpandGroup(m_hGroup);
        ::SetForegroundWindow(m_parent.m_hWnd);
        PumpUntilIdle();
    }

    COXSHBListCtrl* List() { return m_bar.GetGroupListCtrl(m_hGroup); }
    POINT IconPoint(int nItem)
    {
        CRect rect;
        List()->GetItemRect(nItem, &rect, LVIR_ICON);
        CPoint point = rect.CenterPoint();
        List()->ClientToScreen(&point);
        return point;
    }
    // Below the last row, where a dropped item is appended.
    POINT BelowLastPoint()
    {
        CRect rect;
        List()->GetItemRect(List()->GetItemCount() - 1, &rect, LVIR_BOUNDS);
        CPoint point(rect.CenterPoint().x, rect.bottom + 30);
        List()->ClientToScreen(&point);
        return point;
    }
    static POINT PeerPoint()
    {
        return POINT{(kOfferWindow.left + kOfferWindow.right) / 2, (kOfferWindow.top + kOfferWindow.bottom) / 2};
    }
    // Presses at one point, drags in steps to the other and lets go there.
    static void Drag(POINT from, POINT to)
    {
        RealMouseMove(from);
        RealMouseButton(MOUSEEVENTF_LEFTDOWN);
        RealMouseGlide(from, POINT{from.x + 4, from.y + 12}, 3);
        RealMouseGlide(POINT{from.x + 4, from.y + 12}, to, 10);
        RealMouseGlide(to, POINT{to.x + 2, to.y}, 3);
        RealMouseButton(MOUSEEVENTF_LEFTUP);
    }

    CShortcutParent m_parent;
    COXShortcutBar m_bar;
    CImageList m_images;
    HSHBGROUP m_hGroup = 0;
};
} // namespace

TEST_F(ShortcutCrossProcessDragTest, AnItemDraggedFromAnotherProgramArrivesWithItsLabelAndIconPixels)
{
    CPeerProcess peer(L"drag");
    ASSERT_TRUE(peer.WaitForWindow(pszOfferSourceTitle));
    POINT to = BelowLastPoint();
    RunWithRealInput([&] { Drag(PeerPoint(), to); });
    int nEffect = peer.WaitForExit();

    ASSERT_EQ(3, List()->GetItemCount()) << "drop effect seen by the other program: " << nEffect;
    EXPECT_TRUE(nEffect == DROPEFFECT_MOVE || nEffect == DROPEFFECT_COPY) << nEffect;
    EXPECT_STREQ(pszOfferText, List()->GetItemText(2, 0).GetString());
    int nImage = List()->GetItemImage(2);
    EXPECT_EQ(crOfferNormalLeft, ImagePixel(m_images, nImage, 3, 20));
    EXPECT_EQ(crOfferNormalRight, ImagePixel(m_images, nImage, 28, 20));
}

TEST_F(ShortcutCrossProcessDragTest, AnItemDraggedOntoAnotherProgramIsReadThereWithItsLabelAndIconPixels)
{
    CPeerProcess peer(L"take");
    ASSERT_TRUE(peer.WaitForWindow(pszOfferTargetTitle));
    POINT from = IconPoint(0);
    RunWithRealInput([&] { Drag(from, PeerPoint()); });
    ASSERT_EQ(0, peer.WaitForExit()) << "0: read a well-formed item, 2: unreadable, 99: nothing dropped";

    std::ifstream file("taken.txt");
    std::stringstream taken;
    taken << file.rdbuf();
    EXPECT_EQ("A\xc3\xa4" "0\n" + DescribeImage(m_images, 1), taken.str());
}

TEST_F(ShortcutCrossProcessDragTest, ItemsWithDamagedIconsDraggedFromAnotherProgramAreRefusedAndAGoodOneStillArrives)
{
    const std::vector<CPayloadCase> cases = MakeShortcutItemCases();
    std::vector<size_t> damaged;
    for (size_t i = 0; i < cases.size(); ++i)
    {
        for (const char* pszWhat : {pszCountFFFF, pszCount1024, pszMaskOnePixel, pszHeight256})
        {
            if (strcmp(cases[i].pszWhat, pszWhat) == 0)
                damaged.push_back(i);
        }
    }
    ASSERT_EQ(4u, damaged.size());
    const int nImages = m_images.GetImageCount();
    for (size_t nCase : damaged)
    {
        SCOPED_TRACE(cases[nCase].pszWhat);
        CPeerProcess peer((L"drag " + std::to_wstring(nCase)).c_str());
        ASSERT_TRUE(peer.WaitForWindow(pszOfferSourceTitle));
        POINT to = BelowLastPoint();
        RunWithRealInput([&] { Drag(PeerPoint(), to); });
        EXPECT_EQ(DROPEFFECT_NONE, peer.WaitForExit()) << "the drop is refused";
        ASSERT_EQ(2, List()->GetItemCount());
        EXPECT_EQ(nImages, m_images.GetImageCount()) << "no icon is added";
        PumpUntilIdle();
    }

    CPeerProcess peer(L"drag");
    ASSERT_TRUE(peer.WaitForWindow(pszOfferSourceTitle));
    POINT to = BelowLastPoint();
    RunWithRealInput([&] { Drag(PeerPoint(), to); });
    peer.WaitForExit();
    ASSERT_EQ(3, List()->GetItemCount());
    EXPECT_STREQ(pszOfferText, List()->GetItemText(2, 0).GetString());
}
