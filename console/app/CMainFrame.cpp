#include "console/app/CMainFrame.h"

#include "alarmmodel/channels/CommandRunner.h"
#include "console/app/CAboutDlg.h"
#include "console/app/CAcceleratorManager.h"
#include "console/app/CBelvaneApp.h"
#include "console/logfile/CLogfileForm.h"
#include "console/app/CSplashWnd.h"
#include "console/app/RegisteredMessage.h"
#include "console/app/StatusPaneTexts.h"
#include "console/settings/CNetSendTest.h"
#include "console/settings/CSMSTest.h"
#include "console/settings/CSMTPMailTest.h"
#include "console/settings/CSettingsSheet.h"
#include "console/settings/CSpeachTest.h"
#include "console/app/ShellOpen.h"
#include "console/app/ToolCommands.h"
#include "console/scripts/CScriptManager.h"
#include "console/scripts/CScriptTest.h"
#include "console/service/CDatabaseStatusDlg.h"
#include "console/service/CMessengerServiceDlg.h"
#include "console/service/ServiceCommands.h"
#include "framework/controls/CMenu.h"
#include "framework/frames/CView.h"
#include "framework/window/AfxWindowPlacement.h"
#include "framework/window/AfxWorkArea.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/ToolbarsRes.h"
#include "support/AppProfile.h"
#include "support/FileVersionInfo.h"
#include "wincomponents/controls/CFontFactory.h"
#include "wincomponents/layout/StoredPlacement.h"

#include <cstdarg>

namespace
{
const wchar_t szMainWindowClass[] = L"Belvane-Tervok-Application";

const wchar_t szBarState[] = L"Control Bar State";
const wchar_t szOpenAlarmsState[] = L"OpenAlarms";

const UINT indicators[] = {
    ID_SEPARATOR, ID_INDICATOR_SERVICE, ID_INDICATOR_STATUS, ID_INDICATOR_PROCESSED,
    ID_INDICATOR_ALARMS, ID_INDICATOR_DATABASE, ID_INDICATOR_LAST_UPDATE,
};

// The permanent object of a window that still exists, else null.
CWnd* LiveWindow(HWND hWnd)
{
    return hWnd && ::IsWindow(hWnd) ? CWnd::FromHandlePermanent(hWnd) : nullptr;
}
} // namespace

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgAddLogfile, OnAddLogfile)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgRefresh, OnRefresh)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgOutstanding, OnOutstanding)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_PROCESSED, OnUpdateProcessed)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_ALARMS, OnUpdateAlarms)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_LAST_UPDATE, OnUpdateLastUpdate)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_STATUS, OnUpdateStatus)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_DATABASE, OnUpdateDatabase)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_VIEW_DEFINITIONS_TOOLBAR, OnViewDefinitionsToolbar)
    ON_COMMAND(ID_VIEW_OUTSTANDING_TOOLBAR, OnViewOutstandingToolbar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_DEFINITIONS_TOOLBAR, OnUpdateViewDefinitionsToolbar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_OUTSTANDING_TOOLBAR, OnUpdateViewOutstandingToolbar)
    ON_COMMAND(ID_VIEW_OPEN_ALARMS, OnViewOpenAlarms)
    ON_UPDATE_COMMAND_UI(ID_VIEW_OPEN_ALARMS, OnUpdateViewOpenAlarms)
    ON_COMMAND(ID_TOOLS_TEST_SMTP, OnTestSmtpMail)
    ON_COMMAND(ID_TOOLS_TEST_SMS, OnTestSmsMessage)
    ON_COMMAND(ID_TOOLS_TEST_SPEAKING, OnTestSpeaking)
    ON_COMMAND(ID_TOOLS_TEST_NET_SEND, OnTestNetSend)
    ON_COMMAND(ID_TOOLS_OPTIONS, OnOptions)
    ON_COMMAND(ID_TOOLS_TEST_SCRIPT, OnToolsTestScript)
    ON_COMMAND(ID_TOOLS_SCRIPT_MANAGER, OnToolsScriptManager)
    ON_COMMAND(ID_TOOLS_USER_ACCOUNTS, OnToolsUserAccounts)
    ON_COMMAND(ID_TOOLS_USER_AUTHENTICATION, OnToolsUserAuthentication)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_USER_AUTHENTICATION, OnUpdateToolsUserAuthentication)
    ON_COMMAND(ID_TOOLS_QUORVEX, OnToolsQuorvex)
    ON_COMMAND(ID_TOOLS_SERVICE_CONFIGURATION, OnToolsServiceConfiguration)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_SERVICE_CONFIGURATION, OnUpdateToolsServiceConfiguration)
    ON_COMMAND(ID_TOOLS_ODBC_CONFIGURATION, OnToolsOdbcConfiguration)
    ON_COMMAND(ID_TOOLS_MESSENGER_SERVICE, OnToolsMessengerService)
    ON_COMMAND(ID_TOOLS_DATABASE_STATUS, OnToolsDatabaseStatus)
    ON_COMMAND_EX(ID_HELP_USER_GUIDE, OnHelpPage)
    ON_COMMAND_EX(ID_HELP_TERVOK_DOWNLOADS, OnHelpPage)
    ON_COMMAND_EX(ID_HELP_TERVOK_HOME, OnHelpPage)
    ON_COMMAND_EX(ID_HELP_MICROSOFT_READER, OnHelpPage)
    ON_COMMAND_EX(ID_HELP_MICROSOFT_SPEECH, OnHelpPage)
