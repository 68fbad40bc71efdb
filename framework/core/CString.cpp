#include "framework/core/CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace
{
// Character-width specific primitives. The wide ones use msvcrt's _vsnwprintf family on purpose:
// the C99 vswprintf that libstdc++ selects reads "%s" as a narrow string.
int FormattedLength(const wchar_t* fmt, va_list args) { return _vscwprintf(fmt, args); }
int FormattedLength(const char* fmt, va_list args) { return _vscprintf(fmt, args); }
int FormatInto(wchar_t* buf, size_t n, const wchar_t* fmt, va_list args) { return _vsnwprintf(buf, n, fmt, args); }
int FormatInto(char* buf, size_t n, const char* fmt, va_list args) { return _vsnprintf(buf, n, fmt, args); }

int CompareIgnoringCase(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
int CompareIgnoringCase(const char* a, const char* b) { return _stricmp(a, b); }

bool IsSpace(wchar_t c) { return iswspace(c) != 0; }
bool IsSpace(char c) { return isspace((unsigned char)c) != 0; }

void ToUpper(std::wstring& s) { if (!s.empty()) CharUpperBuffW(&s[0], (DWORD)s.size()); }
void ToUpper(std::string& s) { if (!s.empty()) CharUpperBuffA(&s[0], (DWORD)s.size()); }
void ToLower(std::wstring& s) { if (!s.empty()) CharLowerBuffW(&s[0], (DWORD)s.size()); }
void ToLower(std::string& s) { if (!s.empty()) CharLowerBuffA(&s[0], (DWORD)s.size()); }

// ANSI code page conversions, as the framework converts between its two string widths.
std::wstring Convert(const char* psz, int nLength)
{
    int n = MultiByteToWideChar(CP_ACP, 0, psz, nLength, nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring out((size_t)n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, psz, nLength, &out[0], n);
    if (nLength < 0)
        out.resize((size_t)n - 1); // drop the converted terminator
    return out;
}

std::string Convert(const wchar_t* psz, int nLength)
{
    int n = WideCharToMultiByte(CP_ACP, 0, psz, nLength, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return std::string();
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(CP_ACP, 0, psz, nLength, &out[0], n, nullptr, nullptr);
    if (nLength < 0)
        out.resize((size_t)n - 1);
    return out;
}

template <typename T>
bool InSet(T ch, const T* set)
{
    for (; set && *set; ++set)
        if (*set == ch)
            return true;
    return false;
}
} // namespace

template <typename T>
void CStringT<T>::AssignConverted(const YCHAR* psz, int nLength)
{
    m_str = Convert(psz, nLength);
}

template <typename T>
int CStringT<T>::Compare(const T* psz) const
{
    return m_str.compare(psz ? psz : EmptyText());
}

template <typename T>
int CStringT<T>::CompareNoCase(const T* psz) const
{
    return CompareIgnoringCase(m_str.c_str(), psz ? psz : EmptyText());
}

template <typename T>
CStringT<T> CStringT<T>::Left(int nCount) const
{
    if (nCount <= 0)
        return CStringT();
    return CStringT(m_str.substr(0, (size_t)nCount));
}

template <typename T>
CStringT<T> CStringT<T>::Right(int nCount) const
{
    if (nCount <= 0)
        return CStringT();
    if (nCount >= GetLength())
        return *this;
    return CStringT(m_str.substr(m_str.size() - (size_t)nCount));
}

template <typename T>
CStringT<T> CStringT<T>::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nCount <= 0 || nFirst >= GetLength())
        return CStringT();
    return CStringT(m_str.substr((size_t)nFirst, (size_t)nCount));
}

template <typename T>
CStringT<T> CStringT<T>::SpanIncluding(const T* pszCharSet) const
{
    size_t n = 0;
    while (n < m_str.size() && InSet(m_str[n], pszCharSet))
        ++n;
    return Left((int)n);
}

template <typename T>
CStringT<T> CStringT<T>::SpanExcluding(const T* pszCharSet) const
{
    size_t n = 0;
    while (n < m_str.size() && !InSet(m_str[n], pszCharSet))
        ++n;
    return Left((int)n);
}

template <typename T>
CStringT<T> CStringT<T>::Tokenize(const T* pszTokens, int& iStart) const
{
    if (iStart < 0)
        return CStringT();
    size_t pos = (size_t)iStart;
    while (pos < m_str.size() && InSet(m_str[pos], pszTokens))
        ++pos;
    if (pos >= m_str.size())
    {
        iStart = -1;
        return CStringT();
    }
    size_t end = pos;
    while (end < m_str.size() && !InSet(m_str[end], pszTokens))
        ++end;
    iStart = (int)(end < m_str.size() ? end + 1 : end);
    return CStringT(m_str.substr(pos, end - pos));
}

template <typename T>
int CStringT<T>::Find(T ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    size_t pos = m_str.find(ch, (size_t)nStart);
    return pos == std::basic_string<T>::npos ? -1 : (int)pos;
}

template <typename T>
int CStringT<T>::Find(const T* pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(pszSub, (size_t)nStart);
    return pos == std::basic_string<T>::npos ? -1 : (int)pos;
}

template <typename T>
int CStringT<T>::ReverseFind(T ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::basic_string<T>::npos ? -1 : (int)pos;
}

template <typename T>
int CStringT<T>::FindOneOf(const T* pszCharSet) const
{
    for (size_t i = 0; i < m_str.size(); ++i)
        if (InSet(m_str[i], pszCharSet))
            return (int)i;
    return -1;
}

template <typename T>
int CStringT<T>::Replace(T chOld, T chNew)
{
    int n = 0;
    for (T& c : m_str)
        if (c == chOld)
        {
            c = chNew;
            ++n;
        }
    return n;
}

template <typename T>
int CStringT<T>::Replace(const T* pszOld, const T* pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    const std::basic_string<T> from(pszOld), to(pszNew ? pszNew : EmptyText());
    int n = 0;
    size_t pos = 0;
    while ((pos = m_str.find(from, pos)) != std::basic_string<T>::npos)
    {
        m_str.replace(pos, from.size(), to);
        pos += to.size();
        ++n;
    }
    return n;
}

template <typename T>
int CStringT<T>::Remove(T ch)
{
    size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return (int)(before - m_str.size());
}

template <typename T>
int CStringT<T>::Insert(int nIndex, T ch)
{
    T text[2] = {ch, 0};
    return Insert(nIndex, text);
}

template <typename T>
int CStringT<T>::Insert(int nIndex, const T* psz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    if (psz)
        m_str.insert((size_t)nIndex, psz);
    return GetLength();
}

template <typename T>
int CStringT<T>::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase((size_t)nIndex, (size_t)nCount);
    return GetLength();
}

