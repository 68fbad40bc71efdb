#include "GuiTest.h"

#include "console/app/CAboutDlg.h"
#include "console/app/CBelvaneApp.h"
#include "console/logfile/CLogfileForm.h"
#include "console/app/CMainFrame.h"
#include "console/app/RegisteredMessage.h"
#include "console/app/ShellOpen.h"
#include "MetafileTexts.h"
#include "framework/frames/CMDIChildWnd.h"
#include "framework/frames/CMultiDocTemplate.h"
#include "framework/frames/CDocument.h"
#include "framework/frames/CView.h"
#include "framework/window/AfxOleInit.h"
#include "framework/window/CFileDialog.h"
#include "resources/console/BelvaneRes.h"
#include "support/AppProfile.h"
#include "support/FileVersionInfo.h"
#include "support/RegistryStore.h"
#include "tests/framework/window/WorkAreaAt.h"

#include <climits>
#include <fstream>
#include <sstream>

namespace
{
// The console's application object and main frame, built the way the start-up builds them,
// on a profile and a registry key of this test.
class MainFrameTest : public GuiTest
{
protected:
    MainFrameTest()
    {
        AfxInitRichEdit();
        m_belvane.SetRegistryKey(m_strKey);
        m_strStoreKey.Format(L"SOFTWARE\\Tervok AG\\ConsoleFrameTests-%lu", GetCurrentProcessId());
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strStoreKey, L"Volatile");
        m_belvane.AddTemplates();
        EXPECT_TRUE(m_belvane.RegisterMainWindowClass());
        OpenFrame();
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        PumpUntilIdle();
    }
    ~MainFrameTest() override
    {
        CFileDialog::SetChooser(nullptr);
        if (m_pFrame && IsWindow(m_hFrame()))
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = nullptr;
        PumpUntilIdle();
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strStoreKey);
    }

    HWND m_hFrame() const { return m_pFrame->m_hWnd; }

    void OpenFrame()
    {
        m_pFrame = new CMainFrame;
        EXPECT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr));
        m_app.m_pMainWnd = m_belvane.m_pMainWnd = m_pFrame;
    }

    // A frame opened as the next start opens it: where its saved size puts it, not maximised.
    CRect ReopenedFrameRect()
    {
        OpenFrame();
        EXPECT_FALSE(m_pFrame->RestoreFrameSize());
        CRect rect;
        m_pFrame->GetWindowRect(&rect);
        return rect;
    }

    void AddLine(int nLevel, const wchar_t* pszText)
    {
        m_pFrame->SendMessage(RegisteredMessage::nMsgAddLogfile, (WPARAM)nLevel, (LPARAM)pszText);
    }

    CString PaneText(UINT nID)
    {
        int nIndex = m_pFrame->m_wndStatusBar.CommandToIndex(nID);
        return nIndex < 0 ? CString(L"<none>") : m_pFrame->m_wndStatusBar.GetPaneText(nIndex);
    }

    // The log's plain text, each picture as "*" (Windows shows U+FFFC, Wine a blank; the lines
    // here have no blanks).
    CString LogText()
    {
        CLogfileForm* pForm = m_pFrame->GetLogfileForm();
        if (!pForm)
            return L"<no log window>";
        CString strText = pForm->m_wndRichEdit.GetWindowText();
        strText.Replace(L"\r\n", L"\r");
        strText.Replace(L'\uFFFC', L'*');
        strText.Replace(L' ', L'*');
        return strText;
    }

    CFrameWnd* LogFrame() { return m_pFrame->GetLogfileForm()->GetParentFrame(); }

    // The item as the menu bar's popup shows it when it opens.
    BOOL IsGreyed(int nPopup, UINT nID)
    {
        HMENU hPopup = GetSubMenu(::GetMenu(m_hFrame()), nPopup);
        m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, nPopup);
        return (GetMenuState(hPopup, nID, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }

    CBelvaneApp m_belvane;
    CMainFrame* m_pFrame = nullptr;
    CString m_strStoreKey;
};
} // namespace

