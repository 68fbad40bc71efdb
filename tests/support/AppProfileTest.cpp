#include "support/AppProfile.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace
{
class AppProfileTest : public ::testing::Test, protected testsupport::CScratchProfileApp
{
protected:
    std::string Raw(const wchar_t* pszName)
    {
        BYTE* pData = nullptr;
        UINT nBytes = 0;
        if (!m_app.GetProfileBinary(L"Belvane", pszName, &pData, &nBytes))
            return "(missing)";
        std::string bytes((const char*)pData, nBytes);
        delete[] pData;
        return bytes;
    }

    CAppProfile m_profile;
};
} // namespace

TEST_F(AppProfileTest, IntegersBooleansAndTexts)
{
    EXPECT_EQ(30, m_profile.GetInt(L"CAlarmsListView::m_nAgeSecs", 30));
    m_profile.WriteInt(L"CAlarmsListView::m_nAgeSecs", -5);
    EXPECT_EQ(-5, m_profile.GetInt(L"CAlarmsListView::m_nAgeSecs", 30));
    m_profile.WriteBool(L"Flag", 2);
    EXPECT_EQ(2, m_profile.GetInt(L"Flag", 0));
    EXPECT_FALSE(m_profile.GetBool(L"Flag", TRUE));
    EXPECT_TRUE(m_profile.GetBool(L"Missing", 1));
    EXPECT_STREQ(L"none", m_profile.GetString(L"CSMSTest::m_strText", L"none"));
    m_profile.WriteString(L"CSMSTest::m_strText", L"Hello \u20AC");
    EXPECT_STREQ(L"Hello \u20AC", m_profile.GetString(L"CSMSTest::m_strText", L"none"));
    // Values lie in the section "Belvane" of the application "Belvane".
    EXPECT_STREQ(L"Hello \u20AC", m_app.GetProfileString(L"Belvane", L"CSMSTest::m_strText"));
}

TEST_F(AppProfileTest, IntegerListsAndRectangles)
{
    m_profile.WriteIntList(L"Widths", {10, -2, 300});
    EXPECT_STREQ(L"10,-2,300", m_app.GetProfileString(L"Belvane", L"Widths"));
    std::vector<int> values = {99};
    m_profile.WriteIntList(L"None", {});
    m_profile.GetIntList(L"None", values);
    EXPECT_TRUE(values.empty());

    m_app.WriteProfileString(L"Belvane", L"Odd", L" 7,,12px,-x,+4");
    m_profile.GetIntList(L"Odd", values);
    EXPECT_EQ((std::vector<int>{7, 0, 12, 0, 4}), values);

    RECT rect = {1, 2, 3, 4}; // left, top, right, bottom
    m_profile.WriteRect(L"Window", rect);
    EXPECT_STREQ(L"2,4,1,3", m_app.GetProfileString(L"Belvane", L"Window rect"));
    RECT fallback = {-1, -1, -1, -1};
    RECT back = m_profile.GetRect(L"Window", fallback);
    EXPECT_EQ(0, memcmp(&rect, &back, sizeof rect));

    m_app.WriteProfileString(L"Belvane", L"Three rect", L"1,2,3");
    back = m_profile.GetRect(L"Three", fallback);
    EXPECT_EQ(0, memcmp(&fallback, &back, sizeof rect));
}

TEST_F(AppProfileTest, StringListsExactBytes)
{
    CStringArray strings;
    strings.Add(L"ab");
    strings.Add(L"");
    strings.Add(L"\u20AC");
    m_profile.WriteStringList(L"CAlarmsSideBar::titles", strings);
    EXPECT_EQ(std::string("a\0b\0\0\0\0\0\xAC\x20\0\0", 12), Raw(L"CAlarmsSideBar::titlesW"));
    CStringArray back;
    m_profile.GetStringList(L"CAlarmsSideBar::titles", back);
    ASSERT_EQ(3, back.GetSize());
    EXPECT_STREQ(L"ab", back[0]);
    EXPECT_STREQ(L"", back[1]);
    EXPECT_STREQ(L"\u20AC", back[2]);

    CStringArray one;
    one.Add(L"");
    m_profile.WriteStringList(L"One", one);
    EXPECT_EQ(std::string("\0\0", 2), Raw(L"OneW"));
    m_profile.GetStringList(L"One", back);
    ASSERT_EQ(1, back.GetSize());
    EXPECT_STREQ(L"", back[0]);

    m_profile.WriteStringList(L"Empty", CStringArray());
    EXPECT_EQ(std::string(), Raw(L"EmptyW"));
    m_profile.GetStringList(L"Empty", back);
    EXPECT_EQ(0, back.GetSize());
    m_profile.GetStringList(L"Missing", back);
    EXPECT_EQ(0, back.GetSize());
}

// Stored bytes are read within their count, whatever they hold.
TEST_F(AppProfileTest, StringListWithoutFinalNulOrOfOddLength)
{
    m_app.WriteProfileBinary(L"Belvane", L"BareW", (const BYTE*)L"ab\0cd", 10);
    CStringArray back;
    m_profile.GetStringList(L"Bare", back);
    ASSERT_EQ(2, back.GetSize());
    EXPECT_STREQ(L"ab", back[0]);
    EXPECT_STREQ(L"cd", back[1]);

    m_app.WriteProfileBinary(L"Belvane", L"OddW", (const BYTE*)L"xy", 3);
    m_profile.GetStringList(L"Odd", back);
    ASSERT_EQ(1, back.GetSize());
    EXPECT_STREQ(L"x", back[0]);
}
