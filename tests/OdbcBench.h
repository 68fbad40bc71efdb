// The database bench of the ODBC tests (tools/odbc-fixture): where it lies and how to look at it
// from outside Wine with the databases' own command-line clients.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace odbcbench
{
// Unix path of the bench folder: the parent of the driver folder that ODBCSYSINI names.
inline CString BenchDir()
{
    wchar_t sz[1024] = {0};
    GetEnvironmentVariableW(L"ODBCSYSINI", sz, 1024);
    CString strDir(sz);
    int nSlash = strDir.ReverseFind(L'/');
    return nSlash > 0 ? strDir.Left(nSlash) : strDir;
}

inline CString DosPath(const CString& strUnixPath)
{
    CString strPath(strUnixPath);
    strPath.Replace(L'/', L'\\');
    return L"Z:" + strPath;
}

inline bool WriteFileText(const CString& strPath, const CStringA& strText)
{
    FILE* pFile = _wfopen(strPath, L"wb");
    if (pFile == nullptr)
        return false;
    fwrite(strText.GetString(), 1, (size_t)strText.GetLength(), pFile);
    fclose(pFile);
    return true;
}

inline CStringA ReadFileText(const CString& strPath)
{
    CStringA strText;
    FILE* pFile = _wfopen(strPath, L"rb");
    if (pFile == nullptr)
        return strText;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        strText.Append(buffer, (int)n);
    fclose(pFile);
    return strText;
}

// Runs a shell script natively (Wine starts Unix programs too) and returns what it printed.
// Wine does not wait for a Unix child, so the script leaves a mark when it is done.
inline CStringA RunUnix(const CStringA& strScript)
{
    static LONG nRun = 0;
    CString strBase;
    strBase.Format(L"%s/unix-%lu-%ld", BenchDir().GetString(), GetCurrentProcessId(),
                   InterlockedIncrement(&nRun));
    CString strOutput = strBase + L".out";
    CString strDone = strBase + L".done";
    CStringA strFull = CStringA(L"exec >'") + CStringA(strOutput) + "' 2>&1\n" + strScript + "\n" +
                       "touch '" + CStringA(strDone) + "'\n";
    WriteFileText(DosPath(strBase + L".sh"), strFull);
    CString strCommand = L"Z:\\bin\\sh " + strBase + L".sh";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &strCommand.GetBuffer()[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi))
        return "CreateProcess failed";
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 6000 && GetFileAttributesW(DosPath(strDone)) == INVALID_FILE_ATTRIBUTES; i++)
        Sleep(10);
    CStringA strText = ReadFileText(DosPath(strOutput));
    for (const CString& strFile : {strOutput, strDone, strBase + L".sh"})
        DeleteFileW(DosPath(strFile));
    return strText;
}

// psql on the bench's PostgreSQL server, unaligned, tuples only.
inline CStringA Psql(const char* pszSQL)
{
    CStringA strScript;
    strScript.Format("'%s/tools/odbc-fixture' psql '%S' -X -Atc \"%s\"", TERVOK_SOURCE_DIR,
                     BenchDir().GetString(), pszSQL);
    return RunUnix(strScript);
}

inline CStringA Sqlite3(const CString& strDatabase, const char* pszCommand)
{
    CStringA strScript;
    strScript.Format("sqlite3 '%S' \"%s\"", strDatabase.GetString(), pszCommand);
    return RunUnix(strScript);
}
} // namespace odbcbench
