#include "framework/core/CStringArray.h"

#include <algorithm>

void CStringArray::SetSize(int nNewSize, int /*nGrowBy*/)
{
    if (nNewSize >= 0)
        m_items.resize((size_t)nNewSize);
}

void CStringArray::SetAtGrow(int nIndex, const CString& s)
{
    if (nIndex < 0)
        return;
    if ((size_t)nIndex >= m_items.size())
        m_items.resize((size_t)nIndex + 1);
    m_items[(size_t)nIndex] = s;
}

int CStringArray::Append(const CStringArray& other)
{
    int first = GetSize();
    m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    return first;
}

void CStringArray::InsertAt(int nIndex, const CString& s, int nCount)
{
    if (nIndex < 0 || nCount <= 0)
        return;
    if ((size_t)nIndex > m_items.size())
        m_items.resize((size_t)nIndex);
    m_items.insert(m_items.begin() + nIndex, (size_t)nCount, s);
}

void CStringArray::RemoveAt(int nIndex, int nCount)
{
    if (nIndex < 0 || nCount <= 0 || (size_t)nIndex >= m_items.size())
        return;
    size_t last = std::min(m_items.size(), (size_t)nIndex + (size_t)nCount);
    m_items.erase(m_items.begin() + nIndex, m_items.begin() + (ptrdiff_t)last);
}
