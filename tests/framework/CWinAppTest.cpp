#include "framework/window/CWinApp.h"

#include "framework/window/CPrintDialog.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

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

TEST_F(WinAppProfileTest, PrintSetupOffersThePrinterChosenBefore)
{
    HGLOBAL hMode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
    HGLOBAL hNames = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + 64);
    std::vector<std::pair<HGLOBAL, HGLOBAL>> offered;
    BOOL bOK = TRUE;
    CPrintDialog::SetChooser([&](PRINTDLGW& pd) {
        EXPECT_TRUE(pd.Flags & PD_PRINTSETUP);
        offered.push_back({pd.hDevMode, pd.hDevNames});
        if (!pd.hDevMode)
        {
            pd.hDevMode = hMode;
            pd.hDevNames = hNames;
        }
        return bOK;
    });
    m_app.OnFilePrintSetup();
    bOK = FALSE;
    m_app.OnFilePrintSetup(); // cancelled: the choice stays
    m_app.OnFilePrintSetup();
    CPrintDialog::SetChooser(nullptr);
    ASSERT_EQ(3u, offered.size());
    EXPECT_TRUE(offered[0].first == nullptr && offered[0].second == nullptr) << "no printer chosen yet";
    for (size_t i = 1; i < offered.size(); ++i)
    {
        EXPECT_EQ(hMode, offered[i].first) << i;
        EXPECT_EQ(hNames, offered[i].second) << i;
    }
    EXPECT_EQ(hMode, m_app.m_hDevMode);
    EXPECT_EQ(hNames, m_app.m_hDevNames);
}
