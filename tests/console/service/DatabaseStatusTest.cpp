#include "ServiceFixture.h"

#include "console/app/StatusPaneTexts.h"
#include "console/service/CDatabaseStatusDlg.h"
#include "console/service/CServicePageDatabase.h"
#include "resources/console/ServiceRes.h"
#include "tests/alarmmodel/database/AlarmsBench.h"

#include <sqlext.h>

using namespace alarmsbench;

namespace
{
const UINT_PTR nRefreshTimer = 100;
const wchar_t* const arrLabels[] = {L"DSN",      L"DBMS",     L"Driver",   L"Server",   L"Username",
                                    L"Database", L"Filename", L"Created",  L"Modified", L"Size"};

// The dialog and the page on one data source of the bench.
class DatabaseStatus : public ServiceFixture, public ::testing::WithParamInterface<const wchar_t*>
{
protected:
    // The bench's table as the console makes it: other tests leave tables of their own there.
    void SetUp() override
    {
        UseDataSource(Dsn());
        DropAlarmsTable(Dsn());
        CAlarmsDatabase check;
        check.CheckStructure(Dsn());
    }
    void TearDown() override
    {
        SetDriverInfoFunction(nullptr);
        if (m_dialog.m_hWnd)
            m_dialog.DestroyWindow();
        if (m_page.m_hWnd)
            m_page.DestroyWindow();
        ServiceFixture::TearDown();
    }

    virtual const wchar_t* Dsn() const { return GetParam(); }

    // The dialog, its list read as the first timer tick reads it.
    CDatabaseStatusDlg& OpenDialog()
    {
        EXPECT_TRUE(m_dialog.Create(IDD_DATABASE_STATUS, &Host()));
        m_dialog.SendMessage(WM_TIMER, nRefreshTimer);
        PumpUntilIdle();
        return m_dialog;
    }
    CServicePageDatabase& OpenPage()
    {
        EXPECT_TRUE(m_page.Create(IDD_SERVICE_DATABASE, &Host()));
        m_page.SendMessage(WM_TIMER, nRefreshTimer);
        PumpUntilIdle();
        return m_page;
    }

    static CString Value(CDatabaseStatusList& list, int nRow) { return list.GetItemText(nRow, 1); }

    static void ExpectLabels(CDatabaseStatusList& list)
    {
        ASSERT_EQ(10, list.GetItemCount());
        for (int nRow = 0; nRow < 10; ++nRow)
            EXPECT_EQ(CString(arrLabels[nRow]), list.GetItemText(nRow, 0));
    }

