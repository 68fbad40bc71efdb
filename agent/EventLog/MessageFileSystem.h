// How the agent reaches the message files that event sources name, and their texts. A 32-bit
// program on 64-bit Windows sees the 32-bit system folder under the system folder's name
// ("System32" is redirected to "SysWOW64"), where drivers and 64-bit components have no message
// files; the real system folder is reached through its alias "Sysnative" in the Windows folder.
// The platform's calls are the default; a stand-in can take their place to play that
// redirection, or what Windows' FormatMessage finds in a language.
#pragma once

#include "framework/Framework.h"

class CMessageFileSystem
{
public:
    virtual ~CMessageFileSystem() {}

    // The message file at strPath (environment references expanded), mapped as a data file; NULL
    // when it does not load. Under WOW64 a file named inside the system folder is looked for in
    // the real one first and then, where it is not there, as named: a 32-bit setup's copy went
    // to the 32-bit system folder while its source's key still names the system folder.
    HMODULE LoadMessageFile(const CString& strPath);

    // Whether this is a 32-bit process on 64-bit Windows.
    virtual BOOL IsWow64();
    // The system folder and the Windows folder, without a trailing backslash.
    virtual CString SystemFolder();
    virtual CString WindowsFolder();
    // The module mapped as a data file, its references not resolved; NULL when it does not load.
    virtual HMODULE LoadDataFile(const CString& strPath);
    // FormatMessage on a message of the module's message table in that language (0: the system's
    // order of languages); the number of characters, 0 when there is no such message.
    virtual DWORD FormatModuleMessage(DWORD dwFlags, HMODULE hModule, DWORD dwId, DWORD dwLanguage,
                                      LPWSTR pszBuffer, DWORD nSize, va_list* pArgs);

private:
    // The file's path through the alias where this process runs under WOW64 and the file lies
    // inside the system folder; otherwise the path as it is.
    CString NativePath(const CString& strPath);
};

// The process's file system for message files: the platform's unless another was installed.
CMessageFileSystem& MessageFileSystem();
void SetMessageFileSystem(CMessageFileSystem* pFileSystem);
