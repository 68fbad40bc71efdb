#include "framework/database/CDatabase.h"

#include <sqlext.h>

#include <cwctype>

namespace
{
const DWORD kDefaultTimeout = 15;

AfxSqlStatementFunction& StatementFunction()
{
    static AfxSqlStatementFunction fn;
    return fn;
}

class CEnvironment
{
public:
    CEnvironment() : m_henv(SQL_NULL_HENV)
    {
        if (SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv) != SQL_SUCCESS)
        {
            m_henv = SQL_NULL_HENV;
            return;
        }
        SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
    }
    ~CEnvironment()
    {
        if (m_henv != SQL_NULL_HENV)
            SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
    }
    SQLHENV m_henv;
};

bool IsPlainIdentifier(const CString& strName)
{
    if (strName.IsEmpty() || iswdigit(strName[0]))
        return false;
    for (int i = 0; i < strName.GetLength(); i++)
    {
        wchar_t ch = strName[i];
        if (!(iswalnum(ch) || ch == L'_'))
            return false;
    }
    return true;
}

// Length of the text literal starting at nStart ('...' with '' inside).
int LiteralLength(const wchar_t* psz, int nStart)
{
    int i = nStart + 1;
    for (;;)
    {
        if (psz[i] == 0)
            return i - nStart;
        if (psz[i] == L'\'')
        {
            if (psz[i + 1] != L'\'')
                return i + 1 - nStart;
            i++;
        }
        i++;
    }
}
} // namespace

CDatabase::CDatabase()
    : m_hdbc(SQL_NULL_HDBC), m_dwLoginTimeout(kDefaultTimeout), m_dwQueryTimeout(kDefaultTimeout),
      m_chIdentifierQuote(L'"'), m_nIdentifierCase(SQL_IC_MIXED)
{
}

CDatabase::~CDatabase() { Close(); }

SQLHENV CDatabase::GetEnvironment()
{
    static CEnvironment environment;
    return environment.m_henv;
}

BOOL CDatabase::OpenEx(const wchar_t* pszConnect, DWORD dwOptions)
{
    Close();
    SQLHENV henv = GetEnvironment();
    if (henv == SQL_NULL_HENV)
        throw CDBException(SQL_ERROR, L"The ODBC environment could not be created.");
    CString strConnect(pszConnect);
    if (strConnect.Left(5).CompareNoCase(L"ODBC;") == 0)
        strConnect = strConnect.Mid(5);

    SQLHDBC hdbc = SQL_NULL_HDBC;
    CDBException::Check(SQLAllocHandle(SQL_HANDLE_DBC, henv, &hdbc), SQL_HANDLE_ENV, henv);
    SQLSetConnectAttrW(hdbc, SQL_ATTR_LOGIN_TIMEOUT, (SQLPOINTER)(ULONG_PTR)m_dwLoginTimeout, 0);
    if (dwOptions & openReadOnly)
        SQLSetConnectAttrW(hdbc, SQL_ATTR_ACCESS_MODE, (SQLPOINTER)SQL_MODE_READ_ONLY, 0);

    SQLWCHAR szOut[1024];
    SQLSMALLINT nOut = 0;
    // No window is ever passed: the console never shows the driver's connection dialog.
    SQLRETURN nRet = SQLDriverConnectW(hdbc, NULL, (SQLWCHAR*)strConnect.GetString(), SQL_NTS,
                                       szOut, 1024, &nOut, SQL_DRIVER_NOPROMPT);
    if (nRet != SQL_SUCCESS && nRet != SQL_SUCCESS_WITH_INFO)
    {
        CDBException e(nRet);
        e.BuildErrorString(SQL_HANDLE_DBC, hdbc);
        SQLFreeHandle(SQL_HANDLE_DBC, hdbc);
        throw e;
    }
    m_hdbc = hdbc;
    m_strConnect = strConnect;
    ReadDriverConventions();
    return TRUE;
}

