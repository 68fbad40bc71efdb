#include "agent/CommandConnection.h"
#include "agent/LogonProvider.h"

#include <gtest/gtest.h>

namespace
{
// Records the account it is asked for and accepts one password.
class CRecordingLogon : public CLogonProvider
{
public:
    BOOL Logon(const wchar_t* pszUser, const wchar_t* pszDomain, const wchar_t* pszPassword, HANDLE* phToken) override
    {
        m_strUser = pszUser;
        m_strDomain = pszDomain;
        if (wcscmp(pszPassword, L"right"))
        {
            SetLastError(ERROR_LOGON_FAILURE);
            return FALSE;
        }
        *phToken = (HANDLE)1;
        return TRUE;
    }
    BOOL Impersonate(HANDLE) override { return FALSE; }
    BOOL Revert() override { return TRUE; }
    void CloseToken(HANDLE) override {}

    CString m_strUser, m_strDomain;
};

class SetTargetsRequest : public ::testing::Test
{
protected:
    void SetUp() override { SetLogonProvider(&m_logon); }
    void TearDown() override { SetLogonProvider(nullptr); }
    DWORD Ask(const wchar_t* pszAccount, const wchar_t* pszPassword = L"wrong")
    {
        CString strRequest;
        strRequest.Format(L"{{ZRAO:asker\t{{ZRAU:%s\t{{ZRAP:%s\t{{ZRA2:host:1", pszAccount, pszPassword);
        return CCommandConnection::SetTargets(strRequest, m_strReply);
    }
    CRecordingLogon m_logon;
    CString m_strReply;
};
} // namespace

TEST_F(SetTargetsRequest, AccountIsSplitAtItsFirstBackslash)
{
    Ask(L"operator");
    EXPECT_STREQ(L".", m_logon.m_strDomain);
    EXPECT_STREQ(L"operator", m_logon.m_strUser);
    Ask(L"\\operator");
    EXPECT_STREQ(L".", m_logon.m_strDomain);
    EXPECT_STREQ(L"\\operator", m_logon.m_strUser);
    Ask(L"PLANT\\operator\\x");
    EXPECT_STREQ(L"PLANT", m_logon.m_strDomain);
    EXPECT_STREQ(L"operator\\x", m_logon.m_strUser);
}

TEST_F(SetTargetsRequest, FailuresAreAnsweredAndNothingIsWritten)
{
    EXPECT_EQ(0u, Ask(L"operator"));
    EXPECT_EQ(0, m_strReply.Find(L"Error validating username and password: "));
    // A logon that works but cannot be taken on: the system's text, result 0.
    EXPECT_EQ(0u, Ask(L"operator", L"right"));
    EXPECT_FALSE(m_strReply.IsEmpty());
    // Control characters refuse the request before any logon.
    m_logon.m_strUser.Empty();
    EXPECT_EQ(0u, CCommandConnection::SetTargets(L"{{ZRAU:operator\t{{ZRAP:right\t{{ZRA1:a\nb:1", m_strReply));
    EXPECT_TRUE(m_logon.m_strUser.IsEmpty());
}
