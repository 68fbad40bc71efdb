#include "support/FileVersionInfo.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

TEST(BuildNumber, DaysSinceFirstJune2004PlusFour)
{
    EXPECT_EQ(4u, CFileVersionInfo::BuildNumberFromDate("Jun  1 2004"));
    EXPECT_EQ(5u, CFileVersionInfo::BuildNumberFromDate("Jun  2 2004"));
    EXPECT_EQ(6270u, CFileVersionInfo::BuildNumberFromDate("Jul 28 2021"));
    // Across a change to summer time: still whole days.
    EXPECT_EQ(6150u, CFileVersionInfo::BuildNumberFromDate("Mar 30 2021"));
}

// The library runs inside other programs: a bad date gives 0 and the process goes on.
TEST(BuildNumber, UnknownMonthGivesZero)
{
    EXPECT_EQ(0u, CFileVersionInfo::BuildNumberFromDate("jul 28 2021"));
    EXPECT_EQ(0u, CFileVersionInfo::BuildNumberFromDate("Juli 28 2021"));
    EXPECT_EQ(0u, CFileVersionInfo::BuildNumberFromDate(""));
    EXPECT_EQ(0u, CFileVersionInfo::BuildNumberFromDate("May 31 2004"));
}

TEST(FileVersionInfo, OwnVersionBlock)
{
    CFileVersionInfo info;
    EXPECT_FALSE(info.m_bExplicitPath);
    EXPECT_STREQ(L"Tervok AG", info.GetValue(L"CompanyName"));
    EXPECT_STREQ(L"SupportTests", info.GetProductName());
    EXPECT_STREQ(L"1.0", info.GetValue(L"ProductVersion"));
    EXPECT_STREQ(L"", info.GetValue(L"NoSuchValue"));
    EXPECT_GT(info.GetBuildNumber(), 6270u);

    CString expected;
    expected.Format(L"SupportTests 1.0 build %u", info.GetBuildNumber());
    EXPECT_STREQ(expected, info.m_strProductLine);
    expected.Format(L"Version 1.0 build %u", info.GetBuildNumber());
    EXPECT_STREQ(expected, info.m_strVersionLine);
    expected.Format(L"SupportTests version 1.0 build %u, Copyright (C) 2004-2026 Tervok AG", info.GetBuildNumber());
    EXPECT_STREQ(expected, info.m_strFullLine);
    EXPECT_NE(-1, info.m_strBuildDate.Find(L" at "));
    EXPECT_EQ(8, info.m_strBuildDate.GetLength() - info.m_strBuildDate.Find(L" at ") - 4);
}

TEST(FileVersionInfo, ModulesWithoutUsableBlock)
{
    CFileVersionInfo none(ProgramFolder() + L"support_probe.exe");
    EXPECT_TRUE(none.m_bExplicitPath);
    EXPECT_EQ(nullptr, none.m_pVersionBlock);
    EXPECT_STREQ(L"", none.GetProductName());
    EXPECT_TRUE(none.m_strProductLine.IsEmpty() && none.m_strVersionLine.IsEmpty() && none.m_strFullLine.IsEmpty());
    EXPECT_GT(none.GetBuildNumber(), 0u);

    CFileVersionInfo untranslated(ProgramFolder() + L"no_translation.dll");
    EXPECT_NE(nullptr, untranslated.m_pVersionBlock);
    EXPECT_STREQ(L"", untranslated.GetProductName());
    EXPECT_STREQ(L"", untranslated.GetValue(L"CompanyName"));

    CFileVersionInfo missing(L"C:\\no\\such\\program.exe");
    EXPECT_STREQ(L"", missing.GetProductName());
}
