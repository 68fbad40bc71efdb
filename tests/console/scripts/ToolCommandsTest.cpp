#include "GuiTest.h"
#include "ModalAnswers.h"

#include "console/app/CBelvaneApp.h"
#include "console/app/CLogonDlg.h"
#include "console/app/CMainFrame.h"
#include "console/app/ShellOpen.h"
#include "console/app/ToolCommands.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/AfxOleInit.h"
#include "resources/console/BelvaneRes.h"
#include "support/AppPaths.h"
#include "support/EventLogWriter.h"
#include "support/RegistryStore.h"
#include "support/SystemErrorText.h"
#include "tests/support/ReadOnlyRegistryKey.h"

#include <fstream>
#include <vector>

namespace
{
struct LoggedEvent
{
    DWORD dwEventId;
    WORD wCategory;
    CString strText;
};

class CEventLogList : public CEventLogApi
{
public:
    HANDLE Register(const wchar_t*) override { return (HANDLE)1; }
    BOOL Report(HANDLE, WORD, WORD wCategory, DWORD dwEventId, PSID, const wchar_t* pszText) override
    {
        m_events.push_back({dwEventId, wCategory, pszText});
        return TRUE;
    }
    BOOL Deregister(HANDLE) override { return TRUE; }

    std::vector<LoggedEvent> m_events;
};

// The main frame with the Tools and Help commands, on a registry key of this test; message
// boxes and the shell are answered here.
class ToolCommandsTest : public GuiTest
{
protected:
    ToolCommandsTest()
    {
        AfxInitRichEdit();
        m_belvane.SetRegistryKey(m_strKey);
        m_strStoreKey.Format(L"SOFTWARE\\Tervok AG\\ToolCommandsTests-%lu", GetCurrentProcessId());
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strStoreKey, L"Volatile");
        m_belvane.AddTemplates();
        EXPECT_TRUE(m_belvane.RegisterMainWindowClass());
        m_pFrame = new CMainFrame;
        EXPECT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        PumpUntilIdle();
        CEventLogWriter::SetApi(&m_log);
        AfxSetMessageBoxFunction([this](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT nType) {
            m_arrBoxes.Add(CString(pszCaption) + L": " + pszText);
            m_nBoxType = nType;
            return m_nBoxAnswer;
        });
    }
    ~ToolCommandsTest() override
    {
        AfxSetMessageBoxFunction(nullptr);
        SetShellOpenFunction(nullptr);
        CEventLogWriter::SetApi(nullptr);
        if (m_pFrame && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = nullptr;
        PumpUntilIdle();
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strStoreKey);
        DeleteFileW(CLogonDlg::AccountsFilePath());
    }

    void Command(UINT nID) { m_pFrame->SendMessage(WM_COMMAND, nID, 0); }

    // Logs on as Operator (password "secret") in the log-on box the command opens.
    static void LogOnAsOperator(HWND hDialog)
    {
        TypeItemText(hDialog, IDC_LOGON_USERNAME, L"operator");
        TypeItemText(hDialog, IDC_LOGON_PASSWORD, L"secret");
        ClickItem(hDialog, IDOK);
    }

    bool ToggleWithLogOn()
    {
        return CModalAnswers().Then(L"Log On To Belvane", LogOnAsOperator).Run([&] {
            Command(ID_TOOLS_USER_AUTHENTICATION);
        });
    }

    CBelvaneApp m_belvane;
    CMainFrame* m_pFrame = nullptr;
    CString m_strStoreKey;
    CEventLogList m_log;
    CStringArray m_arrBoxes;
    UINT m_nBoxType = 0;
    int m_nBoxAnswer = IDYES;
};

// The windows of the collector's class.
std::vector<HWND> QuorvexWindows()
{
    std::vector<HWND> windows;
    for (HWND h = ::FindWindowW(szQuorvexWindowClass, nullptr); h;
         h = ::FindWindowExW(nullptr, h, szQuorvexWindowClass, nullptr))
        windows.push_back(h);
    return windows;
}
} // namespace

TEST_F(ToolCommandsTest, HelpItemsOpenThroughTheShell)
{
    CStringArray arrAsked;
    SetShellOpenFunction([&](HWND, const wchar_t* pszTarget) {
        arrAsked.Add(pszTarget);
        return (INT_PTR)33;
    });
    for (UINT nID : {ID_HELP_USER_GUIDE, ID_HELP_TERVOK_DOWNLOADS, ID_HELP_TERVOK_HOME, ID_HELP_MICROSOFT_READER,
                     ID_HELP_MICROSOFT_SPEECH})
        Command(nID);
    ASSERT_EQ(5, arrAsked.GetSize());
    EXPECT_EQ(GetAppPaths().GetProgramFolder() + L"TervokAlarms.pdf", arrAsked[0]);
    for (int i = 1; i < 5; ++i)
    {
        EXPECT_EQ(0, arrAsked[i].Find(L"https://")) << i;
        EXPECT_EQ(HelpTarget(i == 1 ? ID_HELP_TERVOK_DOWNLOADS : i == 2 ? ID_HELP_TERVOK_HOME
                                 : i == 3 ? ID_HELP_MICROSOFT_READER : ID_HELP_MICROSOFT_SPEECH),
                  arrAsked[i]);
    }
    EXPECT_EQ(0, m_arrBoxes.GetSize());

    // A failed open says why.
    SetShellOpenFunction([](HWND, const wchar_t*) { return (INT_PTR)ERROR_FILE_NOT_FOUND; });
    Command(ID_HELP_USER_GUIDE);
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_NE(-1, m_arrBoxes[0].Find(L"The specified file was not found."));
}

