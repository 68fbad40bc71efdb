#include "GuiTest.h"

#include "console/app/CBelvaneApp.h"
#include "console/app/CLogonDlg.h"
#include "console/app/ToolCommands.h"
#include "framework/window/AfxMessageBox.h"
#include "resources/console/BelvaneRes.h"
#include "support/AppPaths.h"
#include "support/EventLogWriter.h"
#include "support/MD5Digest.h"
#include "tests/console/scripts/ModalAnswers.h"

#include <algorithm>
#include <fstream>

namespace
{
const wchar_t szSecretHash[] = L"EF69-0A7A-4A4E-61CA-5DC6-9D94-735F-C7CF";

// The event log entries the dialog writes.
class CEventLogRecorder : public CEventLogApi
{
public:
    HANDLE Register(const wchar_t*) override { return (HANDLE)1; }
    BOOL Report(HANDLE, WORD wType, WORD wCategory, DWORD dwEventId, PSID, const wchar_t* pszText) override
    {
        m_wType = wType;
        m_wCategory = wCategory;
        m_dwEventId = dwEventId;
        m_strText = pszText;
        ++m_nCount;
        return TRUE;
    }
    BOOL Deregister(HANDLE) override { return TRUE; }

    WORD m_wType = 0;
    WORD m_wCategory = 0;
    DWORD m_dwEventId = 0;
    CString m_strText;
    int m_nCount = 0;
};

// The dialog, modeless, with its result in view.
class CTestLogonDlg : public CLogonDlg
{
public:
    INT_PTR Result() const { return m_nModalResult; }
};

class LogonTest : public GuiTest
{
protected:
    LogonTest()
    {
        // A file of this test's own: the tests run side by side.
        const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
        m_strAccounts.Format(L"accounts-%S.txt", pInfo->name());
        m_dialog.m_strAccountsFile = m_strAccounts;
        CEventLogWriter::SetApi(&m_log);
        AfxSetMessageBoxFunction([this](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT nType) {
            m_strBox = pszText;
            m_strBoxCaption = pszCaption;
            m_nBoxType = nType;
            return IDOK;
        });
    }
    ~LogonTest() override
    {
        m_dialog.DestroyWindow();
        AfxSetMessageBoxFunction(nullptr);
        CEventLogWriter::SetApi(nullptr);
        DeleteFileW(m_strAccounts);
    }

    static BOOL Find(std::initializer_list<const wchar_t*> lines, CString& strUser, const wchar_t* pszPassword)
    {
        CStringArray arr;
        for (const wchar_t* psz : lines)
            arr.Add(psz);
        return CLogonDlg::FindAccount(arr, strUser, pszPassword);
    }

    void WriteAccounts(const char* pszContent)
    {
        std::ofstream file(m_strAccounts.GetString(), std::ios::binary);
        file << pszContent;
    }

    void OpenDialog()
    {
        ASSERT_TRUE(m_dialog.Create(IDD_LOGON, &Host()));
        m_dialog.ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }

    void LogOn(const wchar_t* pszUser, const wchar_t* pszPassword)
    {
        SetText(&m_dialog, IDC_LOGON_USERNAME, pszUser);
        SetText(&m_dialog, IDC_LOGON_PASSWORD, pszPassword);
        Click(&m_dialog, IDOK);
    }

    // No character of the typed password is left in the member's storage, where the text was
    // (a short text lies inside the string object itself).
    BOOL PasswordWiped(const wchar_t* pszTyped) const
    {
        const CString& strPassword = m_dialog.m_strPassword;
        const wchar_t* pStorage = strPassword.GetString();
        size_t nSlots = std::min(wcslen(pszTyped), strPassword.str().capacity());
        for (size_t i = 0; i < nSlots; ++i)
            if (pStorage[i] == pszTyped[i])
                return FALSE;
        return TRUE;
    }

    CString m_strAccounts;
    CEventLogRecorder m_log;
    CTestLogonDlg m_dialog;
    CString m_strBox;
    CString m_strBoxCaption;
    UINT m_nBoxType = 0;
};
} // namespace

