#include "GuiTest.h"

#include "TrayTestsRes.h"
#include "agent/SystemTray.h"

#include <vector>

namespace
{
const UINT TRAY_MESSAGE = WM_APP + 7;
const UINT TRAY_ICON_ID = 9;

// The tray's owner: records the commands and the WM_NULL that reach it.
class COwnerWindow : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        else if (message == WM_NULL)
            m_nNullMessages++;
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> m_commands;
    int m_nNullMessages = 0;
};

// A tray whose animation clock the test moves by hand.
class CTestTray : public CSystemTray
{
public:
    __time64_t m_now = 1000000;

protected:
    __time64_t Now() const override { return m_now; }
};

// What the thread timer saw while the tray menu was open.
struct SMenuSeen
{
    BOOL bShown = FALSE;
    UINT nDefault = (UINT)-1;
    int nItems = 0;
} g_menuSeen;

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    HWND hMenuWnd = FindWindowW(L"#32768", nullptr);
    if (!hMenuWnd || !IsWindowVisible(hMenuWnd))
        return;
    HMENU hMenu = (HMENU)SendMessageW(hMenuWnd, MN_GETHMENU, 0, 0);
    g_menuSeen.bShown = TRUE;
    g_menuSeen.nItems = GetMenuItemCount(hMenu);
    for (int i = 0; i < g_menuSeen.nItems; i++)
    {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID;
        if (GetMenuItemInfoW(hMenu, (UINT)i, TRUE, &info) && (info.fState & MFS_DEFAULT))
            g_menuSeen.nDefault = info.wID;
    }
    KillTimer(nullptr, nTimer);
    EndMenu();
}

class SystemTrayTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, AfxWndClassName(), L"Owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        m_hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        ASSERT_TRUE(m_tray.Create(&m_owner, TRAY_MESSAGE, L"Tervok test", m_hIcon, TRAY_ICON_ID, IDR_TRAY_MENU));
    }
    void TearDown() override
    {
        m_tray.RemoveIcon();
        m_owner.DestroyWindow();
        GuiTest::TearDown();
    }
    void Notify(UINT nMouseMessage) { m_tray.SendMessage(TRAY_MESSAGE, TRAY_ICON_ID, nMouseMessage); }

    COwnerWindow m_owner;
    CTestTray m_tray;
    HICON m_hIcon = nullptr;
};
} // namespace

TEST_F(SystemTrayTest, IconIsAddedModifiedAndDeleted)
{
    EXPECT_TRUE(m_tray.IsIconShown());
    EXPECT_TRUE(m_tray.SetIcon(LoadIconW(nullptr, IDI_WARNING)));
    EXPECT_TRUE(m_tray.RemoveIcon());
    EXPECT_FALSE(m_tray.IsIconShown());
    // Gone from the shell as well: deleting it once more fails there.
    NOTIFYICONDATAW nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = m_tray.m_hWnd;
    nid.uID = TRAY_ICON_ID;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &nid));
    EXPECT_FALSE(m_tray.RemoveIcon());
    EXPECT_FALSE(m_tray.SetIcon(m_hIcon)) << "an icon that is not shown cannot be modified";
}

TEST_F(SystemTrayTest, AnimationStepsWrapsAndStopsAfterItsTime)
{
    std::vector<HICON> icons = {CopyIcon(LoadIconW(nullptr, IDI_ERROR)), CopyIcon(LoadIconW(nullptr, IDI_WARNING)),
                                CopyIcon(LoadIconW(nullptr, IDI_INFORMATION))};
    m_tray.SetIconList(icons);
    // A delay no real timer reaches during the test: the test sends WM_TIMER itself.
    ASSERT_TRUE(m_tray.Animate(600000, 2));
    for (int nStep = 0; nStep < 4; nStep++)
    {
        m_tray.SendMessage(WM_TIMER, CSystemTray::ANIMATION_TIMER_ID);
        EXPECT_EQ(nStep % 3, m_tray.GetAnimationIndex());
        EXPECT_EQ(icons[(size_t)(nStep % 3)], m_tray.GetIcon());
    }
    m_tray.SendMessage(WM_TIMER, CSystemTray::ANIMATION_TIMER_ID + 1);
    EXPECT_EQ(0, m_tray.GetAnimationIndex()) << "another timer does not step";

    m_tray.m_now += 2;
    m_tray.SendMessage(WM_TIMER, CSystemTray::ANIMATION_TIMER_ID);
    EXPECT_TRUE(m_tray.IsAnimating()) << "two seconds are not yet more than two";
    m_tray.m_now += 1;
    m_tray.SendMessage(WM_TIMER, CSystemTray::ANIMATION_TIMER_ID);
    EXPECT_FALSE(m_tray.IsAnimating());
    EXPECT_EQ(m_hIcon, m_tray.GetIcon()) << "the icon before the animation comes back";
}

TEST_F(SystemTrayTest, DoubleClickSendsTheDefaultCommandToTheOwner)
{
    Notify(WM_LBUTTONDBLCLK);
    m_tray.SetMenuDefaultItem(1, TRUE);
    Notify(WM_LBUTTONDBLCLK);
    m_tray.SetMenuDefaultItem(ID_TRAY_CLOSE, FALSE);
    Notify(WM_LBUTTONDBLCLK);
    Notify(WM_LBUTTONDOWN);
    m_tray.SendMessage(TRAY_MESSAGE, TRAY_ICON_ID + 1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(std::vector<UINT>({ID_TRAY_OPEN, ID_TRAY_CLOSE, ID_TRAY_CLOSE}), m_owner.m_commands);
}

TEST_F(SystemTrayTest, RightClickShowsTheMenuWithItsDefaultBoldAndPostsNullAfterwards)
{
    m_tray.SetMenuDefaultItem(1, TRUE);
    g_menuSeen = SMenuSeen();
    SetTimer(nullptr, 0, 100, CloseMenu);
    Notify(WM_RBUTTONUP);
    EXPECT_TRUE(g_menuSeen.bShown);
    EXPECT_EQ(2, g_menuSeen.nItems);
    EXPECT_EQ((UINT)ID_TRAY_CLOSE, g_menuSeen.nDefault);
    PumpUntilIdle();
    EXPECT_EQ(1, m_owner.m_nNullMessages);
    EXPECT_TRUE(m_owner.m_commands.empty()) << "a dismissed menu runs no command";
}
