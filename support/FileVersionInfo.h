// The version block of a program file, its string values and the build number of this build.
#pragma once

#include "framework/core/CString.h"

class CFileVersionInfo
{
public:
    // An empty path means the running program.
    explicit CFileVersionInfo(const wchar_t* pszModulePath = L"");
    CFileVersionInfo(const CFileVersionInfo&) = delete;
    CFileVersionInfo& operator=(const CFileVersionInfo&) = delete;
    virtual ~CFileVersionInfo();

    // The value in the block's first translation; empty when there is none. The text lives
    // as long as this object.
    const wchar_t* GetValue(const wchar_t* pszName) const;
    const wchar_t* GetProductName() const { return GetValue(L"ProductName"); }
    UINT GetBuildNumber() const { return m_nBuildNumber; }

    // Whole days from 1 June 2004 to a compiler date ("Jul 28 2021") plus 4; 0, with a
    // trace line, when the month word is unknown.
    static UINT BuildNumberFromDate(const char* pszDate);

    BOOL m_bExplicitPath;
    CString m_strPath;
    BYTE* m_pVersionBlock = nullptr;
    UINT m_nBuildNumber;
    CString m_strBuildDate;   // "%s at %s": build date and time
    CString m_strProductLine; // "%s %s build %u": product name, product version, build number
    CString m_strVersionLine; // "Version %s build %u"
    CString m_strFullLine;    // "%s version %s build %u, %s": ... and the copyright
};
