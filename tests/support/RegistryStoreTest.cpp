#include "support/RegistryStore.h"

#include "ReadOnlyRegistryKey.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testsupport;

namespace
{
class RegistryStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { m_store.Init(HKEY_LOCAL_MACHINE, m_key.Path(), L"Volatile"); }

    CScratchKey m_key;
    CRegistryStore m_store;
};
} // namespace

TEST_F(RegistryStoreTest, DWordsAndBooleans)
{
    EXPECT_EQ(77u, m_store.GetDWord(L"Missing", 77));
    m_store.SetDWord(L"Count", 0xFFFFFFFF);
    EXPECT_EQ(0xFFFFFFFFu, m_store.GetDWord(L"Count", 0));

    // Only exactly 1 is TRUE; other values are kept as they were given.
    m_store.SetBool(L"Flag", 2);
    EXPECT_FALSE(m_store.GetBool(L"Flag", TRUE));
    EXPECT_EQ(2u, m_store.GetDWord(L"Flag", 0));
    m_store.SetBool(L"Flag", TRUE);
    EXPECT_TRUE(m_store.GetBool(L"Flag", FALSE));
    EXPECT_TRUE(m_store.GetBool(L"Missing", 1));
    EXPECT_FALSE(m_store.GetBool(L"Missing", 2));

    DWORD dwType = 0;
    std::string raw;
    ASSERT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, m_key.Path(), L"Count", dwType, raw));
    EXPECT_EQ((DWORD)REG_DWORD, dwType);
    EXPECT_EQ(4u, raw.size());
}

TEST_F(RegistryStoreTest, ValuesLargerThanFourBytesGiveTheDefault)
{
    BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    m_store.SetBinary(L"Wide", sizeof eight, eight);
    EXPECT_EQ(9u, m_store.GetDWord(L"Wide", 9));
    BYTE two[2] = {0x34, 0x12};
    m_store.SetBinary(L"Narrow", sizeof two, two);
    EXPECT_EQ(0x1234u, m_store.GetDWord(L"Narrow", 9));
}

TEST_F(RegistryStoreTest, StringsEmptyUnterminatedAndNarrowNames)
{
    EXPECT_STREQ(L"fallback", m_store.GetString(L"Missing", L"fallback"));
    EXPECT_STREQ(L"", m_store.GetString(L"Missing"));

    m_store.SetString(L"Empty", L"");
    DWORD dwType = 0;
    std::string raw;
    ASSERT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, m_key.Path(), L"Empty", dwType, raw));
    EXPECT_EQ((DWORD)REG_SZ, dwType);
    EXPECT_EQ(2u, raw.size());
    EXPECT_STREQ(L"", m_store.GetString(L"Empty", L"fallback"));

    m_store.SetString(L"Name", L"Gr\u00FC\u00DFe \u20AC");
    ASSERT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, m_key.Path(), L"Name", dwType, raw));
    EXPECT_EQ(8u * 2, raw.size());
    EXPECT_STREQ(L"Gr\u00FC\u00DFe \u20AC", m_store.GetStringA("Name", L""));

    // A text stored without its terminator, even with an odd byte count, is still read whole.
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_key.Path(), 0, KEY_SET_VALUE, &hKey));
    RegSetValueExW(hKey, L"Bare", 0, REG_SZ, (const BYTE*)L"abc", 6);
    RegSetValueExW(hKey, L"Odd", 0, REG_SZ, (const BYTE*)L"xyz", 5);
    RegCloseKey(hKey);
    EXPECT_STREQ(L"abc", m_store.GetString(L"Bare"));
    EXPECT_STREQ(L"xyz", m_store.GetString(L"Odd")); // the last character by its low byte

    m_store.SetStringA("AlarmAddress", L"127.0.0.1");
    EXPECT_STREQ(L"127.0.0.1", m_store.GetString(L"AlarmAddress"));
}

TEST_F(RegistryStoreTest, BinaryValues)
{
    BYTE marker = 0;
    DWORD dwSize = 12345;
    EXPECT_EQ(&marker, m_store.GetBinary(L"Missing", &dwSize, &marker));
    EXPECT_EQ(12345u, dwSize);

    const BYTE data[5] = {0, 1, 2, 0xFE, 0xFF};
    m_store.SetBinary(L"DSN Parameters", sizeof data, data);
    BYTE* read = m_store.GetBinary(L"DSN Parameters", &dwSize, nullptr);
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(5u, dwSize);
    EXPECT_EQ(0, memcmp(data, read, 5));
    delete[] read;
}

// Values are read with one query into a buffer of a common size; larger ones must still come
// back whole, text and binary, unterminated text included.
TEST_F(RegistryStoreTest, LargeValuesAreReadWhole)
{
    CString strLong;
    for (int i = 0; i < 700; ++i)
        strLong += (wchar_t)(L'a' + i % 26);
    m_store.SetString(L"Long", strLong);
    EXPECT_STREQ(strLong, m_store.GetString(L"Long"));

    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_key.Path(), 0, KEY_SET_VALUE, &hKey));
    RegSetValueExW(hKey, L"LongBare", 0, REG_SZ, (const BYTE*)strLong.GetString(), 600 * sizeof(wchar_t));
    RegCloseKey(hKey);
    EXPECT_STREQ(strLong.Left(600), m_store.GetString(L"LongBare"));

    std::vector<BYTE> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = (BYTE)(i * 7);
    m_store.SetBinary(L"Blob", (DWORD)data.size(), data.data());
    DWORD dwSize = 0;
    BYTE* read = m_store.GetBinary(L"Blob", &dwSize, nullptr);
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(3000u, dwSize);
    EXPECT_EQ(0, memcmp(data.data(), read, data.size()));
    delete[] read;
}

