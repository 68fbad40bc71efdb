// A missing alarm data source is created as a Microsoft Access system data source on an empty
// database: a copy of the template "blank.mdb" when one lies beside the program, otherwise one
// that the Access driver makes itself; where it makes none, no data source is added.
#include "alarmmodel/database/AlarmsDatabase.h"

#include "support/AppPaths.h"
#include "support/CodePageText.h"

#include <odbcinst.h>
#include <shellapi.h>
#include <sqlext.h>

#include <string>

// The narrow entry points: a Unicode build maps these names to the wide ones.
#undef SQLDataSources
#undef SQLDrivers

namespace
{
const int kMaxInstallerErrors = 8;

// The installer library is loaded when it is first needed.
FARPROC InstallerFunction(const char* pszName)
{
    static HMODULE hInstaller = LoadLibraryW(L"odbccp32.dll");
    return hInstaller != nullptr ? GetProcAddress(hInstaller, pszName) : nullptr;
}

BOOL WINAPI ConfigDataSourceThroughInstaller(HWND hwndParent, WORD fRequest, LPCSTR pszDriver, LPCSTR pszAttributes)
{
    ConfigDataSourceFunc pfnConfig = (ConfigDataSourceFunc)(void*)InstallerFunction("SQLConfigDataSource");
    return pfnConfig != nullptr && pfnConfig(hwndParent, fRequest, pszDriver, pszAttributes);
}

ConfigDataSourceFunc g_pfnConfigDataSource = ConfigDataSourceThroughInstaller;

SQLRETURN WINAPI InstallerErrorThroughInstaller(WORD iError, DWORD* pfErrorCode, LPSTR pszErrorMsg, WORD cbErrorMsgMax,
                                                WORD* pcbErrorMsg)
{
    InstallerErrorFunc pfnError = (InstallerErrorFunc)(void*)InstallerFunction("SQLInstallerError");
    return pfnError != nullptr ? pfnError(iError, pfErrorCode, pszErrorMsg, cbErrorMsgMax, pcbErrorMsg)
                               : (SQLRETURN)SQL_NO_DATA;
}

InstallerErrorFunc g_pfnInstallerError = InstallerErrorThroughInstaller;

CStringA Narrow(const CString& strText) { return CStringA(strText); }

BOOL FileExists(const CString& strPath) { return GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES; }

// Walks an enumeration of the ODBC environment until the call stops answering success.
template <typename F> void Enumerate(F fetch)
{
    SQLUSMALLINT nDirection = SQL_FETCH_FIRST;
    for (;;)
    {
        SQLRETURN nRet = fetch(nDirection);
        if (nRet != SQL_SUCCESS && nRet != SQL_SUCCESS_WITH_INFO)
            return;
        nDirection = SQL_FETCH_NEXT;
    }
}
} // namespace

CString InstallerPath(const CString& strPath)
{
    std::string bytes;
    if (ToCodePageExactly(GetACP(), strPath, bytes))
        return strPath;
    int nSlash = strPath.ReverseFind(L'\\');
    if (nSlash <= 0)
        return CString();
    wchar_t szShort[MAX_PATH + 1] = {0};
    DWORD nShort = GetShortPathNameW(strPath.Left(nSlash), szShort, MAX_PATH);
    CString strShort = nShort > 0 && nShort <= MAX_PATH ? CString(szShort) + strPath.Mid(nSlash) : CString();
    return !strShort.IsEmpty() && ToCodePageExactly(GetACP(), strShort, bytes) ? strShort : CString();
}

ConfigDataSourceFunc SetConfigDataSourceFunction(ConfigDataSourceFunc pfnConfig)
{
    ConfigDataSourceFunc pfnPrevious = g_pfnConfigDataSource;
    g_pfnConfigDataSource = pfnConfig != nullptr ? pfnConfig : ConfigDataSourceThroughInstaller;
    return pfnPrevious;
}

BOOL ConfigDataSource(HWND hwndParent, WORD fRequest, LPCSTR pszDriver, LPCSTR pszAttributes)
{
    return g_pfnConfigDataSource(hwndParent, fRequest, pszDriver, pszAttributes);
}

InstallerErrorFunc SetInstallerErrorFunction(InstallerErrorFunc pfnError)
{
    InstallerErrorFunc pfnPrevious = g_pfnInstallerError;
    g_pfnInstallerError = pfnError != nullptr ? pfnError : InstallerErrorThroughInstaller;
    return pfnPrevious;
}

