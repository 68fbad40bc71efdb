// Linked into the test build of the agent only: its configuration file may point the event-log
// reader at a spool folder and the account check at an account table.
#include "agent/ConfigFile.h"
#include "agent/EventLog/SpoolEventLogSource.h"
#include "agent/LogonProvider.h"
#include "support/TextFile.h"

namespace
{
// Accounts from a file of lines "domain\user<TAB>password"; the local domain is ".".
class CAccountTableLogon : public CLogonProvider
{
public:
    explicit CAccountTableLogon(const wchar_t* pszTable) : m_strTable(pszTable) {}

    BOOL Logon(const wchar_t* pszUser, const wchar_t* pszDomain, const wchar_t* pszPassword, HANDLE* phToken) override
    {
        CStringArray lines;
        CTextFile(m_strTable).ReadLines(lines);
        CString strEntry = CString(pszDomain) + L"\\" + pszUser + L"\t" + pszPassword;
        for (int i = 0; i < lines.GetSize(); i++)
            if (lines[i] == strEntry)
            {
                *phToken = (HANDLE)1;
                return TRUE;
            }
        SetLastError(ERROR_LOGON_FAILURE);
        return FALSE;
    }
    BOOL Impersonate(HANDLE) override { return TRUE; }
    BOOL Revert() override { return TRUE; }
    void CloseToken(HANDLE) override {}

private:
    CString m_strTable;
};

struct CTestSeams
{
    CTestSeams()
    {
        CConfigFile config;
        config.Load();
        CString strSpool = config.GetValue(L"EVENTLOG_SPOOL", L"");
        if (!strSpool.IsEmpty())
        {
            static CSpoolEventLogSource source(strSpool);
            SetEventLogSource(&source);
        }
        CString strAccounts = config.GetValue(L"LOGON_ACCOUNTS", L"");
        if (!strAccounts.IsEmpty())
        {
            static CAccountTableLogon logon(strAccounts);
            SetLogonProvider(&logon);
        }
    }
} g_testSeams;
} // namespace
