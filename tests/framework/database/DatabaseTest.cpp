#include "framework/database/CDatabase.h"
#include "tests/OdbcBench.h"

#include <gtest/gtest.h>

TEST(CDatabase, RefusedConnectionsThrowWithTheDriversDiagnostics)
{
    CDatabase db;
    try
    {
        db.OpenEx(L"DSN=Tervok Alarms Unreachable", CDatabase::noOdbcDialog);
        FAIL() << "opened";
    }
    catch (const CDBException& e)
    {
        EXPECT_EQ(SQL_ERROR, e.m_nRetCode);
        EXPECT_EQ(CString(L"08001"), e.m_strSqlState);
        EXPECT_NE(-1, e.GetErrorMessage().Find(L"refused")) << e.GetErrorMessage().GetString();
        EXPECT_EQ(0, e.m_strStateNativeOrigin.Find(L"State:08001,Native:"));
    }
    EXPECT_FALSE(db.IsOpen());

    try
    {
        db.OpenEx(L"ODBC;DSN=No Such Data Source;", CDatabase::noOdbcDialog);
        FAIL() << "opened";
    }
    catch (const CDBException& e)
    {
        EXPECT_EQ(CString(L"IM002"), e.m_strSqlState);
        // The driver manager names itself in brackets: that is the origin, not the message.
        EXPECT_NE(-1, e.m_strStateNativeOrigin.Find(L"Origin:[unixODBC]"));
        EXPECT_EQ(-1, e.m_strError.Find(L"[unixODBC]"));
        wchar_t szShort[8];
        ASSERT_TRUE(e.GetErrorMessage(szShort, 8));
        EXPECT_EQ(7u, wcslen(szShort));
    }
}

TEST(CDatabase, BracketedNamesFollowTheDriversQuoting)
{
    CDatabase db; // not connected: the standard double quote
    EXPECT_EQ(CString(L"SELECT FLD_A,\"My Column\" FROM TBL WHERE x='[a b]' AND y='it''s [z]'"),
              db.TranslateBrackets(L"SELECT [FLD_A],[My Column] FROM [TBL] WHERE x='[a b]' AND y='it''s [z]'"));
    EXPECT_EQ(CString(L"SELECT Count(FLD_PRIME_KEY) FROM T WHERE a[1"),
              db.TranslateBrackets(L"SELECT Count([FLD_PRIME_KEY]) FROM [T] WHERE a[1"));
    EXPECT_EQ(CString(L"SELECT (ARRAY['a','b'])[1]"), db.TranslateBrackets(L"SELECT (ARRAY['a','b'])[1]"));
    EXPECT_EQ(CString(L"'O''Brien'"), SqlTextLiteral(L"O'Brien"));
    EXPECT_EQ(CString(L"''''"), SqlTextLiteral(L"'"));
}

TEST(CDatabase, ExecuteReportsFailuresAndAcceptsStatementsWithoutRows)
{
    CDatabase db;
    CString strConnect = L"DRIVER={SQLite3};Database=" + odbcbench::BenchDir() + L"/execute.db";
    ASSERT_TRUE(db.OpenEx(strConnect, CDatabase::noOdbcDialog));
    EXPECT_EQ(SQL_IC_SENSITIVE, db.GetIdentifierCase());
    db.ExecuteSQL(L"DROP TABLE IF EXISTS T_EXEC");
    db.ExecuteSQL(L"CREATE TABLE [T_EXEC] (A integer)");
    db.ExecuteSQL(L"DELETE FROM T_EXEC WHERE A = 5"); // no rows: still a success
    try
    {
        db.ExecuteSQL(L"CREATE TABLE T_EXEC (A integer)");
        FAIL() << "created twice";
    }
    catch (const CDBException& e)
    {
        EXPECT_EQ(SQL_ERROR, e.m_nRetCode);
        EXPECT_NE(-1, e.m_strError.Find(L"already exists")) << e.m_strError.GetString();
    }
    db.Close();
    EXPECT_FALSE(db.IsOpen());
    EXPECT_THROW(db.ExecuteSQL(L"SELECT 1"), CDBException);
}
