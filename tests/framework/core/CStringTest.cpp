#include "framework/core/CString.h"

#include <gtest/gtest.h>

TEST(CStringFormat, WideStringArgumentsAreWide)
{
    // %s in a wide format is a wide string, %S a narrow one, as the Windows runtime has it.
    CString s;
    s.Format(L"[%s|%S|%d|%5.2f|%04X]", L"wide", "narrow", -42, 3.14159, 0xBEEFu);
    EXPECT_STREQ(L"[wide|narrow|-42| 3.14|BEEF]", s);
}

TEST(CStringFormat, NarrowStringArgumentsAreNarrow)
{
    CStringA s;
    s.Format("%s-%S-%u", "a", L"b", 7u);
    EXPECT_STREQ("a-b-7", s);
}

TEST(CStringFormat, AppendFormatKeepsTextAndHandlesLongOutput)
{
    CString s(L"x=");
    s.AppendFormat(L"%d", 5);
    EXPECT_STREQ(L"x=5", s);
    CString big(L'z', 70000);
    CString out;
    out.Format(L"<%s>", big.GetString());
    EXPECT_EQ(70002, out.GetLength());
}

TEST(CStringFormat, SurrogatePairsPassThrough)
{
    CString s;
    s.Format(L"%s", L"\xD83D\xDE00");
    EXPECT_EQ(2, s.GetLength());
}

TEST(CStringConversion, AnsiRoundTripAndWidth)
{
    CStringA narrow("plain text");
    CString wide(narrow);
    EXPECT_STREQ(L"plain text", wide);
    CStringA back(wide);
    EXPECT_STREQ("plain text", back);
    EXPECT_EQ(2u, sizeof(wchar_t));
}

TEST(CStringSearch, FindReverseFindAndSpans)
{
    CString s(L"alpha;beta;gamma");
    EXPECT_EQ(5, s.Find(L';'));
    EXPECT_EQ(10, s.Find(L';', 6));
    EXPECT_EQ(-1, s.Find(L';', 99));
    EXPECT_EQ(6, s.Find(L"beta"));
    EXPECT_EQ(10, s.ReverseFind(L';'));
    EXPECT_EQ(1, s.FindOneOf(L"lz"));
    EXPECT_STREQ(L"alpha", s.SpanExcluding(L";"));
    EXPECT_STREQ(L"alp", s.SpanIncluding(L"pla"));
}

TEST(CStringExtraction, LeftMidRightClampToTheText)
{
    CString s(L"abcdef");
    EXPECT_STREQ(L"ab", s.Left(2));
    EXPECT_STREQ(L"abcdef", s.Left(99));
    EXPECT_STREQ(L"", s.Left(-1));
    EXPECT_STREQ(L"ef", s.Right(2));
    EXPECT_STREQ(L"abcdef", s.Right(99));
    EXPECT_STREQ(L"cd", s.Mid(2, 2));
    EXPECT_STREQ(L"cdef", s.Mid(2));
    EXPECT_STREQ(L"", s.Mid(10));
}

TEST(CStringModification, ReplaceRemoveInsertDeleteTrim)
{
    CString s(L"a-b-c");
    EXPECT_EQ(2, s.Replace(L"-", L"--"));
    EXPECT_STREQ(L"a--b--c", s);
    EXPECT_EQ(4, s.Remove(L'-'));
    s.Insert(1, L"XY");
    EXPECT_STREQ(L"aXYbc", s);
    s.Delete(1, 2);
    EXPECT_STREQ(L"abc", s);
    CString t(L"  \t text \r\n");
    EXPECT_STREQ(L"text", t.Trim());
    CString u(L"xxabcxx");
    EXPECT_STREQ(L"abc", u.Trim(L'x'));
    CString v(L"Mixed");
    EXPECT_STREQ(L"MIXED", v.MakeUpper());
    EXPECT_STREQ(L"mixed", v.MakeLower());
    EXPECT_EQ(0, v.CompareNoCase(L"MiXeD"));
}

TEST(CStringBuffer, GetBufferAndReleaseBuffer)
{
    CString s;
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    p = s.GetBuffer(0);
    p[2] = 0;
    s.ReleaseBuffer(4);
    EXPECT_EQ(4, s.GetLength());
}

TEST(CStringTokenize, SkipsLeadingSeparators)
{
    CString s(L",,one,two");
    int pos = 0;
    EXPECT_STREQ(L"one", s.Tokenize(L",", pos));
    EXPECT_STREQ(L"two", s.Tokenize(L",", pos));
    EXPECT_STREQ(L"", s.Tokenize(L",", pos));
    EXPECT_EQ(-1, pos);
}
