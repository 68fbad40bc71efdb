// The framework's map from text to text: a fixed table of hash buckets, keys compared exactly.
// Enumeration visits the buckets in order and, within a bucket, the most recently added key
// first; files written by walking the map depend on that order.
#pragma once

#include "framework/core/CString.h"

// Opaque enumeration cursor; null once the walk is done.
typedef struct __POSITION
{
}* POSITION;

class CMapStringToString
{
public:
    static const UINT HashTableSize = 17;

    CMapStringToString();
    CMapStringToString(const CMapStringToString&) = delete;
    CMapStringToString& operator=(const CMapStringToString&) = delete;
    virtual ~CMapStringToString();

    int GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(const wchar_t* pszKey, CString& rValue) const;
    // Replaces the value of a present key in place; a new key goes to the front of its bucket.
    void SetAt(const wchar_t* pszKey, const CString& value);
    BOOL RemoveKey(const wchar_t* pszKey);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rPosition, CString& rKey, CString& rValue) const;

    // h = h * 33 + c over the UTF-16 units of the key, unsigned 32-bit.
    static UINT HashKey(const wchar_t* pszKey);

private:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nBucket;
        CString key;
        CString value;
    };

    CAssoc* Find(const wchar_t* pszKey) const;
    POSITION FirstFrom(UINT nBucket) const;

    CAssoc* m_pBuckets[HashTableSize];
    int m_nCount;
};
