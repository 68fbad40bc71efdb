#include "framework/database/CRecordset.h"

#include <cwchar>
#include <cwctype>

namespace
{
const int kTextChunk = 4096; // characters per SQLGetData call; longer text takes more calls

AfxSqlGetDataFunction& GetDataFunction()
{
    static AfxSqlGetDataFunction fn;
    return fn;
}

SQLRETURN GetData(SQLHSTMT hstmt, SQLUSMALLINT nColumn, SQLSMALLINT nCType, SQLPOINTER pValue, SQLLEN cbValueMax,
                  SQLLEN* pcbValue)
{
    if (GetDataFunction())
        return GetDataFunction()(hstmt, nColumn, nCType, pValue, cbValueMax, pcbValue);
    return SQLGetData(hstmt, nColumn, nCType, pValue, cbValueMax, pcbValue);
}

// Characters of one text piece that SQLGetData wrote. The length the driver states is not taken
// beyond the buffer, nor beyond the first NUL, where the text ends: the desktop drivers may state
// twice the real length of an ANSI text over 510 characters.
int PieceLength(const SQLWCHAR* buffer, SQLLEN nIndicator, bool bMore)
{
    int nMax = kTextChunk - 1; // the driver ends every piece with a NUL
    if (!bMore && nIndicator >= 0 && nIndicator / (SQLLEN)sizeof(SQLWCHAR) < nMax)
        nMax = (int)(nIndicator / (SQLLEN)sizeof(SQLWCHAR));
    return (int)wcsnlen((const wchar_t*)buffer, (size_t)nMax);
}

bool StartsWithWord(const CString& strText, const wchar_t* pszWord)
{
    int n = (int)wcslen(pszWord);
    return strText.Left(n).CompareNoCase(pszWord) == 0 &&
           (strText.GetLength() == n || iswspace(strText[n]));
}

// Position of " WHERE " etc. outside text literals, without regard to case; -1 when absent.
int FindKeyword(const CString& strSQL, const wchar_t* pszKeyword)
{
    CString strUpper(strSQL);
    strUpper.MakeUpper();
    bool bLiteral = false;
    int nLength = (int)wcslen(pszKeyword);
    for (int i = 0; i < strUpper.GetLength(); i++)
    {
        if (strUpper[i] == L'\'')
            bLiteral = !bLiteral;
        else if (!bLiteral && strUpper.Mid(i, nLength) == pszKeyword)
            return i;
    }
    return -1;
}

CString TableOfSelect(const CString& strSQL)
{
    int nFrom = FindKeyword(strSQL, L" FROM ");
    if (nFrom < 0)
        return CString();
    CString strRest = strSQL.Mid(nFrom + 6);
    strRest.TrimLeft();
    return strRest.SpanExcluding(L" \t\r\n,;");
}

CString StripBrackets(const CString& strName)
{
    CString strOut(strName);
    strOut.Remove(L'[');
    strOut.Remove(L']');
    return strOut;
}

// Drivers that enforce a column's width refuse the whole row for a longer text, so the text
// is cut to the width, never between the halves of a surrogate pair.
int TextLengthWithin(const CString& strValue, int nWidth)
{
    if (nWidth <= 0 || strValue.GetLength() <= nWidth)
        return strValue.GetLength();
    const wchar_t chLast = strValue[nWidth - 1];
    return chLast >= 0xD800 && chLast <= 0xDBFF ? nWidth - 1 : nWidth;
}

// The member's value as a parameter of a change.
void AddFieldParam(CDBParameterList& params, const CFieldInfo& field)
{
    switch (field.nKind)
    {
    case fieldLong: params.AddLong(*(const long*)field.pValue); break;
    case fieldDouble: params.AddDouble(*(const double*)field.pValue); break;
    case fieldTimestamp: params.AddTimestamp(*(const TIMESTAMP_STRUCT*)field.pValue); break;
    case fieldText:
    {
        const CString& strValue = *(const CString*)field.pValue;
        if (field.nMaxLength > 255)
            params.AddLongText(strValue);
        else
            params.AddText(strValue.Left(TextLengthWithin(strValue, field.nMaxLength)));
        break;
    }
    }
}
} // namespace

AfxSqlGetDataFunction AfxSetSqlGetDataFunction(AfxSqlGetDataFunction fn)
{
    AfxSqlGetDataFunction fnPrevious = GetDataFunction();
    GetDataFunction() = std::move(fn);
    return fnPrevious;
}

CRecordset::CRecordset(CDatabase* pDatabase)
    : m_nMaxRows(0), m_pDatabase(pDatabase), m_hstmt(SQL_NULL_HSTMT), m_nFields(0), m_nDefaultType(snapshot),
      m_nOpenType(snapshot), m_dwOptions(none), m_bOpen(FALSE), m_bEOF(TRUE), m_bBOF(TRUE),
      m_lCurrentRecord(-1), m_nEditMode(noMode)
{
}