void CDatabase::ReadDriverConventions()
{
    SQLWCHAR szQuote[8] = {0};
    SQLSMALLINT nLength = 0;
    m_chIdentifierQuote = L'"';
    if (SQLGetInfoW(m_hdbc, SQL_IDENTIFIER_QUOTE_CHAR, szQuote, sizeof(szQuote), &nLength) == SQL_SUCCESS)
        m_chIdentifierQuote = szQuote[0];
    SQLUSMALLINT nCase = SQL_IC_MIXED;
    if (SQLGetInfoW(m_hdbc, SQL_IDENTIFIER_CASE, &nCase, sizeof(nCase), NULL) == SQL_SUCCESS)
        m_nIdentifierCase = nCase;
}

void CDatabase::Close()
{
    if (m_hdbc == SQL_NULL_HDBC)
        return;
    SQLDisconnect(m_hdbc);
    SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
    m_hdbc = SQL_NULL_HDBC;
    m_strConnect.Empty();
}

SQLHSTMT CDatabase::AllocStatement()
{
    if (!IsOpen())
        throw CDBException(SQL_INVALID_HANDLE, L"The database is not open.");
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    CDBException::Check(SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &hstmt), SQL_HANDLE_DBC, m_hdbc);
    SQLSetStmtAttrW(hstmt, SQL_ATTR_QUERY_TIMEOUT, (SQLPOINTER)(ULONG_PTR)m_dwQueryTimeout, 0);
    return hstmt;
}

void CDatabase::ExecuteSQL(const wchar_t* pszSQL)
{
    SQLHSTMT hstmt = AllocStatement();
    CString strSQL = TranslateBrackets(pszSQL);
    SQLRETURN nRet = ExecDirect(hstmt, strSQL);
    if (nRet != SQL_SUCCESS && nRet != SQL_SUCCESS_WITH_INFO && nRet != SQL_NO_DATA)
    {
        CDBException e(nRet);
        e.BuildErrorString(SQL_HANDLE_STMT, hstmt);
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
        throw e;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
}

SQLRETURN CDatabase::ExecDirect(SQLHSTMT hstmt, const CString& strSQL)
{
    if (StatementFunction())
        StatementFunction()(strSQL.GetString());
    return SQLExecDirectW(hstmt, (SQLWCHAR*)strSQL.GetString(), SQL_NTS);
}

AfxSqlStatementFunction AfxSetSqlStatementFunction(AfxSqlStatementFunction fn)
{
    AfxSqlStatementFunction fnPrevious = StatementFunction();
    StatementFunction() = std::move(fn);
    return fnPrevious;
}

CString CDatabase::TranslateBrackets(const wchar_t* pszSQL) const
{
    CString strOut;
    if (pszSQL == nullptr)
        return strOut;
    for (int i = 0; pszSQL[i] != 0;)
    {
        if (pszSQL[i] == L'\'')
        {
            int n = LiteralLength(pszSQL, i);
            strOut.Append(pszSQL + i, n);
            i += n;
            continue;
        }
        const wchar_t* pszClose = pszSQL[i] == L'[' ? wcschr(pszSQL + i, L']') : nullptr;
        if (pszClose == nullptr)
        {
            strOut += pszSQL[i++];
            continue;
        }
        CString strName(pszSQL + i + 1, (int)(pszClose - pszSQL - i - 1));
        if (IsPlainIdentifier(strName))
            strOut += strName;
        else if (m_chIdentifierQuote == L' ' || strName.IsEmpty() || iswdigit(strName[0]) || strName.Find(L'\'') >= 0)
            // No quote to use, or no name at all (an array or a subscript): keep what was written.
            strOut += L"[" + strName + L"]";
        else
            strOut += m_chIdentifierQuote + strName + m_chIdentifierQuote;
        i = (int)(pszClose - pszSQL) + 1;
    }
    return strOut;
}

CString SqlTextLiteral(const wchar_t* pszText)
{
    CString strText(pszText);
    strText.Replace(L"'", L"''");
    return L"'" + strText + L"'";
}
