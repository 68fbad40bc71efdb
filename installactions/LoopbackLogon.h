// Checks an account name and password by running an NTLM authentication in which this process
// is both the client and the server: the password is right when the server side accepts.
#pragma once

#include "installactions/SecurityLibrary.h"

#include "framework/core/CString.h"

#include <vector>

class CLoopbackLogon
{
public:
    CLoopbackLogon();
    // Deletes the contexts, frees the credentials and unloads the security library.
    ~CLoopbackLogon();
    CLoopbackLogon(const CLoopbackLogon&) = delete;
    CLoopbackLogon& operator=(const CLoopbackLogon&) = delete;

    BOOL Authenticate(const CString& strDomain, const CString& strUser, const CString& strPassword);

private:
    struct AuthSide
    {
        BOOL fHaveContext;
        BOOL fHaveCredentials;
        BOOL fContextValid;
        CredHandle hCredentials;
        CtxtHandle hContext;
    };

    BOOL Prepare();
    // One step of one side: the token in pInput (none on the client's first step) answered
    // with a token in output, whose size it sets.
    BOOL RunLeg(AuthSide& side, BOOL bClient, std::vector<BYTE>* pInput, DWORD cbInput,
                std::vector<BYTE>& output, DWORD& cbOutput);
    BOOL AcquireCredentials(AuthSide& side, BOOL bClient);
    void CleanUp(AuthSide& side);

    SecurityEntryPoints m_entries;
    BOOL m_bLoaded;
    DWORD m_cbMaxToken;
    AuthSide m_client;
    AuthSide m_server;
    SEC_WINNT_AUTH_IDENTITY_W m_identity;
    std::vector<BYTE> m_clientToken;
    std::vector<BYTE> m_serverToken;
};
