#include "tests/alarmmodel/database/AlarmsBench.h"

#include "support/RegistryStore.h"

namespace alarmsbench
{
namespace
{
CMainWindowCapture* g_pCapture = nullptr;

CString SqliteFile() { return odbcbench::BenchDir() + L"/alarms.db"; }
} // namespace

CMainWindowCapture::CMainWindowCapture()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Belvane-Tervok-Application";
    RegisterClassW(&wc);
    g_pCapture = this;
    // Message-only: no display is needed.
    m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"capture", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             wc.hInstance, nullptr);
}

CMainWindowCapture::~CMainWindowCapture()
{
    DestroyWindow(m_hWnd);
    g_pCapture = nullptr;
}

LRESULT CALLBACK CMainWindowCapture::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == GetAddLogfileMessage() && g_pCapture != nullptr)
    {
        g_pCapture->m_lines.push_back(CapturedLine{(int)wParam, CString((const wchar_t*)lParam)});
        if (g_pCapture->m_onLine)
            g_pCapture->m_onLine(g_pCapture->m_lines.back());
        return 0;
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

bool IsPostgres(const wchar_t* pszDsn) { return wcsstr(pszDsn, L"PostgreSQL") != nullptr; }

std::string DataSourceName(const ::testing::TestParamInfo<const wchar_t*>& info)
{
    if (!IsPostgres(info.param))
        return "SQLite";
    return wcscmp(info.param, kBackslashDsn) == 0 ? "PostgreSQLBackslash" : "PostgreSQL";
}

void UseDataSource(const wchar_t* pszDsn)
{
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
    GetRegistryStore().SetString(L"AlarmDatabaseDSN", pszDsn);
}

void DropAlarmsTable(const wchar_t* pszDsn)
{
    if (IsPostgres(pszDsn))
        odbcbench::Psql("DROP TABLE IF EXISTS tbl_alarms_005");
    else
        DeleteFileW(odbcbench::DosPath(SqliteFile()));
}

CStringA QueryOutside(const wchar_t* pszDsn, const char* pszSQL)
{
    CStringA strOut = IsPostgres(pszDsn) ? odbcbench::Psql(pszSQL) : odbcbench::Sqlite3(SqliteFile(), pszSQL);
    strOut.TrimRight();
    return strOut;
}

CString Joined(const CStringArray& arrLines)
{
    CString strText;
    for (const CString& strLine : arrLines)
        strText += strLine + L"\n";
    return strText;
}
} // namespace alarmsbench