END_MESSAGE_MAP()

CMainFrame* GetMainFrame()
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? dynamic_cast<CMainFrame*>(pApp->m_pMainWnd) : nullptr;
}

CMainFrame::CMainFrame()
    : m_hAccel(nullptr), m_nDatabaseMB(0), m_pBarFont(nullptr), m_pServiceSheet(nullptr), m_hWndLogfileForm(nullptr)
{
}

CMainFrame::~CMainFrame()
{
    delete m_pBarFont;
    DestroyServiceSheet(m_pServiceSheet);
    if (m_hAccel)
        DestroyAcceleratorTable(m_hAccel);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.lpszClass = szMainWindowClass;
    cs.style &= ~FWS_ADDTOTITLE;
    return CMDIFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    lpCreateStruct->style |= WS_HSCROLL | WS_VSCROLL;
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pBarFont = CFontFactory(this).CreateFaceFont(L"Lucida Sans Unicode", 7, FALSE, FALSE);
    EnableDocking(CBRS_ALIGN_ANY);
    SetTitleFromVersion();
    if (!CreateToolBars() || !CreateOpenAlarmsBar() || !CreateStatusBar())
        return -1;
    if (!m_wndMDIClient.SubclassWindow(m_hWndMDIClient))
        return -1;
    m_wndMDIClient.m_bShowLogo = TRUE;
    m_wndOpenAlarmsBar.LoadState(szOpenAlarmsState);
    LoadBarState(szBarState);
    RecalcLayout();
    return 0;
}

BOOL CMainFrame::CreateToolBars()
{
    if (!CreateToolBar(m_wndOptionsBar, ID_VIEW_OPTIONS_BAR, IDR_OPTIONS_TOOLBAR, IDB_OPTIONS_TOOLBAR, L"Options") ||
        !CreateToolBar(m_wndDefinitionsBar, ID_VIEW_DEFINITIONS_BAR, IDR_DEFINITIONS_TOOLBAR, IDB_DEFINITIONS_TOOLBAR,
                       L"Definitions") ||
        !CreateToolBar(m_wndOutstandingBar, ID_VIEW_OUTSTANDING_BAR, IDR_OUTSTANDING_TOOLBAR,
                       IDB_OUTSTANDING_TOOLBAR, L"Outstanding"))
        return FALSE;
    DockControlBar(&m_wndOptionsBar);
    DockControlBar(&m_wndDefinitionsBar);
    DockControlBarLeftOf(&m_wndOutstandingBar, &m_wndDefinitionsBar);
    return TRUE;
}

