// The framework's string: UTF-16 text (CString) and 8-bit text in the ANSI code page (CStringA),
// one template for both. Formatting follows the Windows C runtime: in the wide string "%s" is a
// wide string and "%S" a narrow one; in the narrow string the other way round.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>
#include <type_traits>

template <typename T>
class CStringT
{
public:
    typedef T XCHAR;
    // The "other" character width, for conversions.
    typedef typename std::conditional<sizeof(T) == 1, wchar_t, char>::type YCHAR;

    CStringT() {}
    CStringT(const CStringT& other) : m_str(other.m_str) {}
    CStringT(CStringT&& other) noexcept : m_str(std::move(other.m_str)) {}
    CStringT(const T* psz) { if (psz) m_str = psz; }
    CStringT(const T* pch, int nLength) { if (pch && nLength > 0) m_str.assign(pch, nLength); }
    CStringT(T ch, int nRepeat = 1) { if (nRepeat > 0) m_str.assign(nRepeat, ch); }
    CStringT(const YCHAR* psz) { if (psz) AssignConverted(psz, -1); }
    CStringT(const YCHAR* pch, int nLength) { if (pch && nLength > 0) AssignConverted(pch, nLength); }
    template <typename U, typename = typename std::enable_if<!std::is_same<U, T>::value>::type>
    CStringT(const CStringT<U>& other) { AssignConverted(other.GetString(), other.GetLength()); }
    explicit CStringT(const std::basic_string<T>& s) : m_str(s) {}

    CStringT& operator=(const CStringT& other) { m_str = other.m_str; return *this; }
    CStringT& operator=(CStringT&& other) noexcept { m_str = std::move(other.m_str); return *this; }
    CStringT& operator=(const T* psz) { if (psz) m_str = psz; else m_str.clear(); return *this; }
    CStringT& operator=(T ch) { m_str.assign(1, ch); return *this; }
    CStringT& operator=(const YCHAR* psz) { m_str.clear(); if (psz) AssignConverted(psz, -1); return *this; }

    // --- access
    int GetLength() const { return (int)m_str.size(); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const T* GetString() const { return m_str.c_str(); }
    operator const T*() const { return m_str.c_str(); }
    T GetAt(int nIndex) const { return m_str.at((size_t)nIndex); }
    void SetAt(int nIndex, T ch) { m_str.at((size_t)nIndex) = ch; }
    T operator[](int nIndex) const { return GetAt(nIndex); }
    T operator[](unsigned nIndex) const { return GetAt((int)nIndex); }
    const std::basic_string<T>& str() const { return m_str; }

    // --- buffer access in the framework's style: write up to nMinLength characters, then
    // ReleaseBuffer (-1 takes the text up to its first NUL).
    T* GetBuffer(int nMinLength = 0)
    {
        if (nMinLength > GetLength())
            m_str.resize((size_t)nMinLength);
        return &m_str[0];
    }
    T* GetBufferSetLength(int nLength)
    {
        m_str.resize(nLength < 0 ? 0 : (size_t)nLength);
        return &m_str[0];
    }
    void ReleaseBuffer(int nNewLength = -1)
    {
        if (nNewLength < 0)
            nNewLength = (int)std::char_traits<T>::length(m_str.c_str());
        if ((size_t)nNewLength < m_str.size())
            m_str.resize((size_t)nNewLength);
    }

    // --- concatenation
    CStringT& operator+=(const CStringT& s) { m_str += s.m_str; return *this; }
    CStringT& operator+=(const T* psz) { if (psz) m_str += psz; return *this; }
    CStringT& operator+=(T ch) { m_str += ch; return *this; }
    CStringT& Append(const T* pch, int nLength) { if (pch && nLength > 0) m_str.append(pch, nLength); return *this; }
    CStringT& AppendChar(T ch) { m_str += ch; return *this; }

    friend CStringT operator+(const CStringT& a, const CStringT& b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(const CStringT& a, const T* b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(const T* a, const CStringT& b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(const CStringT& a, T b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(T a, const CStringT& b) { CStringT r(a); r += b; return r; }

    // --- comparison
    int Compare(const T* psz) const;
    int CompareNoCase(const T* psz) const;
    friend bool operator==(const CStringT& a, const CStringT& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CStringT& a, const T* b) { return a.m_str == (b ? b : EmptyText()); }
    friend bool operator==(const T* a, const CStringT& b) { return b == a; }
    friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
    friend bool operator!=(const CStringT& a, const T* b) { return !(a == b); }
    friend bool operator!=(const T* a, const CStringT& b) { return !(b == a); }
    friend bool operator<(const CStringT& a, const CStringT& b) { return a.m_str < b.m_str; }
    friend bool operator>(const CStringT& a, const CStringT& b) { return b.m_str < a.m_str; }
    friend bool operator<=(const CStringT& a, const CStringT& b) { return !(b.m_str < a.m_str); }
    friend bool operator>=(const CStringT& a, const CStringT& b) { return !(a.m_str < b.m_str); }

    // --- extraction
    CStringT Left(int nCount) const;
    CStringT Right(int nCount) const;
    CStringT Mid(int nFirst) const { return Mid(nFirst, GetLength()); }
    CStringT Mid(int nFirst, int nCount) const;
    CStringT SpanIncluding(const T* pszCharSet) const;
    CStringT SpanExcluding(const T* pszCharSet) const;
    CStringT Tokenize(const T* pszTokens, int& iStart) const;

    // --- search
    int Find(T ch, int nStart = 0) const;
    int Find(const T* pszSub, int nStart = 0) const;
    int ReverseFind(T ch) const;
    int FindOneOf(const T* pszCharSet) const;

    // --- modification
    int Replace(T chOld, T chNew);
    int Replace(const T* pszOld, const T* pszNew);
    int Remove(T ch);
    int Insert(int nIndex, T ch);
    int Insert(int nIndex, const T* psz);
    int Delete(int nIndex, int nCount = 1);
    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& MakeReverse();
    CStringT& TrimLeft();
    CStringT& TrimLeft(T chTarget);
    CStringT& TrimLeft(const T* pszTargets);
    CStringT& TrimRight();
    CStringT& TrimRight(T chTarget);
    CStringT& TrimRight(const T* pszTargets);
    CStringT& Trim() { TrimRight(); return TrimLeft(); }
    CStringT& Trim(T chTarget) { TrimRight(chTarget); return TrimLeft(chTarget); }
    CStringT& Trim(const T* pszTargets) { TrimRight(pszTargets); return TrimLeft(pszTargets); }

    // The string resource of the program module; FALSE (and empty) when it is missing.
    BOOL LoadString(UINT nID);

    // --- formatting (printf style of the Windows C runtime)
    void Format(const T* pszFormat, ...);
    void AppendFormat(const T* pszFormat, ...);
    void FormatV(const T* pszFormat, va_list args);
    void AppendFormatV(const T* pszFormat, va_list args);

private:
    static const T* EmptyText() { static const T empty[1] = {0}; return empty; }
    void AssignConverted(const YCHAR* psz, int nLength);

    std::basic_string<T> m_str;
};

typedef CStringT<wchar_t> CString;
typedef CStringT<char> CStringA;
typedef CStringT<wchar_t> CStringW;

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;
