#include "alarmmodel/database/AlarmsDatabase.h"

#include "alarmmodel/database/ConnectStringMask.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "alarmmodel/database/DsnParameterStore.h"
#include "support/RegistryStore.h"

#include <algorithm>

namespace
{
const DWORD kCheckTimeout = 120; // seconds, login and query, for the start-up check
const int kOpenAttempts = 5;
const DWORD kAttemptPause = 1000;
const UINT kMessageLength = 512; // the longest error message shown
const wchar_t kMainWindowClass[] = L"Belvane-Tervok-Application";

// "DSN=%s;%s" with the stored parameters; otherwise the bare form, which differs between the
// start-up check and the other operations.
CString BuildConnectString(const CString& strDsn, const wchar_t* pszBareFormat)
{
    CString strParameters, strConnect;
    if (GetDsnParameterStore().GetParameters(strDsn, strParameters) && !strParameters.IsEmpty())
        strConnect.Format(L"DSN=%s;%s", strDsn.GetString(), strParameters.GetString());
    else
        strConnect.Format(pszBareFormat, strDsn.GetString());
    return strConnect;
}

HWND FindOwnWindow(HWND hParent)
{
    for (HWND hWnd = FindWindowExW(hParent, nullptr, kMainWindowClass, nullptr); hWnd != nullptr;
         hWnd = FindWindowExW(hParent, hWnd, kMainWindowClass, nullptr))
    {
        DWORD dwProcess = 0;
        GetWindowThreadProcessId(hWnd, &dwProcess);
        if (dwProcess == GetCurrentProcessId())
            return hWnd;
    }
    return nullptr;
}

// The console's main window, when this process has one (a top-level window, or a message-only
// one where no window is shown).
HWND FindMainWindow()
{
    HWND hWnd = FindOwnWindow(nullptr);
    return hWnd != nullptr ? hWnd : FindOwnWindow(HWND_MESSAGE);
}
} // namespace

CString GetAlarmDatabaseDsn()
{
    return GetRegistryStore().GetString(L"AlarmDatabaseDSN", L"Tervok Alarms Database");
}

UINT GetAddLogfileMessage()
{
    static const UINT nMessage = RegisterWindowMessageW(L"RegisteredMessage::nMsgAddLogfile");
    return nMessage;
}

CString CAlarmsDatabase::ErrorMessage(const CDBException& e)
{
    wchar_t szMessage[kMessageLength];
    e.GetErrorMessage(szMessage, kMessageLength);
    return szMessage;
}

void CAlarmsDatabase::ReportText(int nLevel, const CString& strText)
{
    static const wchar_t* const prefixes[] = {L"OK ", L"Warning ", L"Error "};
    m_arrReportLines.Add(prefixes[nLevel] + strText);
    HWND hMain = FindMainWindow();
    if (hMain != nullptr)
        SendMessageW(hMain, GetAddLogfileMessage(), (WPARAM)nLevel, (LPARAM)strText.GetString());
}

void CAlarmsDatabase::Report(int nLevel, const wchar_t* pszFormat, va_list args)
{
    CString strText;
    strText.FormatV(pszFormat, args);
    ReportText(nLevel, strText);
}

void CAlarmsDatabase::ReportOk(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    Report(0, pszFormat, args);
    va_end(args);
}

void CAlarmsDatabase::ReportWarning(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    Report(1, pszFormat, args);
    va_end(args);
}

void CAlarmsDatabase::ReportError(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    Report(2, pszFormat, args);
    va_end(args);
}

void CAlarmsDatabase::ReportLabelledRows(const CStringArray& arrLabels, const CStringArray& arrValues)
{
    int nWidth = 0;
    for (const CString& strLabel : arrLabels)
        nWidth = std::max(nWidth, strLabel.GetLength());
    nWidth++;
    for (int i = 0; i < arrLabels.GetSize() && i < arrValues.GetSize(); i++)
    {
        CString strText = arrLabels[i] + L" ";
        while (strText.GetLength() < nWidth)
            strText += L'.';
        ReportText(0, strText + L"..: " + arrValues[i]);
    }
}

BOOL CAlarmsDatabase::Open(CDatabase& database)
{
    CString strConnect = BuildConnectString(GetAlarmDatabaseDsn(), L"DSN=%s;");
    try
    {
        database.OpenEx(strConnect, CDatabase::noOdbcDialog);
        return TRUE;
    }
    catch (const CDBException& e)
    {
        ReportError(L"Error opening database: %s", ErrorMessage(e).GetString());
        return FALSE;
    }
}

BOOL CAlarmsDatabase::CheckStructure(const wchar_t* pszDsn)
{
    CString strDsn(pszDsn);
    if (!DataSourceExists(strDsn))
        CreateAccessDsn(strDsn, L"Tervok alarms database");
    ReportText(0, L"Checking ODBC DSN \"" + strDsn + L"\" database structure...");
    CString strConnect = BuildConnectString(strDsn, L"DSN=%s");

    CDatabase database;
    BOOL bOpened = FALSE, bChecked = FALSE;
    for (int nAttempt = 0; !bOpened && nAttempt < kOpenAttempts; nAttempt++)
    {
        try
        {
            database.SetLoginTimeout(kCheckTimeout);
            database.SetQueryTimeout(kCheckTimeout);
            database.OpenEx(strConnect, CDatabase::noOdbcDialog);
            bOpened = TRUE;
            if (nAttempt > 0)
                ReportOk(L"Error resolved after %d retries", nAttempt);
            LoadTypeNames(&database);
            bChecked = EnsureAlarmsTable(&database, kAlarmsTableName);
            database.Close();
        }
        catch (const CDBException& e)
        {
            database.Close(); // a step after the open failed: the connection must not stay
            ReportError(L"Error opening database");
            ReportError(L"Connect ..: %s", MaskConnectPasswords(strConnect).GetString());
            ReportError(L"Error ....: %s", ErrorMessage(e).GetString());
            Sleep(kAttemptPause);
        }
    }
    if (bChecked)
        ReportOk(L"Database structure is correct");
    ReportOk(L"---");
    return bChecked;
}