SQLRETURN InstallerError(WORD iError, DWORD* pfErrorCode, LPSTR pszErrorMsg, WORD cbErrorMsgMax, WORD* pcbErrorMsg)
{
    return g_pfnInstallerError(iError, pfErrorCode, pszErrorMsg, cbErrorMsgMax, pcbErrorMsg);
}

BOOL CAlarmsDatabase::DataSourceExists(const wchar_t* pszDsn)
{
    SQLHENV henv = SQL_NULL_HENV;
    if (SQLAllocEnv(&henv) != SQL_SUCCESS)
        return FALSE;
    BOOL bFound = FALSE;
    // The longest legal name and its terminator.
    char szName[SQL_MAX_DSN_LENGTH + 1];
    char szDescription[511];
    Enumerate([&](SQLUSMALLINT nDirection) {
        SQLSMALLINT nName = 0, nDescription = 0;
        SQLRETURN nRet = SQLDataSources(henv, nDirection, (SQLCHAR*)szName, sizeof(szName), &nName,
                                        (SQLCHAR*)szDescription, sizeof(szDescription), &nDescription);
        if ((nRet == SQL_SUCCESS || nRet == SQL_SUCCESS_WITH_INFO) && CString(szName) == pszDsn)
        {
            bFound = TRUE;
            return (SQLRETURN)SQL_NO_DATA;
        }
        return nRet;
    });
    SQLFreeEnv(henv);
    return bFound;
}

// Where the Access Database Engine is installed, its text, dBASE and Paradox drivers and other
// makers' drivers "for Microsoft Access" match as well, in no documented order: the one that names
// "*.mdb" makes the database; only where none does, the first match is taken.
BOOL CAlarmsDatabase::FindAccessDriver(SQLHENV henv, CString& strDriver)
{
    char szDescription[1024];
    char szAttributes[2048];
    CString strFirst;
    Enumerate([&](SQLUSMALLINT nDirection) {
        SQLSMALLINT nDescription = 0, nAttributes = 0;
        SQLRETURN nRet = SQLDrivers(henv, nDirection, (SQLCHAR*)szDescription, sizeof(szDescription) - 1,
                                    &nDescription, (SQLCHAR*)szAttributes, sizeof(szAttributes) - 1, &nAttributes);
        if (nRet != SQL_SUCCESS && nRet != SQL_SUCCESS_WITH_INFO)
            return nRet;
        CString strLower(szDescription);
        strLower.MakeLower();
        if (strLower.Find(L"access") < 0 || strLower.Find(L"microsoft") < 0)
            return nRet;
        if (strFirst.IsEmpty())
            strFirst = szDescription;
        if (strLower.Find(L"*.mdb") < 0)
            return nRet;
        strDriver = szDescription;
        return (SQLRETURN)SQL_NO_DATA;
    });
    if (strDriver.IsEmpty())
        strDriver = strFirst;
    return !strDriver.IsEmpty();
}

BOOL CAlarmsDatabase::CreateAccessDsn(const wchar_t* pszDsn, const wchar_t* pszDescription)
{
    CString strDsn(pszDsn);
    CString strDatabaseFile = GetAppPaths().GetProgramFolder() + strDsn + L".mdb";
    ReportText(0, L"Creating ODBC System DSN \"" + strDsn + L"\"...");
    CString strDriver;
    SQLHENV henv = SQL_NULL_HENV;
    if (SQLAllocEnv(&henv) != SQL_SUCCESS)
        return FALSE;
    BOOL bDriverFound = FindAccessDriver(henv, strDriver);
    SQLFreeEnv(henv);
    if (!bDriverFound)
    {
        ReportError(L"Microsoft Access Driver not found.");
        return FALSE;
    }
    // The installer takes narrow text only.
    CString strInstallerFile = InstallerPath(strDatabaseFile);
    if (strInstallerFile.IsEmpty())
    {
        ReportError(L"Database file path not usable by the ODBC installer ..: %s", strDatabaseFile.GetString());
        ReportError(L"It holds characters that the ANSI code page lacks, and no short name without them.");
        return FALSE;
    }
    CStringArray arrLabels, arrValues;
    arrLabels.Add(L"ODBC Driver");
    arrValues.Add(strDriver);
    if (!FileExists(strDatabaseFile))
    {
        CString strTemplate = GetAppPaths().GetProgramFolder() + L"blank.mdb";
        if (FileExists(strTemplate))
            CopyBlankDatabase(strTemplate, strDatabaseFile);
        // Only the program can make the file again: a data source on a missing file would stay
        // for good, and every later start would fail to open it.
        else if (!CreateBlankDatabase(strDriver, strDatabaseFile, strInstallerFile))
            return FALSE;
    }

    CStringArray arrAttributes;
    CString strAttribute;
    strAttribute.Format(L"DSN=%s", strDsn.GetString());
    arrAttributes.Add(strAttribute);
    strAttribute.Format(L"Description=%s (Automatically created %s)", pszDescription,
                        CTime::GetCurrentTime().Format(L"%Y-%m-%d %H:%M:%S").GetString());
    arrAttributes.Add(strAttribute);
    strAttribute.Format(L"DBQ=%s", strInstallerFile.GetString());
    arrAttributes.Add(strAttribute);
    arrLabels.Add(L"Database file");
    arrValues.Add(strDatabaseFile);
    for (const CString& strText : arrAttributes)
    {
        arrLabels.Add(L"Attribute");
        arrValues.Add(strText);
    }
    ReportLabelledRows(arrLabels, arrValues);
    return InstallDataSource(strDsn, strDriver, arrAttributes);
}

