// The texts of the main frame's status panes, read from the alarms service's volatile values
// and from the service control manager at every idle update.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>
#include <sql.h>

#include <functional>

// The service the console watches.
extern const wchar_t* const g_pszAlarmsServiceName;

// "Alarms: " and the volatile value AlarmMessageCount, grouped in threes.
CString AlarmsPaneText();
// "Processed: " and the volatile value AlarmAnalysed, grouped.
CString ProcessedPaneText();
// "Last update: " and the volatile string AlarmLastMessage.
CString LastUpdatePaneText();
// "Database: " and the size in MB, grouped, then " MB".
CString DatabasePaneText(UINT nDatabaseMB);
// "Status: " and the state text of the service.
CString StatusPaneText(const CString& strState);

// The name of a service state: "Running", "Stopped" and so on; empty for an unknown one.
CString ServiceStateName(DWORD dwState);
// The state of the named service; empty when the manager or the service cannot be opened,
// "Error: %08X" when its status cannot be queried.
CString QueryServiceStateText(const wchar_t* pszService);

// The size of the database file in whole MB, rounded up; a name without a file of its own is
// tried with ".mdb". FALSE, leaving nMB alone, when neither file exists.
BOOL DatabaseFileMB(const CString& strDatabase, UINT& nMB);

// The name of the database that the connection reads, as its driver reports it, whole however
// long (a file name can be longer than MAX_PATH); empty when the driver cannot tell.
CString DataSourceDatabaseName(SQLHDBC hdbc);
// A driver information item as text, the database name whole; empty when the driver cannot tell.
CString DriverInfoText(SQLHDBC hdbc, SQLUSMALLINT nItem);
// The driver's information call (SQLGetInfoW), replaceable so that a test can play a driver;
// an empty function restores the driver's. Returns the function that was in place.
typedef std::function<SQLRETURN(SQLHDBC, SQLUSMALLINT, SQLPOINTER, SQLSMALLINT, SQLSMALLINT*)> DriverInfoFunction;
DriverInfoFunction SetDriverInfoFunction(DriverInfoFunction fn);
