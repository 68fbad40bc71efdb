// A connection to an ODBC data source. Every ODBC call goes through the wide ("W") entry points
// or the narrow unsuffixed ones: Wine's "...A" exports end the process.
#pragma once

#include "framework/database/CDBException.h"
#include "framework/core/CString.h"

#include <sql.h>

#include <functional>

class CDatabase
{
public:
    enum DbOpenOptions
    {
        openExclusive = 0x0001,
        openReadOnly = 0x0002,
        useCursorLib = 0x0004,
        noOdbcDialog = 0x0008,
        forceOdbcDialog = 0x0010
    };

    CDatabase();
    virtual ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Connects with a connect string ("DSN=...;..."; a leading "ODBC;" is ignored). Throws
    // CDBException when the driver refuses; TRUE once open.
    virtual BOOL OpenEx(const wchar_t* pszConnect, DWORD dwOptions = 0);
    virtual void Close();
    BOOL IsOpen() const { return m_hdbc != SQL_NULL_HDBC; }

    // Both apply to connections and statements made after the call.
    void SetLoginTimeout(DWORD dwSeconds) { m_dwLoginTimeout = dwSeconds; }
    void SetQueryTimeout(DWORD dwSeconds) { m_dwQueryTimeout = dwSeconds; }
    DWORD GetLoginTimeout() const { return m_dwLoginTimeout; }
    DWORD GetQueryTimeout() const { return m_dwQueryTimeout; }

    // Runs one statement directly; throws CDBException on failure.
    void ExecuteSQL(const wchar_t* pszSQL);
    // Hands one statement, as it stands, to the driver: every statement of the database
    // classes reaches ODBC here.
    static SQLRETURN ExecDirect(SQLHSTMT hstmt, const CString& strSQL);

    const CString& GetConnect() const { return m_strConnect; }
    // Statements name columns and tables in brackets ("[FLD_PRIME_KEY]"). Plain names lose
    // them, so that drivers that fold unquoted names find what was created unquoted; other
    // names get the driver's identifier quote. Text literals are left alone.
    CString TranslateBrackets(const wchar_t* pszSQL) const;
    // How the data source stores unquoted names (SQL_IC_UPPER, SQL_IC_LOWER, ...).
    SQLUSMALLINT GetIdentifierCase() const { return m_nIdentifierCase; }

    // A new statement handle with the query time-out applied; throws on failure.
    SQLHSTMT AllocStatement();

    // The process-wide ODBC 3 environment, made on first use.
    static SQLHENV GetEnvironment();

    SQLHDBC m_hdbc;

protected:
    void ReadDriverConventions();

    CString m_strConnect;
    DWORD m_dwLoginTimeout;
    DWORD m_dwQueryTimeout;
    wchar_t m_chIdentifierQuote;
    SQLUSMALLINT m_nIdentifierCase;
};

// Sees every statement on its way to the driver (CDatabase::ExecDirect), so that a test can
// check them. Returns the function in place; an empty function sees nothing.
typedef std::function<void(const wchar_t* pszSQL)> AfxSqlStatementFunction;
AfxSqlStatementFunction AfxSetSqlStatementFunction(AfxSqlStatementFunction fn);

// The text as an SQL string literal: in single quotes, each quote doubled. For texts the
// program fixes only: a driver that reads a backslash as an escape (the MySQL family;
// PostgreSQL with standard_conforming_strings off) ends such a literal early, so values from
// data, a profile or an operator are bound as parameters (CDBParameterList).
CString SqlTextLiteral(const wchar_t* pszText);
