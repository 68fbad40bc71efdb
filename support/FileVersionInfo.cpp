#include "support/FileVersionInfo.h"

#include "support/AppPaths.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace
{
// Local midnight of the day, daylight saving marked off.
__time64_t LocalMidnight(int nYear, int nMonth, int nDay)
{
    struct tm day = {};
    day.tm_year = nYear - 1900;
    day.tm_mon = nMonth;
    day.tm_mday = nDay;
    day.tm_isdst = 0;
    return _mktime64(&day);
}
} // namespace

CFileVersionInfo::CFileVersionInfo(const wchar_t* pszModulePath)
    : m_bExplicitPath(pszModulePath && *pszModulePath),
      m_strPath(m_bExplicitPath ? CString(pszModulePath) : CAppPaths().GetModulePath()),
      m_nBuildNumber(BuildNumberFromDate(__DATE__))
{
    m_strBuildDate.Format(L"%S at %S", __DATE__, __TIME__);

    DWORD dwHandle = 0;
    DWORD dwSize = GetFileVersionInfoSizeW(m_strPath, &dwHandle);
    if (dwSize == 0)
        return;
    m_pVersionBlock = new BYTE[dwSize * 2]();
    if (!GetFileVersionInfoW(m_strPath, 0, dwSize * 2, m_pVersionBlock))
    {
        delete[] m_pVersionBlock;
        m_pVersionBlock = nullptr;
        return;
    }
    const wchar_t* product = GetValue(L"ProductName");
    const wchar_t* version = GetValue(L"ProductVersion");
    m_strProductLine.Format(L"%s %s build %u", product, version, m_nBuildNumber);
    m_strVersionLine.Format(L"Version %s build %u", version, m_nBuildNumber);
    m_strFullLine.Format(L"%s version %s build %u, %s", product, version, m_nBuildNumber,
                         GetValue(L"LegalCopyright"));
}

CFileVersionInfo::~CFileVersionInfo()
{
    delete[] m_pVersionBlock;
}

const wchar_t* CFileVersionInfo::GetValue(const wchar_t* pszName) const
{
    if (!m_pVersionBlock)
        return L"";
    DWORD* pTranslation = nullptr;
    UINT nLength = 0;
    if (!VerQueryValueW(m_pVersionBlock, L"\\VarFileInfo\\Translation", (void**)&pTranslation, &nLength) ||
        !pTranslation || nLength < sizeof(DWORD))
        return L"";
    CString query;
    query.Format(L"\\StringFileInfo\\%04X%04X\\%s", LOWORD(*pTranslation), HIWORD(*pTranslation), pszName);
    wchar_t* pValue = nullptr;
    if (!VerQueryValueW(m_pVersionBlock, query, (void**)&pValue, &nLength) || !pValue || nLength == 0)
        return L"";
    return pValue;
}

UINT CFileVersionInfo::BuildNumberFromDate(const char* pszDate)
{
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char month[16] = "";
    int nDay = 0, nYear = 0;
    if (sscanf(pszDate, "%15s %d %d", month, &nDay, &nYear) == 3)
    {
        for (int i = 0; i < 12; ++i)
        {
            if (strcmp(month, months[i]) != 0)
                continue;
            __time64_t built = LocalMidnight(nYear, i, nDay);
            __time64_t origin = LocalMidnight(2004, 5, 1);
            if (built < 0 || origin < 0 || built < origin)
                break;
            return (UINT)((built - origin) / 86400) + 4;
        }
    }
    // This code also runs inside other programs: a bad date must not end them.
    CString trace;
    trace.Format(L"Unknown build date: %S\n", pszDate);
    OutputDebugStringW(trace);
    return 0;
}
