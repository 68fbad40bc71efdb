#include "agent/AgentTime.h"
#include "agent/EventLog/ForwardCounters.h"
#include "support/RegistryStore.h"

#include <gtest/gtest.h>

namespace
{
const wchar_t STORE_KEY[] = L"SOFTWARE\\Tervok AG\\QuorvexUnitCounters";
}

TEST(ForwardCounters, ValuesAfterEachRecordAreThoseOfAReadAndAWritePerRecord)
{
    CRegistryStore& registry = GetRegistryStore();
    registry.Init(HKEY_LOCAL_MACHINE, STORE_KEY, L"Volatile");
    registry.SetVolatileDWord(L"AgentMessageCount", 41);
    registry.SetVolatileString(L"AgentLastMessage", L"2026-01-01 00:00:00");

    CForwardCounters counters;
    const __time64_t tFirst = CTime(2026, 3, 1, 12, 0, 0).GetTime();
    const __time64_t times[] = {tFirst, tFirst, tFirst + 1, tFirst};
    for (int i = 0; i < 4; i++)
    {
        counters.CountRecord(times[i]);
        EXPECT_EQ(42u + (DWORD)i, registry.GetVolatileDWord(L"AgentMessageCount", 0)) << "the count goes on from the stored one";
        EXPECT_STREQ(CAgentTime(times[i]).Stamp(), registry.GetVolatileString(L"AgentLastMessage")) << "record " << i;
    }

    // A new run (a new agent process) goes on from what the last one left.
    CForwardCounters restarted;
    restarted.CountRecord(tFirst + 2);
    EXPECT_EQ(46u, registry.GetVolatileDWord(L"AgentMessageCount", 0));
    EXPECT_STREQ(CAgentTime(tFirst + 2).Stamp(), registry.GetVolatileString(L"AgentLastMessage"));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (CString(STORE_KEY) + L"\\Volatile").GetString());
}
