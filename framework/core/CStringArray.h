// The framework's array of strings: index-based, growing as elements are added.
#pragma once

#include "framework/core/CString.h"

#include <vector>

class CStringArray
{
public:
    CStringArray() {}
    CStringArray(const CStringArray& other) = default;
    CStringArray& operator=(const CStringArray& other) = default;
    virtual ~CStringArray() {}

    int GetSize() const { return (int)m_items.size(); }
    int GetCount() const { return (int)m_items.size(); }
    int GetUpperBound() const { return (int)m_items.size() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    // The growth step is kept for the callers' sake; storage grows as the vector does.
    void SetSize(int nNewSize, int nGrowBy = -1);

    const CString& GetAt(int nIndex) const { return m_items.at((size_t)nIndex); }
    CString& ElementAt(int nIndex) { return m_items.at((size_t)nIndex); }
    void SetAt(int nIndex, const CString& s) { m_items.at((size_t)nIndex) = s; }
    void SetAtGrow(int nIndex, const CString& s);
    const CString& operator[](int nIndex) const { return GetAt(nIndex); }
    CString& operator[](int nIndex) { return ElementAt(nIndex); }

    int Add(const CString& s) { m_items.push_back(s); return (int)m_items.size() - 1; }
    int Add(CString&& s) { m_items.push_back(std::move(s)); return (int)m_items.size() - 1; }
    int Append(const CStringArray& other);
    void Copy(const CStringArray& other) { m_items = other.m_items; }
    void InsertAt(int nIndex, const CString& s, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void RemoveAll() { m_items.clear(); }
    void FreeExtra() { m_items.shrink_to_fit(); }

    std::vector<CString>::const_iterator begin() const { return m_items.begin(); }
    std::vector<CString>::const_iterator end() const { return m_items.end(); }

protected:
    std::vector<CString> m_items;
};
