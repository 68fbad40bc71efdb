#include "agent/EventLog/ForwardCounters.h"

#include "support/RegistryStore.h"

void CForwardCounters::CountRecord(const CString& strStamp)
{
    CRegistryStore& registry = GetRegistryStore();
    if (!m_bCountKnown)
    {
        m_dwCount = registry.GetVolatileDWord(L"AgentMessageCount", 0);
        m_bCountKnown = TRUE;
    }
    registry.SetVolatileDWord(L"AgentMessageCount", ++m_dwCount);
    if (strStamp == m_strLastStamp)
        return;
    registry.SetVolatileString(L"AgentLastMessage", strStamp);
    m_strLastStamp = strStamp;
}
