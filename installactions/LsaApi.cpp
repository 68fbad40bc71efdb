#include "installactions/LsaApi.h"

namespace
{
CLsaApi g_platformLsa;
CLsaApi* g_pLsa = &g_platformLsa;
} // namespace

NTSTATUS CLsaApi::OpenPolicy(ACCESS_MASK dwAccess, LSA_HANDLE* phPolicy)
{
    LSA_OBJECT_ATTRIBUTES attributes = {};
    return LsaOpenPolicy(nullptr, &attributes, dwAccess, phPolicy);
}

BOOL CLsaApi::LookupAccount(const wchar_t* pszAccount, PSID pSid, DWORD* pcbSid, wchar_t* pszDomain,
                                DWORD* pcchDomain, SID_NAME_USE* pUse)
{
    return LookupAccountNameW(nullptr, pszAccount, pSid, pcbSid, pszDomain, pcchDomain, pUse);
}

NTSTATUS CLsaApi::EnumerateAccountRights(LSA_HANDLE hPolicy, PSID pSid, PLSA_UNICODE_STRING* ppRights,
                                         ULONG* pnCount)
{
    return LsaEnumerateAccountRights(hPolicy, pSid, ppRights, pnCount);
}

NTSTATUS CLsaApi::AddAccountRights(LSA_HANDLE hPolicy, PSID pSid, PLSA_UNICODE_STRING pRights, ULONG nCount)
{
    return LsaAddAccountRights(hPolicy, pSid, pRights, nCount);
}

NTSTATUS CLsaApi::FreeMemory(void* pBuffer)
{
    return LsaFreeMemory(pBuffer);
}

NTSTATUS CLsaApi::Close(LSA_HANDLE hPolicy)
{
    return LsaClose(hPolicy);
}

ULONG CLsaApi::NtStatusToWinError(NTSTATUS status)
{
    return LsaNtStatusToWinError(status);
}

CLsaApi& GetLsaApi()
{
    return *g_pLsa;
}

void SetLsaApi(CLsaApi* pApi)
{
    g_pLsa = pApi ? pApi : &g_platformLsa;
}
