#include "GuiTest.h"

#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "alarmmodel/database/ODBCOutstandingCount.h"
#include "console/alarms/AlarmsListText.h"
#include "console/alarms/CAlarmsListFrame.h"
#include "console/alarms/CAlarmsListView.h"
#include "console/app/CBelvaneApp.h"
#include "console/app/CMainFrame.h"
#include "console/alarms/COutstandingBrowser.h"
#include "console/alarms/COutstandingFind.h"
#include "console/alarms/COutstandingDyn.h"
#include "console/app/InputHooks.h"
#include "console/app/RegisteredMessage.h"
#include "console/service/CDatabaseStatusDlg.h"
#include "console/service/CServicePageDatabase.h"
#include "framework/bars/CDockBar.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/AfxOleInit.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/DefinitionsRes.h"
#include "resources/console/OutstandingRes.h"
#include "resources/console/ServiceRes.h"
#include "support/AppProfile.h"
#include "support/RegistryStore.h"
#include "wincomponents/shortcutbar/COXSHBListCtrl.h"
#include "tests/alarmmodel/database/AlarmsBench.h"
#include "PortableSqlCheck.h"

#include <algorithm>
#include <functional>

using namespace alarmsbench;

namespace
{
// The clock of the tests: 2026-12-09 12:00:00 local time unless a test moves it.
CTime g_now(2026, 12, 9, 12, 0, 0);
long long g_inputSeconds = 0;

// The console with its main frame on a data source of the bench, rows put in with SQL.
class AlarmsWindowTest : public GuiTest, public ::testing::WithParamInterface<const wchar_t*>
{
protected:
    void SetUp() override
    {
        AfxInitRichEdit();
        m_belvane.SetRegistryKey(m_strKey);
        m_strStoreKey.Format(L"SOFTWARE\\Tervok AG\\AlarmsWindowTests-%lu", GetCurrentProcessId());
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strStoreKey, L"Volatile");
        GetRegistryStore().SetString(L"AlarmDatabaseDSN", Dsn());
        m_belvane.AddTemplates();
        EXPECT_TRUE(m_belvane.RegisterMainWindowClass());
        m_pFrame = new CMainFrame;
        EXPECT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr));
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        g_now = CTime(2026, 12, 9, 12, 0, 0);
        SetAlarmsClock([] { return g_now; });
        SetInputClock([] { return InputStamp{g_inputSeconds, 0}; });
        ResetInputState();
        DropAlarmsTable(Dsn());
        CAlarmsDatabase check;
        EXPECT_TRUE(check.CheckStructure(Dsn()));
        PumpUntilIdle();
    }
    void TearDown() override
    {
        GuiTest::TearDown();
        AfxSetMessageBoxFunction(nullptr);
        SetAlarmsClock(nullptr);
        SetInputClock(nullptr);
        if (m_pFrame && IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = nullptr;
        PumpUntilIdle();
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strStoreKey);
    }

    virtual const wchar_t* Dsn() const { return GetParam(); }

    void Execute(const CString& strSQL)
    {
        CDatabase database;
        ASSERT_TRUE(database.OpenEx(CString(L"DSN=") + Dsn()));
        database.ExecuteSQL(strSQL);
        database.Close();
    }

    // Rows with the keys first to last, key k created k * nStep seconds before the clock.
    void InsertRows(int nFirst, int nLast, int nStep, const wchar_t* pszTitle = L"Disk full",
                    const wchar_t* pszStatus = L"Open")
    {
        CString strCreated;
        if (IsPostgres(Dsn()))
            strCreated.Format(L"TIMESTAMP '%s' - k * %d * INTERVAL '1 second'",
                              g_now.Format(L"%Y-%m-%d %H:%M:%S").GetString(), nStep);
        else
            strCreated.Format(L"strftime('%%Y-%%m-%%d %%H:%%M:%%S', '%s', '-' || (k * %d) || ' seconds')",
                              g_now.Format(L"%Y-%m-%d %H:%M:%S").GetString(), nStep);
        CString strSQL;
        strSQL.Format(L"INSERT INTO TBL_ALARMS_005 (FLD_PRIME_KEY, FLD_TIMESTAMP, FLD_CLASS, FLD_FROM, FLD_TITLE, "
                      L"FLD_DESCRIPTION, FLD_ALARM_DEFN, FLD_MATCH_TEXT, FLD_STATUS, FLD_LOG, FLD_ASSIGNED_TO, "
                      L"FLD_PRIORITY) WITH RECURSIVE n(k) AS (SELECT %d UNION ALL SELECT k + 1 FROM n WHERE k < %d) "
                      L"SELECT k, %s, 0, 'host' || (k %% 5), %s, 'Description ' || k, '', "
                      L"'Source=disk\nfrom=web' || k || '\nText=two\rlines\tend', %s, "
                      L"'Triggered ' || k || '\nSecond line', 'Ops', 'High' FROM n",
                      nFirst, nLast, strCreated.GetString(), SqlTextLiteral(pszTitle).GetString(),
                      SqlTextLiteral(pszStatus).GetString());
        Execute(strSQL);
    }

    CAlarmsListView* OpenWindow()
    {
        m_belvane.ShowAlarmsWindow();
        PumpUntilIdle();
        m_pView = dynamic_cast<CAlarmsListView*>(m_pFrame->GetAlarmsView());
        EXPECT_TRUE(m_pView != nullptr);
        return m_pView;
    }

    void CloseWindow()
    {
        m_pView->GetParentFrame()->SendMessage(WM_CLOSE);
        PumpUntilIdle();
        m_pView = nullptr;
    }

    CString Title() { return m_pView->GetParentFrame()->GetWindowText(); }
    CColorListCtrl& List() { return m_pView->m_wndAlarmList; }
    CString Cell(int nRow, int nColumn) { return List().GetItemText(nRow, nColumn); }
    void Timer(UINT_PTR nID) { m_pView->SendMessage(WM_TIMER, nID); }
    void TypeKey() { hookKeyboardProc(HC_ACTION, 'A', 0); }

    CStringA Outside(const char* pszSQL) { return QueryOutside(Dsn(), pszSQL); }

    // The open-alarms panel's rows as "system=count" lines, in the list's order.
    CString PanelRows()
    {
        CSortListCtrl& list = m_pFrame->m_dlgOpenAlarms.m_list;
        CString strRows;
        for (int i = 0; i < list.GetItemCount(); ++i)
            strRows += list.GetItemText(i, 0) + L"=" + list.GetItemText(i, 1) + L"\n";
        return strRows;
    }
    // The same, the first line kept first and the systems' lines sorted: the data source picks
    // their order.
    CString SortedPanelRows()
    {
        CString strPanel = PanelRows();
        int nFirstLine = strPanel.Find(L'\n') + 1;
        std::vector<CString> lines;
        for (int nStart = nFirstLine, nEnd; (nEnd = strPanel.Find(L'\n', nStart)) >= 0; nStart = nEnd + 1)
            lines.push_back(strPanel.Mid(nStart, nEnd - nStart + 1));
        std::sort(lines.begin(), lines.end());
        CString strSorted = strPanel.Left(nFirstLine);
        for (const CString& strLine : lines)
            strSorted += strLine;
        return strSorted;
    }
    CString PanelCount(const CString& strSystem)
    {
        CSortListCtrl& list = m_pFrame->m_dlgOpenAlarms.m_list;
        for (int i = 0; i < list.GetItemCount(); ++i)
            if (list.GetItemText(i, 0) == strSystem)
                return list.GetItemText(i, 1);
        return L"<none>";
    }

    CBelvaneApp m_belvane;
    CMainFrame* m_pFrame = nullptr;
    CAlarmsListView* m_pView = nullptr;
    CString m_strStoreKey;
};

class AlarmsWindowSqlite : public AlarmsWindowTest
{
protected:
    const wchar_t* Dsn() const override { return kSqliteDsn; }
};

class AlarmsWindowPostgres : public AlarmsWindowTest
{
protected:
    const wchar_t* Dsn() const override { return kPostgresDsn; }
};

INSTANTIATE_TEST_SUITE_P(DataSources, AlarmsWindowTest, ::testing::Values(kSqliteDsn, kPostgresDsn),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return IsPostgres(info.param) ? std::string("PostgreSQL") : std::string("SQLite");
                         });

// Also on the data source that reads a backslash in a literal as an escape.
class AlarmsWindowAnyDriver : public AlarmsWindowTest
{
protected:
    // Gives the rows a title and status, written as bound values.
    void SetTexts(long lFirst, long lLast, const wchar_t* pszTitle, const wchar_t* pszStatus)
    {
        EditRows(lFirst, lLast, [&](CAlarmsRecordset& rs) {
            rs.m_strTitle = pszTitle;
            rs.m_strStatus = pszStatus;
        });
    }
    void SetFrom(long lFirst, long lLast, const wchar_t* pszFrom)
    {
        EditRows(lFirst, lLast, [&](CAlarmsRecordset& rs) { rs.m_strFrom = pszFrom; });
    }
    void EditRows(long lFirst, long lLast, const std::function<void(CAlarmsRecordset&)>& fnEdit)
    {
        CDatabase database;
        ASSERT_TRUE(database.OpenEx(CString(L"DSN=") + Dsn()));
        CAlarmsRecordset rs(&database);
        rs.m_strFilter = L"[FLD_PRIME_KEY] BETWEEN ? AND ?";
        rs.m_filterParams.AddLong(lFirst);
        rs.m_filterParams.AddLong(lLast);
        ASSERT_TRUE(rs.Open(CRecordset::dynaset));
        for (; !rs.IsEOF(); rs.MoveNext())
        {
            rs.Edit();
            fnEdit(rs);
            ASSERT_TRUE(rs.Update());
        }
    }

    CString Keys()
    {
        CString strKeys;
        for (int nRow = 0; nRow < List().GetItemCount(); nRow++)
            strKeys.AppendFormat(L"%u ", m_pView->RowKey(nRow));
        return strKeys;
    }
};

INSTANTIATE_TEST_SUITE_P(DataSources, AlarmsWindowAnyDriver, ::testing::Values(kSqliteDsn, kPostgresDsn, kBackslashDsn),
                         DataSourceName);
} // namespace