TEST_F(MainFrameTest, FrameHasItsClassTitleAndStatusPanes)
{
    wchar_t szClass[64] = L"";
    GetClassNameW(m_hFrame(), szClass, 63);
    EXPECT_STREQ(L"Belvane-Tervok-Application", szClass);
    EXPECT_STREQ(L"Belvane v1.0 Test build", m_pFrame->GetWindowText());

    GetRegistryStore().SetVolatileDWord(L"AlarmMessageCount", 1234567);
    GetRegistryStore().SetVolatileDWord(L"AlarmAnalysed", 1000);
    GetRegistryStore().SetVolatileString(L"AlarmLastMessage", L"2026-12-09 04:00:00");
    PumpUntilIdle();
    EXPECT_EQ(7, m_pFrame->m_wndStatusBar.GetCount());
    EXPECT_STREQ(L"Alarms Service  ", PaneText(ID_INDICATOR_SERVICE));
    EXPECT_STREQ(L"Alarms: 1,234,567", PaneText(ID_INDICATOR_ALARMS));
    EXPECT_STREQ(L"Processed: 1,000", PaneText(ID_INDICATOR_PROCESSED));
    EXPECT_STREQ(L"Last update: 2026-12-09 04:00:00", PaneText(ID_INDICATOR_LAST_UPDATE));
    EXPECT_STREQ(L"Database: 0 MB", PaneText(ID_INDICATOR_DATABASE));
    EXPECT_STREQ(L"Status: ", PaneText(ID_INDICATOR_STATUS)) << "the alarms service is not installed here";
    EXPECT_EQ((UINT)SBPS_NOBORDERS, m_pFrame->m_wndStatusBar.GetPaneStyle(1) & SBPS_NOBORDERS);

    // The title stays while a child window is active.
    m_belvane.ShowLogfileWindow();
    PumpUntilIdle();
    EXPECT_STREQ(L"Belvane v1.0 Test build", m_pFrame->GetWindowText());
    EXPECT_STREQ(L"Logfile", LogFrame()->GetWindowText());
}

TEST_F(MainFrameTest, LinesBeforeTheLogWindowAreHandedToIt)
{
    AddLine(0, L"Checking");
    AddLine(2, L"Failed");
    EXPECT_TRUE(m_pFrame->GetLogfileForm() == nullptr);
    EXPECT_EQ(2, m_pFrame->m_arrPendingLines.GetSize()) << "kept while there is no log window";

    m_belvane.ShowLogfileWindow();
    ASSERT_TRUE(m_pFrame->GetLogfileForm() != nullptr);
    EXPECT_EQ(0, m_pFrame->m_arrPendingLines.GetSize());
    m_pFrame->AddLogfileMessage(1, L"Table-%s-has-%d-rows", L"TBL_ALARMS_005", 3);
    EXPECT_STREQ(L"*Checking\r*Failed\r*Table-TBL_ALARMS_005-has-3-rows\r", LogText());
}

TEST_F(MainFrameTest, ClosingTheLogWindowHidesItAndF6BringsItBack)
{
    m_pFrame->BuildAccelerators();
    wchar_t szText[64] = L"";
    GetMenuStringW(::GetMenu(m_hFrame()), ID_LOGFILE_DISPLAY, szText, 63, MF_BYCOMMAND);
    EXPECT_STREQ(L"&Display\tF6", szText);

    m_belvane.ShowLogfileWindow();
    AddLine(0, L"Before");
    CFrameWnd* pLogFrame = LogFrame();
    HWND hLogFrame = pLogFrame->m_hWnd;
    pLogFrame->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    ASSERT_TRUE(IsWindow(hLogFrame)) << "closing only hides the log window";
    EXPECT_FALSE(IsWindowVisible(hLogFrame));
    AddLine(2, L"While-hidden");

    SetForegroundWindow(m_hFrame());
    m_pFrame->PostMessage(WM_KEYDOWN, VK_F6, 0x00400001);
    PumpUntilIdle();
    EXPECT_TRUE(IsWindowVisible(hLogFrame)) << "F6 is the log window's Display";
    EXPECT_FALSE(IsIconic(hLogFrame));
    EXPECT_EQ(LogFrame()->m_hWnd, hLogFrame) << "the same window";
    EXPECT_STREQ(L"*Before\r*While-hidden\r", LogText());
}

TEST_F(MainFrameTest, EraseShowsTheWindowWithOneLine)
{
    m_belvane.ShowLogfileWindow();
    AddLine(2, L"Old");
    LogFrame()->SendMessage(WM_CLOSE);
    m_pFrame->GetLogfileForm()->OnErase();
    PumpUntilIdle();
    EXPECT_TRUE(LogFrame()->IsWindowVisible());
    EXPECT_STREQ(L"*Logfile*erased\r", LogText());
}

