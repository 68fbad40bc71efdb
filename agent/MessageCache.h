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

    // Writes the message for that target; FALSE when the file could not be written.
    static BOOL SaveMessage(const wchar_t* pszPath, const wchar_t* pszHost, UINT nPort, const wchar_t* pszMessage,
                            const wchar_t* pszSourceFile, int nLine);
    // Reads a cache file back; FALSE (traced, the file left alone) when it is not one.
    static BOOL ReadMessage(const wchar_t* pszPath, CString& strHost, CString& strMessage, UINT& nPort);
};
