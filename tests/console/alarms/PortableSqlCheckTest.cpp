#include "PortableSqlCheck.h"

#include <gtest/gtest.h>

#include <initializer_list>
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

namespace
{
// Each statement is refused with that construct's name.
void ExpectRefused(const char* pszConstruct, std::initializer_list<const wchar_t*> statements)
{
    for (const wchar_t* pszSQL : statements)
        EXPECT_STREQ(pszConstruct, Found(pszSQL)) << CStringA(pszSQL).GetString();
}
void ExpectAllowed(std::initializer_list<const wchar_t*> statements)
{
    for (const wchar_t* pszSQL : statements)
        EXPECT_STREQ("", Found(pszSQL)) << CStringA(pszSQL).GetString();
}
} // namespace

// Access writes "<>".
TEST(PortableSqlCheck, RefusesNotEqualsWrittenWithAnExclamationMark)
{
    ExpectRefused("!=", {L"SELECT * FROM T WHERE FLD_STATUS != ?", L"SELECT * FROM T WHERE a!=1"});
    ExpectAllowed({L"SELECT * FROM T WHERE FLD_STATUS <> ?", L"SELECT * FROM T WHERE FLD_TITLE = 'a != b'",
                   L"SELECT [a!=b] FROM T"});
}

// Access writes "Mod"; a percent sign belongs only in a LIKE pattern's text.
TEST(PortableSqlCheck, RefusesThePercentSignAsModulo)
{
    ExpectRefused("%", {L"SELECT FLD_PRIME_KEY % 5 FROM T", L"UPDATE T SET FLD_FROM = 'host' & (FLD_PRIME_KEY%200)"});
    ExpectAllowed({L"SELECT * FROM T WHERE FLD_TITLE LIKE '%disk%'", L"SELECT FLD_PRIME_KEY Mod 5 FROM T"});
}

TEST(PortableSqlCheck, RefusesDistinctInsideAnyAggregate)
{
    ExpectRefused("SUM(DISTINCT ...)", {L"SELECT SUM(DISTINCT FLD_CLASS) FROM T", L"select sum ( distinct a) from t"});
    ExpectRefused("AVG(DISTINCT ...)", {L"SELECT AVG(DISTINCT FLD_CLASS) FROM T"});
    ExpectRefused("MAX(DISTINCT ...)", {L"SELECT Max(Distinct FLD_PRIME_KEY) FROM T"});
    ExpectRefused("COUNT(DISTINCT ...)", {L"SELECT COUNT(DISTINCT FLD_FROM) FROM T"});
    ExpectAllowed({L"SELECT COUNT(*) FROM (SELECT DISTINCT FLD_FROM FROM T) AS S",
                   L"SELECT * FROM T WHERE FLD_FROM IN (SELECT DISTINCT FLD_FROM FROM U)"});
}

TEST(PortableSqlCheck, RefusesIsDistinctFrom)
{
    ExpectRefused("IS DISTINCT FROM", {L"SELECT * FROM T WHERE FLD_FROM IS DISTINCT FROM ?"});
    ExpectRefused("IS NOT DISTINCT FROM", {L"SELECT * FROM T WHERE fld_from is not distinct from ?"});
    ExpectAllowed({L"SELECT DISTINCT FLD_FROM FROM T WHERE FLD_FROM IS NOT NULL"});
}

TEST(PortableSqlCheck, RefusesIfExistsInDataDefinitions)
{
    ExpectRefused("IF EXISTS", {L"DROP TABLE IF EXISTS TBL_ALARMS_005", L"DROP INDEX if exists IDX_FROM"});
    ExpectRefused("IF NOT EXISTS", {L"CREATE TABLE IF NOT EXISTS T (A INTEGER)",
                                    L"CREATE INDEX IF NOT EXISTS IDX_FROM ON T (FLD_FROM)"});
    ExpectAllowed({L"SELECT * FROM T WHERE NOT EXISTS (SELECT * FROM U WHERE U.A = T.A)",
                   L"SELECT IIF(A > 0, 1, 0) FROM T"});
}

