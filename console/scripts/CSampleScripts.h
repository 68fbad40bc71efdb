// The sample scripts offered by the Define Script dialog: 8-bit text lines in which a line
// beginning with ">'" opens a sample titled by the rest of that line; the sample's body is the
// lines up to the next title line.
#pragma once

#include "framework/core/CStringArray.h"

#include <map>
#include <string>

class CSampleScripts
{
public:
    // From the program's RT_HTML resource of that id; nothing when there is none.
    BOOL LoadResource(UINT nID);
    // The text (no terminating NUL needed), CR LF or LF line ends.
    void Parse(const char* pText, size_t nLength);

    // Sorted by plain character comparison; a title that occurs twice is listed twice.
    const CStringArray& GetTitles() const { return m_arrTitles; }
    // The body lines of the title's sample (the later one for a title that occurs twice);
    // none for an unknown title.
    void GetBody(const CString& strTitle, CStringArray& body) const;

private:
    CStringArray m_arrLines;
    CStringArray m_arrTitles;
    // Per title: the count of body lines in the high 16 bits, the first body line in the low.
    std::map<std::wstring, DWORD> m_mapIndex;
};