CRecordset::~CRecordset() { Close(); }

void CRecordset::DescribeFields()
{
    if (!m_fields.empty())
        return;
    CFieldExchange fx(m_fields);
    DoFieldExchange(&fx);
}

BOOL CRecordset::Open(UINT nOpenType, const wchar_t* pszSQL, DWORD dwOptions)
{
    Close();
    if (nOpenType == AFX_DB_USE_DEFAULT_TYPE)
        nOpenType = m_nDefaultType;
    DescribeFields();
    BuildSQL(pszSQL);
    if (dwOptions & appendOnly)
    {
        if (m_pDatabase == nullptr || !m_pDatabase->IsOpen())
            throw CDBException(SQL_INVALID_HANDLE, L"The database is not open.");
        m_nOpenType = nOpenType;
        m_dwOptions = dwOptions;
        m_bOpen = TRUE;
        return TRUE;
    }
    PrepareOpen(nOpenType, dwOptions);
    Execute();
    return TRUE;
}

void CRecordset::BuildSQL(const wchar_t* pszSQL)
{
    CString strSQL = pszSQL != nullptr && *pszSQL ? CString(pszSQL) : GetDefaultSQL();
    strSQL.Trim();
    if (StartsWithWord(strSQL, L"SELECT"))
        m_strTableName = TableOfSelect(strSQL);
    else
    {
        m_strTableName = strSQL;
        CString strColumns;
        for (const CFieldInfo& field : m_fields)
        {
            if (!strColumns.IsEmpty())
                strColumns += L",";
            strColumns += field.strName;
        }
        strSQL = L"SELECT " + strColumns + L" FROM " + m_strTableName;
    }
    m_strSelect = strSQL;
}

void CRecordset::PrepareOpen(UINT nOpenType, DWORD dwOptions)
{
    Close();
    if (m_pDatabase == nullptr || !m_pDatabase->IsOpen())
        throw CDBException(SQL_INVALID_HANDLE, L"The database is not open.");
    m_nOpenType = nOpenType;
    m_dwOptions = dwOptions;
    m_hstmt = m_pDatabase->AllocStatement();
    static const SQLULEN cursorTypes[] = {SQL_CURSOR_KEYSET_DRIVEN, SQL_CURSOR_STATIC,
                                          SQL_CURSOR_DYNAMIC, SQL_CURSOR_FORWARD_ONLY};
    SQLULEN nCursor = nOpenType <= forwardOnly ? cursorTypes[nOpenType] : SQL_CURSOR_STATIC;
    // Changes never go through the cursor, so it can always be read-only. A driver that
    // offers a lesser cursor than the one asked for answers 01S02, which is fine.
    SQLRETURN nRet = SQLSetStmtAttrW(m_hstmt, SQL_ATTR_CURSOR_TYPE, (SQLPOINTER)nCursor, 0);
    if (nRet != SQL_SUCCESS && nRet != SQL_SUCCESS_WITH_INFO && nCursor != SQL_CURSOR_FORWARD_ONLY)
        nRet = SQLSetStmtAttrW(m_hstmt, SQL_ATTR_CURSOR_TYPE, (SQLPOINTER)SQL_CURSOR_FORWARD_ONLY, 0);
    if (nRet != SQL_SUCCESS && nRet != SQL_SUCCESS_WITH_INFO)
        ThrowStatementError(nRet);
    SQLSetStmtAttrW(m_hstmt, SQL_ATTR_CONCURRENCY, (SQLPOINTER)SQL_CONCUR_READ_ONLY, 0);
    // A driver without the limit selects every row; the caller stops reading where it wants.
    if (m_nMaxRows)
        SQLSetStmtAttrW(m_hstmt, SQL_ATTR_MAX_ROWS, (SQLPOINTER)(SQLULEN)m_nMaxRows, 0);
}

void CRecordset::Execute()
{
    CString strSQL = m_strSelect;
    if (!m_strFilter.IsEmpty())
        strSQL += (FindKeyword(strSQL, L" WHERE ") < 0 ? L" WHERE " : L" AND ") +
                  (L"(" + m_strFilter + L")");
    if (!m_strSort.IsEmpty())
        strSQL += L" ORDER BY " + m_strSort;
    m_strSQL = m_pDatabase->TranslateBrackets(strSQL);
    SQLFreeStmt(m_hstmt, SQL_RESET_PARAMS);
    SQLRETURN nRet = m_filterParams.Bind(m_hstmt);
    if (SQL_SUCCEEDED(nRet))
        nRet = CDatabase::ExecDirect(m_hstmt, m_strSQL);
    CompleteOpen(nRet);
}

