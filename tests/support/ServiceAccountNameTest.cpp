#include "support/ServiceAccountName.h"

#include <gtest/gtest.h>

// The service control manager refuses a bare user name; a name that already says where the
// account lives must reach it unchanged.
TEST(ServiceAccountName, BareNamesBecomeAccountsOfThisMachine)
{
    EXPECT_STREQ(L".\\quorvex", CServiceAccountName::Qualify(L"quorvex"));
    EXPECT_STREQ(L".\\LocalSystem", CServiceAccountName::Qualify(L"LocalSystem"));
    EXPECT_STREQ(L"", CServiceAccountName::Qualify(L""));
    EXPECT_STREQ(L".\\quorvex", CServiceAccountName::Qualify(L".\\quorvex"));
    EXPECT_STREQ(L"CORP\\quorvex", CServiceAccountName::Qualify(L"CORP\\quorvex"));
    EXPECT_STREQ(L"NT AUTHORITY\\LocalService", CServiceAccountName::Qualify(L"NT AUTHORITY\\LocalService"));
    EXPECT_STREQ(L"quorvex@corp.example", CServiceAccountName::Qualify(L"quorvex@corp.example"));
}