TEST_F(ToolCommandsTest, UserAccountsPointsToTheQuorvexInterface)
{
    Command(ID_TOOLS_USER_ACCOUNTS);
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"User Accounts: User accounts are defined with the Quorvex interface."), m_arrBoxes[0]);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONINFORMATION), m_nBoxType);
}

// On, then off: each after a log-on and a question, each with its event naming both accounts.
TEST_F(ToolCommandsTest, AuthenticationIsSwitchedAfterALogOnAndTheQuestion)
{
    {
        std::ofstream file(CLogonDlg::AccountsFilePath().GetString(), std::ios::binary);
        file << "# accounts\r\nOperator\tsecret\r\n";
    }
    ASSERT_FALSE(IsUserAuthenticationOn());
    ASSERT_TRUE(ToggleWithLogOn());
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Authentication: User authentication will be enabled - continue?"), m_arrBoxes[0]);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), m_nBoxType);
    EXPECT_TRUE(IsUserAuthenticationOn());
    EXPECT_EQ(CString(L"Operator"), m_belvane.m_strLogonUser);
    // The log-on's own entry (13), then the switch's (15).
    ASSERT_EQ(2u, m_log.m_events.size());
    EXPECT_EQ(13u, m_log.m_events[0].dwEventId);
    EXPECT_EQ(15u, m_log.m_events[1].dwEventId);
    EXPECT_EQ(1, m_log.m_events[1].wCategory);
    EXPECT_EQ(L"by Windows user " + CLogonDlg::WindowsAccount() + L" logged on as Operator", m_log.m_events[1].strText);
    EXPECT_FALSE(CLogonDlg::WindowsAccount().IsEmpty());

    // No keeps it as it is.
    m_nBoxAnswer = IDNO;
    ASSERT_TRUE(ToggleWithLogOn());
    EXPECT_TRUE(IsUserAuthenticationOn());
    EXPECT_EQ(3u, m_log.m_events.size());

    m_nBoxAnswer = IDYES;
    ASSERT_TRUE(ToggleWithLogOn());
    EXPECT_EQ(CString(L"Authentication: User authentication will be disabled - continue?"),
              m_arrBoxes[m_arrBoxes.GetSize() - 1]);
    EXPECT_FALSE(IsUserAuthenticationOn());
    ASSERT_EQ(5u, m_log.m_events.size());
    EXPECT_EQ(14u, m_log.m_events[4].dwEventId);

    // A cancelled log-on asks nothing and changes nothing.
    int nBoxes = m_arrBoxes.GetSize();
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Log On To Belvane", [](HWND h) { ClickItem(h, IDCANCEL); })
                    .Run([&] { Command(ID_TOOLS_USER_AUTHENTICATION); }));
    EXPECT_EQ(nBoxes, m_arrBoxes.GetSize());
    EXPECT_FALSE(IsUserAuthenticationOn());
}

// A user who is not an administrator may only read the console's settings: the switch is said
// to have failed, authentication stays as it was, and no event tells of a switch.
TEST_F(ToolCommandsTest, ASwitchThatCannotBeSavedIsSaidSoAndChangesNothing)
{
    {
        std::ofstream file(CLogonDlg::AccountsFilePath().GetString(), std::ios::binary);
        file << "# accounts\r\nOperator\tsecret\r\n";
    }
    m_belvane.m_strLogonUser = L"Earlier";
    CReadOnlyRegistryKey readOnly({(m_strStoreKey + L"\\Volatile").GetString(), m_strStoreKey.GetString()});
    if (!readOnly.Holds())
        GTEST_SKIP() << "this registry grants full access despite the key's security";
    // As the console opens the store at its start.
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strStoreKey, L"Volatile");
    ASSERT_TRUE(ToggleWithLogOn());
    ASSERT_EQ(2, m_arrBoxes.GetSize());
    CString strReason = CSystemErrorText(ERROR_ACCESS_DENIED, nullptr, nullptr, nullptr, nullptr, nullptr).m_strText;
    EXPECT_EQ(L"Error: User authentication could not be enabled. " + strReason.Trim(), m_arrBoxes[1]);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONSTOP), m_nBoxType);
    EXPECT_FALSE(IsUserAuthenticationOn());
    EXPECT_EQ(CString(L"Earlier"), m_belvane.m_strLogonUser);
    // The log-on's own entry only.
    ASSERT_EQ(1u, m_log.m_events.size());
    EXPECT_EQ(13u, m_log.m_events[0].dwEventId);
}

// Without a window of the collector's class the controller program is started (here a
// stand-in beside the tests); the second time its window is brought forward, restored.
TEST_F(ToolCommandsTest, QuorvexStartsTheControllerThenBringsItForward)
{
    for (HWND h : QuorvexWindows())
        ::PostMessageW(h, WM_CLOSE, 0, 0);
    Command(ID_TOOLS_QUORVEX);
    EXPECT_EQ(0, m_arrBoxes.GetSize());
    HWND hController = nullptr;
    for (int i = 0; i < 200 && !hController; ++i)
    {
        ::Sleep(50);
        PumpUntilIdle();
        hController = ::FindWindowW(szQuorvexWindowClass, nullptr);
    }
    ASSERT_TRUE(hController != nullptr);

    ::ShowWindow(hController, SW_MINIMIZE);
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    PumpUntilIdle();
    ASSERT_TRUE(::IsIconic(hController));
    Command(ID_TOOLS_QUORVEX);
    PumpUntilIdle();
    EXPECT_FALSE(::IsIconic(hController));
    EXPECT_EQ(hController, ::GetForegroundWindow());
    EXPECT_EQ(1u, QuorvexWindows().size());
    SaveScreenshot(L"quorvex-forward.png");
    ::PostMessageW(hController, WM_CLOSE, 0, 0);
}
