// The password check's loop-back NTLM exchange, against a stand-in provider that knows the
// password "right" (Wine has no NTLM logon without Samba's helper).
#include "installactions/Gantrel.h"
#include "installactions/SecurityLibrary.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const unsigned long kMaxToken = 64;

struct FakeProvider
{
    bool bLoads = true, bHasComplete = true;
    SECURITY_STATUS clientFinish = SEC_E_OK;
    int nLoads = 0, nUnloads = 0, nAcquired = 0, nFreedCredentials = 0, nContexts = 0, nDeleted = 0;
    int nFreedBuffers = 0, nCompleted = 0, nServerLegs = 0, nBadSizes = 0;
    std::wstring strPackage, strUser, strDomain, strPassword;
    unsigned long nFlags = 0;
    SECURITY_STATUS lastServerStatus = 0;
} g_fake;

SecPkgInfoW g_packageInfo = {0, 0, 0, kMaxToken, nullptr, nullptr};

// Writes a one-character token; every leg must offer the package's whole token size.
void Answer(PSecBufferDesc pOutput, char chToken)
{
    if (pOutput->pBuffers[0].cbBuffer != kMaxToken)
        ++g_fake.nBadSizes;
    *(char*)pOutput->pBuffers[0].pvBuffer = chToken;
    pOutput->pBuffers[0].cbBuffer = 1;
}

char Token(PSecBufferDesc pInput)
{
    return pInput && pInput->pBuffers[0].cbBuffer == 1 ? *(char*)pInput->pBuffers[0].pvBuffer : 0;
}

SECURITY_STATUS SEC_ENTRY QueryPackage(SEC_WCHAR* pszPackage, PSecPkgInfoW* ppInfo)
{
    g_fake.strPackage = pszPackage;
    *ppInfo = &g_packageInfo;
    return SEC_E_OK;
}

SECURITY_STATUS SEC_ENTRY FreeBuffer(void*) { ++g_fake.nFreedBuffers; return SEC_E_OK; }

SECURITY_STATUS SEC_ENTRY Acquire(SEC_WCHAR*, SEC_WCHAR*, unsigned long nUse, void*, void* pAuthData,
                                  SEC_GET_KEY_FN, void*, PCredHandle phCredential, PTimeStamp)
{
    if (nUse == SECPKG_CRED_OUTBOUND)
    {
        auto* pId = (SEC_WINNT_AUTH_IDENTITY_W*)pAuthData;
        g_fake.strUser.assign((wchar_t*)pId->User, pId->UserLength);
        g_fake.strDomain.assign((wchar_t*)pId->Domain, pId->DomainLength);
        g_fake.strPassword.assign((wchar_t*)pId->Password, pId->PasswordLength);
        g_fake.nFlags = pId->Flags;
    }
    phCredential->dwLower = (ULONG_PTR)++g_fake.nAcquired;
    return SEC_E_OK;
}

SECURITY_STATUS SEC_ENTRY FreeCredentials(PCredHandle) { ++g_fake.nFreedCredentials; return SEC_E_OK; }

SECURITY_STATUS SEC_ENTRY Initialize(PCredHandle, PCtxtHandle phContext, SEC_WCHAR*, unsigned long, unsigned long,
                                     unsigned long, PSecBufferDesc pInput, unsigned long, PCtxtHandle phNewContext,
                                     PSecBufferDesc pOutput, unsigned long*, PTimeStamp)
{
    if (!phContext)
    {
        ++g_fake.nContexts;
        phNewContext->dwLower = 1;
        Answer(pOutput, 'N');
        return SEC_I_CONTINUE_NEEDED;
    }
    if (Token(pInput) != 'C')
        return SEC_E_INVALID_TOKEN;
    Answer(pOutput, 'A');
    return g_fake.clientFinish;
}

SECURITY_STATUS SEC_ENTRY Accept(PCredHandle, PCtxtHandle phContext, PSecBufferDesc pInput, unsigned long,
                                 unsigned long, PCtxtHandle phNewContext, PSecBufferDesc pOutput, unsigned long*,
                                 PTimeStamp)
{
    ++g_fake.nServerLegs;
    if (!phContext)
    {
        ++g_fake.nContexts;
        phNewContext->dwLower = 2;
        Answer(pOutput, 'C');
        return g_fake.lastServerStatus = Token(pInput) == 'N' ? SEC_I_CONTINUE_NEEDED : SEC_E_INVALID_TOKEN;
    }
    Answer(pOutput, 0);
    bool bRight = Token(pInput) == 'A' && g_fake.strPassword == L"right";
    return g_fake.lastServerStatus = bRight ? SEC_E_OK : SEC_E_LOGON_DENIED;
}

SECURITY_STATUS SEC_ENTRY Complete(PCtxtHandle, PSecBufferDesc) { ++g_fake.nCompleted; return SEC_E_OK; }
SECURITY_STATUS SEC_ENTRY DeleteContext(PCtxtHandle) { ++g_fake.nDeleted; return SEC_E_OK; }

