// Field exchange between a recordset's members and the columns of its rows: a recordset's
// DoFieldExchange names each column with the member that holds it, in column order.
#pragma once

#include "framework/core/CString.h"

#include <sql.h>
#include <sqlext.h>

#include <vector>

enum FieldKind
{
    fieldLong,      // 32-bit signed integer
    fieldText,      // text of any length, read whole
    fieldTimestamp, // TIMESTAMP_STRUCT
    fieldDouble
};

struct CFieldInfo
{
    CString strName; // the column or expression, as written in the statement
    FieldKind nKind;
    void* pValue;    // the member of the recordset
    int nMaxLength;  // text: the declared length; changes cut a text to it up to 255, longer
                     // declared lengths are long texts written whole
    BOOL bNull;      // the last fetched value was SQL NULL
};

// A copy of one field's value, kept to see what an edit changed.
struct CFieldValue
{
    long lValue = 0;
    double dValue = 0.0;
    CString strValue;
    TIMESTAMP_STRUCT tsValue = {};
};

class CFieldExchange
{
public:
    explicit CFieldExchange(std::vector<CFieldInfo>& fields) : m_fields(fields) {}
    void Add(const wchar_t* pszName, FieldKind nKind, void* pValue, int nMaxLength);

private:
    std::vector<CFieldInfo>& m_fields;
};

void RFX_Long(CFieldExchange* pFX, const wchar_t* pszName, long& value);
void RFX_Text(CFieldExchange* pFX, const wchar_t* pszName, CString& value, int nMaxLength = 255,
              int nColumnType = SQL_VARCHAR, short nScale = 0);
void RFX_Date(CFieldExchange* pFX, const wchar_t* pszName, TIMESTAMP_STRUCT& value);
void RFX_Double(CFieldExchange* pFX, const wchar_t* pszName, double& value);

// Value helpers for the recordset.
void SetFieldDefault(const CFieldInfo& field);
void SaveFieldValue(const CFieldInfo& field, CFieldValue& value);
void RestoreFieldValue(const CFieldInfo& field, const CFieldValue& value);
bool FieldValueEquals(const CFieldInfo& field, const CFieldValue& value);
