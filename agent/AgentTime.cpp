#include "agent/AgentTime.h"

#include "framework/core/CTime.h"

#include <ctime>

CAgentTime CAgentTime::Now()
{
    return CAgentTime(_time64(nullptr));
}

CString CAgentTime::Stamp() const
{
    return CTime(m_time).Format(L"%Y-%m-%d %H:%M:%S");
}

CString CAgentTime::FileStamp() const
{
    return CTime(m_time).Format(L"%Y-%m-%d %H%M%S");
}

CString CAgentTime::Full() const
{
    return CTime(m_time).Format(L"%c");
}

CString CAgentTime::AscTime() const
{
    struct tm local;
    wchar_t szText[64] = L"";
    if (_localtime64_s(&local, &m_time) != 0 || _wasctime_s(szText, 64, &local) != 0)
        return CString();
    CString strText(szText);
    strText.TrimRight(L"\n");
    return strText;
}
