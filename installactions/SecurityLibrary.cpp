#include "installactions/SecurityLibrary.h"

namespace
{
CSecurityLibrary g_platformLibrary;
CSecurityLibrary* g_pLibrary = &g_platformLibrary;

template <typename T>
BOOL Resolve(HMODULE hModule, const char* pszName, T& pfn)
{
    pfn = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName)));
    return pfn != nullptr;
}
} // namespace

const wchar_t* CSecurityLibrary::LibraryName()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    BOOL bNt4 = GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                version.dwMajorVersion == 4 && version.dwMinorVersion == 0;
    return bNt4 ? L"security.dll" : L"secur32.dll";
}

BOOL CSecurityLibrary::Load(SecurityEntryPoints& entries)
{
    entries = SecurityEntryPoints();
    m_hModule = LoadLibraryW(LibraryName());
    if (!m_hModule)
        return FALSE;
    Resolve(m_hModule, "CompleteAuthToken", entries.pfnCompleteAuthToken);
    BOOL bComplete = Resolve(m_hModule, "AcceptSecurityContext", entries.pfnAcceptSecurityContext) &&
                     Resolve(m_hModule, "AcquireCredentialsHandleW", entries.pfnAcquireCredentialsHandle) &&
                     Resolve(m_hModule, "DeleteSecurityContext", entries.pfnDeleteSecurityContext) &&
                     Resolve(m_hModule, "FreeContextBuffer", entries.pfnFreeContextBuffer) &&
                     Resolve(m_hModule, "FreeCredentialsHandle", entries.pfnFreeCredentialsHandle) &&
                     Resolve(m_hModule, "InitializeSecurityContextW", entries.pfnInitializeSecurityContext) &&
                     Resolve(m_hModule, "QuerySecurityPackageInfoW", entries.pfnQuerySecurityPackageInfo);
    if (bComplete)
        return TRUE;
    Unload();
    entries = SecurityEntryPoints();
    return FALSE;
}

void CSecurityLibrary::Unload()
{
    if (m_hModule)
        FreeLibrary(m_hModule);
    m_hModule = nullptr;
}

CSecurityLibrary& GetSecurityLibrary()
{
    return *g_pLibrary;
}

void SetSecurityLibrary(CSecurityLibrary* pLibrary)
{
    g_pLibrary = pLibrary ? pLibrary : &g_platformLibrary;
}
