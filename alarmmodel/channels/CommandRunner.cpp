#include "alarmmodel/channels/CommandRunner.h"

#include "alarmmodel/channels/ConsoleTextFile.h"
#include "alarmmodel/channels/HiddenProcess.h"
#include "support/AppPaths.h"

namespace
{
const wchar_t* const BatchFileName = L"BelvaneNetSendTestScript.bat";
const wchar_t* const OutputFileName = L"BelvaneNetSendTestOutput.txt";
const wchar_t* const ErrorFileName = L"BelvaneNetSendTestErrors.txt";

// The interpreter, started as CreateProcess documents for batch files, runs in the work folder
// and gets the work files by name only: the folder's name may hold blanks (a volume without
// short names) or characters that it reads as its own, & ^ ( ) within quotes harmlessly, but a %
// pair naming a variable is replaced even there. /S: only the outer quotes are removed. /D: no
// AutoRun command of the registry runs first, which could move the current folder away from the
// work files (a "cd\" is a common one); /V:OFF: no "!" of the command is taken for a variable,
// whatever the registry's DelayedExpansion says.
CString InterpreterCommandLine()
{
    CString strCommandLine;
    strCommandLine.Format(L"\"%scmd.exe\" /D /V:OFF /S /C \".\\%s 1> %s 2> %s\"",
                          GetAppPaths().GetSystemFolder().GetString(), BatchFileName, OutputFileName,
                          ErrorFileName);
    return strCommandLine;
}

// The interpreter ends a batch line at Ctrl-Z too, and the rest would run as a command.
BOOL HoldsControlCharacter(const CString& strCommand)
{
    for (int i = 0; i < strCommand.GetLength(); ++i)
    {
        if (strCommand[i] < L' ' || strCommand[i] == 0x7F)
            return TRUE;
    }
    return FALSE;
}
} // namespace

void RunCommandCaptured(const CString& strCommand, CStringArray& output, CStringArray& errors)
{
    RunCommandCaptured(strCommand, GetAppPaths().GetTempFolder(), output, errors);
}

void RunCommandCaptured(const CString& strCommand, const CString& strFolder, CStringArray& output,
                        CStringArray& errors)
{
    CConsoleTextFile batch(strFolder + L"\\" + BatchFileName);
    CConsoleTextFile outputFile(strFolder + L"\\" + OutputFileName);
    CConsoleTextFile errorFile(strFolder + L"\\" + ErrorFileName);
    output.RemoveAll();
    errors.RemoveAll();
    // Refused before the work files are touched: another run may be using them.
    if (strCommand.FindOneOf(L"\r\n") >= 0)
    {
        errors.Add(L"The command must be one line: " + strCommand);
        return;
    }
    if (HoldsControlCharacter(strCommand))
    {
        errors.Add(L"The command must not hold control characters: " + strCommand);
        return;
    }
    // What an earlier run left must never pass for this run's answer.
    CString strError;
    if (!outputFile.Remove(strError) || !errorFile.Remove(strError))
    {
        errors.Add(strError);
        return;
    }
    CStringArray lines;
    lines.Add(strCommand);
    if (!batch.WriteOemLines(lines, strError))
    {
        errors.Add(strError);
        return;
    }
    if (!RunHiddenProcess(InterpreterCommandLine(), strFolder, strError))
    {
        errors.Add(strError);
        return;
    }
    // The interpreter makes both files before the command runs; without them it never ran it.
    if (!outputFile.Exists() && !errorFile.Exists())
    {
        errors.Add(L"The command was not run: " + strCommand);
        return;
    }
    errorFile.ReadOemLines(errors);
    outputFile.ReadOemLines(output);
}

CString EscapeForBatchLine(const CString& strText)
{
    CString strEscaped;
    BOOL bQuoted = FALSE;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        wchar_t ch = strText[i];
        if (ch == L'"')
            bQuoted = !bQuoted;
        else if (ch == L'%')
            strEscaped += L'%';
        else if (!bQuoted && ch && wcschr(L"&|<>^", ch))
            strEscaped += L'^';
        strEscaped += ch;
    }
    return strEscaped;
}

CString FormatNetSendCommand(const CString& strParameter)
{
    CString strCommand;
    strCommand.Format(L"NET SEND %s", (const wchar_t*)EscapeForBatchLine(strParameter));
    return strCommand;
}
