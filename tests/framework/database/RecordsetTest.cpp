#include "framework/database/CRecordset.h"
#include "tests/OdbcBench.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class CRowSet : public CRecordset
{
public:
    explicit CRowSet(CDatabase* pDatabase) : CRecordset(pDatabase)
    {
        m_nFields = 6;
        m_nDefaultType = dynaset;
        m_strPrimaryKey = L"[ROW_KEY]";
    }
    CString GetDefaultSQL() override { return L"[T_ROWS]"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        RFX_Long(pFX, L"[ROW_KEY]", m_lKey);
        RFX_Text(pFX, L"[ROW_NAME]", m_strName);
        RFX_Text(pFX, L"[ROW_NOTES]", m_strNotes, 65536);
        RFX_Date(pFX, L"[ROW_WHEN]", m_tsWhen);
        RFX_Double(pFX, L"[ROW_AMOUNT]", m_dAmount);
        RFX_Long(pFX, L"[ROW_COUNT]", m_lCount);
    }

    long m_lKey = 0;
    CString m_strName;
    CString m_strNotes;
    TIMESTAMP_STRUCT m_tsWhen = {};
    double m_dAmount = 0.0;
    long m_lCount = 0;
};

TIMESTAMP_STRUCT Stamp(int nDay, int nSecond)
{
    TIMESTAMP_STRUCT ts = {};
    ts.year = 2024;
    ts.month = 3;
    ts.day = (SQLUSMALLINT)nDay;
    ts.hour = 9;
    ts.minute = 15;
    ts.second = (SQLUSMALLINT)nSecond;
    return ts;
}

// Longer than any fixed buffer, with text outside Latin-1.
CString LongNotes()
{
    CString strNotes;
    for (int i = 0; i < 12000; i++)
        strNotes.AppendFormat(L"%05d\x20AC\x00E4|", i);
    return strNotes;
}

class RecordsetOnDriver : public ::testing::TestWithParam<const wchar_t*>
{
protected:
    void SetUp() override
    {
        CString strConnect(GetParam());
        strConnect.Replace(L"$BENCH", odbcbench::BenchDir());
        try
        {
            ASSERT_TRUE(m_db.OpenEx(strConnect, CDatabase::noOdbcDialog));
            m_db.ExecuteSQL(L"DROP TABLE IF EXISTS T_ROWS");
            m_db.ExecuteSQL(L"CREATE TABLE T_ROWS (ROW_KEY integer PRIMARY KEY NOT NULL, ROW_NAME varchar(255), "
                            L"ROW_NOTES text, ROW_WHEN timestamp, ROW_AMOUNT double precision, ROW_COUNT integer)");
        }
        catch (const CDBException& e)
        {
            FAIL() << CStringA(e.GetErrorMessage()).GetString();
        }
    }

    void AddRow(long lKey, const wchar_t* pszName, long lCount = 0)
    {
        CRowSet rs(&m_db);
        rs.Open(CRecordset::dynaset, nullptr, CRecordset::appendOnly);
        rs.AddNew();
        rs.m_lKey = lKey;
        rs.m_strName = pszName;
        rs.m_tsWhen = Stamp((int)lKey, 30);
        rs.m_dAmount = lKey * 1.5;
        rs.m_lCount = lCount;
        EXPECT_TRUE(rs.Update());
    }

    CDatabase m_db;
};

