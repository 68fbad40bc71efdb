// The framework's moment in time: seconds since 1 January 1970 UTC, shown in local time.
#pragma once

#include "framework/core/CString.h"

#include <ctime>

class CTime
{
public:
    CTime() : m_time(0) {}
    CTime(__time64_t t) : m_time(t) {}
    // Local calendar time; nDST < 0 lets the C runtime decide on daylight saving.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    explicit CTime(const SYSTEMTIME& st, int nDST = -1);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    // FALSE when the value has no local calendar form.
    bool GetLocalTm(struct tm* ptm) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday

    // strftime-style format of the local time; empty when the value has no local form.
    CString Format(const wchar_t* pszFormat) const;

    friend bool operator==(CTime a, CTime b) { return a.m_time == b.m_time; }
    friend bool operator!=(CTime a, CTime b) { return a.m_time != b.m_time; }
    friend bool operator<(CTime a, CTime b) { return a.m_time < b.m_time; }
    friend bool operator>(CTime a, CTime b) { return a.m_time > b.m_time; }
    friend bool operator<=(CTime a, CTime b) { return a.m_time <= b.m_time; }
    friend bool operator>=(CTime a, CTime b) { return a.m_time >= b.m_time; }

private:
    int Field(int tm::*member, int nOffset) const;

    __time64_t m_time;
};
