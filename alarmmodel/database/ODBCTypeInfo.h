// The driver's native types, read through the catalog function SQLGetTypeInfo.
#pragma once

#include "framework/database/CRecordset.h"
#include "framework/core/CStringArray.h"

#include <vector>

class CODBCTypeInfo : public CRecordset
{
public:
    explicit CODBCTypeInfo(CDatabase* pDatabase);
    virtual ~CODBCTypeInfo() {}

    // Runs SQLGetTypeInfo for m_nSqlType in place of a statement, which is ignored.
    BOOL Open(UINT nOpenType = AFX_DB_USE_DEFAULT_TYPE, const wchar_t* pszSQL = nullptr,
              DWORD dwOptions = none) override;
    // One list entry per row; a NULL auto_increment, scale or unsigned_attribute is -1.
    void LoadAll();

    CString GetDefaultConnect() override { return L"ODBC;"; }
    CString GetDefaultSQL() override { return L"!"; }
    void DoFieldExchange(CFieldExchange* pFX) override;

    CString m_strTypeName;
    long m_nDataType = 0;
    long m_nPrecision = 0;
    CString m_strLiteralPrefix;
    CString m_strLiteralSuffix;
    CString m_strCreateParams;
    long m_nNullable = 0;
    long m_nCaseSensitive = 0;
    long m_nSearchable = 0;
    long m_nUnsignedAttribute = 0;
    long m_nMoney = 0;
    long m_nAutoIncrement = 0;
    CString m_strLocalTypeName;
    long m_nMinimumScale = 0;
    long m_nMaximumScale = 0;

    SQLSMALLINT m_nSqlType = SQL_ALL_TYPES;

    CStringArray m_arrCreateParams;
    CStringArray m_arrLiteralPrefix;
    CStringArray m_arrLiteralSuffix;
    CStringArray m_arrLocalTypeName;
    CStringArray m_arrTypeName;
    std::vector<long> m_arrAutoIncrement;
    std::vector<long> m_arrCaseSensitive;
    std::vector<long> m_arrDataType;
    std::vector<long> m_arrMaximumScale;
    std::vector<long> m_arrMinimumScale;
    std::vector<long> m_arrMoney;
    std::vector<long> m_arrNullable;
    std::vector<long> m_arrSearchable;
    std::vector<long> m_arrUnsignedAttribute;
    std::vector<long> m_arrPrecision;

private:
    long OrMinusOne(const long& nValue) const { return IsFieldNull(&nValue) ? -1 : nValue; }
};
