// The account check of a set-target-list request: log on, act as that account, go back. The
// platform's calls are the default; a stand-in can take their place.
#pragma once

#include <windows.h>

class CLogonProvider
{
public:
    virtual ~CLogonProvider() {}
    // Interactive logon; FALSE with the last error set when the account or password is wrong.
    virtual BOOL Logon(const wchar_t* pszUser, const wchar_t* pszDomain, const wchar_t* pszPassword, HANDLE* phToken)
    {
        return LogonUserW(pszUser, pszDomain, pszPassword, LOGON32_LOGON_INTERACTIVE, LOGON32_PROVIDER_DEFAULT, phToken);
    }
    virtual BOOL Impersonate(HANDLE hToken) { return ImpersonateLoggedOnUser(hToken); }
    virtual BOOL Revert() { return RevertToSelf(); }
    virtual void CloseToken(HANDLE hToken) { CloseHandle(hToken); }
};

// The process's provider: the platform's unless another was installed before the server runs.
CLogonProvider& LogonProvider();
void SetLogonProvider(CLogonProvider* pProvider);
