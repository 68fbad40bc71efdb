// The cache files of undelivered messages: one XML file per message and target, named so that
// alphabetical order is age order.
#pragma once

#include "framework/core/CString.h"

class CMessageCache
{
public:
    // "<folder>AgentNotSent-<yyyy-mm-dd HHMMSS>-<nnnnn>.xml", with a process-wide sequence
    // number from 0; the folder ends with a backslash.
    static CString MakeFileName(const wchar_t* pszFolder);
    // The pattern that finds the cache files of a folder.
    static CString FilePattern(const wchar_t* pszFolder);

    // Creates a new empty file under a fresh name, so that no other save (of this process, or
    // of a restarted one within the same second) can take it. FALSE with the system's error
    // text when none could be created; strPath is then the name last tried.
    static BOOL ReserveFile(const wchar_t* pszFolder, CString& strPath, CString& strError);
    // Writes the message for that target; FALSE with the error text when the file could not be
    // written, which is then removed. Throws nothing.
    static BOOL SaveMessage(const wchar_t* pszPath, const wchar_t* pszHost, UINT nPort, const wchar_t* pszMessage,
                            const wchar_t* pszSourceFile, int nLine, CString& strError);
    // Reads a cache file back; FALSE (traced, the file left alone) when it is not one or its
    // port is not one that can be sent to.
    static BOOL ReadMessage(const wchar_t* pszPath, CString& strHost, CString& strMessage, UINT& nPort);
};
