// How the agent reaches the message files that event sources name. A 32-bit program on 64-bit
// Windows sees the 32-bit system folder under the system folder's name ("System32" is redirected
// to "SysWOW64"), where drivers and 64-bit components have no message files; the real system
// folder is reached through its alias "Sysnative" in the Windows folder. The platform's calls are
// the default; a stand-in can take their place to play that redirection.
#pragma once

#include "framework/Framework.h"

class CMessageFileSystem
{
public:
    virtual ~CMessageFileSystem() {}

    // The path to load for the message file at strPath (environment references expanded): a file
    // inside the system folder through the alias when this process runs under WOW64, any other
    // path as it is.
    CString NativePath(const CString& strPath);

    // Whether this is a 32-bit process on 64-bit Windows.
    virtual BOOL IsWow64();
    // The system folder and the Windows folder, without a trailing backslash.
    virtual CString SystemFolder();
    virtual CString WindowsFolder();
    // The module mapped as a data file, its references not resolved; NULL when it does not load.
    virtual HMODULE LoadDataFile(const CString& strPath);
};

// The process's file system for message files: the platform's unless another was installed.
CMessageFileSystem& MessageFileSystem();
void SetMessageFileSystem(CMessageFileSystem* pFileSystem);