TEST_P(RecordsetOnDriver, RowsComeBackWholeWithNullsSeen)
{
    {
        CRowSet rs(&m_db);
        ASSERT_TRUE(rs.Open());
        EXPECT_TRUE(rs.IsEOF());
        EXPECT_TRUE(rs.IsBOF());
        rs.AddNew();
        rs.m_lKey = 1;
        rs.m_strName = L"first";
        rs.m_strNotes = LongNotes();
        rs.m_tsWhen = Stamp(1, 59);
        rs.m_dAmount = -2.25;
        rs.m_lCount = -7;
        ASSERT_TRUE(rs.Update());
        rs.AddNew(); // the defaults: no date, empty texts
        rs.m_lKey = 2;
        ASSERT_TRUE(rs.Update());
    }
    CRowSet rs(&m_db);
    rs.m_strSort = L"[ROW_KEY]";
    ASSERT_TRUE(rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(1, rs.m_lKey);
    EXPECT_EQ(CString(L"first"), rs.m_strName);
    EXPECT_EQ(LongNotes().GetLength(), rs.m_strNotes.GetLength());
    EXPECT_TRUE(rs.m_strNotes == LongNotes());
    EXPECT_EQ(2024, rs.m_tsWhen.year);
    EXPECT_EQ(1, rs.m_tsWhen.day);
    EXPECT_EQ(59, rs.m_tsWhen.second);
    EXPECT_DOUBLE_EQ(-2.25, rs.m_dAmount);
    EXPECT_EQ(-7, rs.m_lCount);
    EXPECT_FALSE(rs.IsFieldNull(&rs.m_tsWhen));
    rs.MoveNext();
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(2, rs.m_lKey);
    EXPECT_TRUE(rs.IsFieldNull(&rs.m_tsWhen));
    EXPECT_EQ(0, rs.m_tsWhen.year);
    EXPECT_TRUE(rs.m_strNotes.IsEmpty());
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_THROW(rs.MoveNext(), CDBException);
    rs.MoveFirst();
    EXPECT_EQ(1, rs.m_lKey);
}

TEST_P(RecordsetOnDriver, EditWritesOnlyWhatChangedAndDeleteNamesTheRowByItsKey)
{
    AddRow(1, L"one");
    AddRow(2, L"two");
    CRowSet rs(&m_db);
    rs.m_strFilter = L"[ROW_KEY] = 2";
    ASSERT_TRUE(rs.Open());
    ASSERT_FALSE(rs.IsEOF());
    rs.Edit();
    EXPECT_FALSE(rs.Update()); // nothing changed, nothing written
    rs.Edit();
    rs.m_strName = L"two, edited";
    m_db.ExecuteSQL(L"UPDATE T_ROWS SET ROW_COUNT = 77 WHERE ROW_KEY = 2"); // another writer
    EXPECT_TRUE(rs.Update());
    rs.Requery();
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(CString(L"two, edited"), rs.m_strName);
    EXPECT_EQ(77, rs.m_lCount);
    EXPECT_EQ(2, rs.m_tsWhen.day);

    rs.Delete();
    EXPECT_THROW(rs.Delete(), CDBException); // the row is gone
    rs.Requery();
    EXPECT_TRUE(rs.IsEOF());
    rs.m_strFilter.Empty();
    rs.Requery();
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(1, rs.m_lKey);
    rs.Edit();
    m_db.ExecuteSQL(L"DELETE FROM T_ROWS");
    rs.m_lCount = 5;
    EXPECT_THROW(rs.Update(), CDBException);
}

// A limited selection hands back the first rows of the sort, forward only: the limit never
// picks other rows than the sort's first (a driver without the limit hands back all of them).
TEST_P(RecordsetOnDriver, AMaxRowsSelectionEndsAfterTheFirstRowsOfItsSort)
{
    for (long lKey = 1; lKey <= 5; lKey++)
        AddRow(lKey, L"row");
    CRowSet rs(&m_db);
    rs.m_strSort = L"[ROW_KEY] DESC";
    rs.m_nMaxRows = 2;
    ASSERT_TRUE(rs.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly));
    std::vector<long> keys;
    for (; !rs.IsEOF(); rs.MoveNext())
        keys.push_back(rs.m_lKey);
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ((std::vector<long>{5, 4}), std::vector<long>(keys.begin(), keys.begin() + 2));
    EXPECT_TRUE(keys.size() == 2 || keys.size() == 5) << keys.size();
}

