#include "PortableSqlCheck.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{
CStringA Found(const wchar_t* pszSQL) { return CStringA(CPortableSqlCheck::FindUnportable(pszSQL)); }
} // namespace

TEST(PortableSqlCheck, RefusesWhatAccessLacksInAnyCaseAndInsideLongerStatements)
{
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"SELECT [FLD_FROM], COUNT(CASE WHEN [FLD_STATUS] = ? THEN 1 END) FROM [T] GROUP BY [FLD_FROM]", "CASE"},
        {L"select fld_from, count(case when fld_status = ? then 1 end) from t group by fld_from", "CASE"},
        {L"SELECT COALESCE(FLD_FROM, '') FROM T", "COALESCE"},
        {L"SELECT a FROM t WHERE nullif(a, '') IS NULL", "NULLIF"},
        {L"SELECT Cast(FLD_CLASS AS VARCHAR(10)) FROM T", "CAST"},
        {L"SELECT * FROM T ORDER BY FLD_TIMESTAMP DESC limit 1000", "LIMIT"},
        {L"SELECT * FROM T ORDER BY 1 OFFSET 10 ROWS", "OFFSET"},
        {L"SELECT * FROM T ORDER BY 1 fetch  first 10 rows only", "FETCH FIRST"},
        {L"SELECT * FROM T ORDER BY 1 FETCH NEXT 10 ROWS ONLY", "FETCH NEXT"},
        {L"UPDATE T SET FLD_FROM = 'host'||FLD_PRIME_KEY", "||"},
        {L"SELECT FLD_CLASS::text FROM T", "::"},
        {L"SELECT count( distinct FLD_FROM) FROM T", "COUNT(DISTINCT ...)"},
        {L"SELECT * FROM T WHERE FLD_TITLE ILIKE ?", "ILIKE"},
        {L"INSERT INTO T (A, B) VALUES (1, 'x'), (2, 'y')", "several rows in one VALUES"},
        {L"insert into t (a) values ((1)),((2))", "several rows in one VALUES"},
        {L"SELECT \"FLD_FROM\" FROM T", "double-quoted name"},
        {L"SELECT SUBSTRING(FLD_LOG, 1, 2) FROM T", "SUBSTRING"},
        {L"SELECT * FROM T WHERE length (FLD_LOG) > 0", "LENGTH"},
        {L"SELECT * FROM T WHERE LOWER(FLD_STATUS) = ?", "LOWER"},
        {L"SELECT Upper(FLD_STATUS) FROM T", "UPPER"},
        {L"SELECT CONCAT(FLD_FROM, FLD_TITLE) FROM T", "CONCAT"},
        {L"UPDATE T SET FLD_PROCESSED = current_timestamp WHERE FLD_PRIME_KEY = ?", "CURRENT_TIMESTAMP"},
        {L"SELECT A FROM T WHERE B IN (SELECT C FROM U WHERE D = 'x' LIMIT 1)", "LIMIT"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.second, Found(c.first)) << CStringA(c.first).GetString();
}

TEST(PortableSqlCheck, AllowsOdbcEscapesBracketedNamesAndLiteralsThatHoldThoseWords)
{
    const wchar_t* statements[] = {
        L"SELECT [FLD_FROM], COUNT(*) FROM [TBL_ALARMS_005] WHERE [FLD_STATUS] = ? GROUP BY [FLD_FROM]",
        L"SELECT FLD_PRIME_KEY FROM TBL_ALARMS_005 WHERE (FLD_TIMESTAMP >= { ts '2026-12-09 00:00:00' })",
        L"SELECT {fn LENGTH(FLD_LOG)}, {fn UCASE(FLD_TITLE)}, {fn CONCAT(FLD_FROM, FLD_TITLE)} FROM T",
        L"SELECT {fn CURRENT_TIMESTAMP()} FROM T",
        L"SELECT [CASE], [LIMIT], [a || b], [x::y] FROM [Count(Distinct)]",
        L"SELECT * FROM T WHERE FLD_TITLE = 'CASE WHEN x || y :: z LIMIT 1 \"q\" COALESCE(a)'",
        L"SELECT * FROM T WHERE FLD_TITLE = 'O''Brien''s CASE' AND FLD_FROM = 'VALUES (1), (2)'",
        L"SELECT FLD_CASE_ID, CASEY, LIMITED, UPPERCASE FROM T WHERE LENGTHS = 1",
        L"INSERT INTO TBL_ALARMS_005 (FLD_PRIME_KEY,FLD_TITLE) VALUES (?,?)",
        L"SELECT Max(FLD_PRIME_KEY) FROM TBL_ALARMS_005",
        L"SELECT DISTINCT FLD_FROM FROM TBL_ALARMS_005",
        L"SELECT COUNT(FLD_PRIME_KEY) FROM T WHERE 1=2",
        L"CREATE TABLE TBL_ALARMS_005(FLD_PRIME_KEY INTEGER PRIMARY KEY NOT NULL,FLD_FROM VARCHAR(255))",
    };
    for (const wchar_t* pszSQL : statements)
        EXPECT_STREQ("", Found(pszSQL)) << CStringA(pszSQL).GetString();
}