BOOL CMainFrame::CreateToolBar(CColorToolBar& bar, UINT nID, UINT nIDToolBar, UINT nIDBitmap,
                               const wchar_t* pszTitle)
{
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!bar.CreateEx(this, TBSTYLE_FLAT, dwStyle, CRect(0, 0, 0, 0), nID) || !bar.LoadToolBar(nIDToolBar))
        return FALSE;
    bar.SetFont(m_pBarFont, FALSE);
    if (!bar.LoadImageLists(nIDBitmap, RGB(255, 0, 255)))
        return FALSE;
    bar.ShowButtonText(TRUE);
    bar.SetWindowText(pszTitle);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

BOOL CMainFrame::CreateOpenAlarmsBar()
{
    m_wndOpenAlarmsBar.SetBarDialog(&m_dlgOpenAlarms);
    if (!m_wndOpenAlarmsBar.Create(L"Open Alarms", this, CSize(150, 500), FALSE, ID_VIEW_OPEN_ALARMS_BAR,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP))
        return FALSE;
    m_wndOpenAlarmsBar.SetFont(m_pBarFont, FALSE);
    m_wndOpenAlarmsBar.SetBarStyle(m_wndOpenAlarmsBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_wndOpenAlarmsBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndOpenAlarmsBar, AFX_IDW_DOCKBAR_LEFT);
    return TRUE;
}

void CMainFrame::DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf)
{
    RecalcLayout();
    CRect rect;
    pLeftOf->GetWindowRect(&rect);
    rect.OffsetRect(1, 0);
    DWORD dwStyle = pLeftOf->GetBarStyle();
    UINT nDockBarID = (dwStyle & CBRS_ALIGN_TOP)      ? AFX_IDW_DOCKBAR_TOP
                      : (dwStyle & CBRS_ALIGN_BOTTOM) ? AFX_IDW_DOCKBAR_BOTTOM
                      : (dwStyle & CBRS_ALIGN_LEFT)   ? AFX_IDW_DOCKBAR_LEFT
                                                      : AFX_IDW_DOCKBAR_RIGHT;
    DockControlBar(pBar, nDockBarID, &rect);
}

void CMainFrame::ToggleBar(CControlBar& bar)
{
    if (bar.m_hWnd)
        ShowControlBar(&bar, !bar.IsVisible(), FALSE);
}

void CMainFrame::OnViewDefinitionsToolbar()
{
    ToggleBar(m_wndDefinitionsBar);
}

void CMainFrame::OnViewOutstandingToolbar()
{
    ToggleBar(m_wndOutstandingBar);
}

void CMainFrame::OnViewOpenAlarms()
{
    ToggleBar(m_wndOpenAlarmsBar);
}

void CMainFrame::OnUpdateViewOpenAlarms(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndOpenAlarmsBar.m_hWnd && m_wndOpenAlarmsBar.IsWindowVisible());
}

void CMainFrame::OnUpdateViewDefinitionsToolbar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndDefinitionsBar.m_hWnd && m_wndDefinitionsBar.IsVisible());
}

void CMainFrame::OnUpdateViewOutstandingToolbar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndOutstandingBar.m_hWnd && m_wndOutstandingBar.IsVisible());
}

BOOL CMainFrame::CreateStatusBar()
{
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR))
        return FALSE;
    if (!m_wndStatusBar.SetIndicators(indicators, sizeof indicators / sizeof indicators[0]))
        return FALSE;
    m_wndStatusBar.SetPaneStyle(1, SBPS_NOBORDERS);
    return TRUE;
}

void CMainFrame::SetTitleFromVersion()
{
    CFileVersionInfo version;
    CString strSpecial = version.GetValue(L"SpecialBuild");
    CString strTitle;
    strTitle.Format(L"%s v%s%s%s", version.GetProductName(), version.GetValue(L"ProductVersion"),
                    strSpecial.IsEmpty() ? L"" : L" ", (const wchar_t*)strSpecial);
    SetWindowText(strTitle);
}

