// A set of rows selected from a data source, one current row at a time in the derived class's
// members. Rows are read forward; changes are parameterised INSERT, UPDATE and DELETE statements
// that name the row by its key column, so no driver needs an updatable cursor.
#pragma once

#include "framework/database/CDBParameterList.h"
#include "framework/database/CDatabase.h"

#include <functional>
#include <vector>

#define AFX_DB_USE_DEFAULT_TYPE (0xFFFFFFFF)

class CRecordset
{
public:
    enum OpenType
    {
        dynaset,
        snapshot,
        dynamic,
        forwardOnly
    };
    enum OpenOptions
    {
        none = 0x0000,
        readOnly = 0x0004,
        appendOnly = 0x0008 // only AddNew follows: no rows are selected
    };

    explicit CRecordset(CDatabase* pDatabase = nullptr);
    virtual ~CRecordset();
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    // Selects the rows of the statement (the default one when none is given; a table name
    // becomes a SELECT of the exchanged columns), with m_strFilter, its parameters and
    // m_strSort, and reads the first. TRUE when open; a driver's refusal throws CDBException.
    virtual BOOL Open(UINT nOpenType = AFX_DB_USE_DEFAULT_TYPE, const wchar_t* pszSQL = nullptr,
                      DWORD dwOptions = none);
    virtual void Close();
    BOOL IsOpen() const { return m_bOpen; }
    BOOL IsEOF() const { return m_bEOF; }
    BOOL IsBOF() const { return m_bBOF; }
    BOOL CanUpdate() const { return m_bOpen && !(m_dwOptions & readOnly); }
    BOOL CanAppend() const { return CanUpdate(); }

    void MoveNext();
    void MoveFirst();
    // Runs the statement again, with the filter, its parameters and the sort as they are now.
    BOOL Requery();

    void AddNew();
    void Edit();
    // Writes the new or edited row; FALSE when an edit changed nothing.
    BOOL Update();
    void CancelUpdate();
    void Delete();

    // TRUE when the member held SQL NULL in the current row.
    BOOL IsFieldNull(const void* pValue) const;
    const CString& GetSQL() const { return m_strSQL; }
    const CString& GetTableName() const { return m_strTableName; }

    virtual CString GetDefaultConnect() { return L"ODBC;"; }
    virtual CString GetDefaultSQL() { return CString(); }
    virtual void DoFieldExchange(CFieldExchange* /*pFX*/) {}

    // The WHERE condition; values taken from data, a profile or an operator go into
    // m_filterParams, each in the place of a ? marker ("[FLD_TITLE] = ?").
    CString m_strFilter;
    CDBParameterList m_filterParams;
    CString m_strSort;
    // At most this many rows are selected (0: all): the driver need not read the rest, which
    // a sorted selection would otherwise make it read whole.
    UINT m_nMaxRows;
    CDatabase* m_pDatabase;
    SQLHSTMT m_hstmt;
    UINT m_nFields;
    UINT m_nDefaultType;

protected:
    // For opens on a catalog function: PrepareOpen makes the statement handle as Open does;
    // the caller runs the function on m_hstmt and hands its result to CompleteOpen, which
    // throws on failure and otherwise reads the first row.
    void PrepareOpen(UINT nOpenType, DWORD dwOptions);
    void CompleteOpen(SQLRETURN nRet);
    // Runs a catalog call, again while the driver answers that it is still executing.
    template <typename F> static SQLRETURN CallUntilDone(F call)
    {
        SQLRETURN nRet;
        while ((nRet = call()) == SQL_STILL_EXECUTING)
            Sleep(1);
        return nRet;
    }

    // The column that names a row for Edit and Delete ("[FLD_PRIME_KEY]"); a 32-bit integer.
    CString m_strPrimaryKey;

private:
    enum EditMode
    {
        noMode,
        addNewMode,
        editMode
    };

    void DescribeFields();
    void BuildSQL(const wchar_t* pszSQL);
    void Execute();
    void FetchRow();
    void LoadField(SQLUSMALLINT nColumn, CFieldInfo& field);
    void ReadText(SQLUSMALLINT nColumn, CFieldInfo& field);
    void ThrowStatementError(SQLRETURN nRet);
    void RequireCurrentRow() const;
    void RequireUpdatable() const;
    const CFieldInfo& KeyField() const;
    void ExecuteChange(const CString& strSQL, CDBParameterList& params);
    void ReleaseStatement();

    std::vector<CFieldInfo> m_fields;
    std::vector<CFieldValue> m_editValues;
    CString m_strSQL;
    CString m_strTableName;
    CString m_strSelect; // the statement before the filter and the sort
    UINT m_nOpenType;
    DWORD m_dwOptions;
    BOOL m_bOpen;
    BOOL m_bEOF;
    BOOL m_bBOF;
    long m_lCurrentRecord;
    EditMode m_nEditMode;
};

// Answers the recordsets' SQLGetData calls in the driver's place, so that a test can play what a
// driver is documented to answer. Returns the function in place; an empty function lets the
// driver answer.
typedef std::function<SQLRETURN(SQLHSTMT hstmt, SQLUSMALLINT nColumn, SQLSMALLINT nCType, SQLPOINTER pValue,
                                SQLLEN cbValueMax, SQLLEN* pcbValue)>
    AfxSqlGetDataFunction;
AfxSqlGetDataFunction AfxSetSqlGetDataFunction(AfxSqlGetDataFunction fn);
