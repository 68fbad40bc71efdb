#include "alarmmodel/database/NativeTypeNames.h"

#include <sqlext.h>

// The narrow entry point: SQLGetInfo is mapped to its wide form in a Unicode build.
#undef SQLGetInfo

namespace
{
struct Adjustment
{
    const wchar_t* pszDriver;
    SQLSMALLINT nSqlType;
    const wchar_t* pszTypeName;
    const wchar_t* pszCreateParams;
    const wchar_t* pszSuffix;
};

const Adjustment kAdjustments[] = {
    {L"odbcjt32.dll", -2, L"BINARY", L"length", L"()"},
    {L"odbcjt32.dll", 1, L"CHAR", L"length", L"()"},
    {L"odbcjt32.dll", -3, L"VARBINARY", L"length", L"()"},
    {L"odbcjt32.dll", 12, L"VARCHAR", L"length", L"()"},
    {L"odbcjt32.dll", -2, L"BINARY", L"MAX LENGTH", L"()"},
    {L"odbcjt32.dll", 1, L"CHAR", L"MAX LENGTH", L"()"},
    {L"odbcjt32.dll", -3, L"VARBINARY", L"MAX LENGTH", L"()"},
    {L"odbcjt32.dll", 12, L"TEXT", L"MAX LENGTH", L"()"},
    {L"msorcl32.dll", 1, L"CHAR", L"max length", L"()"},
    {L"msorcl32.dll", 3, L"NUMBER", L"precision,scale", L"(10,0)"},
    {L"msorcl32.dll", -3, L"RAW", L"max length", L"()"},
    {L"msorcl32.dll", 12, L"VARCHAR2", L"max length", L"()"},
    {L"sqlsrv32.dll", -2, L"binary", L"length", L"()"},
    {L"sqlsrv32.dll", 1, L"char", L"length", L"()"},
    {L"sqlsrv32.dll", 3, L"decimal", L"precision,scale", L"()"},
    {L"sqlsrv32.dll", 2, L"numeric", L"precision,scale", L"()"},
    {L"sqlsrv32.dll", -3, L"varbinary", L"max length", L"()"},
    {L"sqlsrv32.dll", 12, L"varchar", L"max length", L"()"},
    {L"sqlsrv32.dll", -8, L"nchar", L"length", L"()"},
    {L"sqlsrv32.dll", -9, L"nvarchar", L"max length", L"()"},
    {L"sqlsrv32.dll", -8, L"nchar", L"length", L"()"},
};

struct Override
{
    const wchar_t* pszDriver;
    SQLSMALLINT nSqlType;
    const wchar_t* pszName;
};

const Override kOverrides[] = {
    {L"odbcjt32.dll", 4, L"INTEGER"},   {L"sqlsrv32.dll", -2, L"binary"}, {L"sqlsrv32.dll", 1, L"char"},
    {L"sqlsrv32.dll", 3, L"decimal"},   {L"sqlsrv32.dll", 4, L"int"},     {L"sqlsrv32.dll", 11, L"datetime"},
    {L"sqlsrv32.dll", -6, L"tinyint"}, {L"sqlsrv32.dll", -9, L"nvarchar"},
};
} // namespace

CString GetDriverFileName(SQLHDBC hdbc)
{
    char szName[1024] = {0};
    SQLSMALLINT nLength = 0;
    SQLGetInfo(hdbc, SQL_DRIVER_NAME, szName, sizeof(szName), &nLength);
    return CString(szName);
}

void AdjustNativeTypeName(const wchar_t* pszDriver, SQLSMALLINT nSqlType, const wchar_t* pszCreateParams,
                          CString& strTypeName)
{
    CString strBase = strTypeName.SpanExcluding(L"(");
    for (const Adjustment& row : kAdjustments)
    {
        if (_wcsicmp(row.pszDriver, pszDriver) == 0 && row.nSqlType == nSqlType && strBase == row.pszTypeName &&
            wcscmp(row.pszCreateParams, pszCreateParams) == 0)
        {
            strTypeName = strBase + row.pszSuffix;
            return;
        }
    }
}

BOOL OverrideNativeTypeName(const wchar_t* pszDriver, SQLSMALLINT nSqlType, CString& strTypeName)
{
    for (const Override& row : kOverrides)
    {
        if (_wcsicmp(row.pszDriver, pszDriver) == 0 && row.nSqlType == nSqlType)
        {
            strTypeName = row.pszName;
            return TRUE;
        }
    }
    return FALSE;
}
