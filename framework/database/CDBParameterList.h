// Values bound to the ? markers of a statement, the first value to the first marker. A value
// bound never becomes part of the SQL text, so no driver's reading of quotes or backslashes can
// end it early.
#pragma once

#include "framework/database/CFieldExchange.h"

#include <vector>

class CDBParameterList
{
public:
    void AddLong(long lValue);
    void AddDouble(double dValue);
    // A text compared with a column or written to one of up to 255 characters; a text over 255
    // characters (UTF-16 units, as ODBC counts them) is bound as long text, which Access takes.
    void AddText(const CString& strValue);
    // A text written whole to a long-text column.
    void AddLongText(const CString& strValue);
    // A zero date is no date: the value is SQL NULL.
    void AddTimestamp(const TIMESTAMP_STRUCT& tsValue);
    // "YYYY-MM-DD hh:mm:ss" compared with a timestamp column: the driver converts the text as
    // it would the literal {ts '...'}, where a bound TIMESTAMP_STRUCT may gain a fraction.
    void AddTimestampText(const CString& strValue);
    void RemoveAll() { m_params.clear(); }
    int GetCount() const { return (int)m_params.size(); }

    // Binds every value to its marker of the statement, which must run before the list
    // changes. SQL_SUCCESS, or the driver's answer to the first bind that failed.
    SQLRETURN Bind(SQLHSTMT hstmt);

private:
    struct CParam
    {
        FieldKind nKind;
        SQLSMALLINT nSqlType; // of a text: the type the driver converts it to
        CFieldValue value;
        SQLLEN nIndicator;
    };

    CParam& Add(FieldKind nKind, SQLSMALLINT nSqlType);
    void AddTextAs(const CString& strValue, SQLSMALLINT nSqlType);
    static SQLRETURN BindOne(SQLHSTMT hstmt, SQLUSMALLINT nMarker, CParam& param);

    std::vector<CParam> m_params;
};
