#include "GuiTest.h"

#include "WindowTestsRes.h"
#include "framework/window/CDialog.h"
#include "framework/controls/CMenu.h"

namespace
{
const UINT kHandledMenuCommand = 40001;
const UINT kUnhandledMenuCommand = 40002;

class CCommandDialog : public CDialog
{
public:
    int m_nOwn = 0;
    BOOL m_bUpdatedEnabled = FALSE;
    void OnOwn() { ++m_nOwn; }
    void OnUpdateUpdated(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bUpdatedEnabled); }
    LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        UpdateDialogControls(this, TRUE);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandDialog, CDialog)
    ON_COMMAND(IDC_OWN_COMMAND, OnOwn)
    ON_UPDATE_COMMAND_UI(IDC_UPDATED, OnUpdateUpdated)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

class COwnerWnd : public CWnd
{
public:
    int m_nOwner = 0;
    int m_nMenu = 0;
    void OnOwner() { ++m_nOwner; }
    void OnMenu() { ++m_nMenu; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    ON_COMMAND(IDC_OWNER_COMMAND, OnOwner)
    ON_COMMAND(kHandledMenuCommand, OnMenu)
END_MESSAGE_MAP()

class CommandRoutingTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &Host(), 1));
        ASSERT_TRUE(m_dialog.Create(IDD_COMMANDS, &m_owner));
        PumpUntilIdle();
    }

    COwnerWnd m_owner;
    CCommandDialog m_dialog;
};
} // namespace

TEST_F(CommandRoutingTest, CommandsReachTheDialogOrItsOwner)
{
    Click(&m_dialog, IDC_OWN_COMMAND);
    EXPECT_EQ(1, m_dialog.m_nOwn);
    EXPECT_EQ(0, m_owner.m_nOwner);
    Click(&m_dialog, IDC_OWNER_COMMAND);
    EXPECT_EQ(1, m_owner.m_nOwner);
    EXPECT_EQ(1, m_dialog.m_nOwn);
}

TEST_F(CommandRoutingTest, IdleUpdateDisablesButtonsWithoutHandlers)
{
    EXPECT_TRUE(IsEnabled(&m_dialog, IDC_OWN_COMMAND));
    EXPECT_TRUE(IsEnabled(&m_dialog, IDC_OWNER_COMMAND));
    EXPECT_FALSE(IsEnabled(&m_dialog, IDC_NO_HANDLER));
    // Check boxes keep their state without a handler.
    EXPECT_TRUE(IsEnabled(&m_dialog, IDC_CHECK_NO_HANDLER));
    // An update handler decides for itself.
    EXPECT_FALSE(IsEnabled(&m_dialog, IDC_UPDATED));
    m_dialog.m_bUpdatedEnabled = TRUE;
    PumpUntilIdle();
    EXPECT_TRUE(IsEnabled(&m_dialog, IDC_UPDATED));
    // A disabled button cannot be clicked.
    Click(&m_dialog, IDC_NO_HANDLER);
}

TEST_F(CommandRoutingTest, MenuItemsWithoutHandlersAreGreyed)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, kHandledMenuCommand, L"Handled");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, kUnhandledMenuCommand, L"Unhandled");
    m_owner.SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, 0);
    EXPECT_FALSE(popup.GetMenuState(kHandledMenuCommand, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(popup.GetMenuState(kUnhandledMenuCommand, MF_BYCOMMAND) & MF_GRAYED);
    m_owner.SendMessage(WM_COMMAND, MAKEWPARAM(kHandledMenuCommand, 0));
    EXPECT_EQ(1, m_owner.m_nMenu);
}