TEST_P(AlarmsWindowTest, ListsTheNewestThousandWithDetailsOfTheSelectedRow)
{
    InsertRows(1, 1500, 60);
    OpenWindow();
    EXPECT_STREQ(L"Outstanding Alarms: 1000 (max = 1000)", Title());
    ASSERT_EQ(1000, List().GetItemCount());
    EXPECT_EQ(1u, m_pView->RowKey(0));
    EXPECT_EQ(1000u, m_pView->RowKey(999));
    EXPECT_STREQ(L"2026-12-09 11:59:00", Cell(0, 0));
    EXPECT_STREQ(L"    00:01:00", Cell(0, 1));
    EXPECT_STREQ(L"web1", Cell(0, 4)) << "the From column comes from the match text";
    EXPECT_STREQ(L"Open", Cell(0, 5));
    EXPECT_STREQ(L"Description 1", Cell(0, 8));
    EXPECT_EQ(0, m_pView->FirstSelectedRow());

    CSortListCtrl& log = m_pView->m_wndLogList;
    ASSERT_EQ(2, log.GetItemCount());
    EXPECT_STREQ(L"Triggered 1", log.GetItemText(0, 0));
    CSortListCtrl& fields = m_pView->m_wndFieldList;
    ASSERT_EQ(4, fields.GetItemCount()) << "a carriage return continues the value on a row of its own";
    EXPECT_STREQ(L"from", fields.GetItemText(1, 0));
    EXPECT_STREQ(L"web1", fields.GetItemText(1, 1));
    EXPECT_STREQ(L"two", fields.GetItemText(2, 1));
    EXPECT_STREQ(L"", fields.GetItemText(3, 0));
    EXPECT_STREQ(L"lines    end", fields.GetItemText(3, 1));

    List().SelectItem(0, FALSE);
    List().SelectItem(3, TRUE);
    PumpUntilIdle();
    EXPECT_STREQ(L"Triggered 4", log.GetItemText(0, 0)) << "the panes follow the selection";
}

TEST_P(AlarmsWindowTest, AFilterHoldingAQuoteSelectsExactlyItsRowsAndIsRemembered)
{
    InsertRows(1, 5, 60, L"O'Brien's disk");
    InsertRows(6, 12, 60, L"O");
    OpenWindow();
    EXPECT_STREQ(L"Outstanding Alarms: 12", Title());
    m_pView->SetTitleFilter(L"O'Brien's disk");
    EXPECT_STREQ(L"Outstanding Alarms: 5, Title: O'Brien's disk", Title());
    m_pView->SetStatusFilter(L"Open");
    EXPECT_STREQ(L"Outstanding Alarms: 5, Status: Open, Title: O'Brien's disk", Title());

    CloseWindow();
    OpenWindow();
    EXPECT_STREQ(L"Outstanding Alarms: 5, Status: Open, Title: O'Brien's disk", Title()) << "kept in the profile";
    m_pView->ClearFilters();
    EXPECT_STREQ(L"Outstanding Alarms: 12", Title());
}

TEST_P(AlarmsWindowTest, AgeFilterKeepsARowAtTheLimitAndDropsItASecondLater)
{
    InsertRows(1, 1, 3599);
    InsertRows(2, 2, 900);
    OpenWindow();
    m_pView->SetAgeFilter(L"x", L"1 hour", 1);
    EXPECT_STREQ(L"Outstanding Alarms: 2, Age: 1 hour", Title());
    g_now = CTime(g_now.GetTime() + 1);
    Timer(CAlarmsListView::kTimerAgeing);
    ASSERT_EQ(2, List().GetItemCount()) << "3600 s old is still within the hour";
    EXPECT_STREQ(L"    01:00:00", Cell(1, 1));
    g_now = CTime(g_now.GetTime() + 1);
    Timer(CAlarmsListView::kTimerAgeing);
    ASSERT_EQ(1, List().GetItemCount());
    EXPECT_EQ(2u, m_pView->RowKey(0));
    EXPECT_STREQ(L"    00:30:02", Cell(0, 1));
}

TEST_P(AlarmsWindowTest, TodayEndsAtMidnight)
{
    g_now = CTime(2026, 12, 9, 23, 59, 0);
    InsertRows(1, 3, 3600);
    InsertRows(4, 4, 86400);
    OpenWindow();
    m_pView->SetAgeFilter(L"x", L"Today", 0);
    EXPECT_STREQ(L"Outstanding Alarms: 3, Age: Today", Title());
    g_now = CTime(2026, 12, 10, 0, 0, 5);
    Timer(CAlarmsListView::kTimerAgeing);
    EXPECT_EQ(0, List().GetItemCount());
}

TEST_F(AlarmsWindowSqlite, AStoredAgeTextThatIsNoTimestampIsIgnored)
{
    InsertRows(1, 3, 60);
    GetAppProfile().WriteString(L"CAlarmsListView::m_strLoadAge", L"2000-01-01 00:00:00' }) OR ({ ts '2000-01-01");
    GetAppProfile().WriteString(L"CAlarmsListView::m_strLoadAgeText", L"odd");
    OpenWindow();
    EXPECT_STREQ(L"Outstanding Alarms: 3, Age: odd", Title());
    CloseWindow();
    GetAppProfile().WriteString(L"CAlarmsListView::m_strLoadAge", L"2026-12-09 11:58:30");
    OpenWindow();
    EXPECT_STREQ(L"Outstanding Alarms: 1, Age: odd", Title()) << "a stored timestamp applies as it is";
}

TEST_P(AlarmsWindowTest, ANewAlarmMarksTheTitleAndReloadsOnceTheOperatorIsIdle)
{
    InsertRows(1, 3, 60);
    OpenWindow();
    EXPECT_STREQ(L"Outstanding Alarms: 3", Title());
    InsertRows(4, 4, 1);
    GetRegistryStore().SetVolatileDWord(L"AlarmLastPrimeKey", 4);
    Timer(CAlarmsListView::kTimerPoll);
    EXPECT_STREQ(L"Outstanding Alarms: 3 *", Title());

    g_inputSeconds = 1000;
    TypeKey();
    g_inputSeconds = 1004;
    Timer(CAlarmsListView::kTimerNewAlarms);
    EXPECT_STREQ(L"Outstanding Alarms: 3 *", Title()) << "input within 5 s holds the reload back";
    g_inputSeconds = 1006;
    Timer(CAlarmsListView::kTimerNewAlarms);
    EXPECT_STREQ(L"Outstanding Alarms: 4", Title());
    EXPECT_EQ(4u, m_pView->RowKey(0));
}

TEST_F(AlarmsWindowSqlite, TwoNewKeysInABurstGiveOneReload)
{
    InsertRows(1, 2, 60);
    OpenWindow();
    int nReloads = 0;
    // Each reload of the view tells the main frame's descendants.
    struct CNewAlarmsCounter : public CWnd
    {
        int* m_pCount = nullptr;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == RegisteredMessage::nMsgNewAlarms)
                ++*m_pCount;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } counter;
    counter.m_pCount = &nReloads;
    ASSERT_TRUE(counter.Create(L"STATIC", L"", WS_CHILD, CRect(0, 0, 1, 1), m_pFrame, 4711));

    InsertRows(3, 3, 1);
    GetRegistryStore().SetVolatileDWord(L"AlarmLastPrimeKey", 3);
    Timer(CAlarmsListView::kTimerPoll);
    InsertRows(4, 4, 1);
    GetRegistryStore().SetVolatileDWord(L"AlarmLastPrimeKey", 4);
    Timer(CAlarmsListView::kTimerPoll);
    EXPECT_STREQ(L"Outstanding Alarms: 2 *", Title()) << "marked once";
    Timer(CAlarmsListView::kTimerPoll);
    EXPECT_EQ(0, nReloads);
    Timer(CAlarmsListView::kTimerNewAlarms);
    EXPECT_EQ(1, nReloads);
    EXPECT_STREQ(L"Outstanding Alarms: 4", Title());
    EXPECT_FALSE(::KillTimer(m_pView->m_hWnd, CAlarmsListView::kTimerNewAlarms)) << "the reload disarmed it";
    counter.DestroyWindow();
}

TEST_F(AlarmsWindowSqlite, RowsAreColouredByTheNewAndOldBands)
{
    InsertRows(1, 1, 30 * 60);
    InsertRows(2, 2, 5400); // 3 hours
    InsertRows(3, 3, 8400); // 7 hours
    CAppProfile& profile = GetAppProfile();
    profile.WriteBool(L"CHighlighting::CheckNew", TRUE);
    profile.WriteBool(L"CHighlighting::CheckOld", TRUE);
    profile.WriteInt(L"Highlight::NewColour", RGB(255, 0, 0));
    profile.WriteInt(L"Highlight::NewText", RGB(255, 255, 255));
    profile.WriteInt(L"Highlight::OldColour", RGB(0, 160, 0));
    profile.WriteInt(L"Highlight::OldText", RGB(0, 0, 0));
    OpenWindow();
    m_pView->SendMessage(WM_COMMAND, ID_EDIT_DESELECT_ALL_ROWS);
    m_pView->GetParentFrame()->ShowWindow(SW_MAXIMIZE);
    PumpUntilIdle();
    WindowPixels pixels = Capture(&List());
    RECT rows[3];
    for (int i = 0; i < 3; i++)
        List().GetItemRect(i, &rows[i], LVIR_BOUNDS);
    EXPECT_GT(pixels.Count(rows[0], RGB(255, 0, 0)), 200);
    EXPECT_GT(pixels.Count(rows[1], RGB(0, 160, 0)), 200) << "old band: 6 hours while none is stored";
    EXPECT_EQ(0, pixels.Count(rows[2], RGB(0, 160, 0)));
    EXPECT_EQ(0, pixels.Count(rows[2], RGB(255, 0, 0)));
    SaveScreenshot(L"outstanding-alarms.png");

    g_now = CTime(g_now.GetTime() + 3600);
    Timer(CAlarmsListView::kTimerAgeing);
    EXPECT_EQ(RGB(0, 160, 0), List().GetItemBkColor(0, 3)) << "ageing moves the row to the old band";
}

TEST_P(AlarmsWindowTest, StatusChangesAppendTheirBlockOnlyWhereTheStatusChanges)
{
    InsertRows(1, 2, 60);
    InsertRows(3, 3, 60, L"Disk full", L"Closed");
    OpenWindow();
    EXPECT_TRUE(m_pView->SetAlarmStatus(L"Closed", FALSE));
    CStringA strLogs = Outside("SELECT FLD_PRIME_KEY || ':' || REPLACE(FLD_LOG, char(10), '|') FROM tbl_alarms_005 ORDER BY 1");
    if (IsPostgres(Dsn()))
        strLogs = Outside("SELECT fld_prime_key || ':' || REPLACE(fld_log, chr(10), '|') FROM tbl_alarms_005 ORDER BY 1");
    EXPECT_NE(-1, strLogs.Find("1:Triggered 1|Second line|---|New status ..: Closed|Changed .....: ")) << strLogs.GetString();
    EXPECT_EQ(-1, strLogs.Find("3:Triggered 3|Second line|---")) << "row 3 was closed already";
    EXPECT_STREQ(L"Closed", Cell(0, 5));

    CString strBefore = m_pView->m_mapLog[1];
    EXPECT_TRUE(m_pView->SetAlarmStatus(L"Closed", FALSE));
    EXPECT_STREQ(strBefore, m_pView->m_mapLog[1]) << "closing closed rows writes nothing";

    m_pView->SendMessage(RegisteredMessage::nMsgSetStatus, 2, (LPARAM)L"Pending");
    m_pView->SendMessage(RegisteredMessage::nMsgSetStatus, 2, (LPARAM)L"Pending");
    CString strLog = m_pView->m_mapLog[2];
    EXPECT_EQ(3, strLog.Replace(L"---", L"---")) << "the same status twice gives two more blocks";
    EXPECT_STREQ(L"Pending", Cell(1, 5));
}

