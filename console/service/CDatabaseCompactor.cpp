#include "console/service/CDatabaseCompactor.h"

#include "alarmmodel/database/AlarmsDatabase.h"
#include "console/app/StatusPaneTexts.h"
#include "console/service/CServiceControl.h"
#include "framework/window/AfxMessageBox.h"

#include <odbcinst.h>

#include <string>

namespace
{
const wchar_t szCaption[] = L"Compact";
const char szAccessDriver[] = "Microsoft Access Driver (*.mdb)";
const WORD nMaxInstallerErrors = 8;

CString Quoted(const CString& strText)
{
    return L"\"" + strText + L"\"";
}

CString RenameMessage(const CString& strFrom, const CString& strTo)
{
    return L"Unable to rename " + Quoted(strFrom) + L" to " + Quoted(strTo);
}
} // namespace

CDatabaseCompactor::CDatabaseCompactor(HWND hOwner) : m_hOwner(hOwner)
{
}

CString CDatabaseCompactor::BaseName(const CString& strFilename)
{
    if (strFilename.GetLength() >= 4 && strFilename.Right(4).CompareNoCase(L".mdb") == 0)
        return strFilename.Left(strFilename.GetLength() - 4);
    return strFilename;
}

CString CDatabaseCompactor::Stamp(const SYSTEMTIME& time)
{
    CString strStamp;
    strStamp.Format(L" %04u-%02u-%02u %02u-%02u-%02u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                    time.wSecond);
    return strStamp;
}

int CDatabaseCompactor::Show(const CString& strText, UINT nType)
{
    return AfxShowMessageBox(m_hOwner, strText, szCaption, nType);
}

BOOL CDatabaseCompactor::ServiceAllowsCompaction()
{
    CServiceControl service(g_pszAlarmsServiceName);
    CString strStatus, strDisplayName, strError;
    BOOL bCanStart = FALSE, bCanStop = FALSE;
    BOOL bRead = service.QueryState(strStatus, strDisplayName, bCanStart, bCanStop, strError);
    if (bRead && bCanStop)
    {
        Show(L"The Alarms Service must be stopped before the database can be compacted.", MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    // A service whose state cannot be read may be running and holding the file.
    if (!bRead && service.ErrorCode() != ERROR_SERVICE_DOES_NOT_EXIST)
    {
        Show(L"The state of the Alarms Service cannot be read: " + strError +
                 L"\n\nThe database can be compacted only while the service is stopped.",
             MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

BOOL CDatabaseCompactor::Compact(const CString& strFilename)
{
    if (!ServiceAllowsCompaction())
        return FALSE;
    CString strBase = BaseName(strFilename);
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString strSource = strBase + L".mdb";
    CString strCompacted = strBase + L" Compacted.mdb";
    CString strKept = strBase + Stamp(now) + L".mdb";
    if (Show(L"The database " + Quoted(strSource) + L" will now be compacted, this may take a few minutes.\n\nContinue ?",
             MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    // The service may have been started while the question was open.
    if (!ServiceAllowsCompaction())
        return FALSE;

    CStringA strAttributes("COMPACT_DB=" + Quoted(strSource) + L" " + Quoted(strCompacted) + L" General");
    // The installer reads a list of attributes, which ends with an empty one.
    std::string strList(strAttributes.GetString(), (size_t)strAttributes.GetLength());
    strList += '\0';
    DeleteFileW(strCompacted);
    if (!ConfigDataSource(nullptr, ODBC_CONFIG_DSN, szAccessDriver, strList.c_str()))
    {
        ReportInstallerFailure(strAttributes);
        return TRUE;
    }
    if (!MoveFileW(strSource, strKept))
    {
        Show(RenameMessage(strSource, strKept), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    if (!MoveFileW(strCompacted, strSource))
    {
        // The data source must not be left without its file.
        CString strMessage = RenameMessage(strCompacted, strSource);
        if (MoveFileW(strKept, strSource))
            strMessage += L"\n\nThe database file has been left as it was, uncompacted.";
        else
            strMessage += L"\n\n" + RenameMessage(strKept, strSource) + L"\nThe old file is saved as:\n\t" + strKept;
        Show(strMessage, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    Show(L"The database file has been compacted, the new file is now in use.\n\nThe old file has been saved as:\n\t" +
             strKept + L"\n\nYou can safely delete this file.",
         MB_OK | MB_ICONINFORMATION);
    return TRUE;
}

void CDatabaseCompactor::ReportInstallerFailure(const CStringA& strAttributes)
{
    CString strMessage(strAttributes);
    for (WORD nError = 1; nError <= nMaxInstallerErrors; ++nError)
    {
        char szMessage[512] = {0};
        DWORD dwCode = 0;
        WORD nLength = 0;
        if (InstallerError(nError, &dwCode, szMessage, sizeof(szMessage) - 1, &nLength) != SQL_SUCCESS)
            break;
        if (nError == 1 && !strMessage.IsEmpty())
            strMessage += L"\n";
        if (!strMessage.IsEmpty())
            strMessage += L"\n";
        strMessage += CString(szMessage);
    }
    Show(strMessage, MB_OK | MB_ICONSTOP);
}
