// The definitions window on a definitions file of 10,000 definitions beside the model's own load
// of the same file: the console's main frame with the definitions window opened as at start-up
// (until its messages are done), one refill of the list, and the ratio of the fill to the load.
// Targets: the window ready in under 3 s, the fill a small multiple of the load. Then the Test
// All dialog's list of one trigger source's definitions, filled again when another source is
// chosen, beside the load of the file that the dialog reads when it opens. Wine needs a display:
//   tests/framework/window/gui-session run /tmp/tervok-gui build/default/bench/bench_definitions_window.exe
#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/AlarmVocabulary.h"
#include "bench/BenchClock.h"
#include "console/app/CBelvaneApp.h"
#include "console/app/CMainFrame.h"
#include "console/definitions/CBelvaneView.h"
#include "console/definitions/CTestAllCriteriaDialog.h"
#include "framework/frames/CMDIChildWnd.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/DefinitionsRes.h"
#include "support/RegistryStore.h"

#include <cstdio>
#include <cstdlib>

namespace
{
int g_nDefinitions = 10000;
const int kRepeats = 3;

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Definitions of every trigger source, active and not, with and without repeat and threshold,
// each with two criteria on fields of its own source.
BOOL WriteDefinitionsFile()
{
    CUIntArray arrSources;
    CStringArray arrNames;
    GetTriggerSources(arrSources, arrNames);
    CAlarmDefinitionList list;
    for (int i = 0; i < g_nDefinitions; ++i)
    {
        auto* pDefinition = new CAlarmDefinition;
        pDefinition->m_nClass = (int)arrSources[i % arrSources.GetSize()];
        pDefinition->m_bActive = i % 5 != 0;
        pDefinition->m_strTitle.Format(L"Server %04d reports a problem", (i * 7919) % g_nDefinitions);
        pDefinition->m_strDescription.Format(L"Raised when server %d reports a problem with its disks", i);
        pDefinition->m_strAssignedTo.Format(L"Team %d", i % 7);
        pDefinition->m_strPriority = i % 3 ? L"High" : L"Low";
        pDefinition->m_nRepeatSecs = i % 4 ? 0 : 60 * (i % 9);
        pDefinition->m_nThresholdCount = i % 6 ? 0 : 3;
        pDefinition->m_nThresholdSecs = i % 6 ? 0 : 300;
        pDefinition->m_tCreated = 1700000000 + i;
        pDefinition->m_tModified = pDefinition->m_tCreated;
        pDefinition->m_arrActions.Add(L"0:ops@example.com");
        CUIntArray arrIds;
        CStringArray arrColumns;
        CStringArray arrLabels;
        GetAlarmFields((UINT)pDefinition->m_nClass, arrIds, arrColumns, arrLabels);
        for (int k = 0; k < 2 && k < arrIds.GetSize(); ++k)
        {
            CString strCriterion;
            strCriterion.Format(L"%u:0:disk\fvolume %d", arrIds[(i + k) % arrIds.GetSize()], i % 13);
            pDefinition->m_arrCriteria.Add(strCriterion);
        }
        list.Add(pDefinition);
    }
    return list.Save();
}

double ModelLoadMs()
{
    double dStart = BenchMilliseconds();
    for (int i = 0; i < kRepeats; ++i)
    {
        CAlarmDefinitionList list;
        list.Load();
    }
    return (BenchMilliseconds() - dStart) / kRepeats;
}

// The Test All dialog filling its list for the second trigger source, then the first: one
// source's definitions each time.
double TestAllFillMs(CWnd* pParent, int& nRows)
{
    CTestAllCriteriaDialog dialog(pParent);
    if (!dialog.Create(IDD_TEST_ALL_CRITERIA, pParent))
        return -1;
    HWND hClass = ::GetDlgItem(dialog.m_hWnd, IDC_TEST_CLASS);
    double dStart = BenchMilliseconds();
    for (int i = 0; i < kRepeats; ++i)
        for (int nSource : {1, 0})
        {
            ::SendMessageW(hClass, CB_SETCURSEL, (WPARAM)nSource, 0);
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_CLASS, CBN_SELCHANGE), (LPARAM)hClass);
        }
    double dFill = (BenchMilliseconds() - dStart) / kRepeats;
    nRows = dialog.GetResults().GetItemCount();
    dialog.DestroyWindow();
    return dFill;
}

CBelvaneView* DefinitionsView(CMainFrame* pFrame)
{
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    return pChild ? dynamic_cast<CBelvaneView*>(pChild->GetActiveView()) : nullptr;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        g_nDefinitions = atoi(argv[1]);
    if (!WriteDefinitionsFile())
    {
        wprintf(L"cannot write %ls\n", CAlarmDefinitionList::DefaultPath().GetString());
        return 1;
    }
    double dLoad = ModelLoadMs();

    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
    CBelvaneApp app;
    app.SetRegistryKey(L"Tervok AG Bench");
    app.AddTemplates();
    app.RegisterMainWindowClass();
    double dStart = BenchMilliseconds();
    CMainFrame* pFrame = new CMainFrame;
    if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr))
        return 1;
    app.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->UpdateWindow();
    Pump();
    double dFrame = BenchMilliseconds() - dStart;
    app.ShowDefinitionsWindow();
    Pump();
    double dReady = BenchMilliseconds() - dStart;
    CBelvaneView* pView = DefinitionsView(pFrame);
    if (!pView || pView->GetList().GetItemCount() != g_nDefinitions)
    {
        wprintf(L"the definitions window does not list %d definitions\n", g_nDefinitions);
        return 1;
    }

    dStart = BenchMilliseconds();
    for (int i = 0; i < kRepeats; ++i)
    {
        pView->FillList(-1);
        Pump();
    }
    double dFill = (BenchMilliseconds() - dStart) / kRepeats;
    double dRatio = dFill / dLoad;
    int nTestRows = 0;
    double dTestAll = TestAllFillMs(pFrame, nTestRows);
    BOOL bMet = dReady < 3000.0;

    wprintf(L"model: load %d definitions ....: %8.1f ms (mean of %d)\n", g_nDefinitions, dLoad, kRepeats);
    wprintf(L"console: main frame shown .......: %8.1f ms\n", dFrame);
    wprintf(L"console: definitions window ready: %8.1f ms (target < 3000 ms)\n", dReady);
    wprintf(L"window: refill the list .........: %8.1f ms (mean of %d)\n", dFill, kRepeats);
    wprintf(L"ratio: refill / model load ......: %8.1f\n", dRatio);
    wprintf(L"Test All: one source listed .....: %8.1f ms (%d rows, mean of %d)\n", dTestAll / 2, nTestRows,
            2 * kRepeats);
    wprintf(L"ratio: Test All list / model load: %8.1f\n", dTestAll / 2 / dLoad);
    wprintf(L"%ls\n", bMet ? L"within target" : L"OUTSIDE TARGET");
    pFrame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    ::DeleteFileW(CAlarmDefinitionList::DefaultPath());
    return bMet ? 0 : 1;
}
