// Granting the logon right, through a stand-in for the local security authority (Wine keeps no
// rights), and the split of account names for the password check.
#include "installactions/Gantrel.h"
#include "installactions/LsaApi.h"

#include "MessageCapture.h"

#include "support/SystemErrorText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// Knows one account, "alice", whose identifier lookup first asks for larger buffers.
class CFakeLsa : public CLsaApi
{
public:
    NTSTATUS OpenPolicy(ACCESS_MASK dwAccess, LSA_HANDLE* phPolicy) override
    {
        m_dwAccess = dwAccess;
        *phPolicy = (LSA_HANDLE)this;
        return m_openStatus;
    }
    BOOL LookupAccount(const wchar_t* pszAccount, PSID, DWORD* pcbSid, wchar_t*, DWORD* pcchDomain,
                       SID_NAME_USE*) override
    {
        m_lookupSizes.push_back({*pcbSid, *pcchDomain});
        if (wcscmp(pszAccount, L"alice") != 0)
        {
            SetLastError(ERROR_NONE_MAPPED);
            return FALSE;
        }
        if (*pcbSid >= 200 && *pcchDomain >= 40)
            return TRUE;
        *pcbSid = 200;
        *pcchDomain = 40;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    NTSTATUS EnumerateAccountRights(LSA_HANDLE, PSID, PLSA_UNICODE_STRING* ppRights, ULONG* pnCount) override
    {
        m_rightStrings.clear();
        for (const std::wstring& right : m_held)
            m_rightStrings.push_back({(USHORT)(right.size() * 2), (USHORT)(right.size() * 2), (PWSTR)right.c_str()});
        *ppRights = m_rightStrings.empty() ? nullptr : m_rightStrings.data();
        *pnCount = (ULONG)m_rightStrings.size();
        return m_enumerateStatus;
    }
    NTSTATUS AddAccountRights(LSA_HANDLE, PSID, PLSA_UNICODE_STRING pRights, ULONG nCount) override
    {
        for (ULONG i = 0; i < nCount; ++i)
            m_added.push_back(pRights[i]);
        return m_addStatus;
    }
    NTSTATUS FreeMemory(void*) override { ++m_nFrees; return 0; }
    NTSTATUS Close(LSA_HANDLE) override { ++m_nCloses; return 0; }

    NTSTATUS m_openStatus = 0, m_enumerateStatus = 0, m_addStatus = 0;
    std::vector<std::wstring> m_held;
    ACCESS_MASK m_dwAccess = 0;
    std::vector<std::pair<DWORD, DWORD>> m_lookupSizes;
    std::vector<LSA_UNICODE_STRING> m_rightStrings, m_added;
    int m_nFrees = 0, m_nCloses = 0;
};

const NTSTATUS kAccessDenied = (NTSTATUS)0xC0000022;

class CreateAccountTest : public ::testing::Test
{
protected:
    void SetUp() override { SetLsaApi(&m_lsa); }
    void TearDown() override { SetLsaApi(nullptr); }

    CFakeLsa m_lsa;
    CMessageCapture m_capture;
};
} // namespace

TEST_F(CreateAccountTest, GrantsTheRightAfterGrowingTheLookupBuffers)
{
    m_lsa.m_held = {L"SeBatchLogonRight", L"seservicelogonright"}; // the case must match exactly
    EXPECT_EQ(1, CreateAccount(TestOwner(), "alice", nullptr));
    EXPECT_EQ((ACCESS_MASK)0x810, m_lsa.m_dwAccess);
    ASSERT_EQ(2u, m_lsa.m_lookupSizes.size());
    EXPECT_EQ(std::make_pair(128ul, 16ul), m_lsa.m_lookupSizes[0]);
    EXPECT_EQ(std::make_pair(200ul, 40ul), m_lsa.m_lookupSizes[1]);
    ASSERT_EQ(1u, m_lsa.m_added.size());
    EXPECT_EQ(L"SeServiceLogonRight", std::wstring(m_lsa.m_added[0].Buffer, m_lsa.m_added[0].Length / 2));
    EXPECT_EQ(38, m_lsa.m_added[0].Length);
    EXPECT_EQ(40, m_lsa.m_added[0].MaximumLength);
    EXPECT_EQ(1, m_lsa.m_nFrees);
    EXPECT_EQ(1, m_lsa.m_nCloses);
    ASSERT_EQ(1u, CMessageCapture::s_boxes.size());
    EXPECT_STREQ(L"Adding Rights", CMessageCapture::s_boxes[0].strCaption);
    EXPECT_STREQ(L"alice has been granted the 'Logon as service' right", CMessageCapture::s_boxes[0].strText);
}

TEST_F(CreateAccountTest, HeldRightOrFailedEnumeration)
{
    m_lsa.m_held = {L"SeServiceLogonRight"};
    EXPECT_EQ(1, CreateAccount(TestOwner(), "alice", ""));
    EXPECT_TRUE(m_lsa.m_added.empty());
    EXPECT_TRUE(CMessageCapture::s_boxes.empty());

    m_lsa.m_enumerateStatus = kAccessDenied; // counts as no rights at all
    m_lsa.m_held.clear();
    EXPECT_EQ(1, CreateAccount(nullptr, "alice", ""));
    EXPECT_EQ(1u, m_lsa.m_added.size());
    EXPECT_TRUE(CMessageCapture::s_boxes.empty());
}

TEST_F(CreateAccountTest, RefusedGrantShowsTheSystemTextAndLeavesATrace)
{
    m_lsa.m_addStatus = kAccessDenied;
    EXPECT_EQ(1, CreateAccount(TestOwner(), "alice", ""));
    ASSERT_EQ(1u, CMessageCapture::s_boxes.size());
    EXPECT_STREQ(L"Add Logon Right", CMessageCapture::s_boxes[0].strCaption);
    CString strExpected = L"LsaEnumerateAccountRights Error " +
                          CSystemErrorText(ERROR_ACCESS_DENIED, L"", L"", L"", L"", L"").m_strText;
    EXPECT_STREQ(strExpected, CMessageCapture::s_boxes[0].strText);
    EXPECT_EQ(1u, CMessageCapture::s_traces.size());
}

TEST_F(CreateAccountTest, SilentFailuresStillReturnOneButLeaveATrace)
{
    EXPECT_EQ(1, CreateAccount(TestOwner(), "nobody", ""));
    m_lsa.m_openStatus = kAccessDenied;
    EXPECT_EQ(1, CreateAccount(TestOwner(), "alice", ""));
    EXPECT_EQ(1, CreateAccount(TestOwner(), nullptr, nullptr));
    EXPECT_EQ(1, CreateAccount(TestOwner(), "", nullptr));
    EXPECT_TRUE(CMessageCapture::s_boxes.empty());
    EXPECT_TRUE(m_lsa.m_added.empty());
    ASSERT_EQ(4u, CMessageCapture::s_traces.size());
    EXPECT_NE(-1, CMessageCapture::s_traces[0].Find(L"nobody"));
    EXPECT_EQ(1, m_lsa.m_nCloses); // only the policy that opened
}