TEST_F(MainFrameTest, SaveProposesTheDocumentsFolderThenTheLastPath)
{
    m_belvane.ShowLogfileWindow();
    AddLine(0, L"Saved-line");
    CString strAsked;
    CString strAnswer = L"saved-log.rtf";
    CFileDialog::SetChooser([&](OPENFILENAMEW& ofn, BOOL) {
        strAsked = ofn.lpstrFile;
        lstrcpynW(ofn.lpstrFile, strAnswer, (int)ofn.nMaxFile);
        return TRUE;
    });
    CLogfileForm* pForm = m_pFrame->GetLogfileForm();
    pForm->OnSave();
    EXPECT_NE(-1, strAsked.Find(L"TervokBelvaneLogfile.rtf"));
    std::ifstream file(L"saved-log.rtf", std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    file.close();
    EXPECT_NE(std::string::npos, content.str().find("Saved-line"));
    EXPECT_EQ(0u, content.str().find("{\\rtf1"));

    pForm->OnSave();
    EXPECT_NE(-1, strAsked.Find(L"saved-log.rtf")) << "the path chosen last";
    DeleteFileW(L"saved-log.rtf");

    // A file that cannot be written says so in the log.
    strAnswer = L"no-such-folder\\log.rtf";
    pForm->OnSave();
    EXPECT_NE(-1, LogText().Find(L"could*not*be*saved")) << LogText().GetString();
}

// File Close closes the active window, but the log window only hides, with its lines kept.
TEST_F(MainFrameTest, FileCloseClosesTheActiveWindowAndOnlyHidesTheLog)
{
    m_belvane.ShowLogfileWindow();
    AddLine(0, L"Kept");
    HWND hLogFrame = LogFrame()->m_hWnd;
    m_belvane.ShowDefinitionsWindow();
    HWND hDefinitions = m_pFrame->MDIGetActive()->m_hWnd;
    ASSERT_NE(hLogFrame, hDefinitions);
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(hDefinitions));

    m_belvane.ShowLogfileWindow();
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    PumpUntilIdle();
    ASSERT_TRUE(IsWindow(hLogFrame));
    EXPECT_FALSE(IsWindowVisible(hLogFrame));
    AddLine(0, L"Later");
    EXPECT_STREQ(L"*Kept\r*Later\r", LogText());
}

// Save and Save As are the log's own save; the outstanding alarms have nothing to save.
TEST_F(MainFrameTest, SaveIsTheLogsSaveAndGreyedForTheOutstandingAlarms)
{
    m_belvane.ShowLogfileWindow();
    std::vector<CString> asked;
    CFileDialog::SetChooser([&](OPENFILENAMEW& ofn, BOOL) {
        asked.push_back(ofn.lpstrFile);
        return FALSE;
    });
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    ASSERT_EQ(2u, asked.size());
    for (const CString& strAsked : asked)
        EXPECT_NE(-1, strAsked.Find(L"TervokBelvaneLogfile.rtf"));

    m_belvane.ShowAlarmsWindow();
    PumpUntilIdle();
    EXPECT_TRUE(IsGreyed(0, ID_FILE_SAVE));
    EXPECT_TRUE(IsGreyed(0, ID_FILE_SAVE_AS));
    EXPECT_FALSE(IsGreyed(0, ID_FILE_PRINT));
    EXPECT_FALSE(IsGreyed(0, ID_FILE_CLOSE));
}

// In the read-only log only Copy applies; it copies the selected text.
TEST_F(MainFrameTest, EditMenuInTheLogOffersOnlyCopy)
{
    m_belvane.ShowLogfileWindow();
    AddLine(0, L"Copied-line");
    CRichEditCtrl& edit = m_pFrame->GetLogfileForm()->m_wndRichEdit;
    edit.SetFocus();
    edit.SendMessage(EM_SETSEL, 0, -1);
    EXPECT_TRUE(IsGreyed(1, ID_EDIT_UNDO));
    EXPECT_TRUE(IsGreyed(1, ID_EDIT_CUT));
    EXPECT_FALSE(IsGreyed(1, ID_EDIT_COPY));
    EXPECT_TRUE(IsGreyed(1, ID_EDIT_PASTE));
    m_pFrame->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    ASSERT_TRUE(OpenClipboard(m_hFrame()));
    HANDLE hText = GetClipboardData(CF_UNICODETEXT);
    CString strCopied = hText ? (const wchar_t*)GlobalLock(hText) : L"";
    if (hText)
        GlobalUnlock(hText);
    CloseClipboard();
    EXPECT_NE(-1, strCopied.Find(L"Copied-line")) << strCopied.GetString();
}

