#include "alarmmodel/channels/CommandRunner.h"

#include "alarmmodel/channels/ConsoleTextFile.h"
#include "alarmmodel/channels/HiddenProcess.h"
#include "support/AppPaths.h"

namespace
{
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
    const CString& strTemp = GetAppPaths().GetTempFolder();
    CConsoleTextFile batch(strTemp + L"\\BelvaneNetSendTestScript.bat");
    CConsoleTextFile outputFile(strTemp + L"\\BelvaneNetSendTestOutput.txt");
    CConsoleTextFile errorFile(strTemp + L"\\BelvaneNetSendTestErrors.txt");
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
    CString strCommandLine;
    strCommandLine.Format(L"%s 1> %s 2> %s", (const wchar_t*)batch.m_strPath,
                          (const wchar_t*)outputFile.m_strPath, (const wchar_t*)errorFile.m_strPath);
    if (!RunHiddenProcess(strCommandLine, strTemp, strError))
    {
        errors.Add(strError);
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