void CMainFrame::OnClose()
{
    SaveFrameSize();
    SaveBarState(szBarState);
    m_wndOpenAlarmsBar.SaveState(szOpenAlarmsState);
    if (CBelvaneApp* pApp = GetTheApp())
        pApp->RelaunchIfRestarting();
    CMDIFrameWnd::OnClose();
}

void CMainFrame::SaveFrameSize()
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!AfxGetWindowPlacement(m_hWnd, &placement))
        return;
    GetAppProfile().WriteRect(L"Main Frame Size", placement.rcNormalPosition);
    GetAppProfile().WriteInt(L"Main Frame Zoomed", IsZoomed(m_hWnd) ? 1 : 0);
}

BOOL CMainFrame::RestoreFrameSize()
{
    RECT rectNone = {0, 0, 0, 0};
    CRect rect = GetAppProfile().GetRect(L"Main Frame Size", rectNone);
    BOOL bZoomed = GetAppProfile().GetInt(L"Main Frame Zoomed", 1) != 0;
    // Below the smallest size a frame can be dragged to, it would open as a bare caption.
    CSize sizeMin(GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK));
    if (IsUsableStoredRect(rect, sizeMin))
        RestoreNormalPlace(rect);
    if (bZoomed)
        ShowWindow(SW_SHOWMAXIMIZED);
    return bZoomed;
}

// The saved place is the placement's normal rectangle, which is relative to the work area: it
// goes back the way it came, and only then onto the nearest screen in screen coordinates.
void CMainFrame::RestoreNormalPlace(const CRect& rectNormal)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!AfxGetWindowPlacement(m_hWnd, &placement))
        return;
    placement.flags = 0;
    placement.showCmd = IsWindowVisible() ? placement.showCmd : SW_HIDE;
    placement.rcNormalPosition = rectNormal;
    AfxSetWindowPlacement(m_hWnd, &placement);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectFitted = AfxFitToWorkArea(rectWindow);
    if (rectFitted != rectWindow)
        MoveWindow(rectFitted, FALSE);
}

void CMainFrame::BuildAccelerators()
{
    CMenu menu;
    menu.Attach(::GetMenu(m_hWnd));
    GetAcceleratorManager().BuildAccelerators(&menu, m_hAccel);
    menu.Detach();
    m_hAccelTable = m_hAccel;
}

void CMainFrame::ShowSplash()
{
    CSplashWnd::ShowSplashScreen(this);
}

void CMainFrame::AddLogfileMessage(int nLevel, const wchar_t* pszFormat, ...)
{
    CString strLine;
    va_list args;
    va_start(args, pszFormat);
    strLine.FormatV(pszFormat, args);
    va_end(args);
    AppendLine(nLevel, strLine);
}

LRESULT CMainFrame::OnAddLogfile(WPARAM wParam, LPARAM lParam)
{
    AppendLine((int)wParam, lParam ? (const wchar_t*)lParam : L"");
    return 0;
}

void CMainFrame::AppendLine(int nLevel, const wchar_t* pszText)
{
    if (CLogfileForm* pForm = GetLogfileForm())
    {
        pForm->AppendLine(nLevel, pszText);
        return;
    }
    m_arrPendingLevels.Add((UINT)nLevel);
    m_arrPendingLines.Add(pszText);
}

void CMainFrame::SetLogfileForm(CLogfileForm* pForm)
{
    m_hWndLogfileForm = pForm ? pForm->m_hWnd : nullptr;
    HandOverPendingLines();
}

// Lines that came before the log window are shown first, in their order.
void CMainFrame::HandOverPendingLines()
{
    CLogfileForm* pForm = GetLogfileForm();
    if (!pForm)
        return;
    for (int i = 0; i < m_arrPendingLines.GetSize(); ++i)
        pForm->AppendLine((int)m_arrPendingLevels[i], m_arrPendingLines[i]);
    m_arrPendingLevels.RemoveAll();
    m_arrPendingLines.RemoveAll();
}

CLogfileForm* CMainFrame::GetLogfileForm() const
{
    return dynamic_cast<CLogfileForm*>(LiveWindow(m_hWndLogfileForm));
}

