#include "console/CMainFrame.h"

#include "alarmmodel/channels/CommandRunner.h"
#include "console/CAboutDlg.h"
#include "console/CAcceleratorManager.h"
#include "console/CBelvaneApp.h"
#include "console/CLogfileForm.h"
#include "console/CSplashWnd.h"
#include "console/RegisteredMessage.h"
#include "console/StatusPaneTexts.h"
#include "framework/controls/CMenu.h"
#include "framework/frames/CView.h"
#include "resources/console/BelvaneRes.h"
#include "support/AppProfile.h"
#include "support/FileVersionInfo.h"
#include "wincomponents/CFontFactory.h"

#include <cstdarg>

namespace
{
const wchar_t szMainWindowClass[] = L"Belvane-Tervok-Application";

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
END_MESSAGE_MAP()

CMainFrame* GetMainFrame()
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? dynamic_cast<CMainFrame*>(pApp->m_pMainWnd) : nullptr;
}

CMainFrame::CMainFrame()
    : m_hAccel(nullptr), m_nDatabaseMB(0), m_pBarFont(nullptr), m_hWndAlarmsView(nullptr), m_hWndLogfileForm(nullptr)
{
}

CMainFrame::~CMainFrame()
{
    delete m_pBarFont;
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
    SetTitleFromVersion();
    // The toolbars and the "Open Alarms" bar take their places here, before the status bar.
    if (!CreateStatusBar())
        return -1;
    if (!m_wndMDIClient.SubclassWindow(m_hWndMDIClient))
        return -1;
    m_wndMDIClient.m_bShowLogo = TRUE;
    RecalcLayout();
    return 0;
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
    if (CBelvaneApp* pApp = GetTheApp())
        pApp->RelaunchIfRestarting();
    CMDIFrameWnd::OnClose();
}

void CMainFrame::SaveFrameSize()
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(m_hWnd, &placement))
        return;
    GetAppProfile().WriteRect(L"Main Frame Size", placement.rcNormalPosition);
    GetAppProfile().WriteInt(L"Main Frame Zoomed", IsZoomed(m_hWnd) ? 1 : 0);
}

BOOL CMainFrame::RestoreFrameSize()
{
    RECT rectNone = {0, 0, 0, 0};
    CRect rect = GetAppProfile().GetRect(L"Main Frame Size", rectNone);
    BOOL bZoomed = GetAppProfile().GetInt(L"Main Frame Zoomed", 1) != 0;
    if (rect.left != rect.right && rect.top != rect.bottom)
        MoveWindow(rect, FALSE);
    if (bZoomed)
        ShowWindow(SW_SHOWMAXIMIZED);
    return bZoomed;
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

void CMainFrame::SetAlarmsView(CView* pView)
{
    m_hWndAlarmsView = pView ? pView->m_hWnd : nullptr;
}

CView* CMainFrame::GetAlarmsView() const
{
    return dynamic_cast<CView*>(LiveWindow(m_hWndAlarmsView));
}

LRESULT CMainFrame::OnRefresh(WPARAM, LPARAM)
{
    if (CView* pView = GetAlarmsView())
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
