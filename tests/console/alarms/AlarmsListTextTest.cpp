#include "console/alarms/AlarmsListText.h"
#include "console/alarms/CAlarmsTable.h"

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

TEST(AlarmsListText, FilterTextsBecomeQuotedLiterals)
{
    AlarmsFilterTexts filters;
    EXPECT_STREQ(L"", BuildAlarmsFilter(filters));
    filters.strStatus = L"Open";
    filters.strTitle = L"O'Brien'); DELETE FROM TBL_ALARMS_005; --";
    EXPECT_STREQ(L"([FLD_STATUS] = 'Open') AND ([FLD_TITLE] = 'O''Brien''); DELETE FROM TBL_ALARMS_005; --')",
                 BuildAlarmsFilter(filters));
    AlarmsFilterTexts all{L"s", L"f", L"t", L"a", L"p", L"2026-12-09 10:00:00"};
    EXPECT_STREQ(L"([FLD_STATUS] = 's') AND ([FLD_FROM] = 'f') AND ([FLD_TITLE] = 't') AND "
                 L"([FLD_ASSIGNED_TO] = 'a') AND ([FLD_PRIORITY] = 'p') AND "
                 L"([FLD_TIMESTAMP] >= { ts '2026-12-09 10:00:00' })",
                 BuildAlarmsFilter(all));
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
        EXPECT_STREQ(L"", BuildAlarmsFilter(filters));
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