// The log's print holds its lines.
TEST_F(MainFrameTest, LogPrintHoldsItsLines)
{
    m_belvane.ShowLogfileWindow();
    AddLine(0, L"First-printed");
    AddLine(2, L"Second-printed");
    CSize sizePage;
    std::vector<HENHMETAFILE> pages = m_pFrame->GetLogfileForm()->RecordPages(sizePage);
    CString strPrinted;
    for (const CString& strText : PagesTexts(pages))
        strPrinted += strText;
    DeletePages(pages);
    int nFirst = strPrinted.Find(L"First-printed");
    EXPECT_NE(-1, nFirst) << strPrinted.GetString();
    EXPECT_GT(strPrinted.Find(L"Second-printed"), nFirst);
}

TEST_F(MainFrameTest, RefreshReachesOnlyALiveOutstandingView)
{
    m_pFrame->OnRefresh(); // no window was ever opened
    m_belvane.ShowAlarmsWindow();
    CView* pView = m_pFrame->GetAlarmsView();
    ASSERT_TRUE(pView != nullptr);
    HWND hView = pView->m_hWnd;
    m_pFrame->OnRefresh();
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, hView, RegisteredMessage::nMsgRefresh, RegisteredMessage::nMsgRefresh, PM_REMOVE));

    // The user closes the window: the frame lets go of it.
    pView->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(hView));
    EXPECT_TRUE(m_pFrame->GetAlarmsView() == nullptr);
    m_pFrame->OnRefresh();
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, RegisteredMessage::nMsgRefresh, RegisteredMessage::nMsgRefresh, PM_REMOVE));

    // Opened anew, as Change Layout does through the registered message.
    m_pFrame->SendMessage(RegisteredMessage::nMsgOutstanding);
    EXPECT_TRUE(m_pFrame->GetAlarmsView() != nullptr);
}

TEST_F(MainFrameTest, FileNewOpensAnOutstandingWindowThatRefreshReachesToo)
{
    m_belvane.ShowAlarmsWindow();
    CView* pFirst = m_pFrame->GetAlarmsView();
    ASSERT_TRUE(pFirst != nullptr);
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpUntilIdle();
    POSITION pos = m_belvane.m_pAlarmsTemplate->GetFirstDocPosition();
    m_belvane.m_pAlarmsTemplate->GetNextDoc(pos);
    ASSERT_TRUE(pos != nullptr) << "a second outstanding-alarms window";
    CDocument* pSecondDoc = m_belvane.m_pAlarmsTemplate->GetNextDoc(pos);
    POSITION posView = pSecondDoc->GetFirstViewPosition();
    HWND hSecond = pSecondDoc->GetNextView(posView)->m_hWnd;

    m_pFrame->OnRefresh();
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, pFirst->m_hWnd, RegisteredMessage::nMsgRefresh, RegisteredMessage::nMsgRefresh,
                             PM_REMOVE));
    EXPECT_TRUE(PeekMessageW(&msg, hSecond, RegisteredMessage::nMsgRefresh, RegisteredMessage::nMsgRefresh, PM_REMOVE))
        << "the new window is refreshed too";

    // The first one closed, the frame still has the other.
    pFirst->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    ASSERT_TRUE(m_pFrame->GetAlarmsView() != nullptr);
    EXPECT_EQ(hSecond, m_pFrame->GetAlarmsView()->m_hWnd);
}

TEST_F(MainFrameTest, FileOpenIsGreyedSinceNoWindowOpensFiles)
{
    HMENU hFile = GetSubMenu(::GetMenu(m_hFrame()), 0);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hFile, 0);
    EXPECT_TRUE(GetMenuState(hFile, ID_FILE_OPEN, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(hFile, ID_FILE_NEW, MF_BYCOMMAND) & MF_GRAYED);

    // Sent all the same, it neither asks for a file nor opens a window.
    BOOL bAsked = FALSE;
    CFileDialog::SetChooser([&](OPENFILENAMEW& ofn, BOOL) {
        bAsked = TRUE;
        lstrcpynW(ofn.lpstrFile, L"any.txt", (int)ofn.nMaxFile);
        return TRUE;
    });
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    PumpUntilIdle();
    EXPECT_FALSE(bAsked);
    EXPECT_TRUE(m_pFrame->MDIGetActive() == nullptr) << "no window opened";
}

