#include "GuiTest.h"

#include "console/alarms/CHighlighting.h"
#include "console/alarms/CSetStatus.h"
#include "resources/console/OutstandingRes.h"
#include "support/AppProfile.h"

namespace
{
class OutstandingDialogsTest : public GuiTest
{
};
} // namespace

TEST_F(OutstandingDialogsTest, HighlightOpensWithDefaultsAndStoresTheBandsOnOk)
{
    CHighlighting dialog(&Host());
    ASSERT_TRUE(dialog.Create(IDD_HIGHLIGHTING, &Host()));
    dialog.ShowWindow(SW_SHOW);
    PumpUntilIdle();
    EXPECT_STREQ(L"1", GetText(&dialog, IDC_NEW_HOURS));
    EXPECT_STREQ(L"12", GetText(&dialog, IDC_OLD_HOURS));
    EXPECT_FALSE(IsEnabled(&dialog, IDOK)) << "nothing changed yet";
    EXPECT_FALSE(IsEnabled(&dialog, IDC_OLD_BACKGROUND));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_OLD_SPIN));

    ::CheckDlgButton(dialog.m_hWnd, IDC_CHECK_OLD, BST_CHECKED);
    Click(&dialog, IDC_CHECK_OLD);
    EXPECT_TRUE(IsEnabled(&dialog, IDC_OLD_BACKGROUND));
    EXPECT_TRUE(IsEnabled(&dialog, IDC_OLD_UNIT));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_NEW_TEXT));
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    SetText(&dialog, IDC_OLD_HOURS, L"5");
    Click(&dialog, IDOK);
    CAppProfile& profile = GetAppProfile();
    EXPECT_TRUE(profile.GetBool(L"CHighlighting::CheckOld", FALSE));
    EXPECT_FALSE(profile.GetBool(L"CHighlighting::CheckNew", TRUE));
    EXPECT_EQ(5, profile.GetInt(L"Highlight::OldMinutes", 0));
    EXPECT_EQ(1, profile.GetInt(L"Highlight::NewMinutes", 0));
    EXPECT_EQ(0xFFFFFF, profile.GetInt(L"Highlight::OldColour", 0));
}

TEST_F(OutstandingDialogsTest, SetStatusOpensOnClosedAndOffersSelectedOnlyWithASelection)
{
    CSetStatus without(&Host(), L"Open", FALSE);
    ASSERT_TRUE(without.Create(IDD_SET_STATUS, &Host()));
    EXPECT_STREQ(L"Closed", without.m_strStatus);
    EXPECT_EQ(0, without.m_nApplyTo);
    EXPECT_FALSE(IsEnabled(&without, IDC_APPLY_SELECTED));
    without.DestroyWindow();

    CSetStatus with(&Host(), L"", TRUE);
    ASSERT_TRUE(with.Create(IDD_SET_STATUS, &Host()));
    EXPECT_EQ(1, with.m_nApplyTo);
    EXPECT_TRUE(IsEnabled(&with, IDC_APPLY_SELECTED));
    with.DestroyWindow();
}
