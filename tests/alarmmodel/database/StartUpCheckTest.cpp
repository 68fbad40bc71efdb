#include "alarmmodel/database/NativeTypeNames.h"
#include "alarmmodel/database/DsnParameterStore.h"
#include "tests/alarmmodel/database/AlarmsBench.h"


using namespace alarmsbench;

namespace
{
CString CreateTable(const wchar_t* pszInteger, const wchar_t* pszDateTime)
{
    CString strSQL;
    strSQL.Format(L"CREATE TABLE TBL_ALARMS_005(FLD_PRIME_KEY %s PRIMARY KEY NOT NULL,FLD_TIMESTAMP %s,"
                  L"FLD_EXPIRES %s,FLD_CLASS %s,FLD_REPEAT %s,FLD_INDEX %s,FLD_FROM varchar(255),"
                  L"FLD_TITLE varchar(255),FLD_DESCRIPTION varchar(255),FLD_PROCESSED %s,FLD_ALARM_DEFN text,"
                  L"FLD_MATCH_TEXT text,FLD_OUTSTANDING %s,FLD_STATUS varchar(255),FLD_LOG text,"
                  L"FLD_ASSIGNED_TO varchar(255),FLD_PRIORITY varchar(255),FLD_RESOLUTION text)",
                  pszInteger, pszDateTime, pszDateTime, pszInteger, pszInteger, pszInteger, pszDateTime, pszInteger);
    return strSQL;
}

const wchar_t kIndexLines[] =
    L"OK CREATE INDEX TBL_ALARMS_005_IDX_000 ON TBL_ALARMS_005 (FLD_PRIME_KEY)\n"
    L"OK CREATE INDEX TBL_ALARMS_005_IDX_001 ON TBL_ALARMS_005 (FLD_TIMESTAMP)\n"
    L"OK CREATE INDEX TBL_ALARMS_005_IDX_006 ON TBL_ALARMS_005 (FLD_FROM)\n"
    L"OK CREATE INDEX TBL_ALARMS_005_IDX_007 ON TBL_ALARMS_005 (FLD_TITLE)\n"
    L"OK CREATE INDEX TBL_ALARMS_005_IDX_013 ON TBL_ALARMS_005 (FLD_STATUS)\n"
    L"OK CREATE INDEX TBL_ALARMS_005_IDX_015 ON TBL_ALARMS_005 (FLD_ASSIGNED_TO)\n"
    L"OK CREATE INDEX TBL_ALARMS_005_IDX_016 ON TBL_ALARMS_005 (FLD_PRIORITY)\n"
    L"OK CREATE INDEX TBL_ALARMS_005_IDX_017 ON TBL_ALARMS_005 (FLD_RESOLUTION)\n";

class StartUpCheck : public ::testing::TestWithParam<const wchar_t*>
{
protected:
    void SetUp() override
    {
        UseDataSource(GetParam());
        DropAlarmsTable(GetParam());
        GetDsnParameterStore().RemoveParameters(GetParam());
    }
    CStringA Schema()
    {
        if (IsPostgres(GetParam()))
            return QueryOutside(GetParam(), "SELECT column_name || ' ' || data_type FROM information_schema.columns "
                                            "WHERE table_name = 'tbl_alarms_005' ORDER BY ordinal_position; "
                                            "SELECT indexname FROM pg_indexes WHERE tablename = 'tbl_alarms_005' "
                                            "ORDER BY indexname");
        return QueryOutside(GetParam(), "SELECT sql FROM sqlite_master ORDER BY name");
    }
};

TEST_P(StartUpCheck, CreatesTheTableAndIndexesOnceWithTheDriversTypeNames)
{
    const bool bPostgres = IsPostgres(GetParam());
    CString strExpected;
    strExpected.Format(L"OK Checking ODBC DSN \"%s\" database structure...\n"
                       L"Warning Table TBL_ALARMS_005 not defined\nOK %s\n%s"
                       L"OK Database structure is correct\nOK ---\n",
                       GetParam(),
                       CreateTable(bPostgres ? L"int4" : L"integer", bPostgres ? L"timestamptz" : L"timestamp").GetString(),
                       kIndexLines);
    CMainWindowCapture capture;
    {
        CAlarmsDatabase db;
        db.CheckStructure(GetParam());
        EXPECT_EQ(strExpected, Joined(db.GetReportLines()));
        ASSERT_EQ(db.GetReportLines().GetSize(), (int)capture.m_lines.size());
        EXPECT_EQ(1, capture.m_lines[1].nLevel);
        EXPECT_EQ(CString(L"Table TBL_ALARMS_005 not defined"), capture.m_lines[1].strText);
        EXPECT_EQ(0, capture.m_lines.back().nLevel);
        EXPECT_EQ(CString(L"---"), capture.m_lines.back().strText);
    }
    CStringA strSchema = Schema();
    if (bPostgres)
    {
        EXPECT_NE(-1, strSchema.Find("fld_prime_key integer\nfld_timestamp timestamp with time zone\n"));
        EXPECT_NE(-1, strSchema.Find("fld_from character varying\n"));
        EXPECT_NE(-1, strSchema.Find("fld_log text\n"));
        EXPECT_NE(-1, strSchema.Find("tbl_alarms_005_idx_017\ntbl_alarms_005_pkey")) << strSchema.GetString();
    }
    else
    {
        EXPECT_NE(-1, strSchema.Find(CStringA(CreateTable(L"integer", L"timestamp")))) << strSchema.GetString();
        EXPECT_NE(-1, strSchema.Find("CREATE INDEX TBL_ALARMS_005_IDX_017 ON TBL_ALARMS_005 (FLD_RESOLUTION)"));
    }

    CAlarmsDatabase again; // a second check changes nothing
    again.CheckStructure(GetParam());
    CString strSecond;
    strSecond.Format(L"OK Checking ODBC DSN \"%s\" database structure...\nOK Database structure is correct\nOK ---\n",
                     GetParam());
    EXPECT_EQ(strSecond, Joined(again.GetReportLines()));
    EXPECT_EQ(strSchema, Schema());
}

TEST_P(StartUpCheck, TypeNamesComeFromTheDriverWithTheTimestampForDateTimes)
{
    CDatabase database;
    ASSERT_TRUE(database.OpenEx(CString(L"DSN=") + GetParam(), CDatabase::noOdbcDialog));
    CAlarmsDatabase db;
    db.LoadTypeNames(&database);
    const auto& names = db.GetTypeNames();
    ASSERT_EQ(5u, names.size());
    const bool bPostgres = IsPostgres(GetParam());
    EXPECT_EQ(CString(bPostgres ? L"timestamptz" : L"timestamp"), names.at(9));
    EXPECT_EQ(CString(bPostgres ? L"int4" : L"integer"), names.at(4));
    EXPECT_EQ(CString(L"varchar"), names.at(12));
    EXPECT_EQ(CString(L"text"), names.at(-1));
    EXPECT_EQ(CString(bPostgres ? L"bytea" : L"longvarbinary"), names.at(-4));
    EXPECT_EQ(CString(bPostgres ? L"psqlodbcw.so" : L"sqlite3odbc.so"), GetDriverFileName(database.m_hdbc));
    db.LoadTypeNames(nullptr); // no database: nothing changes
    EXPECT_EQ(5u, db.GetTypeNames().size());
}

TEST_P(StartUpCheck, AnExistingTableIsLeftAsItIs)
{
    CDatabase database;
    ASSERT_TRUE(database.OpenEx(CString(L"DSN=") + GetParam(), CDatabase::noOdbcDialog));
    database.ExecuteSQL(L"CREATE TABLE TBL_ALARMS_005 (SOMETHING_ELSE integer)");
    CAlarmsDatabase db;
    db.CheckStructure(GetParam());
    EXPECT_EQ(3, db.GetReportLines().GetSize()) << Joined(db.GetReportLines()).GetString();
    EXPECT_EQ(CStringA("0"), QueryOutside(GetParam(), "SELECT count(*) FROM TBL_ALARMS_005"));
}

INSTANTIATE_TEST_SUITE_P(Drivers, StartUpCheck, ::testing::Values(kSqliteDsn, kPostgresDsn),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return std::string(info.index == 0 ? "SQLite" : "PostgreSQL");
                         });

