// What the standard command line says: flags ("/x" or "-x") and a file name. Only the splash
// flag is used by the programs here; the rest is kept for what the shell may pass.
#pragma once

#include "framework/core/CString.h"

class CCommandLineInfo
{
public:
    enum FileAction { FileNew, FileOpen, FileNothing };

    CCommandLineInfo();
    virtual ~CCommandLineInfo() {}

    // One argument, without its "/" or "-" when bFlag; bLast for the final one.
    virtual void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash; // off when started by OLE ("Embedding", "Automation")
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    FileAction m_nShellCommand;
    CString m_strFileName;
};
