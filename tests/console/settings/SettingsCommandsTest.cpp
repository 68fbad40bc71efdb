#include "SettingsFixture.h"

#include "console/app/CBelvaneApp.h"
#include "console/app/CMainFrame.h"
#include "framework/window/AfxOleInit.h"
#include "resources/console/BelvaneRes.h"

namespace
{
// The console's main frame as the start-up builds it, on the test's profile and options key.
class SettingsCommandsTest : public SettingsFixture
{
protected:
    SettingsCommandsTest()
    {
        AfxInitRichEdit();
        m_belvane.SetRegistryKey(m_strKey);
        m_belvane.AddTemplates();
        EXPECT_TRUE(m_belvane.RegisterMainWindowClass());
        m_pFrame = new CMainFrame;
        EXPECT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr));
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        PumpUntilIdle();
    }
    ~SettingsCommandsTest() override
    {
        if (m_pFrame && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = nullptr;
        PumpUntilIdle();
    }

    // The state the frame gives the item when its pop-up opens.
    UINT ToolsItemState(UINT nID)
    {
        HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
        {
            HMENU hPopup = ::GetSubMenu(hMenu, i);
            if (hPopup && ::GetMenuState(hPopup, nID, MF_BYCOMMAND) != (UINT)-1)
            {
                m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, i);
                return ::GetMenuState(hPopup, nID, MF_BYCOMMAND);
            }
        }
        return (UINT)-1;
    }

    CBelvaneApp m_belvane;
    CMainFrame* m_pFrame = nullptr;
};
} // namespace

TEST_F(SettingsCommandsTest, ToolsCommandsOpenTheirDialogsModallyOverTheFrame)
{
    struct SCommand
    {
        UINT nID;
        const wchar_t* pszCaption;
    };
    const SCommand commands[] = {
        {ID_TOOLS_TEST_SMTP, L"SMTP Mail Test"}, {ID_TOOLS_TEST_SMS, L"SMS Test"},
        {ID_TOOLS_TEST_SPEAKING, L"Speech Test"}, {ID_TOOLS_TEST_NET_SEND, L"Net Send Test"},
        {ID_TOOLS_OPTIONS, L"Options"},
    };
    for (const SCommand& command : commands)
    {
        EXPECT_EQ(0u, ToolsItemState(command.nID) & (MF_GRAYED | MF_DISABLED)) << command.nID;
        BOOL bFrameDisabled = FALSE;
        EXPECT_TRUE(AnswerModal(
            command.pszCaption,
            [&](HWND hWnd) {
                bFrameDisabled = !::IsWindowEnabled(m_pFrame->m_hWnd);
                ::SendMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
            },
            [&] { m_pFrame->SendMessage(WM_COMMAND, command.nID); }))
            << CStringA(command.pszCaption).GetString();
        EXPECT_TRUE(bFrameDisabled);
        EXPECT_TRUE(::IsWindowEnabled(m_pFrame->m_hWnd));
    }
}