namespace
{
// The error lines that the alarm database sends the main frame.
struct CErrorLineWatch
{
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR dwData)
    {
        if (nMsg == GetAddLogfileMessage() && wParam == 2)
            ((std::vector<CString>*)dwData)->push_back((const wchar_t*)lParam);
        return DefSubclassProc(hWnd, nMsg, wParam, lParam);
    }
};
} // namespace

TEST_P(AlarmsWindowTest, AStatusChangeOnAnAlarmDeletedMeanwhileReportsFailureAndReloads)
{
    InsertRows(1, 3, 60);
    OpenWindow();
    std::vector<CString> errors;
    SetWindowSubclass(m_pFrame->m_hWnd, CErrorLineWatch::Proc, 1, (DWORD_PTR)&errors);
    Execute(L"DELETE FROM TBL_ALARMS_005 WHERE FLD_PRIME_KEY = 2");
    EXPECT_FALSE(m_pView->SetAlarmStatus(L"Closed", FALSE)) << "alarm 2 was deleted by another connection";
    ASSERT_EQ(1u, errors.size());
    EXPECT_STREQ(L"Alarm 2 is no longer in TBL_ALARMS_005: its status was not changed", errors[0]);
    ASSERT_EQ(2, List().GetItemCount());
    EXPECT_STREQ(L"Closed", Cell(1, 5));
    EXPECT_EQ(3u, m_pView->RowKey(1));

    Execute(L"DELETE FROM TBL_ALARMS_005 WHERE FLD_PRIME_KEY = 3");
    m_pView->SendMessage(RegisteredMessage::nMsgSetStatus, 3, (LPARAM)L"Pending");
    RemoveWindowSubclass(m_pFrame->m_hWnd, CErrorLineWatch::Proc, 1);
    ASSERT_EQ(2u, errors.size());
    EXPECT_STREQ(L"Alarm 3 is no longer in TBL_ALARMS_005: its status was not changed", errors[1]);
    ASSERT_EQ(1, List().GetItemCount()) << "the rows are read again";
    EXPECT_EQ(1u, m_pView->RowKey(0));
    EXPECT_EQ(0u, m_pView->m_mapLog.count(3));
    EXPECT_STREQ("1|Closed", Outside("SELECT FLD_PRIME_KEY, FLD_STATUS FROM TBL_ALARMS_005"));
}

TEST_F(AlarmsWindowSqlite, DeleteAllShowsItsProgressAndDeletesOnlyListedRows)
{
    InsertRows(1, 60, 60);
    InsertRows(61, 65, 60, L"Other");
    OpenWindow();
    m_pView->SetTitleFilter(L"Disk full");
    std::vector<CString> titles;
    AfxSetMessageBoxFunction([&](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT) {
        EXPECT_STREQ(L"Really delete all entries ?", pszText);
        EXPECT_STREQ(L"Delete All", pszCaption);
        return IDYES;
    });
    struct CTitleWatch
    {
        static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR dwData)
        {
            if (nMsg == WM_SETTEXT)
                ((std::vector<CString>*)dwData)->push_back((const wchar_t*)lParam);
            return DefSubclassProc(hWnd, nMsg, wParam, lParam);
        }
    };
    HWND hFrame = m_pView->GetParentFrame()->m_hWnd;
    SetWindowSubclass(hFrame, CTitleWatch::Proc, 1, (DWORD_PTR)&titles);
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_DELETE_ALL);
    RemoveWindowSubclass(hFrame, CTitleWatch::Proc, 1);
    ASSERT_GE(titles.size(), 60u);
    EXPECT_STREQ(L".", titles[0]);
    EXPECT_STREQ(CString(L'.', 50), titles[49]);
    EXPECT_STREQ(L".", titles[50]) << "the dots start again after 50";
    EXPECT_STREQ(L"Outstanding Alarms: 0, Title: Disk full", Title());
    EXPECT_STREQ("5", Outside("SELECT COUNT(*) FROM TBL_ALARMS_005"));
}

TEST_F(AlarmsWindowSqlite, FindSelectsFirstEveryOrNoMatch)
{
    InsertRows(1, 12, 60);
    OpenWindow();
    AlarmFindRequest first{L"", L"DESCRIPTION 1", 0, 0, 0};
    m_pView->SendMessage(RegisteredMessage::nMsgFind, 0, (LPARAM)&first);
    EXPECT_EQ(4, first.matches) << "1, 10, 11, 12";
    EXPECT_STREQ(L"description 1", first.text);
    EXPECT_EQ(1, List().GetItemCountByState(COLORLIST_SELECTED));
    EXPECT_EQ(0, m_pView->FirstSelectedRow());

    AlarmFindRequest all{L"Description", L"description 1", 8, 1, 0};
    m_pView->SendMessage(RegisteredMessage::nMsgFind, 0, (LPARAM)&all);
    EXPECT_EQ(4, all.matches);
    EXPECT_EQ(4, List().GetItemCountByState(COLORLIST_SELECTED));

    AlarmFindRequest none{L"", L"web7", 0, 2, 0};
    m_pView->SendMessage(RegisteredMessage::nMsgFind, 0, (LPARAM)&none);
    EXPECT_EQ(1, none.matches);
    EXPECT_EQ(4, List().GetItemCountByState(COLORLIST_SELECTED)) << "mode 2 only counts";

    m_pView->SendMessage(RegisteredMessage::nMsgSetStatus, 5, (LPARAM)L"Pending");
    AlarmFindRequest log{L"Log", L"new status ..: pending", CAlarmsListView::kColumnLog, 0, 0};
    m_pView->SendMessage(RegisteredMessage::nMsgFind, 0, (LPARAM)&log);
    EXPECT_EQ(1, log.matches);
    EXPECT_EQ(5u, m_pView->RowKey(m_pView->FirstSelectedRow()));
    EXPECT_STREQ(L"Triggered 5", m_pView->m_wndLogList.GetItemText(0, 0)) << "the panes show the found row";
}

TEST_F(AlarmsWindowSqlite, TheFindDialogSearchesInItsThreeModesAndRemembersItsLastSearch)
{
    InsertRows(1, 12, 60);
    OpenWindow();
    CStringArray arrNames;
    arrNames.Add(L"Title");
    arrNames.Add(L"Description");
    CUIntArray arrIds;
    arrIds.Add(3);
    arrIds.Add(8);
    {
        COutstandingFind dialog(m_pView, arrNames, arrIds);
        ASSERT_TRUE(dialog.Create(IDD_OUTSTANDING_FIND, m_pView));
        EXPECT_STREQ(L"", dialog.m_combo.GetSelText()) << "every column at first";
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog.m_hWnd, IDC_OPTION_FIRST)) << "filling the text is no input";
        EXPECT_TRUE(IsEnabled(&dialog, IDC_FIND_NOW));
        dialog.m_combo.SendMessage(CB_SELECTSTRING, (WPARAM)-1, (LPARAM)L"Description");
        ::CheckRadioButton(dialog.m_hWnd, IDC_OPTION_FIRST, IDC_OPTION_NONE, IDC_OPTION_ALL);
        SetText(&dialog, IDC_FIND_VALUE, L"Description 1");
        Click(&dialog, IDC_FIND_NOW);
        EXPECT_STREQ(L"Found 4 entries", dialog.GetWindowText());
        EXPECT_EQ(4, List().GetItemCountByState(COLORLIST_SELECTED));

        ::CheckRadioButton(dialog.m_hWnd, IDC_OPTION_FIRST, IDC_OPTION_NONE, IDC_OPTION_NONE);
        dialog.m_combo.SendMessage(CB_SETCURSEL, 0);
        SetText(&dialog, IDC_FIND_VALUE, L"web7");
        Click(&dialog, IDC_FIND_NOW);
        EXPECT_STREQ(L"Found 1 entries", dialog.GetWindowText()) << "the match text is searched too";
        EXPECT_EQ(4, List().GetItemCountByState(COLORLIST_SELECTED)) << "None leaves the selection";

        ::CheckRadioButton(dialog.m_hWnd, IDC_OPTION_FIRST, IDC_OPTION_NONE, IDC_OPTION_FIRST);
        dialog.m_combo.SendMessage(CB_SELECTSTRING, (WPARAM)-1, (LPARAM)L"Title");
        SetText(&dialog, IDC_FIND_VALUE, L"DISK");
        Click(&dialog, IDC_FIND_NOW);
        EXPECT_STREQ(L"Found 12 entries", dialog.GetWindowText());
        EXPECT_EQ(1, List().GetItemCountByState(COLORLIST_SELECTED));
        SetText(&dialog, IDC_FIND_VALUE, L"");
        EXPECT_FALSE(IsEnabled(&dialog, IDC_FIND_NOW));
        dialog.DestroyWindow();
    }
    COutstandingFind again(m_pView, arrNames, arrIds);
    ASSERT_TRUE(again.Create(IDD_OUTSTANDING_FIND, m_pView));
    EXPECT_STREQ(L"DISK", GetText(&again, IDC_FIND_VALUE)) << "the last search comes back";
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(again.m_hWnd, IDC_OPTION_FIRST));
    EXPECT_STREQ(L"Title", again.m_combo.GetSelText());
    EXPECT_TRUE(IsEnabled(&again, IDC_FIND_NOW));
    again.DestroyWindow();
}

TEST_F(AlarmsWindowSqlite, DataRequestsStepAndStopAtBothEnds)
{
    AlarmDataRequest empty{};
    empty.key = 7;
    OpenWindow();
    m_pView->SendMessage(RegisteredMessage::nMsgGetData, 0, (LPARAM)&empty);
    EXPECT_EQ(7, empty.key) << "an empty list reports nothing";
    EXPECT_STREQ(L"", empty.title);

    InsertRows(1, 3, 60);
    m_pView->SendMessage(RegisteredMessage::nMsgRefresh);
    AlarmDataRequest request{};
    request.key = 1;
    request.step = -1;
    m_pView->SendMessage(RegisteredMessage::nMsgGetData, 0, (LPARAM)&request);
    EXPECT_EQ(1, request.key);
    request.step = 1;
    m_pView->SendMessage(RegisteredMessage::nMsgGetData, 0, (LPARAM)&request);
    EXPECT_EQ(2, request.key);
    EXPECT_STREQ(L"Description 2", request.text);
    EXPECT_STREQ(L"web2", request.from);
    EXPECT_STREQ(L"Triggered 2\nSecond line", request.log);
    EXPECT_EQ(1, m_pView->FirstSelectedRow());
    request.step = 5;
    m_pView->SendMessage(RegisteredMessage::nMsgGetData, 0, (LPARAM)&request);
    EXPECT_EQ(3, request.key);
    m_pView->SendMessage(RegisteredMessage::nMsgGetData, 0, (LPARAM)&request);
    EXPECT_EQ(3, request.key) << "the last row again";
    request.key = 99;
    request.step = 1;
    m_pView->SendMessage(RegisteredMessage::nMsgGetData, 0, (LPARAM)&request);
    EXPECT_EQ(1, request.key) << "a key no longer listed gives row 0";

    AlarmSearchRequest search{L"TRIGGERED 1", FALSE, TRUE, TRUE, FALSE, 3};
    m_pView->SendMessage(RegisteredMessage::nMsgBrowser, 0, (LPARAM)&search);
    EXPECT_EQ(3, search.key) << "forward from the last row finds nothing";
    search.forward = FALSE;
    m_pView->SendMessage(RegisteredMessage::nMsgBrowser, 0, (LPARAM)&search);
    EXPECT_EQ(1, search.key);
}

