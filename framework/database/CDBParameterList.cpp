#include "framework/database/CDBParameterList.h"

namespace
{
bool IsZeroTimestamp(const TIMESTAMP_STRUCT& ts) { return ts.year == 0 && ts.month == 0 && ts.day == 0; }
} // namespace

CDBParameterList::CParam& CDBParameterList::Add(FieldKind nKind)
{
    m_params.push_back(CParam{nKind, FALSE, CFieldValue(), 0});
    return m_params.back();
}

void CDBParameterList::AddLong(long lValue) { Add(fieldLong).value.lValue = lValue; }

void CDBParameterList::AddDouble(double dValue) { Add(fieldDouble).value.dValue = dValue; }

void CDBParameterList::AddText(const CString& strValue) { Add(fieldText).value.strValue = strValue; }

void CDBParameterList::AddLongText(const CString& strValue)
{
    CParam& param = Add(fieldText);
    param.bLongText = TRUE;
    param.value.strValue = strValue;
}

void CDBParameterList::AddTimestamp(const TIMESTAMP_STRUCT& tsValue) { Add(fieldTimestamp).value.tsValue = tsValue; }

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
        return SQLBindParameter(hstmt, nMarker, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &value.lValue, 0,
                                &param.nIndicator);
    case fieldDouble:
        return SQLBindParameter(hstmt, nMarker, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 15, 0, &value.dValue, 0,
                                &param.nIndicator);
    case fieldTimestamp:
        if (IsZeroTimestamp(value.tsValue))
            param.nIndicator = SQL_NULL_DATA;
        return SQLBindParameter(hstmt, nMarker, SQL_PARAM_INPUT, SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, 19, 0,
                                &value.tsValue, 0, &param.nIndicator);
    case fieldText:
        break;
    }
    const int nLength = value.strValue.GetLength();
    param.nIndicator = (SQLLEN)nLength * (SQLLEN)sizeof(wchar_t);
    // A driver refuses a column size of 0, which an empty text would give.
    return SQLBindParameter(hstmt, nMarker, SQL_PARAM_INPUT, SQL_C_WCHAR, param.bLongText ? SQL_WLONGVARCHAR : SQL_WVARCHAR,
                            nLength > 0 ? (SQLULEN)nLength : 1, 0, (SQLPOINTER)value.strValue.GetString(),
                            param.nIndicator, &param.nIndicator);
}
