#include "framework/database/CDBParameterList.h"

namespace
{
// Access refuses a variable text parameter longer than this ("Invalid precision value", HY104).
// ODBC counts the characters of a wide text in UTF-16 units.
const int kMaxVariableText = 255;

bool IsZeroTimestamp(const TIMESTAMP_STRUCT& ts) { return ts.year == 0 && ts.month == 0 && ts.day == 0; }
} // namespace

CDBParameterList::CParam& CDBParameterList::Add(FieldKind nKind, SQLSMALLINT nSqlType)
{
    m_params.push_back(CParam{nKind, nSqlType, CFieldValue(), 0});
    return m_params.back();
}

void CDBParameterList::AddLong(long lValue) { Add(fieldLong, SQL_INTEGER).value.lValue = lValue; }

void CDBParameterList::AddDouble(double dValue) { Add(fieldDouble, SQL_DOUBLE).value.dValue = dValue; }

void CDBParameterList::AddTimestamp(const TIMESTAMP_STRUCT& tsValue)
{
    Add(fieldTimestamp, SQL_TYPE_TIMESTAMP).value.tsValue = tsValue;
}

void CDBParameterList::AddTextAs(const CString& strValue, SQLSMALLINT nSqlType)
{
    Add(fieldText, nSqlType).value.strValue = strValue;
}

void CDBParameterList::AddText(const CString& strValue)
{
    AddTextAs(strValue, strValue.GetLength() > kMaxVariableText ? SQL_WLONGVARCHAR : SQL_WVARCHAR);
}

void CDBParameterList::AddLongText(const CString& strValue) { AddTextAs(strValue, SQL_WLONGVARCHAR); }

void CDBParameterList::AddTimestampText(const CString& strValue) { AddTextAs(strValue, SQL_TYPE_TIMESTAMP); }

SQLRETURN CDBParameterList::Bind(SQLHSTMT hstmt)
{
    SQLRETURN nRet = SQL_SUCCESS;
    for (size_t i = 0; i < m_params.size() && SQL_SUCCEEDED(nRet); i++)
        nRet = BindOne(hstmt, (SQLUSMALLINT)(i + 1), m_params[i]);
    return SQL_SUCCEEDED(nRet) ? SQL_SUCCESS : nRet;
}

SQLRETURN CDBParameterList::BindOne(SQLHSTMT hstmt, SQLUSMALLINT nMarker, CParam& param)
{
    CFieldValue& value = param.value;
    param.nIndicator = 0;
    switch (param.nKind)
    {
    case fieldLong:
        return SQLBindParameter(hstmt, nMarker, SQL_PARAM_INPUT, SQL_C_SLONG, param.nSqlType, 0, 0, &value.lValue, 0,
                                &param.nIndicator);
    case fieldDouble:
        return SQLBindParameter(hstmt, nMarker, SQL_PARAM_INPUT, SQL_C_DOUBLE, param.nSqlType, 15, 0, &value.dValue,
                                0, &param.nIndicator);
    case fieldTimestamp:
        if (IsZeroTimestamp(value.tsValue))
            param.nIndicator = SQL_NULL_DATA;
        return SQLBindParameter(hstmt, nMarker, SQL_PARAM_INPUT, SQL_C_TYPE_TIMESTAMP, param.nSqlType, 19, 0,
                                &value.tsValue, 0, &param.nIndicator);
    case fieldText:
        break;
    }
    const int nLength = value.strValue.GetLength();
    param.nIndicator = (SQLLEN)nLength * (SQLLEN)sizeof(wchar_t);
    // A driver refuses a column size of 0, which an empty text would give.
    return SQLBindParameter(hstmt, nMarker, SQL_PARAM_INPUT, SQL_C_WCHAR, param.nSqlType,
                            nLength > 0 ? (SQLULEN)nLength : 1, 0, (SQLPOINTER)value.strValue.GetString(),
                            param.nIndicator, &param.nIndicator);
}
