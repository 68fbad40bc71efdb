#include "agent/SocketErrorText.h"

#include <gtest/gtest.h>

TEST(SocketErrorText, KnownWinSockAndWin32Codes)
{
    CSocketErrorText refused(10061);
    EXPECT_EQ(1, refused.m_bKnown);
    EXPECT_EQ(10061, refused.m_nError);
    EXPECT_STREQ(L"Connection refused.", refused);
    EXPECT_STREQ(L"Specified event object handle is invalid.", CSocketErrorText(6));
    EXPECT_STREQ(L"One or more parameters are invalid.", CSocketErrorText(87));
    EXPECT_STREQ(L"Overlapped operations will complete later.", CSocketErrorText(997));
    EXPECT_STREQ(L"Valid name, no data record of requested type.", CSocketErrorText(11004));
}

TEST(SocketErrorText, UnknownCodesAreNamedWithTheirNumber)
{
    CSocketErrorText zero(0);
    EXPECT_EQ(0, zero.m_bKnown);
    EXPECT_STREQ(L"Unknown Windows socket error 0", zero);
    CSocketErrorText gap(10059);
    EXPECT_EQ(0, gap.m_bKnown);
    EXPECT_STREQ(L"Unknown Windows socket error 10059", gap);
    EXPECT_STREQ(L"Unknown Windows socket error -1", CSocketErrorText(-1));
}