TEST(PasswordHashTest, SecretHashesToTheKnownText)
{
    EXPECT_EQ(GetAppPaths().GetProgramFolder() + L"TervokQuorvexUserAccounts.txt", CLogonDlg::AccountsFilePath());
    CString strHash;
    HashPassword("secret", strHash);
    EXPECT_STREQ(szSecretHash, strHash);
    EXPECT_STREQ(szSecretHash, CLogonDlg::HashText(L"secret"));
    // Characters above U+00FF count with their low byte, a zero byte included.
    EXPECT_STREQ(CLogonDlg::HashText(L"s\u0165cret"), CLogonDlg::HashText(L"secret"));
    CString strZero;
    HashPassword("A\0B", 3, strZero);
    EXPECT_STREQ(strZero, CLogonDlg::HashText(L"A\u0100B"));
    EXPECT_STRNE(CLogonDlg::HashText(L"A"), CLogonDlg::HashText(L"A\u0100B"));
    EXPECT_TRUE(CLogonDlg::IsHashText(strHash));
    EXPECT_TRUE(CLogonDlg::IsHashText(L"ef69-0a7a-4a4e-61ca-5dc6-9d94-735f-c7cf"));
    EXPECT_FALSE(CLogonDlg::IsHashText(L"EF69-0A7A-4A4E-61CA-5DC6-9D94-735F-C7CG"));
    EXPECT_FALSE(CLogonDlg::IsHashText(L"EF69-0A7A-4A4E-61CA-5DC6-9D94-735F-C7C"));
    EXPECT_FALSE(CLogonDlg::IsHashText(L"EF690-A7A-4A4E-61CA-5DC6-9D94-735F-C7CF"));
}

TEST_F(LogonTest, HashedPasswordsMatchWhateverTheCaseOfNameOrDigits)
{
    CString strUser = L"ALICE";
    EXPECT_TRUE(Find({L"Alice\tEF69-0A7A-4A4E-61CA-5DC6-9D94-735F-C7CF"}, strUser, L"secret"));
    EXPECT_STREQ(L"Alice", strUser) << "the name takes the file's letter case";
    strUser = L"alice";
    EXPECT_TRUE(Find({L"Alice\tef69-0a7a-4a4e-61ca-5dc6-9d94-735f-c7cf"}, strUser, L"secret"));
    strUser = L"alice";
    EXPECT_FALSE(Find({L"Alice\tEF69-0A7A-4A4E-61CA-5DC6-9D94-735F-C7CF"}, strUser, L"Secret"));
    EXPECT_STREQ(L"Alice", strUser) << "a wrong password still shows the file's name";
    strUser = L"alice";
    EXPECT_FALSE(Find({L"Alice\tEF69-0A7A-4A4E-61CA-5DC6-9D94-735F-C7CF"}, strUser, szSecretHash))
        << "typing the stored hash itself is not the password";
}

TEST_F(LogonTest, PlainTextPasswordsMatchExactly)
{
    CString strUser = L"bob";
    EXPECT_TRUE(Find({L"Bob\tHorse-Battery"}, strUser, L"Horse-Battery"));
    EXPECT_STREQ(L"Bob", strUser);
    strUser = L"bob";
    EXPECT_FALSE(Find({L"Bob\tHorse-Battery"}, strUser, L"hORSE-bATTERY"));
    strUser = L"bob";
    EXPECT_FALSE(Find({L"Bob\tHorse-Battery"}, strUser, L"Horse-Battery "));
}

TEST_F(LogonTest, OnlyTheNamedUsersLinesAreTried)
{
    CString strUser = L"alice";
    EXPECT_FALSE(Find({L"Alice\tfirst", L"Bob\tsecond"}, strUser, L"second"))
        << "the first user cannot log on with the second user's password";
    strUser = L"bob";
    EXPECT_TRUE(Find({L"Alice\tfirst", L"Bob\tsecond"}, strUser, L"second"));
    // Several lines of one user: any of them.
    strUser = L"alice";
    EXPECT_TRUE(Find({L"Alice\tfirst", L"Alice\tagain"}, strUser, L"again"));
    // Lines without a TAB, or with the TAB first, are not accounts.
    strUser = L"alice";
    EXPECT_FALSE(Find({L"Alice secret", L"\tsecret"}, strUser, L"secret"));
    strUser = L"";
    EXPECT_FALSE(Find({L"\tsecret"}, strUser, L"secret"));
}