void CRecordset::CompleteOpen(SQLRETURN nRet)
{
    if (nRet != SQL_SUCCESS && nRet != SQL_SUCCESS_WITH_INFO && nRet != SQL_NO_DATA)
        ThrowStatementError(nRet);
    DescribeFields();
    m_bOpen = TRUE;
    m_bBOF = m_bEOF = FALSE;
    m_lCurrentRecord = -1;
    if (nRet == SQL_NO_DATA)
    {
        m_bBOF = m_bEOF = TRUE;
        return;
    }
    try
    {
        FetchRow();
    }
    catch (...)
    {
        Close();
        throw;
    }
}

void CRecordset::ThrowStatementError(SQLRETURN nRet)
{
    CDBException e(nRet);
    e.BuildErrorString(SQL_HANDLE_STMT, m_hstmt);
    Close();
    throw e;
}

void CRecordset::FetchRow()
{
    SQLRETURN nRet = SQLFetch(m_hstmt);
    if (nRet == SQL_NO_DATA)
    {
        m_bEOF = TRUE;
        if (m_lCurrentRecord < 0)
            m_bBOF = TRUE;
        return;
    }
    CDBException::Check(nRet, SQL_HANDLE_STMT, m_hstmt);
    m_lCurrentRecord++;
    for (size_t i = 0; i < m_fields.size(); i++)
        LoadField((SQLUSMALLINT)(i + 1), m_fields[i]);
}

void CRecordset::LoadField(SQLUSMALLINT nColumn, CFieldInfo& field)
{
    if (field.nKind == fieldText)
    {
        ReadText(nColumn, field);
        return;
    }
    static const SQLSMALLINT cTypes[] = {SQL_C_SLONG, SQL_C_WCHAR, SQL_C_TYPE_TIMESTAMP, SQL_C_DOUBLE};
    SQLLEN nIndicator = 0;
    SQLRETURN nRet = GetData(m_hstmt, nColumn, cTypes[field.nKind], field.pValue, 0, &nIndicator);
    CDBException::Check(nRet, SQL_HANDLE_STMT, m_hstmt);
    field.bNull = nIndicator == SQL_NULL_DATA;
    if (field.bNull)
        SetFieldDefault(field);
}

void CRecordset::ReadText(SQLUSMALLINT nColumn, CFieldInfo& field)
{
    CString& strValue = *(CString*)field.pValue;
    strValue.Empty();
    field.bNull = FALSE;
    SQLWCHAR buffer[kTextChunk];
    for (;;)
    {
        SQLLEN nIndicator = 0;
        SQLRETURN nRet = GetData(m_hstmt, nColumn, SQL_C_WCHAR, buffer, sizeof(buffer), &nIndicator);
        if (nRet == SQL_NO_DATA)
            return;
        CDBException::Check(nRet, SQL_HANDLE_STMT, m_hstmt);
        if (nIndicator == SQL_NULL_DATA)
        {
            field.bNull = TRUE;
            return;
        }
        bool bMore = nRet == SQL_SUCCESS_WITH_INFO &&
                     (nIndicator == SQL_NO_TOTAL || nIndicator >= (SQLLEN)sizeof(buffer));
        int nChars = PieceLength(buffer, nIndicator, bMore);
        strValue.Append((const wchar_t*)buffer, nChars);
        if (!bMore || nChars < kTextChunk - 1) // a NUL inside a full piece ends the text too
            return;
    }
}

void CRecordset::MoveNext()
{
    if (!m_bOpen || m_bEOF || m_hstmt == SQL_NULL_HSTMT)
        throw CDBException(SQL_ERROR, L"There is no row to move past.");
    m_nEditMode = noMode;
    FetchRow();
}

void CRecordset::MoveFirst()
{
    if (!m_bOpen)
        throw CDBException(SQL_ERROR, L"The recordset is not open.");
    if (m_lCurrentRecord != 0)
        Requery();
}

BOOL CRecordset::Requery()
{
    if (!m_bOpen)
        throw CDBException(SQL_ERROR, L"The recordset is not open.");
    m_nEditMode = noMode;
    if (m_hstmt == SQL_NULL_HSTMT)
        return TRUE; // opened to append only
    SQLFreeStmt(m_hstmt, SQL_CLOSE);
    Execute();
    return TRUE;
}

void CRecordset::ReleaseStatement()
{
    if (m_hstmt != SQL_NULL_HSTMT)
    {
        SQLFreeHandle(SQL_HANDLE_STMT, m_hstmt);
        m_hstmt = SQL_NULL_HSTMT;
    }
}

void CRecordset::Close()
{
    ReleaseStatement();
    m_bOpen = FALSE;
    m_bEOF = m_bBOF = TRUE;
    m_lCurrentRecord = -1;
    m_nEditMode = noMode;
}

