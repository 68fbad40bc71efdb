// The console's per-user memory, section "Belvane" of the application object's profile, with
// three composite forms: integer lists ("1,2,3"), string lists (binary value under the name
// with "W" appended) and rectangles (an integer list under "<name> rect": top, bottom, left,
// right). Failures are silent: a missing value gives the default.
#pragma once

#include "framework/Framework.h"

#include <vector>

class CAppProfile
{
public:
    virtual ~CAppProfile() {}

    int GetInt(const wchar_t* pszName, int nDefault);
    void WriteInt(const wchar_t* pszName, int nValue);
    // TRUE only when the stored integer is exactly 1; stored as given.
    BOOL GetBool(const wchar_t* pszName, BOOL bDefault);
    void WriteBool(const wchar_t* pszName, BOOL bValue);
    CString GetString(const wchar_t* pszName, const wchar_t* pszDefault);
    void WriteString(const wchar_t* pszName, const wchar_t* pszText);

    void WriteIntList(const wchar_t* pszName, const std::vector<int>& values);
    void GetIntList(const wchar_t* pszName, std::vector<int>& values);
    void WriteStringList(const wchar_t* pszName, const CStringArray& strings);
    void GetStringList(const wchar_t* pszName, CStringArray& strings);
    void WriteRect(const wchar_t* pszName, const RECT& rect);
    // The default unless exactly four numbers are stored.
    RECT GetRect(const wchar_t* pszName, const RECT& rectDefault);
};

// The console's profile.
CAppProfile& GetAppProfile();
