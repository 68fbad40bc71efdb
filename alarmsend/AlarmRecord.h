// The alarm record that the library builds from a class and named fields.
#pragma once

#include "support/StringEx.h"

// Reads a NUL-separated list: nCount > 0 strings, or up to the double NUL. A null list is one
// empty string, as an empty list is.
void ParseFieldList(int nCount, const wchar_t* pList, CStringArrayEx& arrItems);

// The record's lines for the class and the fields; values missing for a name are empty.
void BuildAlarmRecord(int nClass, const wchar_t* pszFrom, DWORD dwTime, const CStringArray& arrNames,
                      const CStringArray& arrValues, CStringArrayEx& arrLines);

// The whole call behind the export: record text and error text, joined with "\n".
void SendAlarm(int nClass, int nFieldCount, const wchar_t* pNames, const wchar_t* pValues, CString& strRecord,
               CString& strError);
