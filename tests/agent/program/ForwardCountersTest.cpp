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
    const wchar_t* stamps[] = {L"2026-01-01 00:00:00", L"2026-01-01 00:00:00", L"2026-01-01 00:00:01"};
    for (int i = 0; i < 3; i++)
    {
        counters.CountRecord(stamps[i]);
        EXPECT_EQ(42u + (DWORD)i, registry.GetVolatileDWord(L"AgentMessageCount", 0)) << "the count goes on from the stored one";
        EXPECT_STREQ(stamps[i], registry.GetVolatileString(L"AgentLastMessage"));
    }

    // A new run (a new agent process) goes on from what the last one left.
    CForwardCounters restarted;
    restarted.CountRecord(L"2026-01-01 00:00:02");
    EXPECT_EQ(45u, registry.GetVolatileDWord(L"AgentMessageCount", 0));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (CString(STORE_KEY) + L"\\Volatile").GetString());
}
