#include "framework/core/CMapStringToString.h"

#include <gtest/gtest.h>

namespace
{
CString Keys(const CMapStringToString& map)
{
    CString out, key, value;
    for (POSITION pos = map.GetStartPosition(); pos;)
    {
        map.GetNextAssoc(pos, key, value);
        out += key + L"=" + value + L";";
    }
    return out;
}
} // namespace

TEST(CMapStringToStringHash, TimesThirtyThreePlusUnit)
{
    EXPECT_EQ(0u, CMapStringToString::HashKey(L""));
    EXPECT_EQ(97u, CMapStringToString::HashKey(L"a"));
    EXPECT_EQ(97u * 33 + 98, CMapStringToString::HashKey(L"ab"));
    // Wraps modulo 2^32 on long keys.
    UINT h = 0;
    for (int i = 0; i < 40; ++i)
        h = h * 33 + L'z';
    EXPECT_EQ(h, CMapStringToString::HashKey(CString(L'z', 40)));
}

TEST(CMapStringToStringOrder, BucketsAscendingNewestFirstWithinBucket)
{
    // "a" (97) and "r" (114) share bucket 12; "b" (98) is in bucket 13; "" is in bucket 0.
    CMapStringToString map;
    map.SetAt(L"b", L"2");
    map.SetAt(L"a", L"1");
    map.SetAt(L"r", L"3");
    map.SetAt(L"", L"0");
    EXPECT_EQ(4, map.GetCount());
    EXPECT_STREQ(L"=0;r=3;a=1;b=2;", Keys(map));

    // Replacing keeps the place; removing and adding again moves to the front.
    map.SetAt(L"a", L"one");
    EXPECT_STREQ(L"=0;r=3;a=one;b=2;", Keys(map));
    EXPECT_TRUE(map.RemoveKey(L"r"));
    map.SetAt(L"r", L"three");
    EXPECT_STREQ(L"=0;r=three;a=one;b=2;", Keys(map));
    EXPECT_TRUE(map.RemoveKey(L"a"));
    map.SetAt(L"a", L"uno");
    EXPECT_STREQ(L"=0;a=uno;r=three;b=2;", Keys(map));
}

TEST(CMapStringToStringLookup, ExactKeysAndRemoval)
{
    CMapStringToString map;
    CString value = L"untouched";
    EXPECT_FALSE(map.Lookup(L"x", value));
    EXPECT_STREQ(L"untouched", value);
    map.SetAt(L"Key", L"v");
    EXPECT_FALSE(map.Lookup(L"key", value));
    EXPECT_TRUE(map.Lookup(L"Key", value));
    EXPECT_STREQ(L"v", value);
    EXPECT_FALSE(map.RemoveKey(L"key"));
    EXPECT_TRUE(map.RemoveKey(L"Key"));
    EXPECT_FALSE(map.RemoveKey(L"Key"));
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());

    for (int i = 0; i < 100; ++i)
    {
        CString k;
        k.Format(L"k%d", i);
        map.SetAt(k, k);
    }
    EXPECT_EQ(100, map.GetCount());
    int seen = 0;
    CString key;
    for (POSITION pos = map.GetStartPosition(); pos; ++seen)
        map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(100, seen);
    map.RemoveAll();
    EXPECT_EQ(0, map.GetCount());
}