class CFakeSecurityLibrary : public CSecurityLibrary
{
public:
    BOOL Load(SecurityEntryPoints& entries) override
    {
        entries = SecurityEntryPoints();
        if (!g_fake.bLoads)
            return FALSE;
        ++g_fake.nLoads;
        entries = {Accept, Acquire, g_fake.bHasComplete ? Complete : nullptr, DeleteContext, FreeBuffer,
                   FreeCredentials, Initialize, QueryPackage};
        return TRUE;
    }
    void Unload() override { ++g_fake.nUnloads; }
};

class PasswordCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_fake = FakeProvider();
        SetSecurityLibrary(&m_library);
    }
    void TearDown() override { SetSecurityLibrary(nullptr); }

    static void ExpectEverythingReleased()
    {
        EXPECT_EQ(1, g_fake.nLoads);
        EXPECT_EQ(1, g_fake.nUnloads);
        EXPECT_EQ(1, g_fake.nFreedBuffers);
        EXPECT_EQ(g_fake.nAcquired, g_fake.nFreedCredentials);
        EXPECT_EQ(g_fake.nContexts, g_fake.nDeleted);
        EXPECT_EQ(0, g_fake.nBadSizes);
    }

    CFakeSecurityLibrary m_library;
};
} // namespace

TEST_F(PasswordCheck, RightPasswordAuthenticatesAndEverythingIsReleased)
{
    EXPECT_EQ(1, CheckPasswordCorrect(0, "DOM\\alice", "right"));
    EXPECT_EQ(L"NTLM", g_fake.strPackage);
    EXPECT_EQ(L"DOM", g_fake.strDomain);
    EXPECT_EQ(L"alice", g_fake.strUser);
    EXPECT_EQ(2u, g_fake.nFlags);
    EXPECT_EQ(2, g_fake.nAcquired);
    EXPECT_EQ(2, g_fake.nContexts);
    ExpectEverythingReleased();
}

TEST_F(PasswordCheck, WrongPasswordFailsInTheLastServerLeg)
{
    EXPECT_EQ(0, CheckPasswordCorrect(0, "alice", "wrong"));
    EXPECT_EQ(2, g_fake.nServerLegs);
    EXPECT_EQ(SEC_E_LOGON_DENIED, g_fake.lastServerStatus);
    ExpectEverythingReleased();
}

TEST_F(PasswordCheck, AccountNamesSplitAtAFirstBackslashAfterTheStart)
{
    struct { const char* pszAccount; const wchar_t* pszDomain; const wchar_t* pszUser; } cases[] = {
        {"\\alice", L"", L"\\alice"}, {"alice", L"", L"alice"}, {"A\\B\\c", L"A", L"B\\c"}};
    for (auto& c : cases)
    {
        EXPECT_EQ(1, CheckPasswordCorrect(0, c.pszAccount, "right"));
        EXPECT_EQ(c.pszDomain, g_fake.strDomain) << c.pszAccount;
        EXPECT_EQ(c.pszUser, g_fake.strUser) << c.pszAccount;
    }
}

TEST_F(PasswordCheck, TokenCompletionNeedsItsEntryPoint)
{
    g_fake.clientFinish = SEC_I_COMPLETE_NEEDED;
    EXPECT_EQ(1, CheckPasswordCorrect(0, "alice", "right"));
    EXPECT_EQ(1, g_fake.nCompleted);
    g_fake = FakeProvider();
    g_fake.clientFinish = SEC_I_COMPLETE_AND_CONTINUE;
    g_fake.bHasComplete = false;
    EXPECT_EQ(0, CheckPasswordCorrect(0, "alice", "right"));
    EXPECT_EQ(1, g_fake.nServerLegs);
    ExpectEverythingReleased();
}

TEST_F(PasswordCheck, NoLibraryOrNoArgumentsGiveZero)
{
    EXPECT_EQ(0, CheckPasswordCorrect(0, nullptr, "right"));
    EXPECT_EQ(0, CheckPasswordCorrect(0, "", "right"));
    EXPECT_EQ(0, CheckPasswordCorrect(0, "alice", nullptr));
    EXPECT_EQ(0, g_fake.nLoads);
    g_fake.bLoads = false;
    EXPECT_EQ(0, CheckPasswordCorrect(0, "alice", "right"));
    EXPECT_EQ(0, g_fake.nUnloads);
}

TEST(SecurityLibrary, PlatformLibraryResolvesEveryEntryPointByName)
{
    EXPECT_STREQ(L"secur32.dll", CSecurityLibrary::LibraryName());
    CSecurityLibrary library;
    SecurityEntryPoints entries;
    ASSERT_TRUE(library.Load(entries));
    EXPECT_NE(nullptr, entries.pfnAcceptSecurityContext);
    EXPECT_NE(nullptr, entries.pfnInitializeSecurityContext);
    EXPECT_NE(nullptr, entries.pfnQuerySecurityPackageInfo);
    EXPECT_NE(nullptr, entries.pfnFreeCredentialsHandle);
    library.Unload();
}