TEST_F(RegistryStoreTest, VolatileKeyIsVolatileAndSeparate)
{
    m_store.SetVolatileDWord(L"AlarmLastPrimeKey", 42);
    m_store.SetVolatileString(L"AgentLastMessage", L"hello");
    EXPECT_EQ(42u, m_store.GetVolatileDWord(L"AlarmLastPrimeKey", 0));
    EXPECT_STREQ(L"hello", m_store.GetVolatileString(L"AgentLastMessage", L""));
    EXPECT_EQ(7u, m_store.GetDWord(L"AlarmLastPrimeKey", 7));

    // Windows refuses a persistent child under a volatile key: proof that it was made volatile.
    HKEY hVolatile = nullptr, hChild = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_key.Sub(L"Volatile"), 0, KEY_ALL_ACCESS, &hVolatile));
    EXPECT_EQ(ERROR_CHILD_MUST_BE_VOLATILE,
              RegCreateKeyExW(hVolatile, L"Child", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              &hChild, nullptr));
    RegCloseKey(hVolatile);

    // A second store opens the existing subkey as it is.
    CRegistryStore second;
    second.Init(HKEY_LOCAL_MACHINE, m_key.Path(), L"Volatile");
    EXPECT_EQ(42u, second.GetVolatileDWord(L"AlarmLastPrimeKey", 0));
}

TEST(RegistryStoreInit, WithoutVolatileNameVolatileCallsDoNothing)
{
    CScratchKey key;
    CRegistryStore store;
    store.Init(HKEY_LOCAL_MACHINE, key.Path(), L"");
    EXPECT_NE(ERROR_SUCCESS, store.SetVolatileDWord(L"Revision", 5));
    EXPECT_NE(ERROR_SUCCESS, store.SetVolatileString(L"Text", L"x"));
    EXPECT_EQ(3u, store.GetVolatileDWord(L"Revision", 3));
    EXPECT_STREQ(L"d", store.GetVolatileString(L"Text", L"d"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key.Sub(L"Volatile")));
    store.SetDWord(L"Main", 1);
    EXPECT_EQ(1u, store.GetDWord(L"Main", 0));
}

TEST(RegistryStoreInit, MiddlePartsAreCreatedButNotTheFirst)
{
    CScratchKey key;
    CRegistryStore store;
    store.Init(HKEY_LOCAL_MACHINE, key.Sub(L"Deeper\\Deepest"), L"Volatile");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, key.Sub(L"Deeper\\Deepest\\Volatile")));

    CRegistryStore missing;
    missing.Init(HKEY_LOCAL_MACHINE, L"NoSuchTervokRoot\\Tervok AG\\Alarms", L"Volatile");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"NoSuchTervokRoot"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, missing.SetDWord(L"X", 1)) << "a write says why there is no key";
    EXPECT_EQ(9u, missing.GetDWord(L"X", 9));
    EXPECT_EQ(9u, missing.GetVolatileDWord(L"X", 9));
    DWORD dwSize = 3;
    EXPECT_EQ(nullptr, missing.GetBinary(L"X", &dwSize, nullptr));
    EXPECT_EQ(3u, dwSize);
}

// A host program without administrator rights cannot open the key for writing; what is
// configured there must still be read, and every write is refused with the system's reason.
TEST(RegistryStoreInit, ReadOnlyKeyIsStillReadAndItsWritesAreRefused)
{
    CScratchKey key;
    {
        CRegistryStore writer;
        writer.Init(HKEY_LOCAL_MACHINE, key.Sub(L"Product"), L"Volatile");
        EXPECT_EQ(ERROR_SUCCESS, writer.SetDWord(L"AlarmPort", 7258));
        EXPECT_EQ(ERROR_SUCCESS, writer.SetVolatileDWord(L"Counter", 3));
    }
    CReadOnlyRegistryKey readOnly({key.Sub(L"Product\\Volatile").GetString(), key.Sub(L"Product").GetString()});
    if (!readOnly.Holds())
        GTEST_SKIP() << "this registry grants full access despite the key's security";

    CRegistryStore reader;
    reader.Init(HKEY_LOCAL_MACHINE, key.Sub(L"Product"), L"Volatile");
    EXPECT_EQ(7258u, reader.GetDWord(L"AlarmPort", 0));
    EXPECT_EQ(3u, reader.GetVolatileDWord(L"Counter", 0));
    EXPECT_EQ(ERROR_ACCESS_DENIED, reader.SetDWord(L"AlarmPort", 1));
    EXPECT_EQ(ERROR_ACCESS_DENIED, reader.SetBool(L"Authentication", TRUE));
    EXPECT_EQ(ERROR_ACCESS_DENIED, reader.SetStringA("COptions::SMTP_Server", L"mail.example.com"));
    const BYTE bytes[2] = {1, 2};
    EXPECT_EQ(ERROR_ACCESS_DENIED, reader.SetBinary(L"DSN Parameters", sizeof bytes, bytes));
    EXPECT_EQ(ERROR_ACCESS_DENIED, reader.SetVolatileDWord(L"Counter", 4));
    EXPECT_EQ(ERROR_ACCESS_DENIED, reader.SetVolatileString(L"Last", L"x"));
    EXPECT_EQ(7258u, reader.GetDWord(L"AlarmPort", 0));
    EXPECT_EQ(3u, reader.GetVolatileDWord(L"Counter", 0));
    EXPECT_STREQ(L"", reader.GetString(L"COptions::SMTP_Server"));
}
