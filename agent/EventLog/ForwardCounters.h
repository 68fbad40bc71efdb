// The volatile registry values that count the records read: AgentMessageCount (records so far)
// and AgentLastMessage (local time of the last one). Only the agent writes them, so the count is
// read once and then carried on, and the time is written only when its text changes (at most
// once a second): each registry call is a round trip to the Wine server.
#pragma once

#include "framework/Framework.h"

class CForwardCounters
{
public:
    // Counts one record read at the time given as "%Y-%m-%d %H:%M:%S".
    void CountRecord(const CString& strStamp);

private:
    BOOL m_bCountKnown = FALSE;
    DWORD m_dwCount = 0;
    CString m_strLastStamp;
};