// Access knows WITH only in its own clauses of CREATE TABLE, CREATE INDEX and queries.
TEST(PortableSqlCheck, RefusesWithOutsideTheClausesOfAccess)
{
    ExpectRefused("WITH", {L"WITH S(A) AS (SELECT 1) SELECT A FROM S",
                           L"INSERT INTO T (A) WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N "
                           L"WHERE I < 9) SELECT I FROM N",
                           L"CREATE TABLE T (A TIMESTAMP WITH TIME ZONE)"});
    ExpectAllowed({L"CREATE UNIQUE INDEX IDX_KEY ON T (FLD_PRIME_KEY) WITH PRIMARY",
                   L"CREATE INDEX IDX_FROM ON T (FLD_FROM) WITH IGNORE NULL",
                   L"CREATE INDEX IDX_FROM ON T (FLD_FROM) WITH DISALLOW NULL",
                   L"CREATE TABLE T (A TEXT(255) WITH COMPRESSION, B TEXT(10) WITH COMP)",
                   L"SELECT * FROM T WITH OWNERACCESS OPTION"});
}

TEST(PortableSqlCheck, RefusesExceptAndIntersect)
{
    ExpectRefused("EXCEPT", {L"SELECT FLD_FROM FROM T EXCEPT SELECT FLD_FROM FROM U"});
    ExpectRefused("INTERSECT", {L"SELECT FLD_FROM FROM T intersect SELECT FLD_FROM FROM U"});
    ExpectAllowed({L"SELECT FLD_FROM FROM T UNION SELECT FLD_FROM FROM U",
                   L"SELECT FLD_FROM FROM T UNION ALL SELECT FLD_FROM FROM U"});
}

TEST(PortableSqlCheck, RefusesReturning)
{
    ExpectRefused("RETURNING", {L"INSERT INTO T (A) VALUES (?) RETURNING A", L"DELETE FROM T WHERE A = ? returning *"});
}

TEST(PortableSqlCheck, RefusesWindowFunctions)
{
    ExpectRefused("OVER (...)", {L"SELECT FLD_FROM, COUNT(*) OVER (PARTITION BY FLD_FROM) FROM T",
                                 L"SELECT ROW_NUMBER() over(ORDER BY FLD_TIMESTAMP) FROM T",
                                 L"SELECT RANK() OVER W FROM T WINDOW W AS (ORDER BY A)"});
    ExpectAllowed({L"SELECT [OVER] FROM T"});
}

TEST(PortableSqlCheck, RefusesCurrentDateAndCurrentTime)
{
    ExpectRefused("CURRENT_DATE", {L"SELECT * FROM T WHERE FLD_TIMESTAMP >= current_date"});
    ExpectRefused("CURRENT_TIME", {L"UPDATE T SET FLD_PROCESSED = CURRENT_TIME"});
    ExpectAllowed({L"SELECT {fn CURRENT_DATE()}, {fn CURRENT_TIME()} FROM T",
                   L"SELECT * FROM T WHERE FLD_TIMESTAMP >= {d '2026-12-09'}"});
}

