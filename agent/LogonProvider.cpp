#include "agent/LogonProvider.h"

namespace
{
CLogonProvider* g_pInstalledProvider = nullptr;
}

CLogonProvider& LogonProvider()
{
    static CLogonProvider platform;
    return g_pInstalledProvider ? *g_pInstalledProvider : platform;
}

void SetLogonProvider(CLogonProvider* pProvider)
{
    g_pInstalledProvider = pProvider;
}
