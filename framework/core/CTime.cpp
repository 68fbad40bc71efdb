#include "framework/core/CTime.h"

#include <cwchar>

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm t = {};
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST;
    m_time = _mktime64(&t);
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)
{
}

CTime CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

bool CTime::GetLocalTm(struct tm* ptm) const
{
    return _localtime64_s(ptm, &m_time) == 0;
}

int CTime::Field(int tm::*member, int nOffset) const
{
    struct tm t;
    return GetLocalTm(&t) ? t.*member + nOffset : 0;
}

int CTime::GetYear() const { return Field(&tm::tm_year, 1900); }
int CTime::GetMonth() const { return Field(&tm::tm_mon, 1); }
int CTime::GetDay() const { return Field(&tm::tm_mday, 0); }
int CTime::GetHour() const { return Field(&tm::tm_hour, 0); }
int CTime::GetMinute() const { return Field(&tm::tm_min, 0); }
int CTime::GetSecond() const { return Field(&tm::tm_sec, 0); }
int CTime::GetDayOfWeek() const { return Field(&tm::tm_wday, 1); }

CString CTime::Format(const wchar_t* pszFormat) const
{
    struct tm t;
    if (!pszFormat || !GetLocalTm(&t))
        return CString();
    wchar_t buf[512];
    size_t n = wcsftime(buf, sizeof(buf) / sizeof(buf[0]), pszFormat, &t);
    return CString(buf, (int)n);
}
