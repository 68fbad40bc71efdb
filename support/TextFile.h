// Whole files of 8-bit text lines (one byte per character, CR LF line ends), and the
// standard header that marks every file the system writes for people.
#pragma once

#include "framework/Framework.h"

class CTextFile
{
public:
    explicit CTextFile(const wchar_t* pszPath) : m_strPath(pszPath) {}
    virtual ~CTextFile() {}

    // TRUE when at least one line was read; a read error keeps the lines read so far.
    BOOL ReadLines(CStringArray& lines);
    // With bSkipComments, lines beginning with "#" are left out; TRUE when one was kept.
    BOOL ReadLinesSkipComments(CStringArray& lines, BOOL bSkipComments);
    // Replaces the file only when every line could be written; otherwise the old file stays
    // as it was and the result is FALSE, with the system's reason for GetLastError.
    BOOL WriteLines(const CStringArray& lines);
    // The same, behind the standard header naming the contents.
    BOOL WriteWithHeader(const CStringArray& lines, const wchar_t* pszContents);
    void Delete();

    // The fourteen header lines, with the running program's version values.
    static void BuildHeader(const wchar_t* pszContents, CStringArray& header);

    CString m_strPath;

private:
    BOOL Read(CStringArray& lines, UINT nShare, int nGrowBy, BOOL bSkipComments);
};
