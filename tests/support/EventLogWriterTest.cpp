#include "support/EventLogWriter.h"

#include "support/AppPaths.h"
#include "support/SystemErrorText.h"

#include "TestSupport.h"

#include <sddl.h>

#include <gtest/gtest.h>

using namespace testsupport;

namespace
{
// Records what reaches the log and still makes the platform's calls.
class CRecordingApi : public CEventLogApi
{
public:
    BOOL Report(HANDLE hSource, WORD wType, WORD wCategory, DWORD dwEventId, PSID pUserSid,
                const wchar_t* pszText) override
    {
        m_wType = wType;
        m_wCategory = wCategory;
        m_dwEventId = dwEventId;
        m_bSid = pUserSid != nullptr && IsValidSid(pUserSid);
        m_strText = pszText;
        ++m_nReports;
        if (m_bFail)
        {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        return CEventLogApi::Report(hSource, wType, wCategory, dwEventId, pUserSid, pszText);
    }
    BOOL Deregister(HANDLE hSource) override
    {
        ++m_nDeregistered;
        return CEventLogApi::Deregister(hSource);
    }

    WORD m_wType = 0, m_wCategory = 0;
    DWORD m_dwEventId = 0;
    BOOL m_bSid = FALSE, m_bFail = FALSE;
    CString m_strText;
    int m_nReports = 0, m_nDeregistered = 0;
};

const wchar_t APPLICATION_KEY[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\";

// Gives a key the security of one a standard user meets under HKLM: everyone may read it, nobody
// may write it. Full access comes back at the end, so that the key can be removed.
class CReadOnlyKey
{
public:
    explicit CReadOnlyKey(const CString& strKey) : m_strKey(strKey) { m_bSet = SetSecurity(L"D:P(A;;KR;;;WD)"); }
    ~CReadOnlyKey() { SetSecurity(L"D:P(A;;KA;;;WD)"); }
    // Whether the registry now refuses to open the key for writing.
    BOOL IsEnforced() const
    {
        HKEY hKey = nullptr;
        if (!m_bSet || RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_strKey, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
            return m_bSet;
        RegCloseKey(hKey);
        return FALSE;
    }

private:
    BOOL SetSecurity(const wchar_t* pszSddl)
    {
        PSECURITY_DESCRIPTOR sd = nullptr;
        HKEY hKey = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(pszSddl, SDDL_REVISION_1, &sd, nullptr))
            return FALSE;
        BOOL bSet = RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_strKey, 0, WRITE_DAC, &hKey) == ERROR_SUCCESS &&
                    RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
        if (hKey)
            RegCloseKey(hKey);
        LocalFree(sd);
        return bSet;
    }

    CString m_strKey;
    BOOL m_bSet;
};

// Each test writes under a source of its own, which no earlier test of the process registered.
class EventLogWriterTest : public ::testing::Test
{
protected:
    EventLogWriterTest()
    {
        static int nTest = 0;
        m_strSource.Format(L"TervokTest%lu-%d", GetCurrentProcessId(), ++nTest);
        m_strKey = APPLICATION_KEY + m_strSource;
        CEventLogWriter::SetSourceName(m_strSource);
        CEventLogWriter::SetApi(&m_api);
    }
    ~EventLogWriterTest() override
    {
        CEventLogWriter::SetApi(nullptr);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strKey);
    }

    CString m_strSource, m_strKey;
    CRecordingApi m_api;
};
} // namespace

