// The platform's SSPI provider library, loaded by name for one password check and unloaded
// after it. A test can put its own provider in place.
#pragma once

#define SECURITY_WIN32
#include <windows.h>
#include <security.h>

struct SecurityEntryPoints
{
    ACCEPT_SECURITY_CONTEXT_FN pfnAcceptSecurityContext;
    ACQUIRE_CREDENTIALS_HANDLE_FN_W pfnAcquireCredentialsHandle;
    COMPLETE_AUTH_TOKEN_FN pfnCompleteAuthToken; // the only optional one
    DELETE_SECURITY_CONTEXT_FN pfnDeleteSecurityContext;
    FREE_CONTEXT_BUFFER_FN pfnFreeContextBuffer;
    FREE_CREDENTIALS_HANDLE_FN pfnFreeCredentialsHandle;
    INITIALIZE_SECURITY_CONTEXT_FN_W pfnInitializeSecurityContext;
    QUERY_SECURITY_PACKAGE_INFO_FN_W pfnQuerySecurityPackageInfo;
};

class CSecurityLibrary
{
public:
    CSecurityLibrary() : m_hModule(nullptr) {}
    virtual ~CSecurityLibrary() {}

    // Fills every entry point, or returns FALSE with the library unloaded and all cleared.
    virtual BOOL Load(SecurityEntryPoints& entries);
    virtual void Unload();

    // "security.dll" on Windows NT 4.0, "secur32.dll" everywhere else.
    static const wchar_t* LibraryName();

private:
    HMODULE m_hModule;
};

// The provider in use: the platform's unless a test has put its own in place.
CSecurityLibrary& GetSecurityLibrary();
// Null puts the platform's back.
void SetSecurityLibrary(CSecurityLibrary* pLibrary);