template <typename T>
CStringT<T>& CStringT<T>::MakeUpper()
{
    ToUpper(m_str);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::MakeLower()
{
    ToLower(m_str);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && IsSpace(m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::TrimLeft(T chTarget)
{
    size_t n = 0;
    while (n < m_str.size() && m_str[n] == chTarget)
        ++n;
    m_str.erase(0, n);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::TrimLeft(const T* pszTargets)
{
    size_t n = 0;
    while (n < m_str.size() && InSet(m_str[n], pszTargets))
        ++n;
    m_str.erase(0, n);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && IsSpace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::TrimRight(T chTarget)
{
    size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == chTarget)
        --n;
    m_str.resize(n);
    return *this;
}

template <typename T>
CStringT<T>& CStringT<T>::TrimRight(const T* pszTargets)
{
    size_t n = m_str.size();
    while (n > 0 && InSet(m_str[n - 1], pszTargets))
        --n;
    m_str.resize(n);
    return *this;
}

template <typename T>
void CStringT<T>::AppendFormatV(const T* pszFormat, va_list args)
{
    if (!pszFormat)
        return;
    va_list probe;
    va_copy(probe, args);
    int n = FormattedLength(pszFormat, probe);
    va_end(probe);
    if (n <= 0)
        return;
    std::vector<T> buf((size_t)n + 1);
    va_list use;
    va_copy(use, args);
    FormatInto(buf.data(), buf.size(), pszFormat, use);
    va_end(use);
    m_str.append(buf.data(), (size_t)n);
}

template <typename T>
void CStringT<T>::FormatV(const T* pszFormat, va_list args)
{
    CStringT result;
    result.AppendFormatV(pszFormat, args);
    m_str.swap(result.m_str);
}

template <typename T>
void CStringT<T>::Format(const T* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

template <typename T>
void CStringT<T>::AppendFormat(const T* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

template <typename T>
BOOL CStringT<T>::LoadString(UINT nID)
{
    // The resource stays mapped with the module: read it in place, then convert.
    const wchar_t* pszResource = nullptr;
    int nLength = ::LoadStringW(GetModuleHandleW(nullptr), nID, (LPWSTR)&pszResource, 0);
    if (nLength <= 0)
    {
        Empty();
        return FALSE;
    }
    *this = CStringT(CStringT<wchar_t>(pszResource, nLength));
    return TRUE;
}

template class CStringT<wchar_t>;
template class CStringT<char>;
