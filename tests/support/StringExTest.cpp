#include "support/StringEx.h"

#include <gtest/gtest.h>

namespace
{
CString Grouped(const wchar_t* text)
{
    CStringEx s(text);
    s.GroupDigits();
    return s;
}
} // namespace

TEST(StringExGroupDigits, SignsDecimalsAndNonNumbers)
{
    EXPECT_STREQ(L"1,234,567.891", Grouped(L"1234567.891"));
    EXPECT_STREQ(L"-1,234", Grouped(L"-1234"));
    EXPECT_STREQ(L"+12,345", Grouped(L"+12345"));
    EXPECT_STREQ(L"999", Grouped(L"999"));
    EXPECT_STREQ(L"1,000", Grouped(L"1000"));
    EXPECT_STREQ(L"0", Grouped(L"abc"));
    EXPECT_STREQ(L".5", Grouped(L".5"));
    EXPECT_STREQ(L"0", Grouped(L""));
    EXPECT_STREQ(L"12,345", Grouped(L"12345xyz"));
}

TEST(DecimalText, WritesWhatPrintfWouldForEveryRange)
{
    const long long values[] = {0, 7, -7, 2147483647LL, -2147483647LL - 1, 4294967295LL, 9223372036854775807LL,
                                -9223372036854775807LL - 1};
    for (long long n : values)
    {
        CString strExpected;
        strExpected.Format(L"%lld", n);
        EXPECT_STREQ(strExpected, DecimalText(n));
    }
}

TEST(StringExSplit, EmptyPiecesAreKept)
{
    CStringArray parts;
    CStringEx(L"").Split(L';', parts);
    EXPECT_EQ(0, parts.GetSize());
    CStringEx(L";").Split(L';', parts);
    ASSERT_EQ(2, parts.GetSize());
    EXPECT_TRUE(parts[0].IsEmpty() && parts[1].IsEmpty());
    CStringEx(L"a;;b;").Split(L';', parts);
    ASSERT_EQ(4, parts.GetSize());
    EXPECT_STREQ(L"a", parts[0]);
    EXPECT_STREQ(L"", parts[1]);
    EXPECT_STREQ(L"b", parts[2]);
    EXPECT_STREQ(L"", parts[3]);
}

TEST(StringExNarrow, CopyIsTerminatedAndLossyCharactersBecomeDefault)
{
    char* p = CStringEx(L"abc").ToNarrow();
    EXPECT_STREQ("abc", p);
    delete[] p;
    p = CStringEx(L"x\x4E2Dy").ToNarrow();
    EXPECT_EQ('x', p[0]);
    EXPECT_EQ('y', p[2]);
    EXPECT_EQ('\0', p[3]);
    delete[] p;
}

TEST(StringExStripLeading, OnlyLeadingCharactersGo)
{
    CStringEx s(L"000120");
    s.StripLeading(L'0');
    EXPECT_STREQ(L"120", s);
}

TEST(StringArrayExQueries, ContainsAndJoin)
{
    CStringArrayEx a;
    EXPECT_EQ(0, a.Contains(L"x"));
    EXPECT_STREQ(L"", a.Join(L", "));
    a.Add(L"one");
    EXPECT_STREQ(L"one", a.Join(L", "));
    a.Add(L"Two");
    EXPECT_STREQ(L"one, Two", a.Join(L", "));
    EXPECT_EQ(1, a.Contains(L"Two"));
    EXPECT_EQ(0, a.Contains(L"two"));
}

TEST(StringArrayExEdit, AddFormatSortDuplicatesAndBlanks)
{
    CStringArrayEx a;
    a.AddFormat(L"%s=%d", L"n", 3);
    EXPECT_STREQ(L"n=3", a[0]);

    CStringArrayEx s;
    s.Add(L"b");
    s.Add(L"A");
    s.Add(L"a");
    s.Sort(TRUE);
    EXPECT_STREQ(L"A,a,b", s.Join(L","));
    s.Sort(FALSE);
    EXPECT_STREQ(L"b", s[2]);

    CStringArrayEx d;
    for (const wchar_t* t : {L"x", L"y", L"x", L"z", L"y"})
        d.Add(t);
    d.RemoveDuplicates();
    EXPECT_STREQ(L"x,y,z", d.Join(L","));

    CStringArrayEx b;
    for (const wchar_t* t : {L"", L" keep ", L" \t", L"x"})
        b.Add(t);
    b.RemoveBlank();
    EXPECT_STREQ(L" keep |x", b.Join(L"|"));
}

TEST(StringArrayExMultiString, RoundTripAndCounts)
{
    CStringArrayEx a;
    int n = 0;
    wchar_t* empty = a.ToMultiString(n);
    EXPECT_EQ(1, n);
    EXPECT_EQ(L'\0', empty[0]);
    // The lone zero of an empty array reads back as one empty string, and not past its end.
    CStringArrayEx fromEmpty;
    fromEmpty.FromMultiString(0, empty, n);
    ASSERT_EQ(1, fromEmpty.GetSize());
    EXPECT_TRUE(fromEmpty[0].IsEmpty());
    delete[] empty;

    a.Add(L"a");
    a.Add(L"b");
    wchar_t* ms = a.ToMultiString(n);
    ASSERT_EQ(5, n);
    EXPECT_EQ(0, memcmp(ms, L"a\0b\0\0", 5 * sizeof(wchar_t)));

    CStringArrayEx back;
    back.FromMultiString(0, ms);
    EXPECT_STREQ(L"a|b", back.Join(L"|"));
    back.FromMultiString(1, ms);
    EXPECT_STREQ(L"a", back.Join(L"|"));
    delete[] ms;

}

TEST(StringArrayExMultiString, BoundedReadStopsAtTheLength)
{
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    CStringArrayEx a;
    a.FromMultiString(0, unterminated, 3);
    ASSERT_EQ(1, a.GetSize());
    EXPECT_STREQ(L"abc", a[0]);
    a.FromMultiString(5, L"x\0y\0", 4);
    EXPECT_STREQ(L"x|y", a.Join(L"|"));
}
