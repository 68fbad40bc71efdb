// Runs a VBScript text with the script host in a hidden process and returns its console
// output as lines, on request only what the script itself wrote.
#pragma once

#include "framework/Framework.h"

class CScriptRunner
{
public:
    // Each constructor runs one script at once.
    CScriptRunner(BOOL bActiveDebug, BOOL bInDebugger, BOOL bNoBanner, BOOL bUnicode,
                  int nTimeLimit, BOOL bScriptOnly, const CStringArray& script,
                  CStringArray& output);
    CScriptRunner(const CString& strScript, CStringArray& output);
    virtual ~CScriptRunner() {}

    void RunScript(BOOL bActiveDebug, BOOL bInDebugger, BOOL bNoBanner, BOOL bUnicode,
                   int nTimeLimit, BOOL bScriptOnly, const CStringArray& script,
                   CStringArray& output);
    // No banner, 60 seconds at most, only the script's own output.
    void RunScriptText(const CString& strScript, CStringArray& output);

    // The program the batch file starts, "cscript" unless a stand-in was set.
    static void SetHostProgram(const wchar_t* pszProgram);
    static const CString& GetHostProgram();

    static const wchar_t* const ScriptFileName;
    static const wchar_t* const BatchFileName;
    static const wchar_t* const OutputFileName;
    static const wchar_t* const StartMarker;
    static const wchar_t* const EndMarker;
};
