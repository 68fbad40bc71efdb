// String and string-array helpers used across the deliverables.
#pragma once

#include "framework/Framework.h"

class CStringArrayEx;

// The number in decimal, made without the printf family: texts built once per alarm or record
// are cheaper by a few microseconds each under Wine.
CString DecimalText(long long nValue);

class CStringEx : public CString
{
public:
    CStringEx() {}
    CStringEx(const CString& s) : CString(s) {}
    CStringEx(const wchar_t* psz) : CString(psz) {}

    // Every piece between separators, empty pieces kept; an empty string gives none.
    void Split(wchar_t chSeparator, CStringArray& target) const;
    // Rewrites the string as a number with ',' between groups of three digits.
    void GroupDigits();
    // A new zero-terminated copy in the ANSI code page; the caller frees it with delete[].
    char* ToNarrow() const;
    void StripLeading(wchar_t ch);
};

class CStringArrayEx : public CStringArray
{
public:
    CStringArrayEx() {}
    CStringArrayEx(const CStringArray& other) : CStringArray(other) {}
    virtual ~CStringArrayEx() {}

    int Contains(const wchar_t* pszText) const;
    CString Join(const wchar_t* pszSeparator) const;
    void AddFormat(const wchar_t* pszFormat, ...);
    void Sort(BOOL bCaseSensitive);
    void RemoveDuplicates();
    void RemoveBlank();
    // Elements each followed by a zero, then one more zero; the caller frees it with delete[].
    wchar_t* ToMultiString(int& nLength) const;
    // Reads up to the double zero, and with nCount > 0 at most that many strings. nBufferLength,
    // when not negative, bounds the read to that many characters.
    void FromMultiString(int nCount, const wchar_t* pBuffer, int nBufferLength = -1);
};
