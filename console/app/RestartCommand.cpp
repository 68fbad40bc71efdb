#include "console/app/RestartCommand.h"

#include "framework/window/CWinApp.h"

namespace
{
CString RunningProgramPath()
{
    wchar_t szPath[MAX_PATH + 1] = L"";
    if (!GetModuleFileNameW(nullptr, szPath, MAX_PATH))
        return AfxGetApp() ? AfxGetApp()->m_strAppName + L".exe" : CString();
    wchar_t szShort[MAX_PATH + 1] = L"";
    DWORD nLength = GetShortPathNameW(szPath, szShort, MAX_PATH);
    return nLength && nLength <= MAX_PATH ? CString(szShort) : CString(szPath);
}
} // namespace

CString FormatRestartCommandLine(const CString& strProgramPath)
{
    CString strCommandLine;
    strCommandLine.Format(L"\"%s\" -m", (const wchar_t*)strProgramPath);
    return strCommandLine;
}

void StartProgramAgain()
{
    CString strPath = RunningProgramPath();
    CString strCommandLine = FormatRestartCommandLine(strPath);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (CreateProcessW(strPath, strCommandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    strCommandLine.ReleaseBuffer();
}
