// Shared reading and writing of the tagged line files: lines "%03u %s" closed per record by
// the line "@EOR@", behind the standard header.
#pragma once

#include "framework/Framework.h"

class CDefinitionFileBase
{
public:
    virtual ~CDefinitionFileBase() {}

    static void AddTaggedLine(CStringArray& arrLines, UINT nTag, const wchar_t* pszText);
    static void AddNumberLine(CStringArray& arrLines, UINT nTag, UINT nNumber);
    static void AddArrayLine(CStringArray& arrLines, UINT nTag, const CStringArray& arrItems, wchar_t chSeparator);

    // The tag in the first three characters and the value from the fifth on; the fourth
    // character is skipped whatever it is.
    static UINT LineTag(const CString& strLine);
    static CString LineValue(const CString& strLine);

    static const wchar_t EndOfRecord[];
};
