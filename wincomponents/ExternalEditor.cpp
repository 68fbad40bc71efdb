#include "wincomponents/ExternalEditor.h"

#include "support/AppPaths.h"
#include "support/LinesFile.h"

void GetEditLines(CWnd& edit, CStringArray& lines)
{
    lines.RemoveAll();
    CString strText = edit.GetWindowText();
    if (strText.IsEmpty())
        return;
    int nStart = 0;
    for (int nBreak = strText.Find(L"\r\n"); nBreak >= 0; nBreak = strText.Find(L"\r\n", nStart))
    {
        lines.Add(strText.Mid(nStart, nBreak - nStart));
        nStart = nBreak + 2;
    }
    lines.Add(strText.Mid(nStart));
}

BOOL ViewTextExternally(CWnd& edit)
{
    CStringArray lines;
    GetEditLines(edit, lines);
    CLinesFile file;
    if (!file.Write(lines, TRUE))
        return FALSE;
    CString strProgram = GetAppPaths().GetSystemFolder();
    if (!strProgram.IsEmpty() && strProgram[strProgram.GetLength() - 1] != L'\\')
        strProgram += L'\\';
    strProgram += L"Notepad.exe";
    // Quoted: the scratch file's name holds a blank.
    CString strCommandLine = L"notepad.exe \"" + file.m_strPath + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(strProgram, strCommandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return FALSE;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return TRUE;
}