std::vector<CView*> CMainFrame::GetAlarmsViews() const
{
    CBelvaneApp* pApp = GetTheApp();
    return pApp ? CBelvaneApp::ViewsOf(pApp->m_pAlarmsTemplate) : std::vector<CView*>();
}

CView* CMainFrame::GetAlarmsView() const
{
    std::vector<CView*> views = GetAlarmsViews();
    return views.empty() ? nullptr : views.front();
}

LRESULT CMainFrame::OnRefresh(WPARAM, LPARAM)
{
    for (CView* pView : GetAlarmsViews())
        pView->PostMessage(RegisteredMessage::nMsgRefresh);
    return 0;
}

LRESULT CMainFrame::OnOutstanding(WPARAM, LPARAM)
{
    if (CBelvaneApp* pApp = GetTheApp())
        pApp->ShowAlarmsWindow();
    return 0;
}

void CMainFrame::SetDatabaseFile(const CString& strDatabase)
{
    DatabaseFileMB(strDatabase, m_nDatabaseMB);
}

CString CMainFrame::QueryAlarmsServiceState()
{
    return QueryServiceStateText(g_pszAlarmsServiceName);
}

void CMainFrame::RunCommandCaptured(const CString& strCommand, CStringArray& output, CStringArray& errors)
{
    ::RunCommandCaptured(strCommand, output, errors);
}

void CMainFrame::OnUpdateAlarms(CCmdUI* pCmdUI)
{
    pCmdUI->Enable();
    pCmdUI->SetText(AlarmsPaneText());
}

void CMainFrame::OnUpdateProcessed(CCmdUI* pCmdUI)
{
    pCmdUI->Enable();
    pCmdUI->SetText(ProcessedPaneText());
}

void CMainFrame::OnUpdateLastUpdate(CCmdUI* pCmdUI)
{
    pCmdUI->Enable();
    pCmdUI->SetText(LastUpdatePaneText());
}

void CMainFrame::OnUpdateStatus(CCmdUI* pCmdUI)
{
    pCmdUI->Enable();
    pCmdUI->SetText(StatusPaneText(QueryAlarmsServiceState()));
}

void CMainFrame::OnUpdateDatabase(CCmdUI* pCmdUI)
{
    pCmdUI->Enable();
    pCmdUI->SetText(DatabasePaneText(m_nDatabaseMB));
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnTestSmtpMail()
{
    CSMTPMailTest dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnTestSmsMessage()
{
    CSMSTest dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnTestSpeaking()
{
    CSpeachTest dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnTestNetSend()
{
    CNetSendTest dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnOptions()
{
    CSettingsSheet sheet(L"Options", this, 0);
    sheet.DoModal();
}

void CMainFrame::OnToolsTestScript()
{
    CScriptTest dialog(this, CString());
    dialog.DoModal();
}

void CMainFrame::OnToolsScriptManager()
{
    CScriptManager dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnToolsUserAccounts()
{
    ShowUserAccountsNote(this);
}

void CMainFrame::OnToolsUserAuthentication()
{
    ToggleUserAuthentication(this);
}

void CMainFrame::OnUpdateToolsUserAuthentication(CCmdUI* pCmdUI)
{
    pCmdUI->Enable();
    pCmdUI->SetCheck(IsUserAuthenticationOn());
}

void CMainFrame::OnToolsQuorvex()
{
    BringUpQuorvex(this);
}

void CMainFrame::OnToolsServiceConfiguration()
{
    ToggleServiceSheet(m_pServiceSheet, this);
}

void CMainFrame::OnUpdateToolsServiceConfiguration(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsServiceSheetShown(m_pServiceSheet));
}

void CMainFrame::OnToolsOdbcConfiguration()
{
    ChooseDataSource(this, [this] { OnRefresh(); });
}

void CMainFrame::OnToolsMessengerService()
{
    CMessengerServiceDlg dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnToolsDatabaseStatus()
{
    CDatabaseStatusDlg dialog(this);
    dialog.DoModal();
}

BOOL CMainFrame::OnHelpPage(UINT nID)
{
    ShellOpenTarget(m_hWnd, HelpTarget(nID));
    return TRUE;
}