TEST_F(MainFrameTest, DisplayRestoresAndActivatesAMinimisedWindow)
{
    m_belvane.ShowDefinitionsWindow();
    m_belvane.ShowAlarmsWindow();
    CFrameWnd* pAlarmsFrame = m_pFrame->GetAlarmsView()->GetParentFrame();
    pAlarmsFrame->ShowWindow(SW_MINIMIZE);
    m_belvane.ShowAlarmsWindow();
    PumpUntilIdle();
    EXPECT_FALSE(IsIconic(pAlarmsFrame->m_hWnd));
    EXPECT_EQ(pAlarmsFrame, m_pFrame->MDIGetActive());
}

TEST_F(MainFrameTest, FrameSizeIsRememberedPerUser)
{
    EXPECT_TRUE(m_pFrame->RestoreFrameSize()) << "a first start shows the frame maximised";
    EXPECT_TRUE(IsZoomed(m_hFrame()));
    m_pFrame->ShowWindow(SW_RESTORE);
    m_pFrame->MoveWindow(CRect(40, 50, 840, 650));
    m_pFrame->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(m_hFrame()));

    EXPECT_EQ(CRect(40, 50, 840, 650), ReopenedFrameRect());
}

// With the taskbar at the top or left, the saved place is relative to the work area: the frame
// must still open where it was closed, start after start, and the place is stored as Windows
// gives it.
TEST_F(MainFrameTest, TheFrameOpensWhereItWasClosedWithTheWorkAreaAwayFromTheCorner)
{
    const CRect rectLeft(100, 120, 900, 720);
    const POINT origins[] = {{0, 40}, {60, 0}};
    for (const POINT& ptOrigin : origins)
    {
        CWorkAreaAt workArea(ptOrigin);
        m_pFrame->ShowWindow(SW_RESTORE);
        m_pFrame->MoveWindow(rectLeft);
        for (int nStart = 1; nStart <= 3; ++nStart)
        {
            m_pFrame->SendMessage(WM_CLOSE);
            PumpUntilIdle();
            CRect rect = ReopenedFrameRect();
            EXPECT_EQ(rectLeft, rect) << "work area at " << ptOrigin.x << "," << ptOrigin.y << ", start " << nStart
                                      << ": " << rect.left << "," << rect.top << "," << rect.right << ","
                                      << rect.bottom;
        }
        CRect rectStored = GetAppProfile().GetRect(L"Main Frame Size", CRect(0, 0, 0, 0));
        CRect rectWorkspace(rectLeft);
        rectWorkspace.OffsetRect(-ptOrigin.x, -ptOrigin.y);
        EXPECT_EQ(rectWorkspace, rectStored) << rectStored.left << "," << rectStored.top;
    }
}

TEST_F(MainFrameTest, AFrameClosedOnAScreenThatIsGoneOpensOnTheNearestOne)
{
    MONITORINFO monitor = {sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(m_hFrame(), MONITOR_DEFAULTTONEAREST), &monitor);
    CRect work(monitor.rcWork);
    GetAppProfile().WriteInt(L"Main Frame Zoomed", 0);

    // Closed on a second screen right of this one, which is gone now.
    GetAppProfile().WriteRect(L"Main Frame Size", CRect(work.right + 500, 200, work.right + 1300, 800));
    CRect rect = ReopenedFrameRect();
    EXPECT_EQ(CSize(800, 600), rect.Size()) << "its size is kept";
    EXPECT_EQ(work.right, rect.right) << "it is moved in along the nearest edge";
    EXPECT_EQ(work.top + 200, rect.top);

    // Larger than the screen and above it: it fits the work area.
    m_pFrame->DestroyWindow();
    GetAppProfile().WriteRect(L"Main Frame Size", CRect(-100, -5000, work.Width() + 300, -4000));
    rect = ReopenedFrameRect();
    EXPECT_EQ(work.left, rect.left);
    EXPECT_EQ(work.top, rect.top);
    EXPECT_EQ(work.Width(), rect.Width());
    EXPECT_EQ(1000, rect.Height());
}