TEST_F(EventLogWriterTest, FirstWriteRegistersTheSourceOnce)
{
    CString error = L"stale";
    ASSERT_TRUE(CEventLogWriter().Write(EVENTLOG_WARNING_TYPE, 1, 11, L"Windows user 'a' updated", error)) << error.GetString();
    EXPECT_STREQ(L"", error);
    EXPECT_EQ(EVENTLOG_WARNING_TYPE, m_api.m_wType);
    EXPECT_EQ(1, m_api.m_wCategory);
    EXPECT_EQ(11u, m_api.m_dwEventId);
    EXPECT_STREQ(L"Windows user 'a' updated", m_api.m_strText);
    EXPECT_TRUE(m_api.m_bSid);
    EXPECT_EQ(1, m_api.m_nDeregistered);

    CAppPaths paths;
    DWORD dwType = 0;
    std::string raw;
    ASSERT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, m_strKey, L"EventMessageFile", dwType, raw));
    EXPECT_EQ((DWORD)REG_EXPAND_SZ, dwType);
    CString expected = paths.GetProgramFolder() + L"EventMessageFile.dll";
    EXPECT_STREQ(expected, (const wchar_t*)raw.data());
    EXPECT_EQ((size_t)(expected.GetLength() + 1) * 2, raw.size());
    ASSERT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, m_strKey, L"CategoryMessageFile", dwType, raw));
    EXPECT_STREQ(paths.GetProgramFolder() + L"CategoryMessageFile.dll", (const wchar_t*)raw.data());
    ASSERT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, m_strKey, L"TypesSupported", dwType, raw));
    EXPECT_EQ(31u, *(const DWORD*)raw.data());
    ASSERT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, m_strKey, L"CategoryCount", dwType, raw));
    EXPECT_EQ(10u, *(const DWORD*)raw.data());

    // The second entry does not touch the registry.
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strKey);
    EXPECT_TRUE(CEventLogWriter().Write(EVENTLOG_INFORMATION_TYPE, 2, 8, L"started", error));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, m_strKey));
    EXPECT_EQ(2, m_api.m_nReports);
}

TEST_F(EventLogWriterTest, FailedReportGivesTextAndStillDeregisters)
{
    m_api.m_bFail = TRUE;
    CString error;
    EXPECT_FALSE(CEventLogWriter().Write(EVENTLOG_ERROR_TYPE, 3, 12, L"x", error));
    EXPECT_STREQ(CSystemErrorText(ERROR_INVALID_PARAMETER, L"", L"", L"", L"", L"").m_strText, error);
    EXPECT_EQ(1, m_api.m_nDeregistered);
}

// A standard user may not write the source's key, which setup registered as an administrator;
// reporting needs no right there, so the entry is still written.
TEST_F(EventLogWriterTest, RegisteredSourceIsReportedToWithoutTheRightToWriteItsKey)
{
    CString error;
    ASSERT_TRUE(CEventLogWriter().RegisterSource(error)) << error.GetString();
    CReadOnlyKey readOnly(m_strKey);
    if (!readOnly.IsEnforced())
        GTEST_SKIP() << "this registry grants write access despite the key's security";

    EXPECT_TRUE(CEventLogWriter().Write(EVENTLOG_INFORMATION_TYPE, 1, 8, L"started", error)) << error.GetString();
    EXPECT_STREQ(L"", error);
    EXPECT_EQ(1, m_api.m_nReports);
    EXPECT_STREQ(L"started", m_api.m_strText);
    EXPECT_TRUE(CEventLogWriter().Write(EVENTLOG_WARNING_TYPE, 1, 11, L"again", error)) << error.GetString();
    EXPECT_EQ(2, m_api.m_nReports);

    // What setup registered stays as it was.
    DWORD dwType = 0;
    std::string raw;
    ASSERT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, m_strKey, L"EventMessageFile", dwType, raw));
    EXPECT_STREQ(CAppPaths().GetProgramFolder() + L"EventMessageFile.dll", (const wchar_t*)raw.data());
}

// A source that is not registered and cannot be gets nothing written and the reason; the next
// entry tries the registration again.
TEST_F(EventLogWriterTest, UnregisteredSourceThatCannotBeRegisteredIsNotReportedTo)
{
    // The source's key cannot be made: it would be a lasting key under a volatile one.
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_strKey, 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    RegCloseKey(hKey);
    CEventLogWriter::SetSourceName(m_strSource + L"\\Inner");

    CString error;
    CString expected = L"Could not create the registry key(s): " +
                       CSystemErrorText(ERROR_CHILD_MUST_BE_VOLATILE, L"", L"", L"", L"", L"").m_strText;
    EXPECT_FALSE(CEventLogWriter().Write(EVENTLOG_INFORMATION_TYPE, 1, 8, L"started", error));
    EXPECT_STREQ(expected, error);
    EXPECT_FALSE(CEventLogWriter().Write(EVENTLOG_INFORMATION_TYPE, 1, 8, L"started", error));
    EXPECT_STREQ(expected, error);
    EXPECT_EQ(0, m_api.m_nReports);
}