TEST(StartUpCheckFailures, UnreachableDataSourceGivesFiveAttemptsAndTheirErrors)
{
    GetDsnParameterStore().SetParameters(kUnreachableDsn, L"Username=tervok;PWD=s3cret;Password={a;b}}c}");
    CMainWindowCapture capture;
    CAlarmsDatabase db;
    DWORD dwStart = GetTickCount();
    db.CheckStructure(kUnreachableDsn);
    DWORD dwElapsed = GetTickCount() - dwStart;
    GetDsnParameterStore().RemoveParameters(kUnreachableDsn);
    const CStringArray& lines = db.GetReportLines();
    ASSERT_EQ(1 + 5 * 3 + 1, lines.GetSize()) << Joined(lines).GetString();
    for (int nAttempt = 0; nAttempt < 5; nAttempt++)
    {
        EXPECT_EQ(CString(L"Error Error opening database"), lines[1 + nAttempt * 3]);
        // The password stays out of the log and the window.
        EXPECT_EQ(CString(L"Error Connect ..: DSN=Tervok Alarms Unreachable;Username=tervok;PWD=********;Password=********"),
                  lines[2 + nAttempt * 3]);
        EXPECT_EQ(lines[2 + nAttempt * 3].Mid(6), capture.m_lines[(size_t)(2 + nAttempt * 3)].strText);
        EXPECT_EQ(0, lines[3 + nAttempt * 3].Find(L"Error Error ....: connection to server at \"127.0.0.1\""));
    }
    EXPECT_EQ(CString(L"OK ---"), lines[16]);
    EXPECT_GE(dwElapsed, 4900u); // a pause after every failed attempt
}