TEST_F(AlarmsWindowSqlite, CommandsAskBeforeTheyChangeAndReportAMissingDefinition)
{
    InsertRows(1, 2, 60);
    OpenWindow();
    std::vector<CString> boxes;
    AfxSetMessageBoxFunction([&](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT) {
        boxes.push_back(CString(pszCaption) + L"|" + pszText);
        return IDNO;
    });
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_VIEW_DEFINITION);
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_CLOSE_ALL);
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_DELETE);
    ASSERT_EQ(3u, boxes.size());
    EXPECT_STREQ(L"Error|Alarm Definition not found", boxes[0]) << "the row's definition text is empty";
    EXPECT_STREQ(L"Close All|Really change the status of all entries in the display to 'Closed' ?", boxes[1]);
    EXPECT_STREQ(L"Delete|Really delete the selected entries ?", boxes[2]);
    EXPECT_STREQ(L"Open", Cell(0, 5)) << "No changes nothing";
    EXPECT_STREQ("2", Outside("SELECT COUNT(*) FROM TBL_ALARMS_005"));
}

TEST_F(AlarmsWindowSqlite, AReloadWithoutItsDataSourceKeepsTheRowsAndDropsTheMark)
{
    InsertRows(1, 4, 60);
    OpenWindow();
    GetRegistryStore().SetString(L"AlarmDatabaseDSN", L"Tervok Missing Database");
    GetRegistryStore().SetVolatileDWord(L"AlarmLastPrimeKey", 5);
    Timer(CAlarmsListView::kTimerPoll);
    EXPECT_STREQ(L"Outstanding Alarms: 4 *", Title());
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_REFRESH);
    EXPECT_STREQ(L"Outstanding Alarms: 4", Title());
    EXPECT_EQ(4, List().GetItemCount());
    EXPECT_FALSE(m_pView->SetAlarmStatus(L"Closed", FALSE)) << "nothing was written";
    EXPECT_STREQ(L"Open", Cell(0, 5));
}

TEST_F(AlarmsWindowSqlite, ChangeLayoutReopensTheWindowWithTheListAlone)
{
    InsertRows(1, 2, 60);
    OpenWindow();
    EXPECT_TRUE(m_pView->m_wndFieldList.IsWindowVisible());
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_CHANGE_LAYOUT);
    PumpUntilIdle();
    EXPECT_FALSE(GetAppProfile().GetBool(L"CAlarmsListView::m_bDefaultView", TRUE));
    m_pView = dynamic_cast<CAlarmsListView*>(m_pFrame->GetAlarmsView());
    ASSERT_TRUE(m_pView != nullptr) << "the main frame opened the window again";
    EXPECT_FALSE(m_pView->m_bDefaultView);
    EXPECT_FALSE(m_pView->m_wndFieldList.IsWindowVisible());
    EXPECT_FALSE(m_pView->m_wndLogList.IsWindowVisible());
    CRect rectList, rectView;
    List().GetWindowRect(&rectList);
    m_pView->GetWindowRect(&rectView);
    EXPECT_GT(rectList.Height(), rectView.Height() * 3 / 4) << "the list takes the whole view";
    EXPECT_STREQ(L"Outstanding Alarms: 2", Title());
}

namespace
{
CString g_strSheetTitle;
CString g_strSheetAssignees;

// Answers the modal definition sheet from inside its loop: notes what it shows and cancels it.
void CALLBACK ReadViewSheet(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hSheet = ::FindWindowW(nullptr, L"View Definition");
    if (!hSheet)
        return;
    ::KillTimer(nullptr, nIDEvent);
    HWND hPage = (HWND)::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    wchar_t szText[100] = {};
    ::GetDlgItemTextW(hPage, IDC_GENERAL_TITLE, szText, 100);
    g_strSheetTitle = szText;
    ::SendMessageW(hSheet, PSM_SETCURSEL, 3, 0);
    hPage = (HWND)::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    HWND hCombo = ::FindWindowExW(hPage, nullptr, L"ComboBox", nullptr);
    g_strSheetAssignees.Empty();
    for (int i = 0; hCombo && i < (int)::SendMessageW(hCombo, CB_GETCOUNT, 0, 0); i++)
    {
        ::SendMessageW(hCombo, CB_GETLBTEXT, (WPARAM)i, (LPARAM)szText);
        g_strSheetAssignees += CString(szText) + L";";
    }
    ::SendMessageW(hSheet, WM_COMMAND, IDCANCEL, 0);
}

CString DefinitionText(std::initializer_list<const wchar_t*> titles)
{
    CAlarmDefinitionList definitions;
    for (const wchar_t* pszTitle : titles)
    {
        auto* pDefinition = new CAlarmDefinition;
        pDefinition->m_strTitle = pszTitle;
        pDefinition->m_strAssignedTo = L"Night shift";
        definitions.Add(pDefinition);
    }
    CStringArray arrLines;
    definitions.Serialize(arrLines);
    CString strText;
    for (int i = 0; i < arrLines.GetSize(); i++)
        strText += arrLines[i] + L"\n";
    return strText;
}
} // namespace

TEST_P(AlarmsWindowTest, ViewAlarmDefnOpensTheSheetOnTheSelectedRowsDefinition)
{
    InsertRows(1, 3, 60);
    CString strSQL;
    strSQL.Format(L"UPDATE TBL_ALARMS_005 SET FLD_ALARM_DEFN = %s WHERE FLD_PRIME_KEY = 2",
                  SqlTextLiteral(DefinitionText({L"Disk watch"})).GetString());
    Execute(strSQL);
    strSQL.Format(L"UPDATE TBL_ALARMS_005 SET FLD_ALARM_DEFN = %s WHERE FLD_PRIME_KEY = 3",
                  SqlTextLiteral(DefinitionText({L"One", L"Two"})).GetString());
    Execute(strSQL);
    OpenWindow();
    std::vector<CString> boxes;
    AfxSetMessageBoxFunction([&](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT) {
        boxes.push_back(CString(pszCaption) + L"|" + pszText);
        return IDOK;
    });
    List().SelectNone();
    List().SelectItem(1, TRUE);
    g_strSheetTitle.Empty();
    UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, ReadViewSheet);
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_VIEW_DEFINITION);
    ::KillTimer(nullptr, nTimer);
    EXPECT_STREQ(L"Disk watch", g_strSheetTitle);
    EXPECT_NE(-1, g_strSheetAssignees.Find(L"Night shift;")) << g_strSheetAssignees.GetString();
    EXPECT_TRUE(boxes.empty());

    List().SelectNone();
    List().SelectItem(2, TRUE);
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_VIEW_DEFINITION);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_STREQ(L"Error|Alarm Definition not found", boxes[0]) << "two definitions are none";
}

// Texts that end a doubled-quote literal early where a backslash escapes, and what would then
// run as SQL: the filters (also as kept in the profile), status changes and deletions meet
// exactly their rows.
TEST_P(AlarmsWindowAnyDriver, TextsThatWouldLeaveALiteralAreFilteredChangedAndDeletedExactly)
{
    const CString strInjected = L"x\\' OR 1=1 --";
    const CString strDelete = L"'; DELETE FROM TBL_ALARMS_005; --";
    const CString strQuoted = L"quote\\'d";
    InsertRows(1, 8, 60);
    SetTexts(1, 2, strInjected, L"Open");
    SetTexts(3, 3, L"x\\", L"Open");
    SetTexts(4, 5, strDelete, L"back\\slash");
    SetTexts(6, 6, strQuoted, L"Open");
    OpenWindow();
    EXPECT_STREQ(L"Outstanding Alarms: 8", Title());
    m_pView->SetTitleFilter(strInjected);
    EXPECT_STREQ(L"Outstanding Alarms: 2, Title: " + strInjected, Title());
    EXPECT_STREQ(L"1 2 ", Keys());
    CloseWindow();
    OpenWindow();
    EXPECT_STREQ(L"1 2 ", Keys()) << "the filter kept in the profile";
    EXPECT_TRUE(m_pView->SetAlarmStatus(L"Closed\\' --", FALSE));

    m_pView->ClearFilters();
    m_pView->SetTitleFilter(strDelete);
    m_pView->SetStatusFilter(L"back\\slash");
    EXPECT_STREQ(L"4 5 ", Keys());
    m_pView->ClearFilters();
    m_pView->SetStatusFilter(L"Closed\\' --");
    EXPECT_STREQ(L"1 2 ", Keys());

    m_pView->ClearFilters();
    m_pView->SetTitleFilter(strQuoted);
    ASSERT_STREQ(L"6 ", Keys());
    List().SelectItem(0, TRUE);
    AfxSetMessageBoxFunction([](HWND, const wchar_t*, const wchar_t*, UINT) { return IDYES; });
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_DELETE);
    EXPECT_STREQ(L"Outstanding Alarms: 0, Title: " + strQuoted, Title());
    EXPECT_STREQ("1|Closed\\' --\n2|Closed\\' --\n3|Open\n4|back\\slash\n5|back\\slash\n7|Open\n8|Open",
                 Outside("SELECT FLD_PRIME_KEY || '|' || FLD_STATUS FROM TBL_ALARMS_005 ORDER BY FLD_PRIME_KEY"));
}

TEST_P(AlarmsWindowAnyDriver, TheOpenAlarmsPanelCountsSystemsWhoseNamesHoldQuotesBackslashesAndSql)
{
    const CString strOdd = L"O'Brien\\' OR 1=1; DELETE FROM TBL_ALARMS_005; --";
    InsertRows(1, 10, 60);
    SetFrom(1, 3, strOdd);
    SetTexts(3, 3, L"Disk full", L"Closed");
    m_pFrame->m_dlgOpenAlarms.OnRefresh();
    EXPECT_STREQ(L"9", PanelCount(L"All Systems"));
    EXPECT_STREQ(L"2", PanelCount(strOdd)) << "the name is compared, never read as SQL";
    EXPECT_STREQ(L"2", PanelCount(L"host0"));
    EXPECT_STREQ(L"1", PanelCount(L"host1")) << "row 6 remains of host1's two";
    EXPECT_STREQ("10", Outside("SELECT COUNT(*) FROM TBL_ALARMS_005"));
}

