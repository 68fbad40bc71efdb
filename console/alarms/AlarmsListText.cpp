#include "console/alarms/AlarmsListText.h"

#include "framework/database/CDBException.h"

namespace
{
AlarmsClockFunction& Clock()
{
    static AlarmsClockFunction fn;
    return fn;
}
} // namespace

CString DatabaseErrorText(const CDBException& e)
{
    return e.GetErrorMessage().Left(1024);
}

AlarmsClockFunction SetAlarmsClock(AlarmsClockFunction fn)
{
    AlarmsClockFunction old = Clock();
    Clock() = fn;
    return old;
}

CTime AlarmsNow()
{
    return Clock() ? Clock()() : CTime::GetCurrentTime();
}

CString FormatAlarmAge(long long nAge)
{
    int nDays = (int)(nAge / 86400);
    int nHours = (int)(nAge / 3600 % 24);
    int nMinutes = (int)(nAge / 60 % 60);
    int nSeconds = (int)(nAge % 60);
    CString strAge;
    if (nDays != 0)
        strAge.Format(L"%3d %02d:%02d:%02d", nDays, nHours, nMinutes, nSeconds);
    else
        strAge.Format(L"    %02d:%02d:%02d", nHours, nMinutes, nSeconds);
    return strAge;
}

CString MatchTextFrom(const CString& strMatchText)
{
    CString strFrom;
    int nStart = 0;
    while (nStart <= strMatchText.GetLength())
    {
        int nEnd = strMatchText.Find(L'\n', nStart);
        if (nEnd < 0)
            nEnd = strMatchText.GetLength();
        CString strLine = strMatchText.Mid(nStart, nEnd - nStart);
        int nEquals = strLine.Find(L'=');
        if (nEquals >= 0)
        {
            CString strName = strLine.Left(nEquals);
            strName.TrimRight();
            if (strName.CompareNoCase(L"from") == 0)
                strFrom = strLine.Mid(nEquals + 1);
        }
        nStart = nEnd + 1;
    }
    return strFrom;
}

CString StatusLogBlock(const wchar_t* pszStatus, const CString& strChanged)
{
    CString strBlock;
    strBlock.Format(L"\n---\nNew status ..: %s\nChanged .....: %s", pszStatus, strChanged.GetString());
    return strBlock;
}
