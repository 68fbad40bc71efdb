#include "alarmmodel/channels/ScriptRunner.h"

#include "alarmmodel/channels/ConsoleTextFile.h"
#include "alarmmodel/channels/HiddenProcess.h"
#include "support/AppPaths.h"
#include "support/StringEx.h"

const wchar_t* const CScriptRunner::ScriptFileName = L"TervokScript.vbs";
const wchar_t* const CScriptRunner::BatchFileName = L"TervokDosScript.bat";
const wchar_t* const CScriptRunner::OutputFileName = L"TervokDosOutput.txt";
const wchar_t* const CScriptRunner::StartMarker = L"# {{--Script-Start--}}";
const wchar_t* const CScriptRunner::EndMarker = L"# {{--Script-End--}}";

namespace
{
CString& HostProgram()
{
    static CString strProgram(L"cscript");
    return strProgram;
}

CString HostOptions(BOOL bActiveDebug, BOOL bInDebugger, BOOL bNoBanner, BOOL bUnicode,
                    int nTimeLimit)
{
    CString strOptions;
    if (bActiveDebug)
        strOptions += L"//D ";
    if (bInDebugger)
        strOptions += L"//X ";
    strOptions += bNoBanner ? L"//Nologo " : L"//Logo ";
    if (bUnicode)
        strOptions += L"//U ";
    if (nTimeLimit > 0)
        strOptions.AppendFormat(L"//T:%d", nTimeLimit);
    return strOptions;
}

// The per-user data folder, ending with a backslash.
CString WorkFilesFolder()
{
    CAppPaths& paths = GetAppPaths();
    if (paths.GetUserDataFolder().IsEmpty())
        paths.MakeUserDataFolder();
    CString strFolder(paths.GetUserDataFolder());
    if (!strFolder.IsEmpty() && strFolder[strFolder.GetLength() - 1] != L'\\')
        strFolder += L'\\';
    return strFolder;
}

void BuildBatchLines(const CString& strFolder, const CString& strCommand, CStringArray& lines)
{
    const wchar_t* const fixedHead[] = {L"ECHO OFF", L"ECHO #++", L"ECHO #"};
    for (const wchar_t* psz : fixedHead)
        lines.Add(psz);
    CString strLine;
    strLine.Format(L"ECHO #   TERVOK DOS Command file to run VBS script %s",
                   CScriptRunner::ScriptFileName);
    lines.Add(strLine);
    lines.Add(L"ECHO #");
    lines.Add(L"ECHO #   Change Directory");
    lines.Add(L"ECHO #");
    lines.Add(L"CHDIR " + strFolder);
    lines.Add(L"CD");
    lines.Add(L"ECHO #");
    lines.Add(L"ECHO #   Command");
    lines.Add(L"ECHO #");
    lines.Add(L"ECHO \"" + strCommand + L"\"");
    lines.Add(CString(L"ECHO ") + CScriptRunner::StartMarker);
    lines.Add(strCommand);
    lines.Add(CString(L"ECHO ") + CScriptRunner::EndMarker);
    const wchar_t* const fixedTail[] = {L"ECHO #", L"ECHO #   Finished", L"ECHO #", L"ECHO #--"};
    for (const wchar_t* psz : fixedTail)
        lines.Add(psz);
}

// The lines between the markers; all lines when nothing lies between them.
void KeepScriptOutput(CStringArray& output)
{
    CStringArray taken;
    int i = 0;
    while (i < output.GetSize() && output[i].Find(CScriptRunner::StartMarker) < 0)
        ++i;
    for (++i; i < output.GetSize() && output[i].Find(CScriptRunner::EndMarker) < 0; ++i)
        taken.Add(output[i]);
    if (taken.GetSize() > 0)
        output.Copy(taken);
}
} // namespace

CScriptRunner::CScriptRunner(BOOL bActiveDebug, BOOL bInDebugger, BOOL bNoBanner, BOOL bUnicode,
                             int nTimeLimit, BOOL bScriptOnly, const CStringArray& script,
                             CStringArray& output)
{
    RunScript(bActiveDebug, bInDebugger, bNoBanner, bUnicode, nTimeLimit, bScriptOnly, script,
              output);
}

CScriptRunner::CScriptRunner(const CString& strScript, CStringArray& output)
{
    RunScriptText(strScript, output);
}

void CScriptRunner::SetHostProgram(const wchar_t* pszProgram)
{
    HostProgram() = pszProgram;
}

const CString& CScriptRunner::GetHostProgram()
{
    return HostProgram();
}

void CScriptRunner::RunScript(BOOL bActiveDebug, BOOL bInDebugger, BOOL bNoBanner, BOOL bUnicode,
                              int nTimeLimit, BOOL bScriptOnly, const CStringArray& script,
                              CStringArray& output)
{
    output.RemoveAll();
    CString strFolder = WorkFilesFolder();
    CConsoleTextFile scriptFile(strFolder + ScriptFileName);
    CConsoleTextFile batchFile(strFolder + BatchFileName);
    CConsoleTextFile outputFile(strFolder + OutputFileName);
    CString strError;
    if (!scriptFile.Remove(strError) || !batchFile.Remove(strError) || !outputFile.Remove(strError))
    {
        output.Add(strError);
        return;
    }

    CString strCommand;
    strCommand.Format(L"%s %s %s", (const wchar_t*)HostProgram(),
                      (const wchar_t*)HostOptions(bActiveDebug, bInDebugger, bNoBanner, bUnicode,
                                                  nTimeLimit),
                      ScriptFileName);
    CStringArray batchLines;
    BuildBatchLines(strFolder, strCommand, batchLines);

    if (!scriptFile.WriteScriptLines(script))
    {
        output.Add(L"Cannot write " + scriptFile.m_strPath);
        return;
    }
    if (!batchFile.WriteOemLines(batchLines, strError))
    {
        output.Add(strError);
        return;
    }
    CString strCommandLine;
    strCommandLine.Format(L"\"%s\" 1> \"%s\" 2>&1", (const wchar_t*)batchFile.m_strPath,
                          (const wchar_t*)outputFile.m_strPath);
    if (!RunHiddenProcess(strCommandLine, GetAppPaths().GetWorkFolder(), strError))
    {
        output.Add(strError);
        return;
    }
    outputFile.ReadOemLinesAround(CStringA(StartMarker), CStringA(EndMarker), output);
    if (bScriptOnly)
        KeepScriptOutput(output);
}

void CScriptRunner::RunScriptText(const CString& strScript, CStringArray& output)
{
    CString strText(strScript);
    strText.Remove(L'\r');
    CStringArray lines;
    CStringEx(strText).Split(L'\n', lines);
    output.RemoveAll();
    RunScript(FALSE, FALSE, TRUE, FALSE, 60, TRUE, lines, output);
}
