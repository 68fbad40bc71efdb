#include "support/EventLogWriter.h"

#include "support/AppPaths.h"
#include "support/SystemErrorText.h"

#include "TestSupport.h"

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

class EventLogWriterTest : public ::testing::Test
{
protected:
    EventLogWriterTest()
    {
        m_strSource.Format(L"TervokTest%lu", GetCurrentProcessId());
        m_strKey = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + m_strSource;
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