namespace
{
// Each system's open alarms counted one system at a time, the name bound, with the total first:
// "All Systems=<count>" and then "<system>=<count>" lines in sorted order.
CString CountsOneSystemAtATime()
{
    CAlarmsDatabase alarms;
    CStringArray arrSystems;
    alarms.LoadDistinctFrom(arrSystems);
    CDatabase database;
    EXPECT_TRUE(alarms.Open(database));
    auto count = [&](const wchar_t* pszFrom) {
        CODBCOutstandingCount rs(&database);
        rs.m_strFilter = pszFrom ? L"([FLD_FROM] = ?) AND ([FLD_STATUS] = ?)" : L"([FLD_STATUS] = ?)";
        if (pszFrom)
            rs.m_filterParams.AddText(pszFrom);
        rs.m_filterParams.AddText(L"Open");
        EXPECT_TRUE(rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
        CStringEx strCount;
        strCount.Format(L"%u", (unsigned)rs.m_dblCount);
        strCount.GroupDigits();
        return CString(strCount);
    };
    std::vector<CString> lines;
    for (int i = 0; i < arrSystems.GetSize(); ++i)
        lines.push_back(arrSystems[i] + L"=" + count(arrSystems[i]) + L"\n");
    std::sort(lines.begin(), lines.end());
    CString strRows = L"All Systems=" + count(nullptr) + L"\n";
    for (const CString& strLine : lines)
        strRows += strLine;
    return strRows;
}
} // namespace

// The panel's rows equal the counts of each system on its own, whatever the names hold.
TEST_P(AlarmsWindowAnyDriver, TheOpenAlarmsPanelsCountsEqualEachSystemsOwnCount)
{
    InsertRows(1, 1040, 1);
    const wchar_t* pszNames[] = {L"O'Brien\\' OR 1=1; --", L"back\\slash", L"Host1", L"host1 ", L"", L"all closed",
                                 L"quote\"double", L"%_wild"};
    for (int i = 0; i < 8; ++i)
        SetFrom(100 + 10 * i, 104 + 10 * i, pszNames[i]);
    SetTexts(1, 3, L"Disk full", L"Closed");
    SetTexts(150, 154, L"Disk full", L"Closed"); // every alarm of "all closed"
    SetTexts(160, 160, L"Disk full", L"open");
    SetTexts(161, 161, L"Disk full", L"Open ");
    Execute(L"UPDATE TBL_ALARMS_005 SET FLD_FROM = NULL WHERE FLD_PRIME_KEY BETWEEN 200 AND 202");

    m_pFrame->m_dlgOpenAlarms.OnRefresh();
    EXPECT_STREQ(CountsOneSystemAtATime(), SortedPanelRows());
    EXPECT_STREQ(L"1,030", PanelCount(L"All Systems"));
    EXPECT_STREQ(L"0", PanelCount(L"all closed")) << "listed with no open alarm";
}

// As on Access, where names and statuses compare without regard to case: one row per system,
// whichever of its rows names it, with the open alarms as the data source counts them.
TEST_F(AlarmsWindowSqlite, TheOpenAlarmsPanelCountsEachSystemOnceWhereTheDataSourceIgnoresCase)
{
    DropAlarmsTable(Dsn());
    Execute(L"CREATE TABLE TBL_ALARMS_005 (FLD_PRIME_KEY integer PRIMARY KEY NOT NULL, "
            L"FLD_FROM varchar(255) COLLATE NOCASE, FLD_STATUS varchar(255) COLLATE NOCASE)");
    Execute(L"INSERT INTO TBL_ALARMS_005 VALUES (1, 'Host1', 'Closed')");
    Execute(L"INSERT INTO TBL_ALARMS_005 VALUES (2, 'host1', 'Open')");
    Execute(L"INSERT INTO TBL_ALARMS_005 VALUES (3, 'HOST1', 'open')");
    Execute(L"INSERT INTO TBL_ALARMS_005 VALUES (4, 'web', 'OPEN')");
    Execute(L"INSERT INTO TBL_ALARMS_005 VALUES (5, 'Other', 'Closed')");
    m_pFrame->m_dlgOpenAlarms.OnRefresh();
    CSortListCtrl& list = m_pFrame->m_dlgOpenAlarms.m_list;
    ASSERT_EQ(4, list.GetItemCount()) << CStringA(PanelRows()).GetString();
    EXPECT_STREQ(L"All Systems=3\n", PanelRows().Left(14));
    EXPECT_STREQ(L"1", PanelCount(L"web"));
    EXPECT_STREQ(L"0", PanelCount(L"Other"));
    for (int i = 1; i < list.GetItemCount(); ++i)
    {
        if (list.GetItemText(i, 0).CompareNoCase(L"host1") != 0)
            continue;
        EXPECT_STREQ(L"2", list.GetItemText(i, 1)) << CStringA(list.GetItemText(i, 0)).GetString();
    }
}

// Where the data source's equality is wider than ASCII case, each system still counts the open
// alarms that the data source takes for its own, whichever rows name the system and its open
// alarms. Rows without a system count only in "All Systems".
TEST_F(AlarmsWindowSqlite, TheOpenAlarmsPanelCountsOpenAlarmsWhoseSystemEndsInBlanksWhereTheDataSourceIgnoresThem)
{
    DropAlarmsTable(Dsn());
    Execute(L"CREATE TABLE TBL_ALARMS_005 (FLD_PRIME_KEY integer PRIMARY KEY NOT NULL, "
            L"FLD_FROM varchar(255) COLLATE RTRIM, FLD_STATUS varchar(255))");
    Execute(L"INSERT INTO TBL_ALARMS_005 VALUES (1, 'web', 'Closed'), (2, 'web ', 'Open'), (3, 'web  ', 'Open'), "
            L"(4, 'db ', 'Closed'), (5, 'db', 'Open'), (6, 'mail', 'Open'), (7, 'idle', 'Closed'), "
            L"(8, NULL, 'Open'), (9, '', 'Open')");
    std::vector<CString> statements;
    AfxSetSqlStatementFunction([&](const wchar_t* pszSQL) { statements.push_back(pszSQL); });
    m_pFrame->m_dlgOpenAlarms.OnRefresh();
    AfxSetSqlStatementFunction(nullptr);
    EXPECT_STREQ(L"All Systems=6\ndb =1\nidle=0\nmail=1\nweb=2\n", SortedPanelRows())
        << "each system under the spelling the data source gives it (here its first row's)";
    EXPECT_STREQ(CountsOneSystemAtATime(), SortedPanelRows());
    EXPECT_EQ(1u, statements.size()) << "the systems with their open alarms";
    for (const CString& strSQL : statements)
        EXPECT_STREQ(L"", CPortableSqlCheck::FindUnportable(strSQL)) << CStringA(strSQL).GetString();
}

TEST_F(AlarmsWindowPostgres, TheOpenAlarmsPanelCountsOpenAlarmsWhoseSystemDiffersInTheCaseOfAccentedLetters)
{
    DropAlarmsTable(Dsn());
    Execute(L"CREATE COLLATION IF NOT EXISTS tervok_case_blind "
            L"(provider = icu, locale = 'und-u-ks-level2', deterministic = false)");
    Execute(L"CREATE TABLE TBL_ALARMS_005 (FLD_PRIME_KEY integer PRIMARY KEY NOT NULL, "
            L"FLD_FROM varchar(255) COLLATE tervok_case_blind, FLD_STATUS varchar(255))");
    Execute(L"INSERT INTO TBL_ALARMS_005 VALUES (1, '\u00C9T\u00C9', 'Closed'), (2, '\u00E9t\u00E9', 'Open'), "
            L"(3, '\u00C9t\u00E9', 'Open'), (4, 'Host1', 'Closed'), (5, 'HOST1', 'Open'), (6, 'idle', 'Closed'), "
            L"(7, NULL, 'Open'), (8, '', 'Open')");
    m_pFrame->m_dlgOpenAlarms.OnRefresh();
    EXPECT_STREQ(L"All Systems=5\nHost1=1\nidle=0\n\u00C9T\u00C9=2\n", SortedPanelRows())
        << "each system under the spelling the data source gives it (here its first row's)";
    EXPECT_STREQ(CountsOneSystemAtATime(), SortedPanelRows());
}

TEST_P(AlarmsWindowTest, AnOpenAlarmsCountThatFailsIsReportedAndLeavesAnEmptyCount)
{
    InsertRows(1, 5, 60);
    Execute(L"DROP TABLE TBL_ALARMS_005");
    std::vector<CString> errors;
    SetWindowSubclass(m_pFrame->m_hWnd, CErrorLineWatch::Proc, 1, (DWORD_PTR)&errors);
    m_pFrame->m_dlgOpenAlarms.OnRefresh();
    RemoveWindowSubclass(m_pFrame->m_hWnd, CErrorLineWatch::Proc, 1);
    EXPECT_STREQ(L"All Systems=\n", PanelRows());
    ASSERT_EQ(3u, errors.size());
    EXPECT_STREQ(L"Exception getting record count", errors[0]);
    EXPECT_STREQ(L"Table ..: [TBL_ALARMS_005]", errors[1]);
    EXPECT_EQ(0, errors[2].Find(L"Error ..: ")) << errors[2];
}

TEST_P(AlarmsWindowTest, TheOpenAlarmsBarShowsAllSystemsFirstThenEachSystemsOpenCount)
{
    CRect rectBar, rectDock;
    m_pFrame->m_wndOpenAlarmsBar.GetWindowRect(&rectBar);
    m_pFrame->GetDockBar(AFX_IDW_DOCKBAR_LEFT)->GetWindowRect(&rectDock);
    EXPECT_EQ(rectDock, rectBar) << "docked at the left, alone in its column";
    EXPECT_TRUE(m_pFrame->m_wndOpenAlarmsBar.IsWindowVisible());
    EXPECT_STREQ(L"Open Alarms", m_pFrame->m_wndOpenAlarmsBar.GetWindowText());
    EXPECT_EQ(0, m_pFrame->m_dlgOpenAlarms.m_list.GetItemCount()) << "empty until the first count";

    m_pFrame->m_dlgOpenAlarms.SendMessage(WM_COMMAND, IDC_DYN_REFRESH);
    EXPECT_STREQ(L"All Systems=0\n", PanelRows()) << "an empty table";
    InsertRows(1, 5, 60, L"Disk full", L"Closed");
    InsertRows(6, 1505, 1);
    m_pFrame->m_dlgOpenAlarms.OnRefresh();
    ASSERT_EQ(6, m_pFrame->m_dlgOpenAlarms.m_list.GetItemCount());
    EXPECT_STREQ(L"All Systems", m_pFrame->m_dlgOpenAlarms.m_list.GetItemText(0, 0));
    EXPECT_STREQ(L"1,500", m_pFrame->m_dlgOpenAlarms.m_list.GetItemText(0, 1));
    EXPECT_STREQ(L"300", PanelCount(L"host3"));

    // A double click opens the alarms window on that system's open alarms.
    CSortListCtrl& list = m_pFrame->m_dlgOpenAlarms.m_list;
    for (int i = 0; i < list.GetItemCount(); ++i)
        list.SelectItem(i, list.GetItemText(i, 0) == L"host3");
    NMHDR hdr = {list.m_hWnd, (UINT_PTR)IDC_DYN_LIST, (UINT)NM_DBLCLK};
    m_pFrame->m_dlgOpenAlarms.SendMessage(WM_NOTIFY, IDC_DYN_LIST, (LPARAM)&hdr);
    PumpUntilIdle();
    m_pView = dynamic_cast<CAlarmsListView*>(m_pFrame->GetAlarmsView());
    ASSERT_TRUE(m_pView != nullptr);
    ASSERT_EQ(300, List().GetItemCount());
    for (int nRow = 0; nRow < List().GetItemCount(); ++nRow)
        ASSERT_EQ(3u, m_pView->RowKey(nRow) % 5) << nRow;

    // A picture of the frame with the bar, for the documentation.
    m_pFrame->MoveWindow(CRect(0, 0, 1000, 700));
    PumpUntilIdle();
    ::RedrawWindow(m_pFrame->m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Sleep(200);
    PumpUntilIdle();
    SaveScreenshot(L"open-alarms-bar.png");
}

// The rows a refresh keeps are rewritten in place: the list still shows the table as it is now.
TEST_P(AlarmsWindowAnyDriver, ARefreshFollowsSystemsThatComeAndGoAndLeavesNoRowSelected)
{
    COutstandingDyn& panel = m_pFrame->m_dlgOpenAlarms;
    CSortListCtrl& list = panel.m_list;
    InsertRows(1, 10, 60);
    panel.OnRefresh();
    EXPECT_STREQ(L"All Systems=10\nhost0=2\nhost1=2\nhost2=2\nhost3=2\nhost4=2\n", SortedPanelRows());
    const int nWidth = list.GetColumnWidth(0);
    list.SelectItem(3, TRUE);

    SetFrom(1, 2, L"a system whose name is longer than every other");
    SetTexts(3, 3, L"Disk full", L"Closed");
    panel.OnRefresh();
    EXPECT_STREQ(L"All Systems=9\na system whose name is longer than every other=2\nhost0=2\nhost1=1\nhost2=1\n"
                 L"host3=1\nhost4=2\n",
                 SortedPanelRows());
    EXPECT_EQ(-1, list.GetSelectedIndex());
    EXPECT_GT(list.GetColumnWidth(0), nWidth);

    Execute(L"DELETE FROM TBL_ALARMS_005 WHERE FLD_PRIME_KEY <= 4");
    panel.OnRefresh();
    EXPECT_STREQ(L"All Systems=6\nhost0=2\nhost1=1\nhost2=1\nhost3=1\nhost4=1\n", SortedPanelRows());
    EXPECT_EQ(nWidth, list.GetColumnWidth(0));

    Execute(L"DELETE FROM TBL_ALARMS_005");
    panel.OnRefresh();
    EXPECT_STREQ(L"All Systems=0\n", PanelRows());
}

TEST_P(AlarmsWindowTest, TheOpenAlarmsPanelRecountsOnNewAlarmsOnlyWhileShownWithAuto)
{
    COutstandingDyn& panel = m_pFrame->m_dlgOpenAlarms;
    panel.OnRefresh();
    InsertRows(1, 5, 60);
    panel.SendMessage(RegisteredMessage::nMsgNewAlarms);
    EXPECT_STREQ(L"0", PanelCount(L"All Systems")) << "Auto is off";

    ::SendMessageW(::GetDlgItem(panel.m_hWnd, IDC_DYN_AUTO), BM_CLICK, 0, 0);
    EXPECT_TRUE(panel.m_bAutoUpdate);
    EXPECT_TRUE(GetAppProfile().GetBool(L"COutstandingDyn::m_bAutoUpdate", FALSE));
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_OPEN_ALARMS);
    PumpUntilIdle();
    ASSERT_FALSE(panel.IsWindowVisible());
    panel.SendMessage(RegisteredMessage::nMsgNewAlarms);
    EXPECT_STREQ(L"0", PanelCount(L"All Systems")) << "a hidden panel does not count";

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_OPEN_ALARMS);
    PumpUntilIdle();
    m_pFrame->SendMessageToDescendants(RegisteredMessage::nMsgNewAlarms);
    EXPECT_STREQ(L"5", PanelCount(L"All Systems"));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(panel.m_hWnd, IDC_DYN_REFRESH)))
        << "the panel's own button stays enabled through the idle updates";
    ::SendMessageW(::GetDlgItem(panel.m_hWnd, IDC_DYN_AUTO), BM_CLICK, 0, 0);
    EXPECT_FALSE(GetAppProfile().GetBool(L"COutstandingDyn::m_bAutoUpdate", TRUE));
}

