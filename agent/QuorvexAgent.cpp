// QuorvexAgent: the event-log agent, normally run by the service control manager.
#include "agent/AgentService.h"
#include "agent/AgentTime.h"
#include "agent/EventLog/EventLog.h"
#include "agent/TraceLog.h"
#include "agent/SystemTray.h"
#include "support/AppPaths.h"
#include "support/EventLogWriter.h"
#include "support/RegistryStore.h"

#include <cstdlib>

namespace
{
const wchar_t NOTICE[] = L"Copyright (C) 2004-2026 Tervok AG. All rights reserved.";

// Any first character followed by "debug", in any case.
BOOL AskedForDebug(int argc, char** argv)
{
    for (int i = 1; i < argc; i++)
    {
        if (!argv[i][0])
            continue;
        CString strRest(argv[i] + 1);
        if (strRest.MakeLower() == L"debug")
            return TRUE;
    }
    return FALSE;
}

// The monitor fixes its list of logs before the program's own code runs.
CEventLogMonitorChanges& g_monitor = EventLogMonitor();

// The agent shows no tray icon: its tray object stays empty for the whole run.
CSystemTray g_systemTray;
} // namespace

int main(int argc, char** argv)
{
    CRegistryStore& registry = GetRegistryStore();
    registry.Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Quorvex", L"Volatile");
    registry.SetVolatileString(L"AgentStartup", CAgentTime::Now().Stamp());

    BOOL bDebug = AskedForDebug(argc, argv);
    TraceLog().Open(bDebug, TRUE, FALSE, L"QuorvexAgentLogfile.txt", L"QuorvexAgentLogfile", L".txt");
    TraceLog().SetTraceLevel(bDebug ? 9 : 0);
    registry.SetVolatileString(L"AgentLogfile", TraceLog().GetPath());

    CEventLogWriter::SetSourceName(L"TervokQuorvex");
    GetAppPaths().MakeCommonDataFolder();
    TraceLog().WriteLine(L"Common folder ..: %s", GetAppPaths().GetCommonDataFolder().GetString());

    CAgentService service(L"TervokQuorvexAgent", L"Tervok Quorvex Agent", L"Tervok Quorvex Agent", NOTICE);
    g_monitor.Start();
    service.m_bConsole = bDebug;
    service.Start();
    g_monitor.Shutdown();
    exit(0);
}
