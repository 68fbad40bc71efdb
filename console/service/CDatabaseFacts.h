// What the alarm database is: data source, database system, driver, server, user and database
// name as the driver reports them, and for a database file its path, times and size.
#pragma once

#include "framework/core/CStringArray.h"

#include <sql.h>

class CDatabaseFacts
{
public:
    enum
    {
        nRows = 10
    };

    // bFileAlways: take the file facts for any database system, not only for Access.
    explicit CDatabaseFacts(BOOL bFileAlways);
    virtual ~CDatabaseFacts() {}

    // Reads the facts of the configured data source; FALSE when it could not be opened (the
    // database object has reported why) and nothing was read.
    BOOL Read();

    static const wchar_t* Label(int nRow);
    CString m_arrValues[nRows];
    // The database file's full path as the last read that took file facts found it.
    CString m_strFilename;

private:
    void ReadDriverInfo(SQLHDBC hdbc);
    void ReadFileFacts(const CString& strDatabase);

    BOOL m_bFileAlways;
    BOOL m_bAccess;
};
