// The volatile registry values that count the records read: AgentMessageCount (records so far)
// and AgentLastMessage (local time of the last one). Only the agent writes them, so the count is
// read once and then carried on, and the time is formatted and written only when its second
// changes: each registry call is a round trip to the Wine server.
#pragma once

#include "framework/Framework.h"

class CForwardCounters
{
public:
    // Counts one record read at that time, stored as local "%Y-%m-%d %H:%M:%S".
    void CountRecord(__time64_t tRead);

private:
    BOOL m_bCountKnown = FALSE;
    DWORD m_dwCount = 0;
    BOOL m_bTimeKnown = FALSE;
    __time64_t m_tLastRead = 0;
};
