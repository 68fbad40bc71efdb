#include "support/StringEx.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <vector>

void CStringEx::Split(wchar_t chSeparator, CStringArray& target) const
{
    target.RemoveAll();
    target.SetSize(0, 10000);
    if (IsEmpty())
        return;
    int start = 0;
    for (;;)
    {
        int sep = Find(chSeparator, start);
        if (sep < 0)
        {
            target.Add(Mid(start));
            return;
        }
        target.Add(Mid(start, sep - start));
        start = sep + 1;
    }
}

namespace
{
// The leading decimal digits (after blanks), with ',' after every group of three from the right.
CString GroupInteger(const CString& text)
{
    int i = 0;
    while (i < text.GetLength() && iswspace(text[i]))
        ++i;
    unsigned long long value = 0;
    for (; i < text.GetLength() && iswdigit(text[i]); ++i)
        value = value * 10 + (unsigned)(text[i] - L'0');
    CString plain;
    plain.Format(L"%I64u", value);
    CString grouped;
    int n = plain.GetLength();
    for (int k = 0; k < n; ++k)
    {
        if (k > 0 && (n - k) % 3 == 0)
            grouped += L',';
        grouped += plain[k];
    }
    return grouped;
}
} // namespace

void CStringEx::GroupDigits()
{
    CString sign;
    CString rest = *this;
    if (!rest.IsEmpty() && (rest[0] == L'-' || rest[0] == L'+'))
    {
        sign = rest.Left(1);
        rest = rest.Mid(1);
    }
    int dot = rest.Find(L'.');
    CString result;
    if (dot < 0)
        result = GroupInteger(rest);
    else
    {
        CString whole = rest.Left(dot);
        if (!whole.IsEmpty())
            result = GroupInteger(whole);
        result += rest.Mid(dot);
    }
    *this = sign + result;
}

char* CStringEx::ToNarrow() const
{
    int size = GetLength() * 2 + 1;
    char* out = new char[(size_t)size];
    int n = WideCharToMultiByte(CP_ACP, 0, GetString(), GetLength(), out, size - 1, nullptr, nullptr);
    out[n > 0 ? n : 0] = '\0';
    return out;
}

void CStringEx::StripLeading(wchar_t ch)
{
    TrimLeft(ch);
}

int CStringArrayEx::Contains(const wchar_t* pszText) const
{
    for (const CString& s : m_items)
        if (s == pszText)
            return 1;
    return 0;
}

CString CStringArrayEx::Join(const wchar_t* pszSeparator) const
{
    CString out;
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        if (i > 0)
            out += pszSeparator;
        out += m_items[i];
    }
    return out;
}

void CStringArrayEx::AddFormat(const wchar_t* pszFormat, ...)
{
    // Formatted to its own length (a fixed 64K buffer per call costs a large allocation),
    // then held to the 65,535 characters a line may have.
    CString strText;
    va_list args;
    va_start(args, pszFormat);
    strText.FormatV(pszFormat, args);
    va_end(args);
    if (strText.GetLength() > 65535)
        strText = strText.Left(65535);
    Add(strText);
}

void CStringArrayEx::Sort(BOOL bCaseSensitive)
{
    if (m_items.size() < 2)
        return;
    auto less = [bCaseSensitive](const CString& a, const CString& b) {
        return (bCaseSensitive ? wcscmp(a, b) : _wcsicmp(a, b)) < 0;
    };
    std::sort(m_items.begin(), m_items.end(), less);
}

void CStringArrayEx::RemoveDuplicates()
{
    if (m_items.size() < 2)
        return;
    CStringArrayEx kept;
    for (const CString& s : m_items)
        if (!kept.Contains(s))
            kept.Add(s);
    m_items.swap(kept.m_items);
}

void CStringArrayEx::RemoveBlank()
{
    std::vector<CString> kept;
    for (const CString& s : m_items)
    {
        CString trimmed = s;
        if (!trimmed.TrimRight().IsEmpty())
            kept.push_back(s);
    }
    m_items.swap(kept);
}

wchar_t* CStringArrayEx::ToMultiString(int& nLength) const
{
    nLength = 1;
    for (const CString& s : m_items)
        nLength += s.GetLength() + 1;
    wchar_t* out = new wchar_t[(size_t)nLength];
    wchar_t* p = out;
    for (const CString& s : m_items)
    {
        wmemcpy(p, s.GetString(), (size_t)s.GetLength());
        p += s.GetLength();
        *p++ = L'\0';
    }
    *p = L'\0';
    return out;
}

void CStringArrayEx::FromMultiString(int nCount, const wchar_t* pBuffer, int nBufferLength)
{
    RemoveAll();
    if (!pBuffer)
        return;
    const size_t limit = nBufferLength < 0 ? (size_t)-1 : (size_t)nBufferLength;
    size_t pos = 0;
    auto next = [&]() {
        size_t start = pos;
        while (pos < limit && pBuffer[pos] != L'\0')
            ++pos;
        Add(CString(pBuffer + start, (int)(pos - start)));
        if (pos < limit)
            ++pos; // past the terminator
    };
    if (limit == 0)
        return;
    // A count never reads past the end mark: what follows it is not the caller's list.
    int nRead = 0;
    do
    {
        next();
        ++nRead;
    } while ((nCount <= 0 || nRead < nCount) && pos < limit && pBuffer[pos] != L'\0');
}

CString DecimalText(long long nValue)
{
    wchar_t szDigits[24];
    wchar_t* p = szDigits + 23;
    *p = 0;
    unsigned long long nMagnitude = nValue < 0 ? 0ULL - (unsigned long long)nValue : (unsigned long long)nValue;
    do
        *--p = (wchar_t)(L'0' + nMagnitude % 10);
    while (nMagnitude /= 10);
    if (nValue < 0)
        *--p = L'-';
    return CString(p);
}
