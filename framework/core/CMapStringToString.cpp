#include "framework/core/CMapStringToString.h"

CMapStringToString::CMapStringToString() : m_nCount(0)
{
    for (CAssoc*& p : m_pBuckets)
        p = nullptr;
}

CMapStringToString::~CMapStringToString()
{
    RemoveAll();
}

UINT CMapStringToString::HashKey(const wchar_t* pszKey)
{
    UINT h = 0;
    for (const wchar_t* p = pszKey; p && *p; ++p)
        h = h * 33 + (UINT)*p;
    return h;
}

CMapStringToString::CAssoc* CMapStringToString::Find(const wchar_t* pszKey) const
{
    const wchar_t* key = pszKey ? pszKey : L"";
    for (CAssoc* p = m_pBuckets[HashKey(key) % HashTableSize]; p; p = p->pNext)
        if (p->key == key)
            return p;
    return nullptr;
}

BOOL CMapStringToString::Lookup(const wchar_t* pszKey, CString& rValue) const
{
    CAssoc* p = Find(pszKey);
    if (!p)
        return FALSE;
    rValue = p->value;
    return TRUE;
}

void CMapStringToString::SetAt(const wchar_t* pszKey, const CString& value)
{
    CAssoc* p = Find(pszKey);
    if (!p)
    {
        const wchar_t* key = pszKey ? pszKey : L"";
        UINT bucket = HashKey(key) % HashTableSize;
        p = new CAssoc{m_pBuckets[bucket], bucket, key, CString()};
        m_pBuckets[bucket] = p;
        ++m_nCount;
    }
    p->value = value;
}

BOOL CMapStringToString::RemoveKey(const wchar_t* pszKey)
{
    const wchar_t* key = pszKey ? pszKey : L"";
    for (CAssoc** pp = &m_pBuckets[HashKey(key) % HashTableSize]; *pp; pp = &(*pp)->pNext)
    {
        if ((*pp)->key != key)
            continue;
        CAssoc* gone = *pp;
        *pp = gone->pNext;
        delete gone;
        --m_nCount;
        return TRUE;
    }
    return FALSE;
}

void CMapStringToString::RemoveAll()
{
    for (CAssoc*& head : m_pBuckets)
    {
        while (head)
        {
            CAssoc* next = head->pNext;
            delete head;
            head = next;
        }
    }
    m_nCount = 0;
}

POSITION CMapStringToString::FirstFrom(UINT nBucket) const
{
    for (UINT b = nBucket; b < HashTableSize; ++b)
        if (m_pBuckets[b])
            return (POSITION)m_pBuckets[b];
    return nullptr;
}

POSITION CMapStringToString::GetStartPosition() const
{
    return FirstFrom(0);
}

void CMapStringToString::GetNextAssoc(POSITION& rPosition, CString& rKey, CString& rValue) const
{
    const CAssoc* p = (const CAssoc*)rPosition;
    if (!p)
        return;
    rKey = p->key;
    rValue = p->value;
    rPosition = p->pNext ? (POSITION)p->pNext : FirstFrom(p->nBucket + 1);
}