namespace
{
void NotifyDoubleClick(CWnd& parent, CWnd& list)
{
    NMITEMACTIVATE notify = {};
    notify.hdr.hwndFrom = list.m_hWnd;
    notify.hdr.idFrom = (UINT_PTR)list.GetDlgCtrlID();
    notify.hdr.code = NM_DBLCLK;
    parent.SendMessage(WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify);
}

// As the user's click: the radio button checks itself and tells its dialog.
void ClickRadio(CWnd& dialog, int nID)
{
    ::SendMessageW(::GetDlgItem(dialog.m_hWnd, nID), BM_CLICK, 0, 0);
}
} // namespace

TEST_F(AlarmsWindowSqlite, TheBrowserCommandTogglesTheBrowserAndADoubleClickShowsTheRow)
{
    InsertRows(1, 5, 60);
    OpenWindow();
    List().SelectNone();
    List().SelectItem(1, TRUE);
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_BROWSER);
    PumpUntilIdle();
    COutstandingBrowser* pBrowser = m_pView->m_pBrowser.get();
    ASSERT_TRUE(pBrowser && pBrowser->m_hWnd);
    EXPECT_TRUE(pBrowser->IsWindowVisible());
    EXPECT_EQ((int)m_pView->RowKey(1), pBrowser->GetKey());
    EXPECT_EQ(GetText(pBrowser, IDC_BROWSER_TITLE), Cell(1, CListedAlarms::kColumnTitle));

    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_BROWSER);
    EXPECT_FALSE(pBrowser->IsWindowVisible()) << "the command hides a visible browser";
    List().SelectNone();
    List().SelectItem(3, TRUE);
    NotifyDoubleClick(*m_pView, List());
    PumpUntilIdle();
    EXPECT_EQ(pBrowser, m_pView->m_pBrowser.get()) << "made once, then shown and hidden";
    EXPECT_TRUE(pBrowser->IsWindowVisible());
    EXPECT_EQ((int)m_pView->RowKey(3), pBrowser->GetKey());

    pBrowser->SendMessage(WM_CLOSE);
    EXPECT_FALSE(pBrowser->IsWindowVisible());
    EXPECT_TRUE(::IsWindow(pBrowser->m_hWnd)) << "closing only hides it";
}

TEST_F(AlarmsWindowSqlite, TheBrowserStepsSetsTheStatusAndSearches)
{
    InsertRows(1, 4, 60);
    OpenWindow();
    List().SelectNone();
    List().SelectItem(0, TRUE);
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_BROWSER);
    PumpUntilIdle();
    COutstandingBrowser* pBrowser = m_pView->m_pBrowser.get();
    ASSERT_TRUE(pBrowser && pBrowser->m_hWnd);
    int nFirst = pBrowser->GetKey();
    EXPECT_EQ(1, nFirst);

    // The field lines: a value with a carriage return takes two rows, a tab four blanks.
    CSortListCtrl& list = pBrowser->m_list;
    ASSERT_EQ(4, list.GetItemCount());
    EXPECT_STREQ(L"Source", list.GetItemText(0, 0));
    EXPECT_STREQ(L"disk", list.GetItemText(0, 1));
    EXPECT_STREQ(L"Text", list.GetItemText(2, 0));
    EXPECT_STREQ(L"two", list.GetItemText(2, 1));
    EXPECT_STREQ(L"", list.GetItemText(3, 0));
    EXPECT_STREQ(L"lines    end", list.GetItemText(3, 1));

    // The up-down control: its lower arrow steps to the next row, the upper one back.
    HWND hSpin = pBrowser->m_spin.m_hWnd;
    pBrowser->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), (LPARAM)hSpin);
    EXPECT_EQ((int)m_pView->RowKey(1), pBrowser->GetKey());
    EXPECT_EQ(1, pBrowser->m_spin.GetPos32());
    pBrowser->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), (LPARAM)hSpin);
    EXPECT_EQ(nFirst, pBrowser->GetKey());
    pBrowser->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), (LPARAM)hSpin);
    EXPECT_EQ(nFirst, pBrowser->GetKey()) << "before the first row stays on it";

    AfxSetMessageBoxFunction([](HWND, const wchar_t*, const wchar_t*, UINT) { return IDYES; });
    ClickRadio(*pBrowser, IDC_BROWSER_CLOSED);
    PumpUntilIdle();
    EXPECT_EQ(CString(L"Closed"), GetText(pBrowser, IDC_BROWSER_STATUS));
    EXPECT_EQ(2, pBrowser->m_nStatus);

    // The log display, a double click that copies a row into "Find:", and the search among
    // the alarms already shown (the view keeps the logs of those).
    ClickRadio(*pBrowser, IDC_BROWSER_LOG);
    for (int nPos : {0, 0, 2, 2})
        pBrowser->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, nPos), (LPARAM)hSpin);
    ASSERT_EQ(nFirst, pBrowser->GetKey());
    ASSERT_EQ(1, pBrowser->m_nDisplay);
    EXPECT_FALSE(IsEnabled(pBrowser, IDC_BROWSER_NEXT));
    EXPECT_EQ(0, CString(list.GetItemText(0, 0)).Find(L"Triggered 1"));
    SetText(pBrowser, IDC_BROWSER_FIND, L"triggered 3");
    EXPECT_TRUE(IsEnabled(pBrowser, IDC_BROWSER_NEXT));
    Click(pBrowser, IDC_BROWSER_NEXT);
    EXPECT_EQ(3, pBrowser->GetKey());
    Click(pBrowser, IDC_BROWSER_NEXT);
    EXPECT_EQ(3, pBrowser->GetKey()) << "nothing further: only a beep";
    list.SelectItem(1, TRUE);
    NotifyDoubleClick(*pBrowser, list);
    EXPECT_EQ(CString(L"Second line"), GetText(pBrowser, IDC_BROWSER_FIND));

    ClickRadio(*pBrowser, IDC_BROWSER_CRITERIA);
    EXPECT_EQ(CString(L"Criteria:"), GetText(pBrowser, IDC_BROWSER_TEXT_LABEL));
    ClickRadio(*pBrowser, IDC_BROWSER_DESCRIPTION);
    EXPECT_EQ(CString(L"Descr:"), GetText(pBrowser, IDC_BROWSER_TEXT_LABEL));
    EXPECT_EQ(CString(L"Description 3"), GetText(pBrowser, IDC_BROWSER_TEXT));

    pBrowser->SendMessage(RegisteredMessage::nMsgSelection, 0, -5);
    EXPECT_EQ(-1, pBrowser->GetKey());
    EXPECT_FALSE(IsEnabled(pBrowser, IDC_BROWSER_OPEN)) << "no alarm: no status to set";
    if (::GetEnvironmentVariableW(L"BROWSER_SCREENSHOT", nullptr, 0))
    {
        pBrowser->SendMessage(RegisteredMessage::nMsgSelection, 0, 2);
        ClickRadio(*pBrowser, IDC_BROWSER_FIELDS);
        PumpUntilIdle();
        SaveScreenshot(L"outstanding-browser.png");
    }
}

