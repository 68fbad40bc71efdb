// The agent's diagnostic trace: time-stamped lines to a file beside the executable and, when
// asked, to the console. Safe to call from any thread.
#pragma once

#include "framework/core/CString.h"

#include <cstdio>

class CTraceLog
{
public:
    CTraceLog();
    ~CTraceLog();
    CTraceLog(const CTraceLog&) = delete;
    CTraceLog& operator=(const CTraceLog&) = delete;

    // The file is "<exe folder>\<fixed name>" or "<exe folder>\<prefix>-<yyyy-mm-dd><suffix>";
    // when it cannot be opened the lines go to the console instead.
    void Open(BOOL bConsole, BOOL bFile, BOOL bFixedName, const wchar_t* pszFixedName,
              const wchar_t* pszPrefix, const wchar_t* pszSuffix);
    void SetTraceLevel(int nLevel) { m_nTraceLevel = nLevel; }
    int GetTraceLevel() const { return m_nTraceLevel; }
    const CString& GetPath() const { return m_strPath; }

    // A levelled line "TRACE (level) : text", dropped when the level is above the trace level.
    void Trace(int nLevel, const wchar_t* pszFormat, ...);
    // Whether lines of that level are written: work done only for them can be skipped.
    BOOL Traces(int nLevel) const { return nLevel <= m_nTraceLevel && HasOutput(); }
    // An unlevelled line, always written.
    void WriteLine(const wchar_t* pszFormat, ...);
    // Three unlevelled lines: the text, the last WinSock error code and its text.
    void SocketError(const wchar_t* pszFormat, ...);

    int m_bConsole;
    int m_bFile;
    int m_bFixedName;

private:
    // A line goes to the console or the file; without either, formatting it is wasted.
    BOOL HasOutput() const;
    void WriteText(const wchar_t* pszText);
    void WriteToConsole(const CString& strLine);
    void WriteToFile(const CString& strLine);

    FILE* m_pFile;
    int m_nTraceLevel;
    CString m_strFolder;
    CString m_strPath;
};

// The process-wide trace log.
CTraceLog& TraceLog();
