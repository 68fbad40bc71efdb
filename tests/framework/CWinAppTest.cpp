#include "framework/window/CWinApp.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace
{
// An application whose profile lies under a key no other test process uses.
class WinAppProfileTest : public ::testing::Test, protected testsupport::CScratchProfileApp
{
};
} // namespace

TEST_F(WinAppProfileTest, ApplicationObjectAndItsName)
{
    EXPECT_EQ(&m_app, AfxGetApp());
    EXPECT_STREQ(L"Belvane", m_app.m_pszAppName);
    CWinApp unnamed;
    EXPECT_STREQ(L"framework_tests", unnamed.m_strAppName);
}

TEST_F(WinAppProfileTest, ValuesLieUnderKeyApplicationAndSection)
{
    EXPECT_EQ(5u, m_app.GetProfileInt(L"Belvane", L"Missing", 5));
    EXPECT_TRUE(m_app.WriteProfileInt(L"Belvane", L"CScriptTest::m_nSeconds", -3));
    EXPECT_EQ((UINT)-3, m_app.GetProfileInt(L"Belvane", L"CScriptTest::m_nSeconds", 0));
    EXPECT_TRUE(m_app.WriteProfileString(L"WindowPositions", L"Text", L"\u20AC 1"));
    EXPECT_STREQ(L"\u20AC 1", m_app.GetProfileString(L"WindowPositions", L"Text"));
    EXPECT_STREQ(L"dflt", m_app.GetProfileString(L"WindowPositions", L"Missing", L"dflt"));

    HKEY hKey = nullptr;
    CString path = L"Software\\" + m_strKey + L"\\Belvane\\Belvane";
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey));
    DWORD dwType = 0, dwValue = 0, cb = sizeof dwValue;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(hKey, L"CScriptTest::m_nSeconds", nullptr, &dwType, (BYTE*)&dwValue, &cb));
    EXPECT_EQ((DWORD)REG_DWORD, dwType);
    RegCloseKey(hKey);
}

TEST_F(WinAppProfileTest, BinaryValues)
{
    BYTE* pData = (BYTE*)1;
    UINT nBytes = 9;
    EXPECT_FALSE(m_app.GetProfileBinary(L"Belvane", L"Missing", &pData, &nBytes));
    EXPECT_EQ(nullptr, pData);

    const BYTE bytes[3] = {1, 0, 2};
    EXPECT_TRUE(m_app.WriteProfileBinary(L"Belvane", L"Blob", bytes, 3));
    ASSERT_TRUE(m_app.GetProfileBinary(L"Belvane", L"Blob", &pData, &nBytes));
    EXPECT_EQ(3u, nBytes);
    EXPECT_EQ(0, memcmp(bytes, pData, 3));
    delete[] pData;

    EXPECT_TRUE(m_app.WriteProfileBinary(L"Belvane", L"Empty", nullptr, 0));
    ASSERT_TRUE(m_app.GetProfileBinary(L"Belvane", L"Empty", &pData, &nBytes));
    EXPECT_EQ(0u, nBytes);
    delete[] pData;
}

TEST(WinAppProfile, WithoutRegistryKeyNothingIsStored)
{
    CWinApp app(L"Belvane");
    EXPECT_FALSE(app.WriteProfileInt(L"Belvane", L"X", 1));
    EXPECT_EQ(7u, app.GetProfileInt(L"Belvane", L"X", 7));
    EXPECT_STREQ(L"d", app.GetProfileString(L"Belvane", L"X", L"d"));
}
