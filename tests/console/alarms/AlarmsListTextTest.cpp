#include "console/alarms/AlarmsListText.h"
#include "console/alarms/CAlarmsTable.h"
#include "framework/database/CDBParameterList.h"

#include <gtest/gtest.h>

TEST(AlarmsListText, AgeShowsDaysRightAlignedOrFourBlanks)
{
    EXPECT_STREQ(L"  1 02:03:04", FormatAlarmAge(86400 + 2 * 3600 + 3 * 60 + 4));
    EXPECT_STREQ(L"    00:05:00", FormatAlarmAge(300));
    EXPECT_STREQ(L"    00:00:00", FormatAlarmAge(0));
    EXPECT_STREQ(L"123 23:59:59", FormatAlarmAge(123LL * 86400 + 86399));
}

TEST(AlarmsListText, FromIsTheLastFromLineWhateverItsCase)
{
    EXPECT_STREQ(L"web02", MatchTextFrom(L"FROM=web01\nTitle=x\nfrom \t=web02"));
    EXPECT_STREQ(L"", MatchTextFrom(L"Title=x\nfromage=cheese"));
    EXPECT_STREQ(L"a=b", MatchTextFrom(L"From=a=b"));
    EXPECT_STREQ(L"", MatchTextFrom(L""));
}

TEST(AlarmsListText, StatusBlockHasItsThreeLinesAfterALineFeed)
{
    EXPECT_STREQ(L"\n---\nNew status ..: Closed\nChanged .....: 09/12/2026 10:00:00",
                 StatusLogBlock(L"Closed", L"09/12/2026 10:00:00"));
}

// The texts themselves are bound: the window's tests on the data sources show them matched.
TEST(AlarmsListText, FilterTextsBecomeMarkersWithOneParameterEach)
{
    AlarmsFilterTexts filters;
    CDBParameterList params;
    EXPECT_STREQ(L"", BuildAlarmsFilter(filters, params));
    EXPECT_EQ(0, params.GetCount());
    filters.strStatus = L"Open";
    filters.strTitle = L"O'Brien\\'); DELETE FROM TBL_ALARMS_005; --";
    EXPECT_STREQ(L"([FLD_STATUS] = ?) AND ([FLD_TITLE] = ?)", BuildAlarmsFilter(filters, params));
    EXPECT_EQ(2, params.GetCount());
    AlarmsFilterTexts all{L"s", L"f", L"t", L"a", L"p", L"2026-12-09 10:00:00"};
    params.RemoveAll();
    EXPECT_STREQ(L"([FLD_STATUS] = ?) AND ([FLD_FROM] = ?) AND ([FLD_TITLE] = ?) AND "
                 L"([FLD_ASSIGNED_TO] = ?) AND ([FLD_PRIORITY] = ?) AND ([FLD_TIMESTAMP] >= ?)",
                 BuildAlarmsFilter(all, params));
    EXPECT_EQ(6, params.GetCount());
}

TEST(AlarmsListText, OnlyAnExactTimestampIsTakenAsAgeLimit)
{
    EXPECT_TRUE(IsTimestampText(L"2026-12-09 00:00:00"));
    for (const wchar_t* pszText : {L"2026-12-09", L"2026-12-09 00:00:00 ", L"2026-12-09T00:00:00",
                                   L"' }) OR (1=1", L"2026-12-09 00:00:0'", L""})
    {
        EXPECT_FALSE(IsTimestampText(pszText)) << CStringA(pszText).GetString();
        AlarmsFilterTexts filters;
        filters.strAge = pszText;
        CDBParameterList params;
        EXPECT_STREQ(L"", BuildAlarmsFilter(filters, params));
        EXPECT_EQ(0, params.GetCount());
    }
}

TEST(AlarmsListText, TheClockCanBeSetAndRestored)
{
    CTime fixed(2026, 12, 9, 23, 59, 59);
    AlarmsClockFunction old = SetAlarmsClock([fixed] { return fixed; });
    EXPECT_EQ(fixed.GetTime(), AlarmsNow().GetTime());
    SetAlarmsClock(old);
    EXPECT_LE(std::abs((long long)(AlarmsNow().GetTime() - CTime::GetCurrentTime().GetTime())), 2);
}
