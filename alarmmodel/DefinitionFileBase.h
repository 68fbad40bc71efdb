// Shared reading and writing of the tagged line files: lines "%03u %s" closed per record by
// the line "@EOR@", behind the standard header.
#pragma once

#include "framework/Framework.h"

class CDefinitionFileBase
{
public:
    virtual ~CDefinitionFileBase() {}

    // The lines of the file without its comment lines; FALSE when there were none.
    static BOOL ReadLines(const wchar_t* pszPath, CStringArray& arrLines);
    // Behind the standard header; on FALSE the old file is left whole.
    static BOOL WriteLines(const wchar_t* pszPath, const CStringArray& arrLines, const wchar_t* pszContents);
    // Tells the programs that read the definitions and scripts that they changed.
    static void RaiseDefinitionsRevision();
    // The program folder followed by the file name.
    static CString ProgramFilePath(const wchar_t* pszFileName);

    static void AddTaggedLine(CStringArray& arrLines, UINT nTag, const wchar_t* pszText);
    static void AddNumberLine(CStringArray& arrLines, UINT nTag, UINT nNumber);
    static void AddArrayLine(CStringArray& arrLines, UINT nTag, const CStringArray& arrItems, wchar_t chSeparator);

    // The tag in the first three characters and the value from the fifth on; the fourth
    // character is skipped whatever it is.
    static UINT LineTag(const CString& strLine);
    static CString LineValue(const CString& strLine);
    static const wchar_t* LineValueStart(const CString& strLine);

    static const wchar_t EndOfRecord[];
};
