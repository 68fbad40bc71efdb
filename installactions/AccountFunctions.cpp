// The account exports: does an account exist, may it log on as a service, is its password right.
#include "installactions/Gantrel.h"
#include "installactions/InstallerMessages.h"
#include "installactions/LoopbackLogon.h"
#include "installactions/LsaApi.h"

#include "support/SystemErrorText.h"

#include <lm.h>

#include <cwchar>
#include <new>
#include <vector>

namespace
{
const wchar_t kLogonRight[] = L"SeServiceLogonRight";

// The account's security identifier on the local system; empty when it is not found.
std::vector<BYTE> LookUpSid(CLsaApi& lsa, const CString& strAccount)
{
    try
    {
        std::vector<BYTE> sid(128);
        std::vector<wchar_t> domain(16);
        DWORD cbSid = (DWORD)sid.size(), cchDomain = (DWORD)domain.size();
        SID_NAME_USE use;
        if (lsa.LookupAccount(strAccount, sid.data(), &cbSid, domain.data(), &cchDomain, &use))
            return sid;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return std::vector<BYTE>();
        sid.assign(cbSid, 0);
        domain.assign(cchDomain, 0);
        if (lsa.LookupAccount(strAccount, sid.data(), &cbSid, domain.data(), &cchDomain, &use))
            return sid;
    }
    catch (const std::bad_alloc&)
    {
    }
    return std::vector<BYTE>();
}

BOOL IsLogonRight(const LSA_UNICODE_STRING& right)
{
    size_t cch = right.Length / sizeof(wchar_t);
    return cch == wcslen(kLogonRight) && wcsncmp(right.Buffer, kLogonRight, cch) == 0;
}

BOOL HoldsLogonRight(CLsaApi& lsa, LSA_HANDLE hPolicy, PSID pSid)
{
    PLSA_UNICODE_STRING pRights = nullptr;
    ULONG nCount = 0;
    if (lsa.EnumerateAccountRights(hPolicy, pSid, &pRights, &nCount) < 0 || !pRights)
        return FALSE;
    BOOL bHeld = FALSE;
    for (ULONG i = 0; i < nCount && !bHeld; ++i)
        bHeld = IsLogonRight(pRights[i]);
    lsa.FreeMemory(pRights);
    return bHeld;
}

void GrantLogonRight(HWND hOwner, CLsaApi& lsa, LSA_HANDLE hPolicy, PSID pSid, const CString& strAccount)
{
    LSA_UNICODE_STRING right;
    right.Buffer = const_cast<wchar_t*>(kLogonRight);
    right.Length = (USHORT)(wcslen(kLogonRight) * sizeof(wchar_t));
    right.MaximumLength = (USHORT)(right.Length + sizeof(wchar_t));
    NTSTATUS status = lsa.AddAccountRights(hPolicy, pSid, &right, 1);
    if (status >= 0)
    {
        ShowWarningBox(hOwner, strAccount + L" has been granted the 'Logon as service' right", L"Adding Rights");
        return;
    }
    CSystemErrorText error(lsa.NtStatusToWinError(status), L"", L"", L"", L"", L"");
    CString strText;
    strText.Format(L"LsaEnumerateAccountRights Error %s", error.m_strText.GetString());
    ShowWarningBox(hOwner, strText, L"Add Logon Right");
    TraceFailure(L"CreateAccount: the logon right was not granted to %s: %s", strAccount.GetString(),
                 error.m_strText.GetString());
}

// "DOMAIN\user" splits at the first backslash; a name that starts with one is all user.
void SplitAccount(const CString& strAccount, CString& strDomain, CString& strUser)
{
    int nSlash = strAccount.Find(L'\\');
    if (nSlash > 0)
    {
        strDomain = strAccount.Left(nSlash);
        strUser = strAccount.Mid(nSlash + 1);
    }
    else
    {
        strDomain.Empty();
        strUser = strAccount;
    }
}
} // namespace

int __cdecl CheckAccountExists(const char* pszAccount)
{
    CString strAccount(pszAccount);
    if (strAccount.IsEmpty())
        return 0;
    BYTE* pInfo = nullptr;
    NET_API_STATUS status = NetUserGetInfo(nullptr, strAccount, 0, &pInfo);
    if (pInfo)
        NetApiBufferFree(pInfo);
    return status == NERR_Success ? 1 : 0;
}

// The setup takes the result 1 whatever happened, so every failure leaves a trace line.
int __cdecl CreateAccount(HWND hOwner, const char* pszAccount, const char* /*pszUnused*/)
{
    CString strAccount(pszAccount);
    if (strAccount.IsEmpty())
    {
        TraceFailure(L"CreateAccount: no account name");
        return 1;
    }
    CLsaApi& lsa = GetLsaApi();
    LSA_HANDLE hPolicy = nullptr;
    NTSTATUS status = lsa.OpenPolicy(POLICY_CREATE_ACCOUNT | POLICY_LOOKUP_NAMES, &hPolicy);
    if (status < 0)
    {
        TraceFailure(L"CreateAccount: the local security policy did not open (error %lu)",
                     lsa.NtStatusToWinError(status));
        return 1;
    }
    std::vector<BYTE> sid = LookUpSid(lsa, strAccount);
    if (sid.empty())
        TraceFailure(L"CreateAccount: the account %s was not found", strAccount.GetString());
    else if (!HoldsLogonRight(lsa, hPolicy, sid.data()))
        GrantLogonRight(hOwner, lsa, hPolicy, sid.data(), strAccount);
    lsa.Close(hPolicy);
    return 1;
}

int __cdecl CheckPasswordCorrect(int /*nUnused*/, const char* pszAccount, const char* pszPassword)
{
    CString strAccount(pszAccount);
    if (strAccount.IsEmpty() || !pszPassword)
        return 0;
    CString strDomain, strUser;
    SplitAccount(strAccount, strDomain, strUser);
    CLoopbackLogon logon;
    return logon.Authenticate(strDomain, strUser, CString(pszPassword)) ? 1 : 0;
}
