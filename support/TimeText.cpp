#include "support/TimeText.h"

#include <ctime>

namespace
{
CString DateAndTime(const SYSTEMTIME* pst)
{
    wchar_t date[80] = L"";
    wchar_t time[80] = L"";
    if (pst)
    {
        GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, pst, nullptr, date, 80);
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, pst, nullptr, time, 80);
    }
    CString text;
    text.Format(L"%s %s", date, time);
    return text;
}
} // namespace

CString CTimeText::Format() const
{
    struct tm local;
    if (_localtime32_s(&local, &m_nTime) != 0)
        return DateAndTime(nullptr);
    SYSTEMTIME st = {};
    st.wYear = (WORD)(local.tm_year + 1900);
    st.wMonth = (WORD)(local.tm_mon + 1);
    st.wDayOfWeek = (WORD)local.tm_wday;
    st.wDay = (WORD)local.tm_mday;
    st.wHour = (WORD)local.tm_hour;
    st.wMinute = (WORD)local.tm_min;
    st.wSecond = (WORD)local.tm_sec;
    return DateAndTime(&st);
}

CString CTimeText::FormatCurrentTime() const
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return DateAndTime(&st);
}
