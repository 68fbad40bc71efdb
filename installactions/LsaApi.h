// The account-rights calls of the local security authority, behind one narrow interface so that
// a test can stand in for a platform that does not keep rights.
#pragma once

#include <windows.h>
#include <ntsecapi.h>

class CLsaApi
{
public:
    virtual ~CLsaApi() {}

    virtual NTSTATUS OpenPolicy(ACCESS_MASK dwAccess, LSA_HANDLE* phPolicy);
    virtual BOOL LookupAccount(const wchar_t* pszAccount, PSID pSid, DWORD* pcbSid, wchar_t* pszDomain,
                                   DWORD* pcchDomain, SID_NAME_USE* pUse);
    virtual NTSTATUS EnumerateAccountRights(LSA_HANDLE hPolicy, PSID pSid, PLSA_UNICODE_STRING* ppRights,
                                            ULONG* pnCount);
    virtual NTSTATUS AddAccountRights(LSA_HANDLE hPolicy, PSID pSid, PLSA_UNICODE_STRING pRights, ULONG nCount);
    virtual NTSTATUS FreeMemory(void* pBuffer);
    virtual NTSTATUS Close(LSA_HANDLE hPolicy);
    virtual ULONG NtStatusToWinError(NTSTATUS status);
};

// The interface in use: the platform's unless a test has put its own in place.
CLsaApi& GetLsaApi();
// Null puts the platform's back.
void SetLsaApi(CLsaApi* pApi);
