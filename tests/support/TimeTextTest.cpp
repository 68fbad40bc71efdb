#include "support/TimeText.h"

#include <gtest/gtest.h>

namespace
{
// Switches the user's short date and time formats for one test.
class RegionalFormats
{
public:
    RegionalFormats(const wchar_t* date, const wchar_t* time)
    {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, m_date, 80);
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, m_time, 80);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, date);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, time);
    }
    ~RegionalFormats()
    {
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, m_date);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, m_time);
    }

private:
    wchar_t m_date[80];
    wchar_t m_time[80];
};

class TimeZone
{
public:
    explicit TimeZone(const char* tz) { _putenv_s("TZ", tz); _tzset(); }
    ~TimeZone() { _putenv_s("TZ", ""); _tzset(); }
};
} // namespace

TEST(TimeText, FollowsRegionalSettingsAndTimeZone)
{
    TimeZone utc("UTC0");
    const __time32_t t = 1000000000; // 2001-09-09 01:46:40 UTC
    {
        RegionalFormats f(L"yyyy-MM-dd", L"HH:mm:ss");
        EXPECT_STREQ(L"2001-09-09 01:46:40", CTimeText(t).Format());
    }
    {
        RegionalFormats f(L"dd.MM.yyyy", L"HH:mm");
        EXPECT_STREQ(L"09.09.2001 01:46", CTimeText(t).Format());
    }
    TimeZone east("XYZ-5"); // five hours ahead of UTC
    RegionalFormats f(L"yyyy-MM-dd", L"HH:mm:ss");
    EXPECT_STREQ(L"2001-09-09 06:46:40", CTimeText(t).Format());
}

TEST(TimeText, ValueWithoutLocalFormGivesASingleBlank)
{
    TimeZone utc("UTC0");
    EXPECT_STREQ(L" ", CTimeText(-1).Format());
}

TEST(TimeText, CurrentTimeIgnoresTheStoredValue)
{
    RegionalFormats f(L"yyyy", L"HH");
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString expected;
    expected.Format(L"%04u", now.wYear);
    CString text = CTimeText(0).FormatCurrentTime();
    EXPECT_EQ(0, text.Find(expected));
    EXPECT_EQ(7, text.GetLength());
}
