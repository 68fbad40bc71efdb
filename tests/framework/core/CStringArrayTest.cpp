#include "framework/core/CStringArray.h"

#include <gtest/gtest.h>

TEST(CStringArray, AddInsertRemoveKeepOrder)
{
    CStringArray a;
    a.Add(L"a");
    a.Add(L"c");
    a.InsertAt(1, L"b");
    ASSERT_EQ(3, a.GetSize());
    EXPECT_STREQ(L"b", a[1]);
    a.RemoveAt(0, 2);
    ASSERT_EQ(1, a.GetSize());
    EXPECT_STREQ(L"c", a[0]);
    a.RemoveAt(5); // out of range: nothing happens
    EXPECT_EQ(1, a.GetSize());
    a.SetAtGrow(3, L"d");
    EXPECT_EQ(4, a.GetSize());
    EXPECT_TRUE(a[2].IsEmpty());
}
