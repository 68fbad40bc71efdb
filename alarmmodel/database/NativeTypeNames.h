// Corrections of the native type names that some drivers report for the SQL types.
#pragma once

#include "framework/core/CString.h"

#include <sql.h>

// The driver's file name (SQL_DRIVER_NAME), such as "odbcjt32.dll".
CString GetDriverFileName(SQLHDBC hdbc);
// Adds the parameter suffix that the driver's name needs to take a width ("VARCHAR()").
void AdjustNativeTypeName(const wchar_t* pszDriver, SQLSMALLINT nSqlType, const wchar_t* pszCreateParams,
                          CString& strTypeName);
// Sets the name to use instead of the driver's; FALSE when the driver's stands.
BOOL OverrideNativeTypeName(const wchar_t* pszDriver, SQLSMALLINT nSqlType, CString& strTypeName);
