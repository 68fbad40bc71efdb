#include "alarmmodel/AlarmDefinition.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "alarmmodel/database/ODBCOutstandingCount.h"
#include "support/RegistryStore.h"
#include "support/SystemErrorText.h"
#include "tests/alarmmodel/database/AlarmsBench.h"
#include "tests/support/ReadOnlyRegistryKey.h"

#include <algorithm>

using namespace alarmsbench;

namespace
{
CAlarmDefinition Definition(const wchar_t* pszTitle, const wchar_t* pszAssignedTo = L"Ops", const wchar_t* pszPriority = L"High")
{
    CAlarmDefinition definition;
    definition.m_nClass = 0;
    definition.m_strTitle = pszTitle;
    definition.m_strDescription = L"Disk almost full";
    definition.m_strAssignedTo = pszAssignedTo;
    definition.m_strPriority = pszPriority;
    definition.m_arrActions.Add(L"0:ops@example.com");
    return definition;
}

CString LongLog()
{
    CString strLog;
    for (int i = 0; i < 9000; i++)
        strLog.AppendFormat(L"line %05d \x00FC\x20AC\n", i); // beyond 65536 characters
    return strLog;
}

std::vector<CString> Sorted(const CStringArray& arrValues)
{
    std::vector<CString> values(arrValues.begin(), arrValues.end());
    std::sort(values.begin(), values.end());
    return values;
}

class AlarmRows : public ::testing::TestWithParam<const wchar_t*>
{
protected:
    void SetUp() override
    {
        UseDataSource(GetParam());
        DropAlarmsTable(GetParam());
        CAlarmsDatabase check;
        check.CheckStructure(GetParam());
        ASSERT_EQ(CString(L"OK Database structure is correct"), check.GetReportLines()[check.GetReportLines().GetSize() - 2]);
    }

    BOOL Add(const CAlarmDefinition& definition, const wchar_t* pszStatus = L"Open", const wchar_t* pszFrom = L"web01")
    {
        CStringArray arrNames, arrValues, arrLog;
        arrNames.Add(L"FLD_RECEIVED_NAME");
        arrValues.Add(pszFrom);
        arrLog.Add(L"Triggered by hand");
        return m_db.AddAlarmRecordFromLines(definition, arrNames, arrValues, arrLog, pszStatus);
    }