namespace
{
// The filter side bar beside the list, worked by its notifications and by real clicks.
class AlarmsSideBarTest : public AlarmsWindowAnyDriver
{
protected:
    CAlarmsSideBar& Bar() { return dynamic_cast<CAlarmsListFrame*>(m_pView->GetParentFrame())->m_wndBar; }
    COXShortcutBar& Shortcuts() { return Bar().m_wndShortcutBar; }

    // The group's item texts, joined by "|".
    CString Items(HSHBGROUP hGroup)
    {
        COXSHBListCtrl* pList = Bar().GroupList(hGroup);
        CString strItems;
        for (int i = 0; i < pList->GetItemCount(); ++i)
            strItems += (i ? L"|" : L"") + pList->GetItemText(i, 0);
        return strItems;
    }
    int FindItem(HSHBGROUP hGroup, const wchar_t* pszText)
    {
        COXSHBListCtrl* pList = Bar().GroupList(hGroup);
        for (int i = 0; i < pList->GetItemCount(); ++i)
            if (pList->GetItemText(i, 0) == pszText)
                return i;
        ADD_FAILURE() << "no item " << CStringA(pszText).GetString();
        return -1;
    }
    // The notification the group list sends when an item becomes the active one.
    void Pick(HSHBGROUP hGroup, const wchar_t* pszText)
    {
        NMSHORTCUTBAR nm = {};
        nm.hdr.hwndFrom = Shortcuts().m_hWnd;
        nm.hdr.idFrom = CAlarmsSideBar::kShortcutBarId;
        nm.hdr.code = SHBN_ACTIVATEITEM;
        nm.hGroup = hGroup;
        nm.nItem = FindItem(hGroup, pszText);
        Bar().SendMessage(WM_NOTIFY, CAlarmsSideBar::kShortcutBarId, (LPARAM)&nm);
        PumpUntilIdle();
    }
    CString StoredList(const wchar_t* pszKey)
    {
        CStringArray arrValues;
        GetAppProfile().GetStringList(pszKey, arrValues);
        return CStringArrayEx(arrValues).Join(L"|");
    }
};

INSTANTIATE_TEST_SUITE_P(DataSources, AlarmsSideBarTest, ::testing::Values(kSqliteDsn, kPostgresDsn, kBackslashDsn),
                         DataSourceName);
} // namespace

TEST_P(AlarmsSideBarTest, OpensBesideTheListWithItsGroupsAndReadsTheValuesOnRefresh)
{
    InsertRows(1, 4, 60);
    SetTexts(1, 1, L"alpha", L"Closed");
    SetTexts(2, 2, L"Zulu", L"acked");
    OpenWindow();
    ASSERT_TRUE(Bar().m_hWnd && Bar().IsWindowVisible());
    EXPECT_EQ(m_pView, Bar().GetView());
    EXPECT_STREQ(L"Selection", Bar().GetWindowText());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, Bar().m_nDockBarId);
    CRect rectBar, rectView;
    Bar().GetWindowRect(&rectBar);
    m_pView->GetWindowRect(&rectView);
    EXPECT_LE(rectBar.right, rectView.left) << "beside the list, not over it";
    EXPECT_GT(rectBar.Height(), 200);

    CString strGroups;
    for (int i = 0; i < Shortcuts().GetGroupCount(); ++i)
        strGroups += Shortcuts().GetGroupText(Shortcuts().FindGroupByOrder(i)) + L" ";
    EXPECT_STREQ(L"Age Assigned From Priority Status Title ", strGroups);
    EXPECT_EQ(Bar().m_hAgeGroup, Shortcuts().GetExpandedGroup());
    EXPECT_STREQ(L"- Default -|All|Today|Last 1 Hour|Last 2 Hours|Last 3 Hours|Last 6 Hours|Last 12 Hours|"
                 L"Last 24 Hours",
                 Items(Bar().m_hAgeGroup));
    for (HSHBGROUP hGroup : {Bar().m_hTitleGroup, Bar().m_hFromGroup, Bar().m_hStatusGroup,
                             Bar().m_hAssignedGroup, Bar().m_hPriorityGroup})
        EXPECT_STREQ(L"Refresh|- Default -|All", Items(hGroup)) << "nothing read before the first Refresh";

    Pick(Bar().m_hStatusGroup, L"Refresh");
    EXPECT_STREQ(L"Refresh|- Default -|All|Closed|Open|acked", Items(Bar().m_hStatusGroup))
        << "sorted with upper case first";
    EXPECT_STREQ(L"Refresh|- Default -|All", Items(Bar().m_hTitleGroup)) << "only the picked group is read";
    Pick(Bar().m_hTitleGroup, L"Refresh");
    EXPECT_STREQ(L"Refresh|- Default -|All|Disk full|Zulu|alpha", Items(Bar().m_hTitleGroup));
    Pick(Bar().m_hFromGroup, L"Refresh");
    EXPECT_STREQ(L"Refresh|- Default -|All|host1|host2|host3|host4", Items(Bar().m_hFromGroup));
    Pick(Bar().m_hAssignedGroup, L"Refresh");
    Pick(Bar().m_hPriorityGroup, L"Refresh");
    EXPECT_STREQ(L"Refresh|- Default -|All|Ops", Items(Bar().m_hAssignedGroup));
    EXPECT_STREQ(L"Refresh|- Default -|All|High", Items(Bar().m_hPriorityGroup));
    EXPECT_STREQ(L"Outstanding Alarms: 4", Title()) << "a Refresh sets no filter";

    CloseWindow();
    OpenWindow();
    EXPECT_STREQ(L"Refresh|- Default -|All|Closed|Open|acked", Items(Bar().m_hStatusGroup))
        << "the values are kept until the next Refresh";
    Execute(L"DELETE FROM TBL_ALARMS_005 WHERE FLD_PRIME_KEY = 2");
    Pick(Bar().m_hStatusGroup, L"Refresh");
    EXPECT_STREQ(L"Closed|Open", StoredList(L"CAlarmsSideBar::status"));
    if (GetParam() != kPostgresDsn)
        return;
    Shortcuts().ExpandGroup(Bar().m_hStatusGroup);
    Pick(Bar().m_hStatusGroup, L"Open");
    SaveScreenshot(L"filter-side-bar.png");
}

TEST_P(AlarmsSideBarTest, ARefreshThatCannotReadTheDatabaseKeepsTheValuesAndSaysSo)
{
    if (GetParam() == kBackslashDsn)
        GTEST_SKIP() << "one PostgreSQL source is enough";
    InsertRows(1, 4, 60);
    OpenWindow();
    Pick(Bar().m_hFromGroup, L"Refresh");
    Pick(Bar().m_hStatusGroup, L"Refresh");
    ASSERT_STREQ(L"Refresh|- Default -|All|host1|host2|host3|host4", Items(Bar().m_hFromGroup));

    std::vector<CString> errors;
    SetWindowSubclass(m_pFrame->m_hWnd, CErrorLineWatch::Proc, 1, (DWORD_PTR)&errors);
    GetRegistryStore().SetString(L"AlarmDatabaseDSN", L"No Such Alarms Database");
    Pick(Bar().m_hFromGroup, L"Refresh");
    GetRegistryStore().SetString(L"AlarmDatabaseDSN", Dsn());
    Execute(L"DROP TABLE TBL_ALARMS_005");
    Pick(Bar().m_hStatusGroup, L"Refresh");
    RemoveWindowSubclass(m_pFrame->m_hWnd, CErrorLineWatch::Proc, 1);

    EXPECT_STREQ(L"Refresh|- Default -|All|host1|host2|host3|host4", Items(Bar().m_hFromGroup))
        << "an unreachable database";
    EXPECT_STREQ(L"host1|host2|host3|host4", StoredList(L"CAlarmsSideBar::from"));
    EXPECT_STREQ(L"Refresh|- Default -|All|Open", Items(Bar().m_hStatusGroup)) << "a table that cannot be read";
    EXPECT_STREQ(L"Open", StoredList(L"CAlarmsSideBar::status"));
    CString strErrors;
    for (const CString& strError : errors)
        strErrors += strError + L"\n";
    EXPECT_NE(-1, strErrors.Find(L"The From values could not be read: the list keeps its values")) << strErrors;
    EXPECT_NE(-1, strErrors.Find(L"The Status values could not be read: the list keeps its values")) << strErrors;
}

TEST_P(AlarmsSideBarTest, PickingAnItemSetsTheViewsFilterAndReloads)
{
    InsertRows(1, 6, 1500); // 25 minutes apart
    SetTexts(1, 2, L"Disk full", L"Closed");
    SetFrom(3, 3, L"db1");
    OpenWindow();
    Pick(Bar().m_hStatusGroup, L"Refresh");
    Pick(Bar().m_hStatusGroup, L"Closed");
    EXPECT_STREQ(L"Outstanding Alarms: 2, Status: Closed", Title());
    EXPECT_STREQ(L"1 2 ", Keys());
    Pick(Bar().m_hStatusGroup, L"All");
    EXPECT_STREQ(L"Outstanding Alarms: 6", Title());

    Pick(Bar().m_hAgeGroup, L"Last 1 Hour");
    EXPECT_STREQ(L"Outstanding Alarms: 2, Age: Last 1 Hour", Title());
    EXPECT_EQ(3600, GetAppProfile().GetInt(L"CAlarmsListView::m_nAgeSecs", -1));
    EXPECT_STREQ(L"2026-12-09 11:00:00", GetAppProfile().GetString(L"CAlarmsListView::m_strLoadAge", L""));
    Pick(Bar().m_hAgeGroup, L"Today");
    EXPECT_STREQ(L"Outstanding Alarms: 6, Age: Today", Title());
    EXPECT_EQ(0, GetAppProfile().GetInt(L"CAlarmsListView::m_nAgeSecs", -1));
    EXPECT_STREQ(L"2026-12-09 00:00:00", GetAppProfile().GetString(L"CAlarmsListView::m_strLoadAge", L""));
    Pick(Bar().m_hAgeGroup, L"Last 1 Hour");
    Pick(Bar().m_hAgeGroup, L"All");
    EXPECT_STREQ(L"Outstanding Alarms: 6", Title());
    EXPECT_EQ(-1, GetAppProfile().GetInt(L"CAlarmsListView::m_nAgeSecs", 5));

    Pick(Bar().m_hFromGroup, L"Refresh");
    Pick(Bar().m_hFromGroup, L"db1");
    Pick(Bar().m_hAgeGroup, L"Last 2 Hours");
    EXPECT_STREQ(L"Outstanding Alarms: 1, Age: Last 2 Hours, From: db1", Title());
    Pick(Bar().m_hTitleGroup, L"- Default -");
    EXPECT_STREQ(L"Outstanding Alarms: 6", Title()) << "the default clears every filter, not only its group's";
    EXPECT_STREQ(L"", GetAppProfile().GetString(L"CAlarmsListView::m_strLoadFrom", L"x"));
}