    CDatabaseStatusDlg m_dialog{&Host()};
    CServicePageDatabase m_page;
};

// A driver that says it is Access and names a database file without its extension.
class AccessDatabaseStatus : public DatabaseStatus
{
protected:
    void SetUp() override
    {
        DatabaseStatus::SetUp();
        wchar_t szTemp[MAX_PATH];
        GetTempPathW(MAX_PATH, szTemp);
        m_strBase.Format(L"%stervok-status-%lu", szTemp, GetCurrentProcessId());
        HANDLE hFile = CreateFileW(m_strBase + L".mdb", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        std::string strBytes(1025, 'x');
        DWORD cbWritten = 0;
        WriteFile(hFile, strBytes.data(), (DWORD)strBytes.size(), &cbWritten, nullptr);
        CloseHandle(hFile);
        CString strBase = m_strBase;
        SetDriverInfoFunction([strBase](SQLHDBC hdbc, SQLUSMALLINT nInfo, SQLPOINTER pValue, SQLSMALLINT cbValue,
                                        SQLSMALLINT* pcbValue) -> SQLRETURN {
            const wchar_t* pszText = nInfo == SQL_SERVER_NAME ? L"ACCESS" : nInfo == SQL_DATABASE_NAME ? strBase.GetString()
                                                                                                      : nullptr;
            if (!pszText)
                return SQLGetInfoW(hdbc, nInfo, pValue, cbValue, pcbValue);
            wcsncpy((wchar_t*)pValue, pszText, (size_t)cbValue / sizeof(wchar_t));
            *pcbValue = (SQLSMALLINT)(wcslen(pszText) * sizeof(wchar_t));
            return SQL_SUCCESS;
        });
    }
    void TearDown() override
    {
        DatabaseStatus::TearDown();
        DeleteFileW(m_strBase + L".mdb");
    }
    const wchar_t* Dsn() const override { return kSqliteDsn; }

    CString m_strBase;
};
} // namespace

TEST_P(DatabaseStatus, TheDialogShowsWhatTheDataSourceIsAndItsFile)
{
    CDatabaseStatusList& list = OpenDialog().m_list;
    ExpectLabels(list);
    EXPECT_EQ(CString(Dsn()), Value(list, 0));
    EXPECT_EQ(0, Value(list, 1).Find(IsPostgres(Dsn()) ? L"PostgreSQL version " : L"SQLite version "))
        << CStringA(Value(list, 1)).GetString();
    EXPECT_NE(-1, Value(list, 2).Find(L" odbc "));
    if (IsPostgres(Dsn()))
    {
        EXPECT_EQ(CString(L"tervok"), Value(list, 4));
        EXPECT_EQ(CString(L"tervok"), Value(list, 5));
    }
    // SQLite names its file, which Wine finds; PostgreSQL's database name is no file: the name
    // with ".mdb", made absolute, without times.
    CString strFilename = Value(list, 6);
    EXPECT_EQ(CString(L":\\"), strFilename.Mid(1, 2)) << CStringA(strFilename).GetString();
    if (IsPostgres(Dsn()))
    {
        EXPECT_EQ(CString(L"tervok.mdb"), strFilename.Right(10)) << CStringA(strFilename).GetString();
        EXPECT_TRUE(Value(list, 7).IsEmpty());
        EXPECT_TRUE(Value(list, 9).IsEmpty());
    }
    else
    {
        EXPECT_EQ(CString(L"alarms.db"), strFilename.Right(9)) << CStringA(strFilename).GetString();
        EXPECT_FALSE(Value(list, 7).IsEmpty());
        EXPECT_EQ(CString(L" KB"), Value(list, 9).Right(3));
    }
    EXPECT_TRUE(IsEnabled(&m_dialog, IDC_DATABASE_COMPACT));
}

TEST_P(DatabaseStatus, ThePageShowsNoFileForAnythingButAccess)
{
    CDatabaseStatusList& list = OpenPage().m_list;
    ExpectLabels(list);
    EXPECT_EQ(CString(Dsn()), Value(list, 0));
    for (int nRow = 6; nRow < 10; ++nRow)
        EXPECT_EQ(CString(L"n/a"), Value(list, nRow));
    EXPECT_FALSE(IsEnabled(&m_page, IDC_DATABASE_COMPACT));
}

INSTANTIATE_TEST_SUITE_P(Bench, DatabaseStatus, ::testing::Values(kSqliteDsn, kPostgresDsn), DataSourceName);

TEST_F(AccessDatabaseStatus, TheFileNamedWithoutItsExtensionShowsWithSizeInWholeKilobytes)
{
    CDatabaseStatusList& list = OpenPage().m_list;
    EXPECT_EQ(m_strBase + L".mdb", Value(list, 6));
    EXPECT_FALSE(Value(list, 7).IsEmpty());
    EXPECT_FALSE(Value(list, 8).IsEmpty());
    EXPECT_EQ(CString(L"2 KB"), Value(list, 9));
    EXPECT_TRUE(IsEnabled(&m_page, IDC_DATABASE_COMPACT));
}

TEST(DatabaseStatusUnreachable, ADataSourceThatCannotBeOpenedLeavesTheListEmptyAndCompactOff)
{
    // Nothing listens on this data source's port.
    UseDataSource(kUnreachableDsn);
    CDatabaseFacts facts(TRUE);
    EXPECT_FALSE(facts.Read());
    EXPECT_TRUE(facts.m_strFilename.IsEmpty());
    UseDataSource(kSqliteDsn);
}
