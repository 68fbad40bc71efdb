// The outstanding-alarms window on a 100,000-row SQLite table: loading the 1,000 newest open
// alarms into the window (status filter on, both highlighting bands on) beside reading the same
// rows with the bare recordset, and one ageing pass over the 1,000 rows. Targets: a load under
// 0.5 s, an ageing pass under 50 ms. Run through bench/alarms-window-bench.
#include "alarmmodel/database/AlarmsRecordset.h"
#include "bench/AlarmsTableFill.h"
#include "bench/BenchClock.h"
#include "bench/BenchConsole.h"
#include "console/alarms/CAlarmsListView.h"
#include "framework/window/AfxOleInit.h"
#include "support/AppProfile.h"
#include "support/RegistryStore.h"

#include <cstdio>

namespace
{
const wchar_t kDsn[] = L"Tervok Alarms Database";
const int kRepeats = 5;

// The plain ODBC read of the same rows as the window's, without the window: open, the same
// statement (forward only, at most 1,000 rows), 1,000 rows, close.
double BareReadMs()
{
    double dStart = BenchMilliseconds();
    for (int i = 0; i < kRepeats; i++)
    {
        CDatabase database;
        CAlarmsDatabase().Open(database);
        CAlarmsRecordset rs(&database);
        rs.m_strFilter = L"([FLD_STATUS] = 'Open')";
        rs.m_strSort = L"FLD_TIMESTAMP DESC";
        rs.m_nMaxRows = 1000;
        rs.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
        for (int n = 0; n < 1000 && !rs.IsEOF(); n++)
            rs.MoveNext();
        rs.Close();
    }
    return (BenchMilliseconds() - dStart) / kRepeats;
}
} // namespace

int main()
{
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
    GetRegistryStore().SetString(L"AlarmDatabaseDSN", kDsn);
    if (!FillAlarmsTable(kDsn, false))
        return 1;
    AfxInitRichEdit();
    CBelvaneApp app;
    app.SetRegistryKey(L"Tervok AG Bench");
    CAppProfile& profile = GetAppProfile();
    profile.WriteString(L"CAlarmsListView::m_strLoadStatus", L"Open");
    profile.WriteBool(L"CHighlighting::CheckNew", TRUE);
    profile.WriteBool(L"CHighlighting::CheckOld", TRUE);
    profile.WriteInt(L"Highlight::NewColour", RGB(255, 200, 200));
    profile.WriteInt(L"Highlight::OldColour", RGB(200, 255, 200));
    profile.WriteInt(L"Highlight::OldMinutes", 999);
    CMainFrame* pFrame = ShowBenchMainFrame(app);
    if (!pFrame)
        return 1;
    double dStart = BenchMilliseconds();
    app.ShowAlarmsWindow();
    double dOpen = BenchMilliseconds() - dStart;
    PumpMessages();
    CAlarmsListView* pView = dynamic_cast<CAlarmsListView*>(pFrame->GetAlarmsView());
    if (!pView)
        return 1;

    dStart = BenchMilliseconds();
    for (int i = 0; i < kRepeats; i++)
        pView->LoadAlarms(FALSE);
    double dLoad = (BenchMilliseconds() - dStart) / kRepeats;
    double dBare = BareReadMs();
    dStart = BenchMilliseconds();
    const int kPasses = 20;
    for (int i = 0; i < kPasses; i++)
        pView->AgeRows();
    double dAge = (BenchMilliseconds() - dStart) / kPasses;

    wprintf(L"window title ..............: %ls\n", pView->GetParentFrame()->GetWindowText().GetString());
    wprintf(L"open window (first load) ..: %7.1f ms\n", dOpen);
    wprintf(L"reload 1,000 rows .........: %7.1f ms (mean of %d; target < 500 ms)\n", dLoad, kRepeats);
    wprintf(L"baseline: plain ODBC read .: %7.1f ms (same rows, recordset only, mean of %d)\n", dBare, kRepeats);
    wprintf(L"reload / plain read .......: %7.1f x\n", dBare > 0 ? dLoad / dBare : 0.0);
    wprintf(L"ageing pass, 1,000 rows ...: %7.2f ms (mean of %d; target < 50 ms)\n", dAge, kPasses);
    pFrame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    return 0;
}
