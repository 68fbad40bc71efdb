#include "ServiceFixture.h"

#include "console/service/CMessengerServiceDlg.h"
#include "resources/console/ServiceRes.h"
#include "support/SystemErrorText.h"

namespace
{
CString SystemText(DWORD dwError)
{
    return CSystemErrorText(dwError, L"", L"", L"", L"", L"").m_strText;
}

class MessengerService : public ServiceFixture
{
protected:
    void TearDown() override
    {
        if (m_dialog.m_hWnd)
            m_dialog.DestroyWindow();
        ServiceFixture::TearDown();
    }

    CMessengerServiceDlg& Open()
    {
        EXPECT_TRUE(m_dialog.Create(IDD_MESSENGER_SERVICE, &Host()));
        PumpUntilIdle();
        return m_dialog;
    }

    void Describe(const wchar_t* pszDescription)
    {
        SC_HANDLE hManager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        SC_HANDLE hService = OpenServiceW(hManager, L"Messenger", SERVICE_ALL_ACCESS);
        SERVICE_DESCRIPTIONW description = {const_cast<wchar_t*>(pszDescription)};
        EXPECT_TRUE(ChangeServiceConfig2W(hService, SERVICE_CONFIG_DESCRIPTION, &description));
        CloseServiceHandle(hService);
        CloseServiceHandle(hManager);
    }

    CAlarmsServiceDouble m_messenger{L"Messenger"};
    CMessengerServiceDlg m_dialog{&Host()};
};
} // namespace

TEST_F(MessengerService, WithoutTheServiceTheDialogSaysSoAndOffersNeitherButton)
{
    CMessengerServiceDlg& dialog = Open();
    EXPECT_EQ(CString(L"Messenger"), GetText(&dialog, IDC_SERVICE_NAME));
    EXPECT_EQ(SystemText(ERROR_SERVICE_DOES_NOT_EXIST), GetText(&dialog, IDC_SERVICE_STATUS));
    EXPECT_FALSE(GetText(&dialog, IDC_SERVICE_STATUS).IsEmpty());
    EXPECT_TRUE(GetText(&dialog, IDC_SERVICE_START_TYPE).IsEmpty());
    EXPECT_FALSE(IsEnabled(&dialog, IDC_SERVICE_START));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_SERVICE_STOP));
}

TEST_F(MessengerService, ADisabledServiceShowsItsStartTypeAndRefusesToStartInTheSystemsWords)
{
    ASSERT_TRUE(m_messenger.Install(SERVICE_DISABLED, L"Messenger Double"));
    Describe(L"Sends NET SEND messages.");
    CMessengerServiceDlg& dialog = Open();
    EXPECT_EQ(CString(L"Stopped"), GetText(&dialog, IDC_SERVICE_STATUS));
    EXPECT_EQ(CString(L"Disabled"), GetText(&dialog, IDC_SERVICE_START_TYPE));
    EXPECT_EQ(CString(L"Messenger Double"), GetText(&dialog, IDC_SERVICE_DISPLAY_NAME));
    EXPECT_EQ(CString(L"Sends NET SEND messages."), GetText(&dialog, IDC_SERVICE_DESCRIPTION));
    EXPECT_TRUE(IsEnabled(&dialog, IDC_SERVICE_START));
    Click(&dialog, IDC_SERVICE_START);
    ASSERT_EQ(1u, m_arrBoxes.size());
    EXPECT_EQ(L"Error starting service: " + SystemText(ERROR_SERVICE_DISABLED), m_arrBoxes[0].strText);
    EXPECT_EQ(CString(L"Error"), m_arrBoxes[0].strCaption);
    EXPECT_EQ(UINT(MB_OK | MB_ICONSTOP), m_arrBoxes[0].nType);
    EXPECT_EQ(1u, RestartNowait());
}

TEST_F(MessengerService, StartAndStopDriveTheServiceAndTheDialogFollows)
{
    ASSERT_TRUE(m_messenger.Install(SERVICE_DEMAND_START, L"Messenger Double"));
    CMessengerServiceDlg& dialog = Open();
    EXPECT_EQ(CString(L"Manual"), GetText(&dialog, IDC_SERVICE_START_TYPE));
    EXPECT_TRUE(GetText(&dialog, IDC_SERVICE_DESCRIPTION).IsEmpty());
    Click(&dialog, IDC_SERVICE_START);
    EXPECT_TRUE(m_messenger.WaitFor(SERVICE_RUNNING));
    dialog.UpdateStatus();
    EXPECT_EQ(CString(L"Running"), GetText(&dialog, IDC_SERVICE_STATUS));
    EXPECT_TRUE(IsEnabled(&dialog, IDC_SERVICE_STOP));
    Click(&dialog, IDC_SERVICE_STOP);
    EXPECT_TRUE(m_messenger.WaitFor(SERVICE_STOPPED));
    dialog.UpdateStatus();
    EXPECT_EQ(CString(L"Stopped"), GetText(&dialog, IDC_SERVICE_STATUS));
    EXPECT_TRUE(m_arrBoxes.empty());
}
