// The alarm table as the Access drivers would have it declared. No Access driver runs here: the
// type lists are the rows that Microsoft documents for them, fed to the row walk, and the
// statement is run on the SQLite data source, which takes these type names too.
#include "alarmmodel/database/ODBCTypeInfo.h"
#include "tests/alarmmodel/database/AlarmsBench.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

using namespace alarmsbench;

namespace
{
struct TypeRow
{
    const wchar_t* pszName;
    long nNarrowType;
    long nWideType; // what a Unicode program is told for the text types
    const wchar_t* pszCreateParams;
    long nAutoUnique;
};

// In the drivers' order: by SQL type, COUNTER (AutoNumber) before the plain integer.
const TypeRow kAccessTypes[] = {
    {L"GUID", -11, -11, L"", 0},
    {L"BIT", -7, -7, L"", 0},
    {L"BYTE", -6, -6, L"", 0},
    {L"LONGBINARY", -4, -4, L"", 0},
    {L"VARBINARY", -3, -3, L"MAX LENGTH", 0},
    {L"BINARY", -2, -2, L"MAX LENGTH", 0},
    {L"LONGCHAR", -1, -10, L"", 0},
    {L"CHAR", 1, -8, L"MAX LENGTH", 0},
    {L"CURRENCY", 2, 2, L"", 0},
    {L"COUNTER", 4, 4, L"", 1},
    {L"INTEGER", 4, 4, L"", 0},
    {L"SMALLINT", 5, 5, L"", 0},
    {L"REAL", 7, 7, L"", 0},
    {L"DOUBLE", 8, 8, L"", 0},
    {L"DATETIME", 93, 93, L"", 0},
    {L"VARCHAR", 12, -9, L"MAX LENGTH", 0},
};

struct AccessDriver
{
    const wchar_t* pszFile;
    bool bUnicode;
    const char* pszTestName;
};

// The case's name instead of its bytes in the test's name.
void PrintTo(const AccessDriver& driver, std::ostream* pStream) { *pStream << driver.pszTestName; }

// The drivers' rows, without those named in pszLeftOut (", "-separated).
void FillTypeList(CODBCTypeInfo& typeList, bool bUnicode, const std::wstring& strLeftOut = L"")
{
    std::vector<TypeRow> rows;
    for (const TypeRow& row : kAccessTypes)
        if ((L", " + strLeftOut + L",").find(L" " + std::wstring(row.pszName) + L",") == std::wstring::npos)
            rows.push_back(row);
    // The driver sorts by the code it reports.
    std::stable_sort(rows.begin(), rows.end(), [bUnicode](const TypeRow& a, const TypeRow& b) {
        return (bUnicode ? a.nWideType : a.nNarrowType) < (bUnicode ? b.nWideType : b.nNarrowType);
    });
    for (const TypeRow& row : rows)
    {
        typeList.m_arrTypeName.Add(row.pszName);
        typeList.m_arrDataType.push_back(bUnicode ? row.nWideType : row.nNarrowType);
        typeList.m_arrCreateParams.Add(row.pszCreateParams);
        typeList.m_arrAutoIncrement.push_back(row.nAutoUnique);
    }
}

class AccessTypeList : public ::testing::TestWithParam<AccessDriver>
{
protected:
    void SetUp() override
    {
        UseDataSource(kSqliteDsn);
        DropAlarmsTable(kSqliteDsn);
    }
};

const wchar_t kAccessTable[] =
    L"OK CREATE TABLE TBL_ALARMS_005(FLD_PRIME_KEY INTEGER PRIMARY KEY NOT NULL,"
    L"FLD_TIMESTAMP DATETIME,FLD_EXPIRES DATETIME,FLD_CLASS INTEGER,FLD_REPEAT INTEGER,"
    L"FLD_INDEX INTEGER,FLD_FROM VARCHAR(255),FLD_TITLE VARCHAR(255),"
    L"FLD_DESCRIPTION VARCHAR(255),FLD_PROCESSED DATETIME,FLD_ALARM_DEFN LONGCHAR,"
    L"FLD_MATCH_TEXT LONGCHAR,FLD_OUTSTANDING INTEGER,FLD_STATUS VARCHAR(255),FLD_LOG LONGCHAR,"
    L"FLD_ASSIGNED_TO VARCHAR(255),FLD_PRIORITY VARCHAR(255),FLD_RESOLUTION LONGCHAR)";

// The table made from the type list as the driver gave it; the report's lines.
CStringArray MakeTable(const CODBCTypeInfo& typeList, const wchar_t* pszDriver, BOOL& bMade)
{
    CAlarmsDatabase db;
    db.TakeTypeNames(typeList, pszDriver);
    CDatabase database;
    bMade = FALSE;
    if (database.OpenEx(CString(L"DSN=") + kSqliteDsn, CDatabase::noOdbcDialog))
        bMade = db.EnsureAlarmsTable(&database, L"TBL_ALARMS_005");
    return db.GetReportLines();
}

void ExpectTheAccessTable(const CODBCTypeInfo& typeList, const wchar_t* pszDriver)
{
    BOOL bMade = FALSE;
    CStringArray lines = MakeTable(typeList, pszDriver, bMade);
    EXPECT_TRUE(bMade);
    ASSERT_GT(lines.GetSize(), 1);
    EXPECT_EQ(std::wstring(kAccessTable), std::wstring(lines[1].GetString()));
    EXPECT_EQ(-1, Joined(lines).Find(L"Error")) << Joined(lines).GetString();
}

TEST_P(AccessTypeList, TextColumnsGetATextTypeAndIntegersNeverTheAutoNumber)
{
    CODBCTypeInfo typeList(nullptr);
    FillTypeList(typeList, GetParam().bUnicode);
    ExpectTheAccessTable(typeList, GetParam().pszFile);
}

// COUNTER and LONG both stand for SQL_INTEGER, and a driver lists one row per SQL type where
// several of its types share one ("Microsoft Access Data Types"): the one may be COUNTER.
TEST_P(AccessTypeList, AListWhoseOnlyIntegerRowIsTheAutoNumberStillDeclaresIntegers)
{
    CODBCTypeInfo typeList(nullptr);
    FillTypeList(typeList, GetParam().bUnicode, L"INTEGER");
    ExpectTheAccessTable(typeList, GetParam().pszFile);
}

INSTANTIATE_TEST_SUITE_P(Drivers, AccessTypeList,
                         ::testing::Values(AccessDriver{L"odbcjt32.dll", true, "JetUnicode"},
                                           AccessDriver{L"ACEODBC.DLL", true, "AceUnicode"},
                                           AccessDriver{L"odbcjt32.dll", false, "JetNarrow"},
                                           AccessDriver{L"ACEODBC.DLL", false, "AceNarrow"}),
                         [](const ::testing::TestParamInfo<AccessDriver>& info) {
                             return std::string(info.param.pszTestName);
                         });

// A column whose type the driver does not list at all is named, and no statement goes out with a
// column that has no type.
TEST(AccessTypeListGaps, AColumnWithoutATypeIsReportedAndNothingIsSent)
{
    UseDataSource(kSqliteDsn);
    DropAlarmsTable(kSqliteDsn);
    CODBCTypeInfo typeList(nullptr);
    FillTypeList(typeList, true, L"COUNTER, INTEGER");
    BOOL bMade = TRUE;
    CString strLines = Joined(MakeTable(typeList, L"odbcjt32.dll", bMade));
    EXPECT_FALSE(bMade);
    for (const wchar_t* pszColumn : {L"FLD_PRIME_KEY", L"FLD_CLASS", L"FLD_REPEAT", L"FLD_INDEX", L"FLD_OUTSTANDING"})
        EXPECT_NE(-1, strLines.Find(CString(L"Error Column ") + pszColumn +
                                    L" has no type: the driver lists none for SQL type 4\n"))
            << strLines.GetString();
    EXPECT_EQ(-1, strLines.Find(L"CREATE ")) << strLines.GetString();
    EXPECT_NE(-1, strLines.Find(L"Error Table TBL_ALARMS_005 not created")) << strLines.GetString();
}
} // namespace
