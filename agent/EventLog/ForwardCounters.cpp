#include "agent/EventLog/ForwardCounters.h"

#include "agent/AgentTime.h"
#include "support/RegistryStore.h"

void CForwardCounters::CountRecord(__time64_t tRead)
{
    CRegistryStore& registry = GetRegistryStore();
    if (!m_bCountKnown)
    {
        m_dwCount = registry.GetVolatileDWord(L"AgentMessageCount", 0);
        m_bCountKnown = TRUE;
    }
    registry.SetVolatileDWord(L"AgentMessageCount", ++m_dwCount);
    if (m_bTimeKnown && tRead == m_tLastRead)
        return;
    m_bTimeKnown = TRUE;
    m_tLastRead = tRead;
    registry.SetVolatileString(L"AgentLastMessage", CAgentTime(tRead).Stamp());
}
