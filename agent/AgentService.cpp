#include "agent/AgentService.h"

#include "agent/CommandServer.h"

CAgentService::CAgentService(const wchar_t* pszServiceName, const wchar_t* pszDisplayName,
                             const wchar_t* pszDescription, const wchar_t* pszNotice)
    : CServiceBase(pszServiceName, pszDisplayName, pszDescription, pszNotice)
{
    m_config.Load();
}

void CAgentService::Run()
{
    try
    {
        Serve();
    }
    catch (...)
    {
    }
}

void CAgentService::Serve()
{
    SetStatus(SERVICE_START_PENDING, START_WAIT_HINT_MS, 0);
    m_nRunState = RUN_STARTING;
    CCommandServer* pServer = new CCommandServer;
    if (pServer->Start() && EnterRunning())
    {
        SetStatus(SERVICE_RUNNING, 0, 0);
        while (m_nRunState != RUN_STOPPING)
            m_stopEvent.Wait(STOP_POLL_MS);
    }
    SetStatus(SERVICE_STOP_PENDING, STOP_WAIT_HINT_MS, 0);
    pServer->CloseSocket();
    delete pServer;
    SetStatus(SERVICE_STOPPED, 0, 0);
}