TEST_P(AlarmsSideBarTest, ValuesHoldingQuotesAndSqlFilterExactly)
{
    const CString strTitle = L"O'Brien\\' OR 1=1; DELETE FROM TBL_ALARMS_005; --";
    const CString strFrom = L"x\\' OR '1'='1";
    InsertRows(1, 6, 60);
    SetTexts(1, 2, strTitle, L"Open");
    SetFrom(3, 3, strFrom);
    OpenWindow();
    Pick(Bar().m_hTitleGroup, L"Refresh");
    Pick(Bar().m_hTitleGroup, strTitle);
    EXPECT_STREQ(L"Outstanding Alarms: 2, Title: " + strTitle, Title());
    EXPECT_STREQ(L"1 2 ", Keys());
    Pick(Bar().m_hTitleGroup, L"All");
    Pick(Bar().m_hFromGroup, L"Refresh");
    Pick(Bar().m_hFromGroup, strFrom);
    EXPECT_STREQ(L"3 ", Keys());
    EXPECT_STREQ("6", Outside("SELECT COUNT(*) FROM TBL_ALARMS_005"));
}

TEST_P(AlarmsSideBarTest, AClickOnAnItemFiltersTheList)
{
    if (IsPostgres(Dsn()) || GetParam() == kBackslashDsn)
        GTEST_SKIP() << "real input once is enough";
    InsertRows(1, 5, 60);
    SetTexts(4, 5, L"Disk full", L"Closed");
    OpenWindow();
    Pick(Bar().m_hStatusGroup, L"Refresh");
    Bar().SendMessage(WM_COMMAND, IDC_SIDEBAR_SMALL_ICONS); // every item in sight
    Shortcuts().ExpandGroup(Bar().m_hStatusGroup);
    PumpUntilIdle();
    COXSHBListCtrl* pList = Bar().GroupList(Bar().m_hStatusGroup);
    ASSERT_TRUE(pList->IsWindowVisible());
    CRect rectItem;
    ASSERT_TRUE(pList->GetItemRect(FindItem(Bar().m_hStatusGroup, L"Closed"), &rectItem, LVIR_ICON));
    ::MapWindowPoints(pList->m_hWnd, nullptr, (POINT*)&rectItem, 2);
    MouseClick(m_pFrame->m_hWnd, rectItem.CenterPoint());
    EXPECT_STREQ(L"Outstanding Alarms: 2, Status: Closed", Title());
    EXPECT_STREQ(L"4 5 ", Keys());

    Pick(Bar().m_hAgeGroup, L"- Default -");
    ASSERT_STREQ(L"Outstanding Alarms: 5", Title());
    MouseClick(m_pFrame->m_hWnd, rectItem.CenterPoint());
    EXPECT_STREQ(L"Outstanding Alarms: 2, Status: Closed", Title()) << "the same item picked again";
}

TEST_P(AlarmsSideBarTest, ComesBackWithItsSizeAndIconViewShownWithTheAgeGroupOpen)
{
    if (GetParam() == kBackslashDsn)
        GTEST_SKIP() << "no database work here";
    CString strSection;
    strSection.Format(L"CReportFrame::m_wndBar-SCBar-%d", CAlarmsListFrame::kSideBarId);
    m_belvane.WriteProfileInt(strSection, L"sizeVertCX", 260);
    OpenWindow();
    CRect rectBar;
    Bar().GetWindowRect(&rectBar);
    EXPECT_EQ(260, rectBar.Width()) << "the stored width";
    EXPECT_EQ(SHB_LARGEICON, Shortcuts().GetGroupView(Bar().m_hStatusGroup));

    Shortcuts().ExpandGroup(Bar().m_hTitleGroup);
    Bar().SendMessage(WM_COMMAND, IDC_SIDEBAR_SMALL_ICONS);
    PumpUntilIdle();
    EXPECT_EQ(SHB_SMALLICON, GetAppProfile().GetInt(L"CAlarmsSideBar::SHB_ICONSIZE", 0));
    for (int i = 0; i < Shortcuts().GetGroupCount(); ++i)
        EXPECT_EQ(SHB_SMALLICON, Shortcuts().GetGroupView(Shortcuts().FindGroupByOrder(i))) << "every group";

    Bar().GetParentFrame()->ShowControlBar(&Bar(), FALSE, FALSE);
    CloseWindow();
    OpenWindow();
    EXPECT_TRUE(Bar().IsWindowVisible()) << "every window opens with its side bar";
    EXPECT_EQ(Bar().m_hAgeGroup, Shortcuts().GetExpandedGroup());
    EXPECT_EQ(SHB_SMALLICON, Shortcuts().GetGroupView(Bar().m_hPriorityGroup));
    Bar().SendMessage(WM_COMMAND, IDC_SIDEBAR_LARGE_ICONS);
    EXPECT_EQ(SHB_LARGEICON, GetAppProfile().GetInt(L"CAlarmsSideBar::SHB_ICONSIZE", 0));
    EXPECT_EQ(SHB_LARGEICON, Shortcuts().GetGroupView(Bar().m_hTitleGroup));
}

namespace
{
// Every statement that the console's alarm windows hand to ODBC, recorded on the SQLite source.
class PortableSqlRecording : public AlarmsSideBarTest
{
protected:
    const wchar_t* Dsn() const override { return kSqliteDsn; }
    void TearDown() override
    {
        AfxSetSqlStatementFunction(nullptr);
        AlarmsSideBarTest::TearDown();
    }

    BOOL AddAlarm(const wchar_t* pszFrom)
    {
        CAlarmDefinition definition;
        definition.m_strTitle = L"Disk full";
        definition.m_strAssignedTo = L"Ops";
        definition.m_strPriority = L"High";
        CStringArray arrNames, arrValues, arrLog;
        arrNames.Add(L"FLD_RECEIVED_NAME");
        arrValues.Add(pszFrom);
        arrLog.Add(L"Triggered by hand");
        return CAlarmsDatabase().AddAlarmRecordFromLines(definition, arrNames, arrValues, arrLog, L"Open");
    }
};
} // namespace

TEST_F(PortableSqlRecording, EveryStatementTheAlarmWindowsSendIsOneThatAccessTakes)
{
    std::vector<CString> statements;
    AfxSetSqlStatementFunction([&](const wchar_t* pszSQL) { statements.push_back(pszSQL); });
    AfxSetMessageBoxFunction([](HWND, const wchar_t*, const wchar_t*, UINT) { return IDYES; });

    // The start-up check on a missing table, then alarms added by hand.
    DropAlarmsTable(Dsn());
    CAlarmsDatabase().CheckStructure(Dsn());
    for (const wchar_t* pszFrom : {L"web01", L"db01", L"web01", L"mail01"})
        ASSERT_TRUE(AddAlarm(pszFrom));

    // The outstanding window with its side bar, a new alarm, status changes, the browser.
    OpenWindow();
    for (HSHBGROUP hGroup : {Bar().m_hTitleGroup, Bar().m_hFromGroup, Bar().m_hStatusGroup, Bar().m_hAssignedGroup,
                             Bar().m_hPriorityGroup})
        Pick(hGroup, L"Refresh");
    Pick(Bar().m_hFromGroup, L"web01");
    Pick(Bar().m_hAgeGroup, L"Last 1 Hour");
    Pick(Bar().m_hAgeGroup, L"- Default -");
    ASSERT_TRUE(AddAlarm(L"db01"));
    Timer(CAlarmsListView::kTimerPoll);
    g_inputSeconds += 10;
    Timer(CAlarmsListView::kTimerNewAlarms);
    ASSERT_EQ(5, List().GetItemCount());
    List().SelectNone();
    List().SelectItem(1, TRUE);
    EXPECT_TRUE(m_pView->SetAlarmStatus(L"Pending", TRUE));
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_BROWSER);
    ASSERT_TRUE(m_pView->m_pBrowser && m_pView->m_pBrowser->m_hWnd);
    ClickRadio(*m_pView->m_pBrowser, IDC_BROWSER_CLOSED);
    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_DELETE);
    ASSERT_EQ(4, List().GetItemCount());

    // The Open Alarms panel and the database tools.
    m_pFrame->m_dlgOpenAlarms.OnRefresh();
    EXPECT_STREQ(L"4", PanelCount(L"All Systems"));
    CDatabaseStatusDlg dialog(m_pFrame);
    ASSERT_TRUE(dialog.Create(IDD_DATABASE_STATUS, m_pFrame));
    dialog.SendMessage(WM_TIMER, 100);
    dialog.DestroyWindow();
    CServicePageDatabase page;
    ASSERT_TRUE(page.Create(IDD_SERVICE_DATABASE, m_pFrame));
    page.SendMessage(WM_TIMER, 100);
    page.DestroyWindow();

    m_pView->SendMessage(WM_COMMAND, ID_OUTSTANDING_DELETE_ALL);
    EXPECT_STREQ("0", Outside("SELECT COUNT(*) FROM TBL_ALARMS_005"));
    AfxSetSqlStatementFunction(nullptr);

    // What was seen: every kind of statement these windows send.
    CString strKinds;
    for (const wchar_t* pszKind : {L"CREATE TABLE", L"CREATE INDEX", L"Max(", L"INSERT INTO", L"ORDER BY",
                                   L"SELECT DISTINCT", L"GROUP BY", L"UPDATE", L"DELETE FROM"})
        if (std::any_of(statements.begin(), statements.end(),
                        [&](const CString& strSQL) { return strSQL.Find(pszKind) >= 0; }))
            strKinds += CString(pszKind) + L"|";
    EXPECT_STREQ(L"CREATE TABLE|CREATE INDEX|Max(|INSERT INTO|ORDER BY|SELECT DISTINCT|GROUP BY|UPDATE|DELETE FROM|",
                 strKinds);
    CString strRefused;
    for (const CString& strSQL : statements)
    {
        CString strConstruct = CPortableSqlCheck::FindUnportable(strSQL);
        if (!strConstruct.IsEmpty())
            strRefused += strConstruct + L" in: " + strSQL + L"\n";
    }
    EXPECT_STREQ(L"", strRefused) << statements.size() << " statements recorded";
}