void CAlarmsDatabase::CopyBlankDatabase(const CString& strTemplate, const CString& strDatabaseFile)
{
    ReportOk(L"Copying database");
    ReportText(0, L"From ..: " + strTemplate);
    ReportText(0, L"To ....: " + strDatabaseFile);
    // Both lists end with two NULs.
    std::wstring strFrom(strTemplate.GetString(), (size_t)strTemplate.GetLength() + 1);
    std::wstring strTo(strDatabaseFile.GetString(), (size_t)strDatabaseFile.GetLength() + 1);
    strFrom += L'\0';
    strTo += L'\0';
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = nullptr;
    operation.wFunc = FO_COPY;
    operation.pFrom = strFrom.c_str();
    operation.pTo = strTo.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_SIMPLEPROGRESS;
    operation.lpszProgressTitle = L"Creating empty database";
    int nResult = SHFileOperationW(&operation);
    if (nResult == 0 && !operation.fAnyOperationsAborted && FileExists(strDatabaseFile))
        ReportOk(L"ON");
    else
        ReportOk(L"Database file not created ..: %s", strDatabaseFile.GetString());
}

BOOL CAlarmsDatabase::CreateBlankDatabase(const CString& strDriver, const CString& strDatabaseFile,
                                          const CString& strInstallerFile)
{
    ReportOk(L"Creating database");
    ReportText(0, L"File ..: " + strDatabaseFile);
    // The driver takes CREATE_DB with no other keyword, so the database has a call of its own
    // before the data source names it; a path with blanks must be quoted.
    CStringArray arrAttributes;
    arrAttributes.Add(L"CREATE_DB=\"" + strInstallerFile + L"\" General");
    if (ConfigureDriver(strDriver, arrAttributes) && FileExists(strDatabaseFile))
    {
        ReportOk(L"ON");
        return TRUE;
    }
    ReportError(L"Database file not created ..: %s", strDatabaseFile.GetString());
    ReportInstallerErrors();
    return FALSE;
}

BOOL CAlarmsDatabase::ConfigureDriver(const CString& strDriver, const CStringArray& arrAttributes)
{
    // Each attribute with its NUL, then one more NUL.
    std::string strList;
    for (const CString& strText : arrAttributes)
    {
        strList += Narrow(strText).GetString();
        strList += '\0';
    }
    strList += '\0';
    return g_pfnConfigDataSource(nullptr, ODBC_ADD_SYS_DSN, Narrow(strDriver), strList.c_str());
}

void CAlarmsDatabase::ReportInstallerErrors()
{
    for (WORD nError = 1; nError <= kMaxInstallerErrors; nError++)
    {
        char szMessage[1024] = {0};
        DWORD dwCode = 0;
        WORD nLength = 0;
        if (InstallerError(nError, &dwCode, szMessage, sizeof(szMessage) - 1, &nLength) != SQL_SUCCESS)
            break;
        ReportText(2, CString(szMessage));
    }
}

BOOL CAlarmsDatabase::InstallDataSource(const CString& strDsn, const CString& strDriver, const CStringArray& arrAttributes)
{
    if (ConfigureDriver(strDriver, arrAttributes))
    {
        ReportText(0, L"System DSN \"" + strDsn + L"\" successfully added.");
        return TRUE;
    }
    ReportText(2, L"Error adding System DSN \"" + strDsn + L"\" -");
    ReportInstallerErrors();
    return FALSE;
}
