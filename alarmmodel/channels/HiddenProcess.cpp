#include "alarmmodel/channels/HiddenProcess.h"

#include "support/SystemErrorText.h"

namespace
{
HiddenProcessFunction g_pfnStart = StartHiddenProcess;
} // namespace

BOOL RunHiddenProcess(const CString& strCommandLine, const CString& strCurrentFolder,
                      CString& strError)
{
    return g_pfnStart(strCommandLine, strCurrentFolder, strError);
}

HiddenProcessFunction SetHiddenProcessFunction(HiddenProcessFunction fn)
{
    HiddenProcessFunction pfnPrevious = g_pfnStart;
    g_pfnStart = fn ? fn : StartHiddenProcess;
    return pfnPrevious;
}

BOOL StartHiddenProcess(const CString& strCommandLine, const CString& strCurrentFolder, CString& strError)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    // CreateProcessW may write into its command line.
    CString strWritable(strCommandLine);
    if (!CreateProcessW(nullptr, strWritable.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr,
                        strCurrentFolder.IsEmpty() ? nullptr : (const wchar_t*)strCurrentFolder,
                        &startup, &process))
    {
        CSystemErrorText error;
        strError.Format(L"Cannot start %s: %s", (const wchar_t*)strCommandLine,
                        (const wchar_t*)error.m_strText);
        return FALSE;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    WaitForSingleObject(process.hThread, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return TRUE;
}