BOOL CRecordset::IsFieldNull(const void* pValue) const
{
    for (const CFieldInfo& field : m_fields)
        if (field.pValue == pValue)
            return field.bNull;
    return FALSE;
}

void CRecordset::RequireUpdatable() const
{
    if (!CanUpdate())
        throw CDBException(SQL_ERROR, L"The recordset is not open for changes.");
}

void CRecordset::RequireCurrentRow() const
{
    if (!m_bOpen || m_bEOF || m_bBOF)
        throw CDBException(SQL_ERROR, L"There is no current row.");
}

const CFieldInfo& CRecordset::KeyField() const
{
    CString strKey = StripBrackets(m_strPrimaryKey);
    for (const CFieldInfo& field : m_fields)
        if (field.nKind == fieldLong && !strKey.IsEmpty() && StripBrackets(field.strName).CompareNoCase(strKey) == 0)
            return field;
    throw CDBException(SQL_ERROR, L"The recordset has no key column to name its rows by.");
}

void CRecordset::AddNew()
{
    RequireUpdatable();
    for (const CFieldInfo& field : m_fields)
        SetFieldDefault(field);
    m_nEditMode = addNewMode;
}

void CRecordset::Edit()
{
    RequireUpdatable();
    RequireCurrentRow();
    KeyField();
    m_editValues.assign(m_fields.size(), CFieldValue());
    for (size_t i = 0; i < m_fields.size(); i++)
        SaveFieldValue(m_fields[i], m_editValues[i]);
    m_nEditMode = editMode;
}

void CRecordset::CancelUpdate()
{
    if (m_nEditMode == editMode)
        for (size_t i = 0; i < m_fields.size(); i++)
            RestoreFieldValue(m_fields[i], m_editValues[i]);
    m_nEditMode = noMode;
}

BOOL CRecordset::Update()
{
    CDBParameterList params;
    CString strSQL;
    if (m_nEditMode == addNewMode)
    {
        CString strColumns, strMarks;
        for (size_t i = 0; i < m_fields.size(); i++)
        {
            strColumns += (i ? L"," : L"") + m_fields[i].strName;
            strMarks += i ? L",?" : L"?";
            AddFieldParam(params, m_fields[i]);
        }
        strSQL = L"INSERT INTO " + m_strTableName + L" (" + strColumns + L") VALUES (" + strMarks + L")";
        ExecuteChange(strSQL, params);
    }
    else if (m_nEditMode == editMode)
    {
        CString strSet;
        for (size_t i = 0; i < m_fields.size(); i++)
        {
            if (FieldValueEquals(m_fields[i], m_editValues[i]))
                continue;
            strSet += (strSet.IsEmpty() ? L"" : L",") + m_fields[i].strName + L"=?";
            AddFieldParam(params, m_fields[i]);
        }
        if (params.GetCount() == 0)
        {
            m_nEditMode = noMode;
            return FALSE;
        }
        const CFieldInfo& key = KeyField();
        size_t nKey = (size_t)(&key - &m_fields[0]);
        params.AddLong(m_editValues[nKey].lValue);
        strSQL = L"UPDATE " + m_strTableName + L" SET " + strSet + L" WHERE " + key.strName + L"=?";
        ExecuteChange(strSQL, params);
    }
    else
        throw CDBException(SQL_ERROR, L"Update without AddNew or Edit.");
    m_nEditMode = noMode;
    return TRUE;
}

void CRecordset::Delete()
{
    RequireUpdatable();
    RequireCurrentRow();
    const CFieldInfo& key = KeyField();
    CDBParameterList params;
    params.AddLong(*(long*)key.pValue);
    ExecuteChange(L"DELETE FROM " + m_strTableName + L" WHERE " + key.strName + L"=?", params);
    m_nEditMode = noMode;
}

void CRecordset::ExecuteChange(const CString& strSQL, CDBParameterList& params)
{
    SQLHSTMT hstmt = m_pDatabase->AllocStatement();
    SQLRETURN nRet = params.Bind(hstmt);
    CString strTranslated = m_pDatabase->TranslateBrackets(strSQL);
    if (SQL_SUCCEEDED(nRet))
        nRet = CDatabase::ExecDirect(hstmt, strTranslated);
    SQLLEN nRows = 0;
    if (SQL_SUCCEEDED(nRet))
        SQLRowCount(hstmt, &nRows);
    if (!SQL_SUCCEEDED(nRet) && nRet != SQL_NO_DATA)
    {
        CDBException e(nRet);
        e.BuildErrorString(SQL_HANDLE_STMT, hstmt);
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
        throw e;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    if (nRows == 0)
        throw CDBException(SQL_ERROR, L"No row was changed: the row no longer exists.");
}
