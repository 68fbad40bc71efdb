// The process-wide locks of the agent. Order of taking: connection list, trace format, trace
// line; the target-list lock is taken alone.
#pragma once

#include "framework/core/CSyncObjects.h"

class CGlobalLocks
{
public:
    CCriticalSection m_lockTraceLine;
    CCriticalSection m_lockTraceFormat;
    CCriticalSection m_lockConnections;
    CCriticalSection m_lockTargets;
};

// Built on first use; the trace log takes it in its constructor, so the locks outlive it.
CGlobalLocks& GlobalLocks();
