// The database layer's error: the ODBC return code and the diagnostics of the failed call.
#pragma once

#include "framework/core/CString.h"

#include <sql.h>

class CDBException
{
public:
    explicit CDBException(SQLRETURN nRetCode = SQL_ERROR);
    // An error of the layer itself, not of a driver.
    CDBException(SQLRETURN nRetCode, const wchar_t* pszError);
    virtual ~CDBException() {}

    // Reads every diagnostic record of the handle.
    void BuildErrorString(SQLSMALLINT nHandleType, SQLHANDLE hHandle);
    // Copies the message into the caller's buffer, cut to fit; FALSE when the buffer is unusable.
    BOOL GetErrorMessage(wchar_t* pszError, UINT nMaxError) const;
    CString GetErrorMessage() const;

    // Throws when nRetCode is neither success nor success with information.
    static void Check(SQLRETURN nRetCode, SQLSMALLINT nHandleType, SQLHANDLE hHandle);

    SQLRETURN m_nRetCode;
    CString m_strError;             // the drivers' messages, one line per diagnostic record
    CString m_strStateNativeOrigin; // "State:%s,Native:%ld,Origin:%s" per record
    CString m_strSqlState;          // state of the first record
    long m_nNativeError;            // native error of the first record
};
