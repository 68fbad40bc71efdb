// The agent's service: its work is the command server, kept running until a stop request.
#pragma once

#include "agent/ConfigFile.h"
#include "agent/ServiceBase.h"

class CAgentService : public CServiceBase
{
public:
    CAgentService(const wchar_t* pszServiceName, const wchar_t* pszDisplayName, const wchar_t* pszDescription,
                  const wchar_t* pszNotice);

    void Run() override;

    enum { START_WAIT_HINT_MS = 300000, STOP_WAIT_HINT_MS = 60000, STOP_POLL_MS = 10000 };

    CConfigFile m_config;

private:
    void Serve();
};
