#include "console/app/StatusPaneTexts.h"
#include "support/RegistryStore.h"

#include <gtest/gtest.h>
#include <sqlext.h>

#include <fstream>
#include <vector>

namespace
{
// The store on a key of this test run.
class StatusPaneTextsTest : public ::testing::Test
{
protected:
    StatusPaneTextsTest()
    {
        m_strKey.Format(L"SOFTWARE\\Tervok AG\\ConsoleTests-%lu", GetCurrentProcessId());
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strKey, L"Volatile");
    }
    ~StatusPaneTextsTest() override
    {
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strKey);
    }
    CString m_strKey;
};

void WriteBytes(const wchar_t* pszPath, size_t nBytes)
{
    std::ofstream file(pszPath, std::ios::binary);
    file << std::string(nBytes, 'x');
}
} // namespace

TEST_F(StatusPaneTextsTest, CountersAreGroupedInThrees)
{
    EXPECT_STREQ(L"Alarms: 0", AlarmsPaneText());
    EXPECT_STREQ(L"Processed: 0", ProcessedPaneText());
    EXPECT_STREQ(L"Last update: ", LastUpdatePaneText());
    GetRegistryStore().SetVolatileDWord(L"AlarmMessageCount", 1234567);
    GetRegistryStore().SetVolatileDWord(L"AlarmAnalysed", 4294967295u);
    GetRegistryStore().SetVolatileString(L"AlarmLastMessage", L"2026-12-09 03:58:00");
    EXPECT_STREQ(L"Alarms: 1,234,567", AlarmsPaneText());
    EXPECT_STREQ(L"Processed: 4,294,967,295", ProcessedPaneText());
    EXPECT_STREQ(L"Last update: 2026-12-09 03:58:00", LastUpdatePaneText());
    EXPECT_STREQ(L"Database: 1,024 MB", DatabasePaneText(1024));
    EXPECT_STREQ(L"Status: Running", StatusPaneText(L"Running"));
}

TEST(ServiceStateTest, StatesHaveTheirNamesAndAMissingServiceNone)
{
    EXPECT_STREQ(L"Stopped", ServiceStateName(SERVICE_STOPPED));
    EXPECT_STREQ(L"Start pending", ServiceStateName(SERVICE_START_PENDING));
    EXPECT_STREQ(L"Stop pending", ServiceStateName(SERVICE_STOP_PENDING));
    EXPECT_STREQ(L"Running", ServiceStateName(SERVICE_RUNNING));
    EXPECT_STREQ(L"Continue pending", ServiceStateName(SERVICE_CONTINUE_PENDING));
    EXPECT_STREQ(L"Pending", ServiceStateName(SERVICE_PAUSE_PENDING));
    EXPECT_STREQ(L"Paused", ServiceStateName(SERVICE_PAUSED));
    EXPECT_STREQ(L"", QueryServiceStateText(L"NoSuchTervokService"));
    EXPECT_STREQ(L"Status: ", StatusPaneText(QueryServiceStateText(L"NoSuchTervokService")));
    // Wine's own RPC service answers like any installed one.
    EXPECT_STREQ(L"Running", QueryServiceStateText(L"RpcSs"));
}

TEST(DatabaseFileTest, SizeIsRoundedUpAndAMissingFileKeepsTheValue)
{
    WriteBytes(L"alarms-size-test.mdb", 1048577);
    UINT nMB = 7;
    EXPECT_TRUE(DatabaseFileMB(L"alarms-size-test", nMB)) << "found with \".mdb\" appended";
    EXPECT_EQ(2u, nMB);
    WriteBytes(L"alarms-size-test.mdb", 1048576);
    EXPECT_TRUE(DatabaseFileMB(L"alarms-size-test.mdb", nMB));
    EXPECT_EQ(1u, nMB);
    nMB = 7;
    EXPECT_FALSE(DatabaseFileMB(L"no-such-database", nMB));
    EXPECT_EQ(7u, nMB);
    DeleteFileW(L"alarms-size-test.mdb");
}

TEST(DatabaseFileTest, ADatabaseNameLongerThanAnOldPathIsReadWhole)
{
    // A data source whose file lies deep in folders: its name is longer than MAX_PATH.
    CString strFolder = L"database-name-test";
    CreateDirectoryW(strFolder, nullptr);
    std::vector<CString> folders = {strFolder};
    for (int i = 0; i < 3; ++i)
    {
        folders.push_back(folders.back() + L"\\" + CString(L'd', 100));
        ASSERT_TRUE(CreateDirectoryW(folders.back(), nullptr));
    }
    CString strName = folders.back() + L"\\alarms.mdb";
    ASSERT_GT(strName.GetLength(), MAX_PATH);
    WriteBytes(strName, 1048577);

    // A driver that cuts the name to the buffer it is given and says how long it is.
    SetDriverInfoFunction([&](SQLHDBC, SQLUSMALLINT nInfo, SQLPOINTER pValue, SQLSMALLINT cbValue, SQLSMALLINT* pcbValue) {
        EXPECT_EQ(SQL_DATABASE_NAME, nInfo);
        *pcbValue = (SQLSMALLINT)(strName.GetLength() * sizeof(wchar_t));
        if (pValue && cbValue >= (SQLSMALLINT)sizeof(wchar_t))
            lstrcpynW((wchar_t*)pValue, strName, cbValue / (int)sizeof(wchar_t));
        return *pcbValue < cbValue ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
    });
    CString strRead = DataSourceDatabaseName(nullptr);
    SetDriverInfoFunction(nullptr);
    EXPECT_STREQ(strName, strRead);
    UINT nMB = 0;
    EXPECT_TRUE(DatabaseFileMB(strRead, nMB));
    EXPECT_EQ(2u, nMB);

    DeleteFileW(strName);
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        RemoveDirectoryW(*it);
}
