// The library as a setup sees it: loaded by name, its exports found by name and ordinal, the
// services created, started, stopped and removed for real through the service control manager.
#include "installactions/Gantrel.h"

#include "TestServices.h"

#include <gtest/gtest.h>

namespace
{
class GantrelDll : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hModule = LoadLibraryW(L"Gantrel.dll");
        ASSERT_NE(nullptr, m_hModule);
    }
    void TearDown() override { FreeLibrary(m_hModule); }

    template <typename F>
    F* Export(const char* pszName, int nOrdinal)
    {
        FARPROC pfn = GetProcAddress(m_hModule, pszName);
        EXPECT_NE(nullptr, pfn) << pszName;
        EXPECT_EQ(pfn, GetProcAddress(m_hModule, MAKEINTRESOURCEA(nOrdinal))) << pszName;
        return reinterpret_cast<F*>(reinterpret_cast<void*>(pfn));
    }

    HMODULE m_hModule = nullptr;
};

CStringA CurrentUser()
{
    char szUser[256];
    DWORD cch = sizeof(szUser);
    GetUserNameA(szUser, &cch);
    return szUser;
}
} // namespace

TEST_F(GantrelDll, ServiceCreateWritesTheServiceKeyAndReconfiguresAnExistingService)
{
    auto pfnCreate = Export<decltype(ServiceCreate)>("ServiceCreate", 5);
    CTestService service(L"Create");
    CString strPath = FakeServiceCommand(L"normal");
    ASSERT_EQ(1, pfnCreate(nullptr, strPath, service.m_strName, service.m_strName + L" display", 1));
    EXPECT_EQ(0x10u, service.RegistryDword(L"Type"));
    EXPECT_EQ(2u, service.RegistryDword(L"Start"));
    EXPECT_EQ(1u, service.RegistryDword(L"ErrorControl"));
    EXPECT_STREQ(strPath, service.RegistryString(L"ImagePath"));
    EXPECT_STREQ(service.m_strName + L" display", service.RegistryString(L"DisplayName"));
    EXPECT_STREQ(L"LocalSystem", service.RegistryString(L"ObjectName"));

    CString strNewPath = FakeServiceCommand(L"slowstart");
    ASSERT_EQ(1, pfnCreate(nullptr, strNewPath, service.m_strName, service.m_strName + L" other", 0));
    EXPECT_EQ(3u, service.RegistryDword(L"Start"));
    EXPECT_STREQ(strNewPath, service.RegistryString(L"ImagePath"));
    EXPECT_STREQ(service.m_strName + L" display", service.RegistryString(L"DisplayName"));
}

TEST_F(GantrelDll, CreateNewServiceQualifiesTheAccountAndSetsDescriptionAndType)
{
    auto pfnCreate = Export<decltype(CreateNewService)>("CreateNewService", 4);
    CStringA strPath = Narrow(FakeServiceCommand(L"normal"));
    CTestService local(L"NewLocal"), domain(L"NewDomain"), interactive(L"NewInteractive");
    ASSERT_EQ(1, pfnCreate(nullptr, Narrow(local.m_strName), Narrow(local.m_strName), "What it does", strPath, "someone", "pw", 1));
    EXPECT_STREQ(L".\\someone", local.RegistryString(L"ObjectName"));
    EXPECT_STREQ(L"What it does", local.RegistryString(L"Description"));
    EXPECT_EQ(0x10u, local.RegistryDword(L"Type"));
    EXPECT_EQ(2u, local.RegistryDword(L"Start"));
    EXPECT_EQ(1u, local.RegistryDword(L"ErrorControl"));
    EXPECT_STREQ(local.m_strName, local.RegistryString(L"DisplayName"));
    EXPECT_STREQ(FakeServiceCommand(L"normal"), local.RegistryString(L"ImagePath"));

    ASSERT_EQ(1, pfnCreate(nullptr, Narrow(domain.m_strName), Narrow(domain.m_strName), "", strPath, "WORKGROUP\\someone", "", 0));
    EXPECT_STREQ(L"WORKGROUP\\someone", domain.RegistryString(L"ObjectName"));

    ASSERT_EQ(1, pfnCreate(nullptr, Narrow(interactive.m_strName), Narrow(interactive.m_strName), "", strPath, "", "", 1));
    EXPECT_EQ(0x110u, interactive.RegistryDword(L"Type"));
    EXPECT_STREQ(L"LocalSystem", interactive.RegistryString(L"ObjectName"));

    // A second create of the same name fails: this function never reconfigures.
    EXPECT_EQ(0, pfnCreate(nullptr, Narrow(local.m_strName), "", "", strPath, "", "", 0));
}

TEST_F(GantrelDll, StartStopAndRemoveEachGiveTheirResultTwice)
{
    auto pfnStart = Export<decltype(ServiceStart)>("ServiceStart", 7);
    auto pfnStop = Export<decltype(ServiceStop)>("ServiceStop", 8);
    auto pfnRemove = Export<decltype(ServiceRemove)>("ServiceRemove", 6);
    CTestService service(L"Cycle");
    ASSERT_TRUE(service.Create(L"normal"));
    CStringA strName = Narrow(service.m_strName);

    EXPECT_EQ(1, pfnStart(nullptr, service.m_strName));
    EXPECT_EQ((DWORD)SERVICE_RUNNING, service.State());
    EXPECT_EQ(0, pfnStart(nullptr, service.m_strName)); // already running
    EXPECT_EQ(1, pfnStop(nullptr, strName));
    EXPECT_EQ((DWORD)SERVICE_STOPPED, service.State());
    DWORD dwStart = GetTickCount();
    EXPECT_EQ(1, pfnStop(nullptr, strName)); // stopped already: no control, no wait
    EXPECT_LT(GetTickCount() - dwStart, 400u);
    EXPECT_EQ(1, pfnRemove(nullptr, strName));
    EXPECT_EQ(0u, service.State());
    EXPECT_EQ(0, pfnRemove(nullptr, strName));
}

TEST_F(GantrelDll, AccountExportsUnderWine)
{
    auto pfnExists = Export<decltype(CheckAccountExists)>("CheckAccountExists", 1);
    auto pfnPassword = Export<decltype(CheckPasswordCorrect)>("CheckPasswordCorrect", 2);
    auto pfnAccount = Export<decltype(CreateAccount)>("CreateAccount", 3);
    EXPECT_EQ(1, pfnExists(CurrentUser()));
    EXPECT_EQ(0, pfnExists("NoSuchGantrelUser"));
    EXPECT_EQ(0, pfnExists(nullptr));
    EXPECT_EQ(0, pfnExists(""));
    // Wine has no NTLM logon here: the real exchange must fail cleanly.
    EXPECT_EQ(0, pfnPassword(0, CurrentUser(), "certainly wrong"));
    EXPECT_EQ(0, pfnPassword(0, nullptr, nullptr));
    EXPECT_EQ(1, pfnAccount(nullptr, CurrentUser(), nullptr));
    EXPECT_EQ(1, pfnAccount(nullptr, nullptr, nullptr));
}
