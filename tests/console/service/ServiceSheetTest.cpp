#include "ServiceFixture.h"

#include "console/service/CServiceSheet.h"
#include "console/service/ServiceCommands.h"
#include "resources/console/ServiceRes.h"

#include <regex>

namespace
{
const UINT_PTR nStatusTimer = 100;

class ServiceSheet : public ServiceFixture
{
protected:
    void TearDown() override
    {
        DestroyServiceSheet(m_pSheet);
        ServiceFixture::TearDown();
    }

    CServicePageStatus& Status() { return m_pSheet->m_pageStatus; }

    // One tick of the page's timer, as the 250 ms period would bring it.
    void Tick()
    {
        Status().SendMessage(WM_TIMER, nStatusTimer);
        PumpUntilIdle();
    }

    // Ticks until the status reads as given, for up to 10 s.
    bool TickUntilStatus(const wchar_t* pszStatus)
    {
        for (int i = 0; i < 100; ++i)
        {
            Tick();
            if (GetText(&Status(), IDC_SERVICE_STATUS) == pszStatus)
                return true;
            Sleep(100);
        }
        return false;
    }

    void OpenSheet()
    {
        ToggleServiceSheet(m_pSheet, &Host());
        ASSERT_NE(nullptr, m_pSheet);
        PumpUntilIdle();
    }

    CServiceSheet* m_pSheet = nullptr;
};

bool Matches(const CString& strText, const char* pszPattern)
{
    return std::regex_match(std::string(CStringA(strText).GetString()), std::regex(pszPattern));
}
} // namespace

TEST_F(ServiceSheet, ShowsTheServiceAndItsCountersAndStartAndStopDriveTheRealService)
{
    ASSERT_TRUE(m_service.Install());
    OpenSheet();
    ASSERT_TRUE(m_pSheet->IsWindowVisible());
    EXPECT_EQ(0, m_pSheet->GetActiveIndex());
    EXPECT_TRUE(::IsWindow(m_pSheet->m_pageDatabase.m_hWnd)) << "every page is made with the sheet";
    EXPECT_EQ(CString(L"Stopped"), GetText(&Status(), IDC_SERVICE_STATUS));
    EXPECT_EQ(CString(L"Tervok Alarms Service"), GetText(&Status(), IDC_SERVICE_DISPLAY_NAME));
    EXPECT_EQ(CString(L"TervokAlarmsService"), GetText(&Status(), IDC_SERVICE_NAME));
    EXPECT_EQ(CString(L"0"), GetText(&Status(), IDC_SERVICE_ALARMS_CREATED));
    EXPECT_EQ(CString(L"Current 0, maximum 0"), GetText(&Status(), IDC_SERVICE_QUEUE_SIZE));
    EXPECT_TRUE(IsEnabled(&Status(), IDC_SERVICE_START));
    EXPECT_FALSE(IsEnabled(&Status(), IDC_SERVICE_STOP));
    EXPECT_FALSE(IsEnabled(&Status(), IDC_SERVICE_VIEW_LOG));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(Status().m_hWnd, IDC_SERVICE_DATABASE_SIZE)));

    Click(&Status(), IDC_SERVICE_START);
    ASSERT_TRUE(TickUntilStatus(L"Running")) << CStringA(GetText(&Status(), IDC_SERVICE_STATUS)).GetString();
    EXPECT_EQ(1u, RestartNowait());
    EXPECT_FALSE(IsEnabled(&Status(), IDC_SERVICE_START));
    EXPECT_TRUE(IsEnabled(&Status(), IDC_SERVICE_STOP));
    // The double counts from 1,234,567 upwards, five times a second, from its first 200 ms.
    CString strCreated;
    for (int i = 0; i < 100 && !Matches(strCreated, "1,23[45],[0-9]{3}"); ++i)
    {
        Sleep(100);
        Tick();
        strCreated = GetText(&Status(), IDC_SERVICE_ALARMS_CREATED);
    }
    EXPECT_TRUE(Matches(strCreated, "1,23[45],[0-9]{3}")) << CStringA(strCreated).GetString();
    Sleep(500);
    Tick();
    EXPECT_NE(strCreated, GetText(&Status(), IDC_SERVICE_ALARMS_CREATED)) << "the page follows the service";
    EXPECT_TRUE(Matches(GetText(&Status(), IDC_SERVICE_QUEUE_SIZE), "Current [0-4], maximum 12"));
    EXPECT_EQ(CString(L"2026-12-09 08:00:00"), GetText(&Status(), IDC_SERVICE_STARTED));
    EXPECT_TRUE(Matches(GetText(&Status(), IDC_SERVICE_LAST_ALARM), "Alarm number [0-9]+"));
    EXPECT_TRUE(IsEnabled(&Status(), IDC_SERVICE_VIEW_LOG)) << "the double's log file exists";

    Click(&Status(), IDC_SERVICE_STOP);
    EXPECT_TRUE(TickUntilStatus(L"Stopped"));
    EXPECT_TRUE(m_arrBoxes.empty());
}

TEST_F(ServiceSheet, WithoutTheServiceTheStatusIsTheSystemsTextAndNoButtonWorks)
{
    GetRegistryStore().SetVolatileString(L"ServiceLogfile", L"C:\\no such folder\\service.log");
    OpenSheet();
    EXPECT_FALSE(GetText(&Status(), IDC_SERVICE_STATUS).IsEmpty());
    EXPECT_TRUE(GetText(&Status(), IDC_SERVICE_DISPLAY_NAME).IsEmpty());
    EXPECT_FALSE(IsEnabled(&Status(), IDC_SERVICE_START));
    EXPECT_FALSE(IsEnabled(&Status(), IDC_SERVICE_STOP));
    EXPECT_FALSE(IsEnabled(&Status(), IDC_SERVICE_VIEW_LOG));
}

TEST_F(ServiceSheet, ClosingHidesTheSheetAndTheCommandShowsTheSameOneOnItsPage)
{
    OpenSheet();
    CServiceSheet* pFirst = m_pSheet;
    m_pSheet->SetActivePage(1);
    PumpUntilIdle();
    m_pSheet->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    PumpUntilIdle();
    EXPECT_TRUE(::IsWindow(m_pSheet->m_hWnd));
    EXPECT_FALSE(IsServiceSheetShown(m_pSheet));
    ToggleServiceSheet(m_pSheet, &Host());
    PumpUntilIdle();
    EXPECT_EQ(pFirst, m_pSheet);
    EXPECT_TRUE(IsServiceSheetShown(m_pSheet));
    EXPECT_EQ(1, m_pSheet->GetActiveIndex());
    ToggleServiceSheet(m_pSheet, &Host());
    EXPECT_FALSE(IsServiceSheetShown(m_pSheet));
}
