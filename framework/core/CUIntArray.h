// The framework's array of unsigned integers: index-based, growing as elements are added.
#pragma once

#include <windows.h>

#include <vector>

class CUIntArray
{
public:
    CUIntArray() {}
    virtual ~CUIntArray() {}

    int GetSize() const { return (int)m_items.size(); }
    int GetCount() const { return (int)m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }

    UINT GetAt(int nIndex) const { return m_items.at((size_t)nIndex); }
    void SetAt(int nIndex, UINT n) { m_items.at((size_t)nIndex) = n; }
    UINT operator[](int nIndex) const { return GetAt(nIndex); }
    UINT& operator[](int nIndex) { return m_items.at((size_t)nIndex); }

    int Add(UINT n) { m_items.push_back(n); return (int)m_items.size() - 1; }
    void InsertAt(int nIndex, UINT n) { m_items.insert(m_items.begin() + nIndex, n); }
    void Copy(const CUIntArray& other) { m_items = other.m_items; }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<UINT> m_items;
};
