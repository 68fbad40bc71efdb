#include "console/service/DataSourceNames.h"

#include <sqlext.h>

BOOL ListDataSourceNames(CStringArrayEx& arrNames)
{
    arrNames.RemoveAll();
    SQLHENV henv = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &henv)))
        return FALSE;
    SQLSetEnvAttr(henv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
    wchar_t szName[SQL_MAX_DSN_LENGTH + 1];
    wchar_t szDescription[511];
    SQLUSMALLINT nDirection = SQL_FETCH_FIRST;
    for (;;)
    {
        SQLSMALLINT nName = 0, nDescription = 0;
        SQLRETURN nRet = SQLDataSourcesW(henv, nDirection, szName, SQL_MAX_DSN_LENGTH + 1, &nName, szDescription,
                                         511, &nDescription);
        if (!SQL_SUCCEEDED(nRet))
            break;
        arrNames.Add(szName);
        nDirection = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, henv);
    arrNames.Sort(TRUE);
    return TRUE;
}