TEST_F(LogonTest, RightPasswordLogsOnAndWritesTheEvent)
{
    WriteAccounts("# Quorvex user accounts\r\n#Alice\tnot-this\r\nAlice\tEF69-0A7A-4A4E-61CA-5DC6-9D94-735F-C7CF\r\n");
    OpenDialog();
    EXPECT_STREQ(L"Log On To Belvane", m_dialog.GetWindowText());
    EXPECT_FALSE(IsEnabled(&m_dialog, IDOK));
    SetText(&m_dialog, IDC_LOGON_USERNAME, L"alice");
    EXPECT_FALSE(IsEnabled(&m_dialog, IDOK)) << "the password is still empty";
    LogOn(L"alice", L"secret");

    EXPECT_EQ(IDOK, m_dialog.Result());
    EXPECT_STREQ(L"Alice", m_dialog.m_strUserName);
    EXPECT_TRUE(m_strBox.IsEmpty());
    ASSERT_EQ(1, m_log.m_nCount);
    EXPECT_EQ(13u, m_log.m_dwEventId);
    EXPECT_EQ(1, m_log.m_wCategory);
    EXPECT_EQ(EVENTLOG_INFORMATION_TYPE, m_log.m_wType);
    EXPECT_EQ(0, m_log.m_strText.Find(L"Windows user "));
    EXPECT_NE(-1, m_log.m_strText.Find(L" has logged on as Alice"));
    EXPECT_TRUE(PasswordWiped(L"secret")) << "the password is not kept after the check";
    EXPECT_STREQ(L"", GetText(&m_dialog, IDC_LOGON_PASSWORD));
}

TEST_F(LogonTest, WrongPasswordIsRefusedAndEmptied)
{
    WriteAccounts("Alice\tEF69-0A7A-4A4E-61CA-5DC6-9D94-735F-C7CF\r\n");
    OpenDialog();
    DWORD dwStart = GetTickCount();
    LogOn(L"ALICE", L"wrong");
    EXPECT_GE(GetTickCount() - dwStart, 900u) << "a failed attempt costs a second";
    EXPECT_STREQ(L"Incorrect user name and/or password.", m_strBox);
    EXPECT_STREQ(L"Error", m_strBoxCaption);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONSTOP), m_nBoxType);
    EXPECT_TRUE(m_dialog.IsWindowVisible()) << "the box stays open";
    EXPECT_STREQ(L"Alice", GetText(&m_dialog, IDC_LOGON_USERNAME));
    EXPECT_STREQ(L"", GetText(&m_dialog, IDC_LOGON_PASSWORD));
    EXPECT_FALSE(IsEnabled(&m_dialog, IDOK));
    EXPECT_EQ(0, m_log.m_nCount);
    EXPECT_TRUE(PasswordWiped(L"wrong")) << "a refused password is wiped, not only emptied";
}

TEST_F(LogonTest, WithoutAnAccountsFileNoOneLogsOn)
{
    OpenDialog();
    LogOn(L"alice", L"secret");
    EXPECT_STREQ(L"Incorrect user name and/or password.", m_strBox);
    EXPECT_NE(IDOK, m_dialog.Result());
}

// The User Authentication command: a log-on whose switch is answered No leaves the user who
// logged on before as the console's user, for the event texts that name it.
TEST_F(LogonTest, AnsweringNoToTheSwitchKeepsTheEarlierUser)
{
    CBelvaneApp belvane;
    belvane.m_strLogonUser = L"Bob";
    WriteAccounts("Alice\tsecret\r\nBob\tother\r\n");
    AfxSetMessageBoxFunction([this](HWND, const wchar_t* pszText, const wchar_t*, UINT) {
        m_strBox = pszText;
        return IDNO;
    });
    CLogonDlg logon(&Host());
    logon.m_strAccountsFile = m_strAccounts;
    BOOL bSwitched = TRUE;
    EXPECT_TRUE(CModalAnswers()
                    .Then(L"Log On To Belvane",
                          [](HWND hDialog) {
                              TypeItemText(hDialog, IDC_LOGON_USERNAME, L"alice");
                              TypeItemText(hDialog, IDC_LOGON_PASSWORD, L"secret");
                              ClickItem(hDialog, IDOK);
                          })
                    .Run([&] { bSwitched = ToggleUserAuthentication(&Host(), logon); }));
    EXPECT_FALSE(bSwitched);
    EXPECT_NE(-1, m_strBox.Find(L" - continue?"));
    EXPECT_STREQ(L"Bob", belvane.m_strLogonUser);
}