TEST(StartUpCheckFailures, DataSourceThatOpensAtTheThirdAttemptIsChecked)
{
    CString strFolder = odbcbench::DosPath(odbcbench::BenchDir() + L"/late");
    DeleteFileW(strFolder + L"\\alarms.db");
    RemoveDirectoryW(strFolder);
    CMainWindowCapture capture;
    int nFailures = 0;
    capture.m_onLine = [&](const CapturedLine& line) { // the folder appears after two failures
        if (line.strText.Left(10) == L"Error ....")
            if (++nFailures == 2)
                CreateDirectoryW(strFolder, nullptr);
    };
    CAlarmsDatabase db;
    db.CheckStructure(L"Tervok Alarms Late");
    const CStringArray& lines = db.GetReportLines();
    ASSERT_GT(lines.GetSize(), 8) << Joined(lines).GetString();
    SCOPED_TRACE(Joined(lines).GetString());
    EXPECT_EQ(CString(L"Error Error opening database"), lines[1]);
    EXPECT_EQ(CString(L"Error Connect ..: DSN=Tervok Alarms Late"), lines[5]);
    EXPECT_EQ(CString(L"OK Error resolved after 2 retries"), lines[7]);
    EXPECT_EQ(CString(L"Warning Table TBL_ALARMS_005 not defined"), lines[8]);
    EXPECT_EQ(CString(L"OK Database structure is correct"), lines[lines.GetSize() - 2]);
    EXPECT_EQ(lines.GetSize(), (int)capture.m_lines.size());
    EXPECT_EQ(2, capture.m_lines[1].nLevel);
}

TEST(StartUpCheckFailures, TableThatCannotBeMadeFailsTheCheck)
{
    UseDataSource(kPostgresDsn);
    DropAlarmsTable(kPostgresDsn);
    // Every change is refused, as on a data source where the user may not create tables.
    GetDsnParameterStore().SetParameters(kPostgresDsn, L"ConnSettings=SET default_transaction_read_only = on");
    CMainWindowCapture capture;
    CAlarmsDatabase db;
    BOOL bChecked = db.CheckStructure(kPostgresDsn);
    GetDsnParameterStore().RemoveParameters(kPostgresDsn);
    const CStringArray& lines = db.GetReportLines();
    const int nLines = lines.GetSize();
    SCOPED_TRACE(Joined(lines).GetString());
    ASSERT_GT(nLines, 4);
    EXPECT_EQ(CString(L"Warning Table TBL_ALARMS_005 not defined"), lines[1]);
    EXPECT_EQ(CString(L"Error Execute SQL Error"), lines[3]);
    EXPECT_EQ(std::wstring(L"Error Table TBL_ALARMS_005 not created"), std::wstring(lines[nLines - 2].GetString()));
    ASSERT_EQ(nLines, (int)capture.m_lines.size());
    EXPECT_EQ(2, capture.m_lines[(size_t)nLines - 2].nLevel);
    EXPECT_EQ(CString(L"OK ---"), lines[nLines - 1]);
    EXPECT_EQ(-1, Joined(lines).Find(L"Database structure is correct"));
    EXPECT_EQ(-1, Joined(lines).Find(L"Error opening database")); // the data source did open
    EXPECT_FALSE(bChecked);
}

TEST(TableBuilderTypeNames, DriverCorrectionsApplyOnlyWhereTheirRowMatches)
{
    CString strName = L"VARCHAR";
    AdjustNativeTypeName(L"ODBCJT32.DLL", 12, L"length", strName);
    EXPECT_EQ(CString(L"VARCHAR()"), strName);
    strName = L"TEXT(1)";
    AdjustNativeTypeName(L"odbcjt32.dll", 12, L"MAX LENGTH", strName);
    EXPECT_EQ(CString(L"TEXT()"), strName);
    strName = L"VARCHAR";
    AdjustNativeTypeName(L"odbcjt32.dll", 12, L"Length", strName); // parameters compared exactly
    EXPECT_EQ(CString(L"VARCHAR"), strName);
    strName = L"NUMBER";
    AdjustNativeTypeName(L"msorcl32.dll", 3, L"precision,scale", strName);
    EXPECT_EQ(CString(L"NUMBER(10,0)"), strName);
    strName = L"varchar";
    AdjustNativeTypeName(L"psqlodbcw.so", 12, L"max. length", strName);
    EXPECT_EQ(CString(L"varchar"), strName);

    EXPECT_TRUE(OverrideNativeTypeName(L"SQLSRV32.dll", 11, strName));
    EXPECT_EQ(CString(L"datetime"), strName);
    EXPECT_TRUE(OverrideNativeTypeName(L"odbcjt32.dll", 4, strName));
    EXPECT_EQ(CString(L"INTEGER"), strName);
    EXPECT_FALSE(OverrideNativeTypeName(L"odbcjt32.dll", 12, strName));
    EXPECT_EQ(CString(L"INTEGER"), strName);
}

} // namespace