TEST_F(MainFrameTest, ASavedRectangleWithoutAUsableSizeCountsAsNone)
{
    GetAppProfile().WriteInt(L"Main Frame Zoomed", 0);
    GetAppProfile().WriteRect(L"Main Frame Size", CRect(0, 0, 0, 0));
    m_pFrame->DestroyWindow();
    CSize sizeUnsaved = ReopenedFrameRect().Size();
    ASSERT_LE(GetSystemMetrics(SM_CXMINTRACK) * 2, sizeUnsaved.cx) << "a frame of its own default size";

    // Left right of right, top below bottom, each way, a bare caption's size, and a width no
    // rectangle can hold.
    const RECT unusable[] = {{840, 50, 40, 650}, {40, 650, 840, 50}, {840, 650, 40, 50}, {40, 50, 60, 60},
                             {INT_MIN, 50, INT_MAX, 650}};
    for (const RECT& rectSaved : unusable)
    {
        m_pFrame->DestroyWindow();
        GetAppProfile().WriteRect(L"Main Frame Size", rectSaved);
        EXPECT_EQ(sizeUnsaved, ReopenedFrameRect().Size()) << rectSaved.left << "," << rectSaved.top;
    }
}

TEST_F(MainFrameTest, FileExitClosesTheConsoleKeepingItsSizeAndBars)
{
    HMENU hFile = GetSubMenu(::GetMenu(m_hFrame()), 0);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hFile, 0);
    EXPECT_FALSE(GetMenuState(hFile, ID_APP_EXIT, MF_BYCOMMAND) & MF_GRAYED);
    m_pFrame->ShowWindow(SW_RESTORE);
    m_pFrame->MoveWindow(CRect(60, 70, 860, 670));
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    HWND hFrame = m_hFrame();
    m_pFrame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    PumpUntilIdle();
    ASSERT_FALSE(IsWindow(hFrame)) << "Exit closes the console";
    EXPECT_TRUE(m_belvane.m_pMainWnd == nullptr);

    EXPECT_EQ(CRect(60, 70, 860, 670), ReopenedFrameRect()) << "its size was saved";
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible()) << "its bars were saved";
}

TEST_F(MainFrameTest, TheEmptyClientAreaShowsTilesAndTheLogoInItsMiddle)
{
    ASSERT_EQ(&m_pFrame->m_wndMDIClient, CWnd::FromHandlePermanent(m_pFrame->m_hWndMDIClient));
    EXPECT_TRUE(m_pFrame->m_wndMDIClient.m_bShowLogo);
    m_pFrame->MoveWindow(CRect(0, 0, 900, 700));
    PumpUntilIdle();
    WindowPixels image = Capture(&m_pFrame->m_wndMDIClient);
    const COLORREF crNavy = RGB(0x20, 0x4A, 0x87); // the logo's lettering
    RECT rectMiddle = {image.nWidth / 2 - 130, 0, image.nWidth / 2 + 130, image.nHeight};
    EXPECT_GT(image.Count(rectMiddle, crNavy), 500) << "the logo";
    RECT rectLeft = {0, 0, image.nWidth / 2 - 130, image.nHeight};
    EXPECT_EQ(0, image.Count(rectLeft, crNavy));
    EXPECT_NE(RGB(255, 255, 255), image.At(5, 5)) << "the tiles, not the bare window colour";

    // Smaller: the logo moves with the middle.
    m_pFrame->MoveWindow(CRect(0, 0, 500, 450));
    PumpUntilIdle();
    image = Capture(&m_pFrame->m_wndMDIClient);
    RECT rectNewMiddle = {image.nWidth / 2 - 130, 0, image.nWidth / 2 + 130, image.nHeight};
    EXPECT_GT(image.Count(rectNewMiddle, crNavy), 500);
}

TEST_F(MainFrameTest, AboutBoxShowsTheVersionBlockAndOpensTheHomePage)
{
    CString strOpened;
    SetShellOpenFunction([&](HWND, const wchar_t* pszTarget) {
        strOpened = pszTarget;
        return (INT_PTR)42;
    });
    CAboutDlg about(m_pFrame);
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX, m_pFrame));
    CFileVersionInfo version;
    EXPECT_STREQ(CAboutDlg::Caption(), about.GetWindowText());
    EXPECT_STREQ(L"Build date: " + version.m_strBuildDate, GetText(&about, IDC_ABOUT_BUILD_DATE));
    EXPECT_STREQ(version.GetValue(L"LegalCopyright"), GetText(&about, IDC_ABOUT_COPYRIGHT));
    Click(&about, IDC_ABOUT_TERVOK);
    EXPECT_STREQ(g_pszTervokHomePage, strOpened);
    SetShellOpenFunction(nullptr);
    about.DestroyWindow();
}