TEST_P(RecordsetOnDriver, FiltersOnQuotedTextMatchExactlyAndSortAndRequeryApply)
{
    AddRow(1, L"O'Brien");
    AddRow(2, L"OBrien");
    AddRow(3, L"O''Brien");
    AddRow(4, L"O'Brien");
    AddRow(5, L"[O'Brien]");
    CRowSet rs(&m_db);
    rs.m_strFilter = L"[ROW_NAME] = " + SqlTextLiteral(L"O'Brien");
    rs.m_strSort = L"[ROW_KEY] DESC";
    ASSERT_TRUE(rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
    CString strKeys;
    for (; !rs.IsEOF(); rs.MoveNext())
        strKeys.AppendFormat(L"%ld ", rs.m_lKey);
    EXPECT_EQ(CString(L"4 1 "), strKeys);
    rs.m_strFilter = L"[ROW_NAME] = " + SqlTextLiteral(L"[O'Brien]") + L" OR [ROW_NAME] = " + SqlTextLiteral(L"O''Brien");
    rs.Requery();
    strKeys.Empty();
    for (; !rs.IsEOF(); rs.MoveNext())
        strKeys.AppendFormat(L"%ld ", rs.m_lKey);
    EXPECT_EQ(CString(L"5 3 "), strKeys);
    EXPECT_THROW(rs.AddNew(), CDBException); // read-only
    EXPECT_THROW(rs.Edit(), CDBException);
}

// Texts that end a literal early on one driver or another, or would run as SQL if they did.
const wchar_t* const kHostileNames[] = {L"O'Brien", L"back\\slash", L"\\", L"quote\\'d", L"x\\' OR 1=1 --",
                                        L"'; DELETE FROM T_ROWS; --", L"a'' OR ''='", L"-- ; '"};

TEST_P(RecordsetOnDriver, BoundFilterValuesSelectAndDeleteExactlyTheirRows)
{
    const int nNames = (int)(sizeof(kHostileNames) / sizeof(kHostileNames[0]));
    for (int i = 0; i < nNames; i++)
        AddRow(i + 1, kHostileNames[i], i % 2);
    AddRow(nNames + 1, L"plain", 1);
    CRowSet rs(&m_db);
    rs.m_strFilter = L"[ROW_NAME] = ?";
    rs.m_filterParams.AddText(kHostileNames[0]);
    ASSERT_TRUE(rs.Open(CRecordset::dynaset));
    for (int i = 0; i < nNames; i++)
    {
        rs.m_filterParams.RemoveAll();
        rs.m_filterParams.AddText(kHostileNames[i]);
        rs.Requery();
        ASSERT_FALSE(rs.IsEOF()) << CStringA(kHostileNames[i]).GetString();
        EXPECT_EQ(i + 1, rs.m_lKey) << CStringA(kHostileNames[i]).GetString();
        EXPECT_EQ(CString(kHostileNames[i]), rs.m_strName);
        rs.MoveNext();
        EXPECT_TRUE(rs.IsEOF()) << CStringA(kHostileNames[i]).GetString();
    }

    // Markers of every kind, in their order; a value with a ? keeps it.
    rs.m_strFilter = L"[ROW_NAME] <> ? AND [ROW_COUNT] = ? AND [ROW_WHEN] >= ? AND [ROW_AMOUNT] < ?";
    rs.m_filterParams.RemoveAll();
    rs.m_filterParams.AddText(L"plain?");
    rs.m_filterParams.AddLong(1);
    rs.m_filterParams.AddTimestamp(Stamp(4, 30));
    rs.m_filterParams.AddDouble(10.0);
    rs.m_strSort = L"[ROW_KEY]";
    rs.Requery();
    CString strKeys;
    for (; !rs.IsEOF(); rs.MoveNext())
        strKeys.AppendFormat(L"%ld ", rs.m_lKey);
    EXPECT_EQ(CString(L"4 6 "), strKeys);

    // Deleting the rows of the names that would run SQL leaves every other row.
    rs.m_strFilter = L"[ROW_NAME] = ? OR [ROW_NAME] = ?";
    rs.m_filterParams.RemoveAll();
    rs.m_filterParams.AddText(kHostileNames[4]);
    rs.m_filterParams.AddText(kHostileNames[5]);
    rs.Requery();
    for (; !rs.IsEOF(); rs.MoveNext())
        rs.Delete();
    rs.m_strFilter.Empty();
    rs.m_filterParams.RemoveAll();
    rs.Requery();
    strKeys.Empty();
    for (; !rs.IsEOF(); rs.MoveNext())
        strKeys.AppendFormat(L"%ld ", rs.m_lKey);
    EXPECT_EQ(CString(L"1 2 3 4 7 8 9 "), strKeys);
}

// Texts about the 255 characters of a variable text, counted as ODBC counts them: in UTF-16 units,
// two for a character outside the BMP (U+1F514, a bell).
CString RepeatedText(int nLength, const wchar_t* pszEnd = L"")
{
    CString strText;
    for (int i = 0; i < nLength; i++)
        strText += (wchar_t)(L'A' + i % 26);
    return strText + pszEnd;
}

const wchar_t kBell[] = L"\xD83D\xDD14";

struct CFilterText
{
    CString strText;
    SQLSMALLINT nBoundAs;
};

std::vector<CFilterText> FilterTextsAboutTheLimit()
{
    return {{RepeatedText(255), SQL_WVARCHAR},
            {RepeatedText(256), SQL_WLONGVARCHAR},
            {RepeatedText(299, L"x"), SQL_WLONGVARCHAR},
            {RepeatedText(299, L"y"), SQL_WLONGVARCHAR}, // differs from the one before at its end only
            {RepeatedText(253, kBell), SQL_WVARCHAR},
            {RepeatedText(254, kBell), SQL_WLONGVARCHAR}};
}

// A filter text longer than a variable text may be still finds exactly its rows.
TEST_P(RecordsetOnDriver, AFilterTextOverTheVariableTextLimitFindsItsRows)
{
    const std::vector<CFilterText> texts = FilterTextsAboutTheLimit();
    for (size_t i = 0; i < texts.size(); i++)
    {
        CRowSet rs(&m_db);
        rs.Open(CRecordset::dynaset, nullptr, CRecordset::appendOnly);
        rs.AddNew();
        rs.m_lKey = (long)i + 1;
        rs.m_strNotes = texts[i].strText;
        ASSERT_TRUE(rs.Update());
    }
    CRowSet rs(&m_db);
    rs.m_strFilter = L"[ROW_NOTES] = ?";
    for (size_t i = 0; i < texts.size(); i++)
    {
        rs.m_filterParams.RemoveAll();
        rs.m_filterParams.AddText(texts[i].strText);
        ASSERT_TRUE(rs.IsOpen() ? rs.Requery() : rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
        ASSERT_FALSE(rs.IsEOF()) << i;
        EXPECT_EQ((long)i + 1, rs.m_lKey);
        EXPECT_TRUE(rs.m_strNotes == texts[i].strText) << i;
        rs.MoveNext();
        EXPECT_TRUE(rs.IsEOF()) << i;
    }
}

// Access refuses a variable text parameter over 255 characters ("Invalid precision value"), so
// such a text is bound as long text. psqlODBC tells from its parameter descriptor what each
// marker is bound as; the SQLite driver keeps none to read.
class RecordsetBindingOnDriver : public RecordsetOnDriver
{
protected:
    SQLSMALLINT BoundSqlType(const CRecordset& rs, SQLSMALLINT nMarker)
    {
        SQLHDESC hIpd = SQL_NULL_HDESC;
        SQLSMALLINT nType = SQL_UNKNOWN_TYPE;
        EXPECT_TRUE(SQL_SUCCEEDED(SQLGetStmtAttrW(rs.m_hstmt, SQL_ATTR_IMP_PARAM_DESC, &hIpd, 0, nullptr)));
        EXPECT_TRUE(
            SQL_SUCCEEDED(SQLGetDescFieldW(hIpd, nMarker, SQL_DESC_CONCISE_TYPE, &nType, sizeof nType, nullptr)));
        return nType;
    }
};

TEST_P(RecordsetBindingOnDriver, AFilterTextOver255CharactersIsBoundAsLongText)
{
    CRowSet rs(&m_db);
    rs.m_strFilter = L"[ROW_NAME] = ? OR [ROW_NOTES] = ?";
    for (const CFilterText& text : FilterTextsAboutTheLimit())
    {
        rs.m_filterParams.RemoveAll();
        rs.m_filterParams.AddText(L"");
        rs.m_filterParams.AddText(text.strText);
        ASSERT_TRUE(rs.IsOpen() ? rs.Requery() : rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
        EXPECT_EQ(SQL_WVARCHAR, BoundSqlType(rs, 1));
        EXPECT_EQ(text.nBoundAs, BoundSqlType(rs, 2)) << text.strText.GetLength();
    }
}

// Another writer may store a time without a fraction; a bound structure may gain one (SQLite
// compares the texts), the bound text compares as the literal does.
TEST_P(RecordsetOnDriver, ATimestampTextMatchesItsSecondAsTheLiteralDoes)
{
    for (long lKey = 1; lKey <= 3; lKey++)
        AddRow(lKey, L"row");
    m_db.ExecuteSQL(L"UPDATE T_ROWS SET ROW_WHEN = '2024-03-02 09:15:30' WHERE ROW_KEY = 2");
    CRowSet rs(&m_db);
    rs.m_strFilter = L"[ROW_WHEN] >= ? AND [ROW_WHEN] <= ?";
    rs.m_filterParams.AddTimestampText(L"2024-03-02 09:15:30");
    rs.m_filterParams.AddTimestampText(L"2024-03-02 09:15:30");
    ASSERT_TRUE(rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(2, rs.m_lKey);
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
}

TEST_P(RecordsetOnDriver, AppendOnlyOpensSelectNothingAndBadStatementsThrow)
{
    AddRow(1, L"one");
    CRowSet rs(&m_db);
    ASSERT_TRUE(rs.Open(CRecordset::dynaset, nullptr, CRecordset::appendOnly));
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(0, rs.m_lKey);
    EXPECT_THROW(rs.Edit(), CDBException);
    rs.Close();

    CRowSet missing(&m_db);
    EXPECT_THROW(missing.Open(CRecordset::snapshot, L"[NO_SUCH_TABLE]"), CDBException);
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(CString(L"[NO_SUCH_TABLE]"), missing.GetTableName());

    CRowSet duplicate(&m_db);
    duplicate.Open(CRecordset::dynaset, nullptr, CRecordset::appendOnly);
    duplicate.AddNew();
    duplicate.m_lKey = 1; // taken
    EXPECT_THROW(duplicate.Update(), CDBException);
}

// Every statement reaches the driver through the one function a test can see them at, as the
// driver gets it: selections with their filter and sort, changes, and direct statements.
TEST_P(RecordsetOnDriver, EveryStatementPassesTheStatementFunctionAsTheDriverGetsIt)
{
    AddRow(1, L"one");
    std::vector<CString> statements;
    AfxSetSqlStatementFunction([&](const wchar_t* pszSQL) { statements.push_back(pszSQL); });
    {
        CRowSet rs(&m_db);
        rs.m_strFilter = L"[ROW_KEY] = ?";
        rs.m_filterParams.AddLong(1);
        rs.m_strSort = L"[ROW_NAME]";
        rs.Open();
        rs.Edit();
        rs.m_strName = L"edited";
        rs.Update();
        rs.Delete();
        rs.Close();
        rs.Open(CRecordset::dynaset, nullptr, CRecordset::appendOnly);
        rs.AddNew();
        rs.m_lKey = 2;
        rs.Update();
    }
    m_db.ExecuteSQL(L"UPDATE [T_ROWS] SET [ROW_COUNT] = 3");
    AfxSetSqlStatementFunction(nullptr);
    m_db.ExecuteSQL(L"DELETE FROM T_ROWS");

    const wchar_t* const expected[] = {
        L"SELECT ROW_KEY,ROW_NAME,ROW_NOTES,ROW_WHEN,ROW_AMOUNT,ROW_COUNT FROM T_ROWS WHERE (ROW_KEY = ?) "
        L"ORDER BY ROW_NAME",
        L"UPDATE T_ROWS SET ROW_NAME=? WHERE ROW_KEY=?",
        L"DELETE FROM T_ROWS WHERE ROW_KEY=?",
        L"INSERT INTO T_ROWS (ROW_KEY,ROW_NAME,ROW_NOTES,ROW_WHEN,ROW_AMOUNT,ROW_COUNT) VALUES (?,?,?,?,?,?)",
        L"UPDATE T_ROWS SET ROW_COUNT = 3",
    };
    ASSERT_EQ(sizeof expected / sizeof expected[0], statements.size());
    for (size_t i = 0; i < statements.size(); ++i)
        EXPECT_EQ(CString(expected[i]), statements[i]);
}

// Plays the desktop drivers on a Jet 4.0 database, which may state twice the real length of an
// ANSI text over 510 characters: the driver writes the text and its NUL, the rest of the buffer
// keeps what was there before. Given a position, a NUL stands there in every piece of a text.
class COverstatingDriver
{
public:
    explicit COverstatingDriver(SQLLEN nNulAt = -1)
    {
        AfxSetSqlGetDataFunction([nNulAt](SQLHSTMT hstmt, SQLUSMALLINT nColumn, SQLSMALLINT nCType, SQLPOINTER pValue,
                                          SQLLEN cbValueMax, SQLLEN* pcbValue) {
            SQLWCHAR* pText = nCType == SQL_C_WCHAR ? (SQLWCHAR*)pValue : nullptr;
            const SQLLEN nBuffer = cbValueMax / (SQLLEN)sizeof(SQLWCHAR);
            for (SQLLEN i = 0; pText != nullptr && i < nBuffer; i++)
                pText[i] = L'#';
            SQLRETURN nRet = SQLGetData(hstmt, nColumn, nCType, pValue, cbValueMax, pcbValue);
            if (pText == nullptr || !SQL_SUCCEEDED(nRet))
                return nRet;
            if (nNulAt >= 0 && nNulAt < nBuffer)
                pText[nNulAt] = 0;
            if (*pcbValue > 510 * (SQLLEN)sizeof(SQLWCHAR))
                *pcbValue *= 2;
            return nRet;
        });
    }
    ~COverstatingDriver() { AfxSetSqlGetDataFunction(nullptr); }
};

// The texts cross the boundary of the overstatement, are overstated past the reading buffer
// although they fit in it, and take several readings.
TEST_P(RecordsetOnDriver, ATextWhoseLengthTheDriverOverstatesEndsAtItsFirstNul)
{
    const int lengths[] = {510, 511, 3000, 10000};
    CString strTexts[4];
    for (int i = 0; i < 4; i++)
    {
        for (int n = 0; n < lengths[i]; n++)
            strTexts[i] += (wchar_t)(L'a' + (n + i) % 26);
        CRowSet rs(&m_db);
        rs.Open(CRecordset::dynaset, nullptr, CRecordset::appendOnly);
        rs.AddNew();
        rs.m_lKey = i + 1;
        rs.m_strName = L"short";
        rs.m_strNotes = strTexts[i];
        ASSERT_TRUE(rs.Update());
    }
    CRowSet rs(&m_db);
    rs.m_strSort = L"[ROW_KEY]";
    {
        COverstatingDriver driver;
        rs.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
        for (int i = 0; i < 4; i++, rs.MoveNext())
        {
            ASSERT_FALSE(rs.IsEOF());
            EXPECT_EQ(lengths[i], rs.m_strNotes.GetLength());
            EXPECT_TRUE(rs.m_strNotes == strTexts[i]) << lengths[i];
            EXPECT_EQ(CString(L"short"), rs.m_strName);
        }
        EXPECT_TRUE(rs.IsEOF());
    }
    // A NUL inside a text ends it, also in a piece that fills the buffer.
    COverstatingDriver driver(100);
    rs.Requery();
    for (int i = 0; i < 4; i++, rs.MoveNext())
    {
        ASSERT_FALSE(rs.IsEOF());
        EXPECT_TRUE(rs.m_strNotes == strTexts[i].Left(100)) << rs.m_strNotes.GetLength();
        EXPECT_EQ(CString(L"short"), rs.m_strName);
    }
}

const wchar_t kBackslashDsn[] = L"DSN=Tervok PostgreSQL Backslash";

std::string DriverName(const ::testing::TestParamInfo<const wchar_t*>& info)
{
    static const char* const names[] = {"SQLite", "PostgreSQL", "PostgreSQLBackslash"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Drivers, RecordsetOnDriver,
                         ::testing::Values(L"DRIVER={SQLite3};Database=$BENCH/recordset.db",
                                           L"DSN=Tervok Alarms PostgreSQL", kBackslashDsn),
                         DriverName);

INSTANTIATE_TEST_SUITE_P(Drivers, RecordsetBindingOnDriver, ::testing::Values(L"DSN=Tervok Alarms PostgreSQL"),
                         [](const ::testing::TestParamInfo<const wchar_t*>&) { return std::string("PostgreSQL"); });

// The bound tests above mean something there only if that data source reads a backslash in a
// literal as an escape, as the MySQL family does.
TEST(RecordsetOnBackslashDriver, ABackslashInALiteralEscapesTheNextCharacter)
{
    CDatabase db;
    ASSERT_TRUE(db.OpenEx(kBackslashDsn, CDatabase::noOdbcDialog));
    db.ExecuteSQL(L"DROP TABLE IF EXISTS T_ESCAPES");
    db.ExecuteSQL(L"CREATE TABLE T_ESCAPES (ROW_KEY integer PRIMARY KEY NOT NULL, ROW_NAME varchar(255))");
    db.ExecuteSQL(L"INSERT INTO T_ESCAPES VALUES (1, 'a\\\\b'), (2, 'it\\'s')");
    {
        CRowSet rs(&db);
        rs.m_strFilter = L"[ROW_NAME] = ?";
        rs.m_filterParams.AddText(L"a\\b");
        ASSERT_TRUE(rs.Open(CRecordset::snapshot, L"SELECT ROW_KEY, ROW_NAME, '', NULL, 0, 0 FROM T_ESCAPES",
                            CRecordset::readOnly));
        ASSERT_FALSE(rs.IsEOF());
        EXPECT_EQ(1, rs.m_lKey);
        rs.m_filterParams.RemoveAll();
        rs.m_filterParams.AddText(L"it's");
        rs.Requery();
        ASSERT_FALSE(rs.IsEOF());
        EXPECT_EQ(2, rs.m_lKey);
    }
    db.ExecuteSQL(L"DROP TABLE T_ESCAPES");
}
} // namespace
