#include "ServiceFixture.h"

#include "console/service/CServiceControl.h"
#include "support/SystemErrorText.h"
#include "tests/support/ReadOnlyRegistryKey.h"


namespace
{
CString SystemText(DWORD dwError)
{
    return CSystemErrorText(dwError, L"", L"", L"", L"", L"").m_strText;
}

// The first line of the log file that the double writes when it starts, as it wrote it.
CString DoubleLogText()
{
    CString strLog = GetRegistryStore().GetVolatileString(L"ServiceLogfile");
    HANDLE hFile = CreateFileW(strLog, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
    wchar_t szText[256] = {0};
    DWORD cbRead = 0;
    ReadFile(hFile, szText, sizeof(szText) - sizeof(wchar_t), &cbRead, nullptr);
    CloseHandle(hFile);
    return szText;
}

struct QueriedState
{
    BOOL bRead;
    CString strStatus, strDisplayName, strError;
    BOOL bCanStart, bCanStop;
    DWORD dwError;
};

QueriedState Query(const wchar_t* pszService)
{
    QueriedState state;
    CServiceControl service(pszService);
    state.bRead = service.QueryState(state.strStatus, state.strDisplayName, state.bCanStart, state.bCanStop,
                                     state.strError);
    state.dwError = service.ErrorCode();
    return state;
}

class ServiceControl : public ServiceFixture
{
};
} // namespace

TEST_F(ServiceControl, StartAndStopChangeTheRealServiceAndTheStateSaysWhichButtonsApply)
{
    ASSERT_TRUE(m_service.Install());
    QueriedState stopped = Query(g_pszAlarmsServiceName);
    EXPECT_TRUE(stopped.bRead);
    EXPECT_EQ(CString(L"Stopped"), stopped.strStatus);
    EXPECT_EQ(CString(L"Tervok Alarms Service"), stopped.strDisplayName);
    EXPECT_TRUE(stopped.bCanStart);
    EXPECT_FALSE(stopped.bCanStop);

    CServiceControl service(g_pszAlarmsServiceName);
    CString strError;
    ASSERT_TRUE(service.StartOrStop(TRUE, strError)) << CStringA(strError).GetString();
    EXPECT_EQ(1u, RestartNowait());
    ASSERT_TRUE(m_service.WaitFor(SERVICE_RUNNING));
    QueriedState running = Query(g_pszAlarmsServiceName);
    EXPECT_EQ(CString(L"Running"), running.strStatus);
    EXPECT_FALSE(running.bCanStart);
    EXPECT_TRUE(running.bCanStop);
    for (int i = 0; i < 50 && DoubleLogText().IsEmpty(); ++i)
        Sleep(100);
    EXPECT_EQ(CString(L"Started with -nowait"), DoubleLogText());

    ASSERT_TRUE(service.StartOrStop(FALSE, strError)) << CStringA(strError).GetString();
    EXPECT_TRUE(m_service.WaitFor(SERVICE_STOPPED));
}

TEST_F(ServiceControl, AServiceThatIsNotInstalledGivesTheSystemsTextAndNeitherButton)
{
    QueriedState missing = Query(g_pszAlarmsServiceName);
    EXPECT_FALSE(missing.bRead);
    EXPECT_EQ(DWORD(ERROR_SERVICE_DOES_NOT_EXIST), missing.dwError);
    EXPECT_EQ(SystemText(ERROR_SERVICE_DOES_NOT_EXIST), missing.strError);
    EXPECT_FALSE(missing.strError.IsEmpty());
    EXPECT_TRUE(missing.strStatus.IsEmpty());
    EXPECT_FALSE(missing.bCanStart);
    EXPECT_FALSE(missing.bCanStop);

    CServiceControl service(g_pszAlarmsServiceName);
    CString strError;
    EXPECT_FALSE(service.StartOrStop(TRUE, strError));
    EXPECT_EQ(SystemText(ERROR_SERVICE_DOES_NOT_EXIST), strError);
    EXPECT_FALSE(service.RequestRefused());
}

TEST_F(ServiceControl, AManagerThatRefusesToOpenIsExplainedInTheSystemsWords)
{
    SetServiceManagerOpener([](DWORD) -> SC_HANDLE {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    });
    CServiceControl service(g_pszAlarmsServiceName);
    CString strError;
    BOOL bStarted = service.StartOrStop(TRUE, strError);
    QueriedState state = Query(g_pszAlarmsServiceName);
    SetServiceManagerOpener(nullptr);
    EXPECT_FALSE(bStarted);
    EXPECT_EQ(SystemText(ERROR_ACCESS_DENIED), strError);
    EXPECT_FALSE(strError.IsEmpty());
    EXPECT_EQ(0u, RestartNowait());
    EXPECT_FALSE(state.bRead);
    EXPECT_EQ(SystemText(ERROR_ACCESS_DENIED), state.strError);
}

TEST_F(ServiceControl, ARefusedStartHasWrittenRestartNowaitAllTheSame)
{
    ASSERT_TRUE(m_service.Install(SERVICE_DISABLED));
    CServiceControl service(g_pszAlarmsServiceName);
    CString strError;
    EXPECT_FALSE(service.StartOrStop(TRUE, strError));
    EXPECT_TRUE(service.RequestRefused());
    EXPECT_EQ(SystemText(ERROR_SERVICE_DISABLED), strError);
    EXPECT_EQ(1u, RestartNowait());
    EXPECT_EQ(DWORD(SERVICE_STOPPED), m_service.State());
}

// A user who may only read the console's settings still starts the service; what was not stored
// is said in the log.
TEST_F(ServiceControl, AStartWhoseRestartNowaitCannotBeWrittenSaysSo)
{
    ASSERT_TRUE(m_service.Install());
    const CString strKey = L"SOFTWARE\\Tervok AG\\Alarms";
    CServiceControl service(g_pszAlarmsServiceName);
    CString strError;
    BOOL bStarted = FALSE;
    {
        CReadOnlyRegistryKey readOnly({strKey.GetString()});
        if (!readOnly.Holds())
            GTEST_SKIP() << "this registry grants full access despite the key's security";
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, strKey, L"Volatile"); // as the console opens it
        bStarted = service.StartOrStop(TRUE, strError);
    }
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, strKey, L"Volatile");
    EXPECT_TRUE(bStarted) << CStringA(strError).GetString();
    EXPECT_TRUE(m_service.WaitFor(SERVICE_RUNNING));
    EXPECT_EQ(0u, RestartNowait());
    EXPECT_EQ(L"RestartNowait could not be written before TervokAlarmsService was started: " +
                  CSystemErrorText::Reason(ERROR_ACCESS_DENIED),
              service.Warning());
    service.StartOrStop(FALSE, strError);
    EXPECT_TRUE(m_service.WaitFor(SERVICE_STOPPED));
}