    CAlarmsDatabase m_db;
};

TEST_P(AlarmRows, AnAlarmIsAddedReadEditedWholeAndDeleted)
{
    CMainWindowCapture capture;
    CAlarmDefinition definition = Definition(L"Disk full");
    CStringArray arrNames, arrValues;
    arrNames.Add(L"FLD_MACHINE_NAME");
    arrValues.Add(L"WEB01");
    arrNames.Add(L"FLD_NOT_A_FIELD"); // no label for this source: left out
    arrValues.Add(L"ignored");
    arrNames.Add(L"FLD_RECEIVED_NAME");
    arrValues.Add(L"first\r\nsecond\n\nthird");
    ASSERT_TRUE(m_db.AddAlarmRecord(definition, arrNames, arrValues, L"log 1\nlog 2", L"Open"));
    EXPECT_EQ(1u, GetRegistryStore().GetVolatileDWord(L"AlarmLastPrimeKey", 0));
    EXPECT_TRUE(capture.m_lines.empty());

    CDatabase database;
    ASSERT_TRUE(m_db.Open(database));
    {
        CAlarmsRecordset rs(&database);
        ASSERT_TRUE(rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
        ASSERT_FALSE(rs.IsEOF());
        EXPECT_EQ(1, rs.m_lPrimeKey);
        EXPECT_EQ(0, rs.m_lClass);
        EXPECT_EQ(0, rs.m_lIndex);
        EXPECT_EQ(1, rs.m_lOutstanding);
        EXPECT_EQ(CString(L"first\rsecond\rthird"), rs.m_strFrom);
        EXPECT_EQ(CString(L"Computer = WEB01\nFrom = first\rsecond\rthird"), rs.m_strMatchText);
        EXPECT_EQ(CString(L"Disk full"), rs.m_strTitle);
        EXPECT_EQ(CString(L"Disk almost full"), rs.m_strDescription);
        EXPECT_EQ(CString(L"Ops"), rs.m_strAssignedTo);
        EXPECT_EQ(CString(L"High"), rs.m_strPriority);
        EXPECT_EQ(CString(L"Open"), rs.m_strStatus);
        EXPECT_EQ(CString(L"log 1\nlog 2"), rs.m_strLog);
        EXPECT_TRUE(rs.m_strResolution.IsEmpty());
        EXPECT_NE(-1, rs.m_strAlarmDefn.Find(L"Disk full"));
        EXPECT_EQ(CString(L"@EOR@"), rs.m_strAlarmDefn.Right(5));
        EXPECT_EQ(CTime::GetCurrentTime().GetYear(), rs.m_tsTimestamp.year);
        EXPECT_EQ(0u, rs.m_tsTimestamp.fraction);
        EXPECT_EQ(0, memcmp(&rs.m_tsTimestamp, &rs.m_tsProcessed, sizeof(TIMESTAMP_STRUCT)));
        rs.MoveNext();
        EXPECT_TRUE(rs.IsEOF());
    }
    EXPECT_EQ(CStringA("1|1|0"), QueryOutside(GetParam(), IsPostgres(GetParam())
        ? "SELECT (fld_expires IS NULL)::int || '|' || (fld_repeat IS NULL)::int || '|' || fld_index FROM tbl_alarms_005"
        : "SELECT (FLD_EXPIRES IS NULL) || '|' || (FLD_REPEAT IS NULL) || '|' || FLD_INDEX FROM TBL_ALARMS_005"));

    { // a log longer than any buffer survives an edit of another column, and an edit of itself
        CAlarmsRecordset rs(&database);
        rs.m_strFilter = L"[FLD_PRIME_KEY] = 1";
        ASSERT_TRUE(rs.Open(CRecordset::dynaset));
        rs.Edit();
        rs.m_strLog = LongLog();
        EXPECT_TRUE(rs.Update());
        rs.Requery();
        rs.Edit();
        rs.m_strStatus = L"Closed";
        EXPECT_TRUE(rs.Update());
        rs.Requery();
        ASSERT_FALSE(rs.IsEOF());
        EXPECT_EQ(CString(L"Closed"), rs.m_strStatus);
        EXPECT_EQ(LongLog().GetLength(), rs.m_strLog.GetLength());
        EXPECT_TRUE(rs.m_strLog == LongLog());
        rs.Delete();
        rs.Requery();
        EXPECT_TRUE(rs.IsEOF());
    }
    ASSERT_TRUE(Add(definition));
    ASSERT_TRUE(Add(definition));
    EXPECT_EQ(2u, GetRegistryStore().GetVolatileDWord(L"AlarmLastPrimeKey", 0)); // largest key + 1
}

TEST_P(AlarmRows, FilterValuesWithQuotesMatchExactlyTheirRowsAndAreCounted)
{
    ASSERT_TRUE(Add(Definition(L"O'Brien's disk")));
    ASSERT_TRUE(Add(Definition(L"OBriens disk")));
    ASSERT_TRUE(Add(Definition(L"O'Brien's disk"), L"Closed"));
    ASSERT_TRUE(Add(Definition(L"O''Brien's disk")));
    CDatabase database;
    ASSERT_TRUE(m_db.Open(database));
    CAlarmsRecordset rs(&database);
    rs.m_strFilter = L"[FLD_TITLE] = " + SqlTextLiteral(L"O'Brien's disk");
    rs.m_strSort = L"[FLD_PRIME_KEY] DESC";
    ASSERT_TRUE(rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
    CString strKeys;
    for (; !rs.IsEOF(); rs.MoveNext())
        strKeys.AppendFormat(L"%ld ", rs.m_lPrimeKey);
    EXPECT_EQ(CString(L"3 1 "), strKeys);

    CODBCOutstandingCount count(&database);
    count.m_strFilter = L"[FLD_STATUS] = 'Open' AND [FLD_TITLE] = " + SqlTextLiteral(L"O''Brien's disk");
    ASSERT_TRUE(count.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
    EXPECT_DOUBLE_EQ(1.0, count.m_dblCount);
    count.m_strFilter.Empty();
    count.Requery();
    EXPECT_DOUBLE_EQ(4.0, count.m_dblCount);
}

// Texts that end a doubled-quote literal early where a backslash escapes, or run as SQL if so.
const std::vector<CString> kHostileTexts = {L"back\\slash", L"quote\\'d", L"x\\' OR 1=1 --",
                                            L"'; DELETE FROM TBL_ALARMS_005; --"};

TEST_P(AlarmRows, ValuesThatWouldLeaveALiteralAreWrittenListedCountedChangedAndDeletedExactly)
{
    for (const CString& strText : kHostileTexts)
        ASSERT_TRUE(Add(Definition(strText, strText, strText), strText, strText)) << Joined(m_db.GetReportLines()).GetString();
    ASSERT_TRUE(Add(Definition(L"plain", L"plain", L"plain"), L"plain", L"plain"));
    std::vector<CString> expected = kHostileTexts;
    expected.push_back(L"plain");
    std::sort(expected.begin(), expected.end());
    CStringArray arrValues;
    for (void (CAlarmsDatabase::*pLoad)(CStringArray&) :
         {&CAlarmsDatabase::LoadDistinctTitles, &CAlarmsDatabase::LoadDistinctStatus, &CAlarmsDatabase::LoadDistinctFrom,
          &CAlarmsDatabase::LoadDistinctAssignedTo, &CAlarmsDatabase::LoadDistinctPriority})
    {
        (m_db.*pLoad)(arrValues);
        EXPECT_EQ(expected, Sorted(arrValues));
    }

    CDatabase database;
    ASSERT_TRUE(m_db.Open(database));
    CODBCOutstandingCount count(&database);
    count.m_strFilter = L"[FLD_TITLE] = ? AND [FLD_STATUS] = ? AND [FLD_FROM] = ? AND [FLD_ASSIGNED_TO] = ? AND [FLD_PRIORITY] = ?";
    for (const CString& strText : kHostileTexts)
    {
        count.m_filterParams.RemoveAll();
        for (int i = 0; i < 5; i++)
            count.m_filterParams.AddText(strText);
        ASSERT_TRUE(count.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
        EXPECT_DOUBLE_EQ(1.0, count.m_dblCount) << CStringA(strText).GetString();
    }
    count.Close();

    { // a status change and a deletion found by those values touch their row alone
        CAlarmsRecordset rs(&database);
        rs.m_strFilter = L"[FLD_STATUS] = ?";
        rs.m_filterParams.AddText(kHostileTexts[2]);
        ASSERT_TRUE(rs.Open(CRecordset::dynaset));
        ASSERT_FALSE(rs.IsEOF());
        rs.Edit();
        rs.m_strStatus = kHostileTexts[3];
        EXPECT_TRUE(rs.Update());
        rs.MoveNext();
        EXPECT_TRUE(rs.IsEOF());
        rs.m_strFilter = L"[FLD_TITLE] = ?";
        rs.m_filterParams.RemoveAll();
        rs.m_filterParams.AddText(kHostileTexts[1]);
        rs.Requery();
        ASSERT_FALSE(rs.IsEOF());
        rs.Delete();
    }
    EXPECT_EQ(CStringA("1|back\\slash\n3|'; DELETE FROM TBL_ALARMS_005; --\n4|'; DELETE FROM TBL_ALARMS_005; --\n5|plain"),
              QueryOutside(GetParam(), "SELECT FLD_PRIME_KEY || '|' || FLD_STATUS FROM TBL_ALARMS_005 ORDER BY FLD_PRIME_KEY"));
}

TEST_P(AlarmRows, DistinctListsHoldEachNonEmptyValueOnce)
{
    CStringArray arrValues;
    arrValues.Add(L"stale");
    m_db.LoadDistinctStatus(arrValues);
    EXPECT_EQ(0, arrValues.GetSize()); // an empty table: an empty list and no error
    ASSERT_TRUE(Add(Definition(L"A", L"Ops", L"High"), L"Open", L"web01"));
    ASSERT_TRUE(Add(Definition(L"B", L"", L"Low"), L"Closed", L"web02"));
    ASSERT_TRUE(Add(Definition(L"A", L"Ops", L""), L"Open", L""));
    m_db.LoadDistinctStatus(arrValues);
    EXPECT_EQ((std::vector<CString>{L"Closed", L"Open"}), Sorted(arrValues));
    m_db.LoadDistinctAssignedTo(arrValues);
    EXPECT_EQ((std::vector<CString>{L"Ops"}), Sorted(arrValues));
    m_db.LoadDistinctPriority(arrValues);
    EXPECT_EQ((std::vector<CString>{L"High", L"Low"}), Sorted(arrValues));
    m_db.LoadDistinctFrom(arrValues);
    EXPECT_EQ((std::vector<CString>{L"web01", L"web02"}), Sorted(arrValues));
    m_db.LoadDistinctTitles(arrValues);
    EXPECT_EQ((std::vector<CString>{L"A", L"B"}), Sorted(arrValues));
    EXPECT_EQ(0, m_db.GetReportLines().GetSize()) << Joined(m_db.GetReportLines()).GetString();
}

TEST_P(AlarmRows, WithoutTheTableOrTheConnectionNothingIsWrittenAndTheFailureIsReported)
{
    DropAlarmsTable(GetParam());
    GetRegistryStore().SetVolatileDWord(L"AlarmLastPrimeKey", 77);
    const DWORD dwStart = GetTickCount();
    EXPECT_FALSE(Add(Definition(L"A")));
    EXPECT_GE(GetTickCount() - dwStart, 3900u); // five attempts, a pause after each but the last
    EXPECT_EQ(0, m_db.GetReportLines()[0].Find(L"Error Error reading TBL_ALARMS_005: "));
    EXPECT_EQ(77u, GetRegistryStore().GetVolatileDWord(L"AlarmLastPrimeKey", 0));
    CStringArray arrValues;
    m_db.LoadDistinctTitles(arrValues);
    const CStringArray& lines = m_db.GetReportLines();
    ASSERT_EQ(5, lines.GetSize());
    EXPECT_EQ(L"Error Error opening DSN .: " + CString(GetParam()), lines[1]);
    EXPECT_EQ(CString(L"Error SQL .....: SELECT DISTINCT FLD_TITLE FROM TBL_ALARMS_005"), lines[2]);
    EXPECT_EQ(CString(L"Error Table ...: TBL_ALARMS_005"), lines[3]);
    EXPECT_EQ(CString(L"(-1)"), lines[4].Right(4));

    UseDataSource(kUnreachableDsn);
    CAlarmsDatabase db;
    EXPECT_FALSE(Add(Definition(L"A")));
    CDatabase database;
    EXPECT_FALSE(db.Open(database));
    ASSERT_EQ(1, db.GetReportLines().GetSize());
    EXPECT_EQ(0, db.GetReportLines()[0].Find(L"Error Error opening database: connection to server"));
}

// PostgreSQL, like Access and SQL Server, refuses text over a column's width; the row is
// written with the text cut to the width instead (a surrogate pair is never split).
TEST_P(AlarmRows, TextOverTheColumnWidthIsCutAndTheRowWritten)
{
    CAlarmDefinition definition = Definition(L"", CString(L'a', 300), L"");
    definition.m_strTitle = CString(L'T', 254) + L"\xD83D\xDE00";
    definition.m_strDescription = CString(L'\x00FC', 256);
    definition.m_strPriority = CString(L'p', 255);
    ASSERT_TRUE(Add(definition, CString(L's', 1000), CString(L'f', 256))) << Joined(m_db.GetReportLines()).GetString();

    CDatabase database;
    ASSERT_TRUE(m_db.Open(database));
    CAlarmsRecordset rs(&database);
    ASSERT_TRUE(rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(CString(L'T', 254), rs.m_strTitle);
    EXPECT_EQ(CString(L'\x00FC', 255), rs.m_strDescription);
    EXPECT_EQ(CString(L'a', 255), rs.m_strAssignedTo);
    EXPECT_EQ(CString(L'p', 255), rs.m_strPriority);
    EXPECT_EQ(CString(L's', 255), rs.m_strStatus);
    EXPECT_EQ(CString(L'f', 255), rs.m_strFrom);
    // The long columns keep the whole text.
    EXPECT_NE(-1, rs.m_strMatchText.Find(CString(L'f', 256)));
}

DWORD WINAPI CreateTableSoon(LPVOID pDsn)
{
    Sleep(1000); // after the first attempt, well before the last
    CAlarmsDatabase check;
    return check.CheckStructure((const wchar_t*)pDsn) ? 0 : 1;
}

// A key read that fails is tried again after a pause: here the table appears while the
// insert waits.
TEST_P(AlarmRows, KeyReadIsTriedAgainUntilTheTableCanBeRead)
{
    DropAlarmsTable(GetParam());
    const wchar_t* pszDsn = GetParam();
    HANDLE hThread = CreateThread(nullptr, 0, CreateTableSoon, (LPVOID)pszDsn, 0, nullptr);
    ASSERT_NE(nullptr, hThread);
    const DWORD dwStart = GetTickCount();
    const BOOL bAdded = Add(Definition(L"A"));
    const DWORD dwElapsed = GetTickCount() - dwStart;
    WaitForSingleObject(hThread, INFINITE);
    DWORD dwCreated = 1;
    GetExitCodeThread(hThread, &dwCreated);
    CloseHandle(hThread);
    ASSERT_EQ(0u, dwCreated);
    EXPECT_TRUE(bAdded) << Joined(m_db.GetReportLines()).GetString();
    EXPECT_GE(dwElapsed, 900u); // the first read failed and was tried again
    EXPECT_EQ(0, m_db.GetReportLines().GetSize()) << Joined(m_db.GetReportLines()).GetString();
    EXPECT_EQ(1u, GetRegistryStore().GetVolatileDWord(L"AlarmLastPrimeKey", 0));
}

INSTANTIATE_TEST_SUITE_P(Drivers, AlarmRows, ::testing::Values(kSqliteDsn, kPostgresDsn, kBackslashDsn),
                         DataSourceName);

// One data source is enough for what the registry refuses.
class AlarmKeyPublishing : public AlarmRows
{
};

// A user who may only read the console's volatile values: the alarm is stored, and the log says
// that its key was not published, so that nobody waits for the windows to show it by themselves.
TEST_P(AlarmKeyPublishing, AKeyThatCannotBePublishedIsSaidSo)
{
    GetRegistryStore().SetVolatileDWord(L"AlarmLastPrimeKey", 0);
    CReadOnlyRegistryKey readOnly({L"SOFTWARE\\Tervok AG\\Alarms\\Volatile"});
    if (!readOnly.Holds())
        GTEST_SKIP() << "this registry grants full access despite the key's security";
    UseDataSource(GetParam()); // as the console opens the store at its start
    BOOL bAdded = Add(Definition(L"Disk full"));
    readOnly.Restore();
    UseDataSource(GetParam());
    EXPECT_TRUE(bAdded);
    EXPECT_EQ(0u, GetRegistryStore().GetVolatileDWord(L"AlarmLastPrimeKey", 99));
    ASSERT_EQ(1, m_db.GetReportLines().GetSize()) << Joined(m_db.GetReportLines()).GetString();
    EXPECT_EQ(L"Warning Alarm 1 was added, but AlarmLastPrimeKey could not be written: " +
                  CSystemErrorText::Reason(ERROR_ACCESS_DENIED) +
                  L" Windows that wait for new alarms show it only when they are refreshed.",
              m_db.GetReportLines()[0]);
    CStringA strRows = QueryOutside(GetParam(), "SELECT FLD_PRIME_KEY FROM TBL_ALARMS_005");
    EXPECT_EQ(CStringA("1"), strRows);
}

INSTANTIATE_TEST_SUITE_P(Sqlite, AlarmKeyPublishing, ::testing::Values(kSqliteDsn), DataSourceName);

TEST(AlarmsDatabaseReports, LinesKeepTheirTextAndGoToTheMainWindowOnlyWhenThereIsOne)
{
    CAlarmsDatabase db;
    CStringArray arrLabels, arrValues;
    arrLabels.Add(L"ODBC Driver");
    arrValues.Add(L"100% %s driver");
    arrLabels.Add(L"Database file");
    arrValues.Add(L"C:\\a%d.mdb");
    arrLabels.Add(L"Attribute");
    arrValues.Add(L"DSN=x");
    db.ReportLabelledRows(arrLabels, arrValues);
    {
        CMainWindowCapture capture;
        db.ReportWarning(L"%d%% full", 90);
        db.ReportDatabaseError(L"Error adding record", nullptr, L"TBL_ALARMS_005", nullptr);
        ASSERT_EQ(5u, capture.m_lines.size());
        EXPECT_EQ(1, capture.m_lines[0].nLevel);
        EXPECT_EQ(CString(L"90% full"), capture.m_lines[0].strText);
        EXPECT_EQ(2, capture.m_lines[1].nLevel);
    }
    EXPECT_EQ(CString(L"OK ODBC Driver ....: 100% %s driver\nOK Database file ..: C:\\a%d.mdb\n"
                      L"OK Attribute ......: DSN=x\nWarning 90% full\n"
                      L"Error Action .........: Error adding record\nError Table ..........: TBL_ALARMS_005\n"
                      L"Error Login timeout ..: 120 seconds\nError Query timeout ..: 120 seconds\n"),
              Joined(db.GetReportLines()));

    CDBException e(SQL_ERROR, L"boom");
    e.m_strStateNativeOrigin = L"State:HY000,Native:1,Origin:[x]";
    CAlarmsDatabase other;
    other.ReportDatabaseError(nullptr, L"dsn", nullptr, &e);
    EXPECT_EQ(CString(L"Error DSN ............: dsn\nError Login timeout ..: 120 seconds\n"
                      L"Error Query timeout ..: 120 seconds\nError Error ..........: FFFFFFFF\n"
                      L"Error Error ..........: boom\nError Error ..........: State:HY000,Native:1,Origin:[x]\n"),
              Joined(other.GetReportLines()));
}
} // namespace
