#include "installactions/LoopbackLogon.h"

namespace
{
wchar_t g_szPackage[] = L"NTLM";
} // namespace

CLoopbackLogon::CLoopbackLogon()
    : m_entries(), m_bLoaded(FALSE), m_cbMaxToken(0), m_client(), m_server(), m_identity()
{
}

CLoopbackLogon::~CLoopbackLogon()
{
    CleanUp(m_client);
    CleanUp(m_server);
    if (m_bLoaded)
        GetSecurityLibrary().Unload();
}

void CLoopbackLogon::CleanUp(AuthSide& side)
{
    if (side.fContextValid)
        m_entries.pfnDeleteSecurityContext(&side.hContext);
    if (side.fHaveCredentials)
        m_entries.pfnFreeCredentialsHandle(&side.hCredentials);
    side = AuthSide();
}

BOOL CLoopbackLogon::Prepare()
{
    m_bLoaded = GetSecurityLibrary().Load(m_entries);
    if (!m_bLoaded)
        return FALSE;
    PSecPkgInfoW pInfo = nullptr;
    if (m_entries.pfnQuerySecurityPackageInfo(g_szPackage, &pInfo) < 0 || !pInfo)
        return FALSE;
    m_cbMaxToken = pInfo->cbMaxToken;
    m_entries.pfnFreeContextBuffer(pInfo);
    m_clientToken.assign(m_cbMaxToken, 0);
    m_serverToken.assign(m_cbMaxToken, 0);
    return TRUE;
}

BOOL CLoopbackLogon::Authenticate(const CString& strDomain, const CString& strUser, const CString& strPassword)
{
    if (!Prepare())
        return FALSE;
    m_identity.User = (unsigned short*)strUser.GetString();
    m_identity.UserLength = (unsigned long)strUser.GetLength();
    m_identity.Domain = (unsigned short*)strDomain.GetString();
    m_identity.DomainLength = (unsigned long)strDomain.GetLength();
    m_identity.Password = (unsigned short*)strPassword.GetString();
    m_identity.PasswordLength = (unsigned long)strPassword.GetLength();
    m_identity.Flags = SEC_WINNT_AUTH_IDENTITY_UNICODE;

    DWORD cbClient = m_cbMaxToken, cbServer = m_cbMaxToken;
    if (!RunLeg(m_client, TRUE, nullptr, 0, m_clientToken, cbClient))
        return FALSE;
    if (!RunLeg(m_server, FALSE, &m_clientToken, cbClient, m_serverToken, cbServer))
        return FALSE;
    cbClient = m_cbMaxToken;
    if (!RunLeg(m_client, TRUE, &m_serverToken, cbServer, m_clientToken, cbClient))
        return FALSE;
    cbServer = m_cbMaxToken;
    return RunLeg(m_server, FALSE, &m_clientToken, cbClient, m_serverToken, cbServer);
}

BOOL CLoopbackLogon::AcquireCredentials(AuthSide& side, BOOL bClient)
{
    TimeStamp expiry;
    SECURITY_STATUS status = m_entries.pfnAcquireCredentialsHandle(
        nullptr, g_szPackage, bClient ? SECPKG_CRED_OUTBOUND : SECPKG_CRED_INBOUND, nullptr,
        bClient ? &m_identity : nullptr, nullptr, nullptr, &side.hCredentials, &expiry);
    if (status < 0)
        return FALSE;
    side.fHaveCredentials = TRUE;
    return TRUE;
}

BOOL CLoopbackLogon::RunLeg(AuthSide& side, BOOL bClient, std::vector<BYTE>* pInput, DWORD cbInput,
                            std::vector<BYTE>& output, DWORD& cbOutput)
{
    if (!side.fHaveContext && !AcquireCredentials(side, bClient))
        return FALSE;

    SecBuffer outBuffer = {cbOutput, SECBUFFER_TOKEN, output.data()};
    SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, &outBuffer};
    SecBuffer inBuffer = {cbInput, SECBUFFER_TOKEN, pInput ? pInput->data() : nullptr};
    SecBufferDesc inDesc = {SECBUFFER_VERSION, 1, &inBuffer};
    PCtxtHandle phContext = side.fHaveContext ? &side.hContext : nullptr;
    ULONG fAttributes = 0;
    TimeStamp expiry;

    SECURITY_STATUS status;
    if (bClient)
        status = m_entries.pfnInitializeSecurityContext(&side.hCredentials, phContext, nullptr, 0, 0,
                                                        SECURITY_NATIVE_DREP, pInput ? &inDesc : nullptr, 0,
                                                        &side.hContext, &outDesc, &fAttributes, &expiry);
    else
        status = m_entries.pfnAcceptSecurityContext(&side.hCredentials, phContext, &inDesc, 0,
                                                    SECURITY_NATIVE_DREP, &side.hContext, &outDesc,
                                                    &fAttributes, &expiry);
    if (status < 0)
        return FALSE;
    side.fContextValid = TRUE;

    if (status == SEC_I_COMPLETE_NEEDED || status == SEC_I_COMPLETE_AND_CONTINUE)
    {
        if (!m_entries.pfnCompleteAuthToken || m_entries.pfnCompleteAuthToken(&side.hContext, &outDesc) < 0)
            return FALSE;
    }
    cbOutput = outBuffer.cbBuffer;
    side.fHaveContext = TRUE;
    return TRUE;
}