// Access joins two tables at a time: a third join needs the first two in parentheses.
TEST(PortableSqlCheck, RefusesThreeTablesJoinedWithoutParentheses)
{
    const char szRefused[] = "three tables joined without parentheses";
    ExpectRefused(szRefused, {L"SELECT * FROM A INNER JOIN B ON A.K = B.K INNER JOIN C ON B.K = C.K",
                              L"SELECT * FROM A LEFT JOIN B ON (A.K = B.K) LEFT JOIN C ON (B.K = C.K)",
                              L"SELECT * FROM T WHERE K IN (SELECT A.K FROM A INNER JOIN B ON A.K = B.K INNER JOIN C "
                              L"ON B.K = C.K)",
                              L"UPDATE A INNER JOIN B ON A.K = B.K INNER JOIN C ON B.K = C.K SET A.X = 1"});
    ExpectAllowed({L"SELECT * FROM (A INNER JOIN B ON A.K = B.K) INNER JOIN C ON B.K = C.K",
                   L"SELECT * FROM A INNER JOIN (B INNER JOIN C ON B.K = C.K) ON A.K = B.K",
                   L"SELECT * FROM A LEFT JOIN B ON A.K = B.K UNION SELECT * FROM C LEFT JOIN D ON C.K = D.K",
                   L"SELECT * FROM (SELECT A.K FROM A INNER JOIN B ON A.K = B.K) AS S LEFT JOIN C ON S.K = C.K",
                   L"UPDATE A INNER JOIN B ON A.K = B.K SET A.X = 1"});
}

// "Use of an escape clause in a LIKE predicate isn't supported", as SQL or as an ODBC escape.
TEST(PortableSqlCheck, RefusesAnEscapeClauseInLike)
{
    ExpectRefused("ESCAPE", {L"SELECT * FROM T WHERE FLD_TITLE LIKE '50!%' ESCAPE '!'",
                             L"SELECT * FROM T WHERE FLD_TITLE LIKE ? {escape '\\'}"});
    ExpectAllowed({L"SELECT * FROM T WHERE FLD_TITLE LIKE 'a ESCAPE b'", L"SELECT [ESCAPE] FROM T"});
}

// Access joins with INNER, LEFT or RIGHT [OUTER] JOIN ... ON, and with nothing else.
TEST(PortableSqlCheck, RefusesJoinsThatAccessDoesNotWrite)
{
    ExpectRefused("JOIN without INNER, LEFT or RIGHT", {L"SELECT * FROM A JOIN B ON A.K = B.K",
                                                       L"SELECT * FROM A OUTER JOIN B ON A.K = B.K"});
    ExpectRefused("CROSS JOIN", {L"SELECT * FROM A cross join B"});
    ExpectRefused("FULL JOIN", {L"SELECT * FROM A FULL JOIN B ON A.K = B.K",
                                L"SELECT * FROM A FULL OUTER JOIN B ON A.K = B.K"});
    ExpectRefused("NATURAL JOIN", {L"SELECT * FROM A NATURAL JOIN B", L"SELECT * FROM A NATURAL LEFT JOIN B"});
    ExpectRefused("USING", {L"SELECT * FROM A INNER JOIN B USING (K)"});
    ExpectAllowed({L"SELECT * FROM A INNER JOIN B ON A.K = B.K", L"SELECT * FROM A left outer join B ON A.K = B.K",
                   L"SELECT * FROM A RIGHT JOIN B ON A.K = B.K",
                   L"SELECT * FROM {oj A LEFT OUTER JOIN B ON A.K = B.K}", L"SELECT [JOIN], [USING] FROM T"});
}

TEST(PortableSqlCheck, RefusesCommentsAndSeveralStatementsInOneText)
{
    ExpectRefused("comment", {L"SELECT * FROM T -- newest first", L"SELECT * FROM T /* all */ WHERE A = 1"});
    ExpectRefused("several statements", {L"DELETE FROM T; DELETE FROM U", L"DELETE FROM T ;SELECT 1"});
    ExpectAllowed({L"SELECT * FROM T WHERE FLD_TITLE = '-- /* ; x'", L"SELECT * FROM T;", L"SELECT A - -1 FROM T"});
}

TEST(PortableSqlCheck, RefusesNullsFirstAndNullsLast)
{
    ExpectRefused("NULLS FIRST", {L"SELECT * FROM T ORDER BY A NULLS FIRST"});
    ExpectRefused("NULLS LAST", {L"SELECT * FROM T ORDER BY A DESC nulls last"});
    ExpectAllowed({L"SELECT [NULLS] FROM T ORDER BY [NULLS]"});
}
