// The collectors the agent forwards to: "TARGET> host:port" lines behind the standard header
// in "QuorvexTargets.txt" beside the executable.
#pragma once

#include "framework/core/CStringArray.h"

class CTargetList
{
public:
    // The list beside the executable.
    CTargetList();
    explicit CTargetList(const wchar_t* pszPath);

    // The targets in file order; empty when the file cannot be read.
    void ReadTargets(CStringArray& targets) const;
    // Replaces the file with the header and the lines (already "TARGET> %s"); 1 when written,
    // else 0 with the reason in strError. Readers never see a partly written list.
    int WriteTargets(const CStringArray& lines, CString& strError) const;

    const CString& GetPath() const { return m_strPath; }

private:
    CString m_strPath;
};
