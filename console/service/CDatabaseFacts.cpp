#include "console/service/CDatabaseFacts.h"

#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "console/app/StatusPaneTexts.h"
#include "framework/database/CDBException.h"
#include "support/StringEx.h"
#include "support/TimeText.h"

#include <sqlext.h>

namespace
{
enum
{
    nDsnRow,
    nDbmsRow,
    nDriverRow,
    nServerRow,
    nUserRow,
    nDatabaseRow,
    nFilenameRow,
    nCreatedRow,
    nModifiedRow,
    nSizeRow
};

const wchar_t* const arrLabels[CDatabaseFacts::nRows] = {L"DSN",      L"DBMS",     L"Driver",  L"Server",
                                                         L"Username", L"Database", L"Filename", L"Created",
                                                         L"Modified", L"Size"};

CString FileTimeText(const FILETIME& ft)
{
    ULONGLONG nTicks = ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
    const ULONGLONG nUnixEpoch = 116444736000000000ULL;
    return CTimeText((__time32_t)((nTicks - nUnixEpoch) / 10000000ULL)).Format();
}
} // namespace

CDatabaseFacts::CDatabaseFacts(BOOL bFileAlways) : m_bFileAlways(bFileAlways), m_bAccess(FALSE)
{
}

const wchar_t* CDatabaseFacts::Label(int nRow)
{
    return arrLabels[nRow];
}

BOOL CDatabaseFacts::Read()
{
    CAlarmsDatabase alarms;
    CDatabase database;
    if (!alarms.Open(database))
        return FALSE;
    for (int nRow = nDsnRow; nRow <= nDatabaseRow; ++nRow)
        m_arrValues[nRow].Empty();
    try
    {
        // The table's own check: a database without it reports here.
        CAlarmsRecordset recordset(&database);
        recordset.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
        recordset.Close();
        ReadDriverInfo(database.m_hdbc);
    }
    catch (const CDBException& e)
    {
        m_bAccess = FALSE;
        alarms.ReportError(L"Error loading record from %s: %s", L"TBL_ALARMS_005", e.m_strError.Left(1024).GetString());
    }
    database.Close();
    if (m_bFileAlways || m_bAccess)
        ReadFileFacts(m_arrValues[nDatabaseRow]);
    else
        for (int nRow = nFilenameRow; nRow <= nSizeRow; ++nRow)
            m_arrValues[nRow] = L"n/a";
    return TRUE;
}

void CDatabaseFacts::ReadDriverInfo(SQLHDBC hdbc)
{
    m_arrValues[nDsnRow] = DriverInfoText(hdbc, SQL_DATA_SOURCE_NAME);
    m_arrValues[nDbmsRow] = DriverInfoText(hdbc, SQL_DBMS_NAME) + L" version " + DriverInfoText(hdbc, SQL_DBMS_VER);
    m_arrValues[nDriverRow] = DriverInfoText(hdbc, SQL_DRIVER_NAME) + L" version " +
                              DriverInfoText(hdbc, SQL_DRIVER_VER) + L" odbc " +
                              DriverInfoText(hdbc, SQL_DRIVER_ODBC_VER);
    m_arrValues[nServerRow] = DriverInfoText(hdbc, SQL_SERVER_NAME);
    m_arrValues[nUserRow] = DriverInfoText(hdbc, SQL_USER_NAME);
    m_arrValues[nDatabaseRow] = DriverInfoText(hdbc, SQL_DATABASE_NAME);
    m_bAccess = m_arrValues[nServerRow].CompareNoCase(L"access") == 0;
}

void CDatabaseFacts::ReadFileFacts(const CString& strDatabase)
{
    CString strPath = strDatabase;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    BOOL bFound = !strPath.IsEmpty() && GetFileAttributesExW(strPath, GetFileExInfoStandard, &data);
    if (!bFound)
    {
        strPath += L".mdb";
        bFound = GetFileAttributesExW(strPath, GetFileExInfoStandard, &data);
    }
    wchar_t szFull[MAX_PATH * 4] = {0};
    DWORD nFull = GetFullPathNameW(strPath, MAX_PATH * 4, szFull, nullptr);
    m_strFilename = nFull > 0 && nFull < MAX_PATH * 4 ? CString(szFull) : strPath;
    m_arrValues[nFilenameRow] = m_strFilename;
    m_arrValues[nCreatedRow].Empty();
    m_arrValues[nModifiedRow].Empty();
    m_arrValues[nSizeRow].Empty();
    if (!bFound)
        return;
    m_arrValues[nCreatedRow] = FileTimeText(data.ftCreationTime);
    m_arrValues[nModifiedRow] = FileTimeText(data.ftLastWriteTime);
    ULONGLONG nBytes = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    CStringEx strSize;
    strSize.Format(L"%u", (unsigned)((nBytes + 1023) / 1024));
    strSize.GroupDigits();
    m_arrValues[nSizeRow] = strSize + L" KB";
}
