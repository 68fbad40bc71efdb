#include "agent/HostAddress.h"

#include <gtest/gtest.h>

namespace
{
class HostAddress : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 0), &data);
    }
    void TearDown() override { WSACleanup(); }
};
} // namespace

TEST_F(HostAddress, DottedAddressesAreTakenAsTheyAre)
{
    CHostAddress address;
    ASSERT_TRUE(address.Resolve(L"10.1.2.254"));
    EXPECT_STREQ(L"10.1.2.254", address.GetDottedText());
    ASSERT_TRUE(address.Resolve(L"255.255.255.255")) << "the broadcast address is an address";
    EXPECT_STREQ(L"255.255.255.255", address.GetDottedText());
    sockaddr_in socketAddress = address.SocketAddress(7258);
    EXPECT_EQ(AF_INET, socketAddress.sin_family);
    EXPECT_EQ(7258, ntohs(socketAddress.sin_port));
    EXPECT_EQ(address.m_address.s_addr, socketAddress.sin_addr.s_addr);
}

TEST_F(HostAddress, NamesStandForTheirFirstAddress)
{
    CHostAddress address;
    ASSERT_TRUE(address.Resolve(L"localhost"));
    EXPECT_EQ(127, ((const BYTE*)&address.m_address)[0]);
    EXPECT_FALSE(address.Resolve(L"no-such-host.invalid"));
    CString strName;
    EXPECT_FALSE(CHostAddress::LookupName(L"not an address", strName));
    EXPECT_STREQ(L"", strName);
}

TEST(HostPort, OnlyNumbersFrom1To65535)
{
    EXPECT_EQ(7261, CHostAddress::ParsePort(L"7261"));
    EXPECT_EQ(1, CHostAddress::ParsePort(L" 1 "));
    EXPECT_EQ(65535, CHostAddress::ParsePort(L"65535"));
    for (const wchar_t* bad : {L"0", L"65536", L"70000", L"", L"72x", L"-5", L"+80", L"99999999999", L"port"})
        EXPECT_EQ(0, CHostAddress::ParsePort(bad)) << (const char*)CStringA(bad);
}
