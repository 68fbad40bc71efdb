#include "alarmmodel/database/ConnectStringMask.h"

#include <gtest/gtest.h>

TEST(MaskConnectPasswords, EveryPasswordValueWhateverItsCaseOrBraces)
{
    EXPECT_STREQ(L"DSN=x;UID=u;PWD=********", MaskConnectPasswords(L"DSN=x;UID=u;PWD=secret"));
    EXPECT_STREQ(L"DSN=x;pwd=********;Password=********;",
                 MaskConnectPasswords(L"DSN=x;pwd=a;Password=b;"));
    EXPECT_STREQ(L"PASSWORD=********;Uid=u", MaskConnectPasswords(L"PASSWORD=c;Uid=u"));
    // A braced value may hold semicolons and doubled closing braces.
    EXPECT_STREQ(L"DSN=x;PWD=********;UID=u", MaskConnectPasswords(L"DSN=x;PWD={p;w}}d=1};UID=u"));
    EXPECT_STREQ(L"DSN=x; Pwd =********;UID=u", MaskConnectPasswords(L"DSN=x; Pwd =p;UID=u"));
    // An empty password shows that it is empty; an unclosed brace hides the rest.
    EXPECT_STREQ(L"PWD=;UID=u", MaskConnectPasswords(L"PWD=;UID=u"));
    EXPECT_STREQ(L"UID=u;PWD=********", MaskConnectPasswords(L"UID=u;PWD={open;UID=v"));
}

TEST(MaskConnectPasswords, OtherAttributesAndOddTextStayAsTheyAre)
{
    EXPECT_STREQ(L"DSN=Tervok Alarms Database", MaskConnectPasswords(L"DSN=Tervok Alarms Database"));
    EXPECT_STREQ(L"DSN=x;OldPWD=a;PWDX=b;Description=PWD=c",
                 MaskConnectPasswords(L"DSN=x;OldPWD=a;PWDX=b;Description=PWD=c"));
    EXPECT_STREQ(L"DSN={a;PWD=b};UID=u", MaskConnectPasswords(L"DSN={a;PWD=b};UID=u"));
    EXPECT_STREQ(L"", MaskConnectPasswords(L""));
    EXPECT_STREQ(L";;novalue;", MaskConnectPasswords(L";;novalue;"));
}
