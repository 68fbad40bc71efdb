#include "wincomponents/dialogs/ExternalEditor.h"

#include "framework/window/AfxMessageBox.h"
#include "support/AppPaths.h"
#include "support/LinesFile.h"

namespace
{
const wchar_t* const pszTextScratch = L"Qxm Tmp.txt";
const wchar_t* const pszHtmlScratch = L"Qxm-Tmp.htm";
const wchar_t* const pszHtmlEditorKey =
    L"SOFTWARE\\Microsoft\\Internet Explorer\\Default HTML Editor\\shell\\edit\\command";
const DWORD nMaxEditorCommandBytes = 2048;

BOOL RunProgram(const CString& strProgram, const CString& strCommandLine, BOOL bWait)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    CString strLine = strCommandLine;
    if (!::CreateProcessW(strProgram, strLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return FALSE;
    if (bWait)
        ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return TRUE;
}

ExternalProgramRunner& Runner()
{
    static ExternalProgramRunner fnRunner = RunProgram;
    return fnRunner;
}

CString ScratchPath(const wchar_t* pszName)
{
    CString strPath;
    strPath.Format(L"%s\\%s", (const wchar_t*)GetAppPaths().GetWorkFolder(), pszName);
    return strPath;
}

CString NotepadPath()
{
    CString strProgram = GetAppPaths().GetSystemFolder();
    if (!strProgram.IsEmpty() && strProgram[strProgram.GetLength() - 1] != L'\\')
        strProgram += L'\\';
    return strProgram + L"Notepad.exe";
}

// Quoted: the scratch file's name may hold a blank.
BOOL StartNotepad(const CString& strPath, BOOL bWait)
{
    return Runner()(NotepadPath(), L"notepad.exe \"" + strPath + L"\"", bWait);
}

// The registered HTML editor's program and the arguments after it; FALSE when there is none
// that can be read.
BOOL FindHtmlEditor(CString& strProgram, CString& strArguments)
{
    wchar_t szCommand[nMaxEditorCommandBytes / sizeof(wchar_t) + 1] = {};
    DWORD nBytes = nMaxEditorCommandBytes;
    if (::RegGetValueW(HKEY_CURRENT_USER, pszHtmlEditorKey, nullptr, RRF_RT_REG_SZ, nullptr, szCommand, &nBytes) !=
        ERROR_SUCCESS)
        return FALSE;
    CString strCommand(szCommand);
    strCommand.Trim();
    int nEnd;
    if (strCommand.Left(1) == L"\"")
    {
        // A quoted program path may hold blanks.
        nEnd = strCommand.Find(L'"', 1);
        strProgram = nEnd < 0 ? strCommand.Mid(1) : strCommand.Mid(1, nEnd - 1);
        strArguments = nEnd < 0 ? CString() : strCommand.Mid(nEnd + 1);
    }
    else
    {
        nEnd = strCommand.Find(L' ');
        strProgram = nEnd < 0 ? strCommand : strCommand.Left(nEnd);
        strArguments = nEnd < 0 ? CString() : strCommand.Mid(nEnd);
    }
    HANDLE hFile = ::CreateFileW(strProgram, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    ::CloseHandle(hFile);
    return TRUE;
}

// The lines file takes a final line break for the end of the last line; the box keeps it as an
// empty last line.
BOOL EndsWithLineBreak(const CString& strPath)
{
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    char chLast = 0;
    DWORD nRead = 0;
    BOOL bBreak = ::SetFilePointer(hFile, -1, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                  ::ReadFile(hFile, &chLast, 1, &nRead, nullptr) && nRead == 1 && (chLast == '\n' || chLast == '\r');
    ::CloseHandle(hFile);
    return bBreak;
}

void WrapInParagraph(CStringArray& lines)
{
    lines.InsertAt(0, L"<p>");
    lines.InsertAt(0, L"<body>");
    lines.Add(L"</p>");
    lines.Add(L"</body>");
}
} // namespace

ExternalProgramRunner SetExternalProgramRunner(ExternalProgramRunner fnRunner)
{
    ExternalProgramRunner fnPrevious = Runner();
    Runner() = fnRunner ? fnRunner : ExternalProgramRunner(RunProgram);
    return fnPrevious;
}

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

CString JoinLines(const CStringArray& lines)
{
    CString strText;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        if (i)
            strText += L"\r\n";
        strText += lines[i];
    }
    return strText;
}

BOOL ViewTextExternally(CWnd& edit)
{
    CStringArray lines;
    GetEditLines(edit, lines);
    CLinesFile file(ScratchPath(pszTextScratch));
    if (!file.Write(lines, TRUE))
        return FALSE;
    return StartNotepad(file.m_strPath, FALSE);
}

BOOL EditTextExternally(CWnd& edit, BOOL bHtml)
{
    BOOL bEmpty = FALSE, bIsHtml = FALSE, bWrap = FALSE, bEditor = FALSE;
    CString strProgram, strArguments;
    if (bHtml)
    {
        CString strText = edit.GetWindowText();
        strText.TrimRight();
        strText.MakeLower();
        bEmpty = strText.IsEmpty();
        bIsHtml = bEmpty || strText.Find(L"<html>") >= 0 || strText.Find(L"<body>") >= 0;
        bEditor = FindHtmlEditor(strProgram, strArguments);
    }
    if (bEditor && !bIsHtml)
        bWrap = AfxShowMessageBox(edit.m_hWnd,
                                  L"This doesn't look like an HTML file - convert to HTML now?\n \n"
                                  L"(You must review the formatting with HTML editor.)",
                                  L"HTML Editor", MB_YESNO | MB_ICONQUESTION) == IDYES;
    CLinesFile file(ScratchPath(bEditor ? pszHtmlScratch : pszTextScratch));
    CStringArray lines;
    if (bEmpty)
    {
        lines.Add(L"<body>");
        lines.Add(L"<p>Help text goes here...</p>");
        lines.Add(L"</body>");
    }
    else
        GetEditLines(edit, lines);
    if (bWrap)
        WrapInParagraph(lines);
    if (!file.Write(lines, TRUE))
        return FALSE;
    if (bEditor)
        Runner()(strProgram, L"\"" + strProgram + L"\" " + file.m_strPath + strArguments, TRUE);
    else
        StartNotepad(file.m_strPath, TRUE);
    // Read back as it was written: UTF-8, so that text outside ASCII survives the round trip.
    if (!file.ReadLines(lines, TRUE, TRUE))
        return FALSE;
    if (EndsWithLineBreak(file.m_strPath))
        lines.Add(L"");
    file.DeleteAndWait();
    edit.SetWindowText(JoinLines(lines));
    return TRUE;
}
