#include "console/app/CBelvaneApp.h"

#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/DsnParameterStore.h"
#include "console/alarms/CAlarmsListDoc.h"
#include "console/alarms/CAlarmsListFrame.h"
#include "console/alarms/CAlarmsListView.h"
#include "console/definitions/CBelvaneDoc.h"
#include "console/definitions/CBelvaneFrame.h"
#include "console/definitions/CBelvaneView.h"
#include "console/logfile/CLogfileDocument.h"
#include "console/logfile/CLogfileForm.h"
#include "console/logfile/CLogfileFrame.h"
#include "console/app/CLogonDlg.h"
#include "console/app/CMainFrame.h"
#include "console/app/CSplashWnd.h"
#include "console/app/InputHooks.h"
#include "console/app/RegisteredMessage.h"
#include "console/app/RestartCommand.h"
#include "console/app/ShellOpen.h"
#include "framework/frames/CMultiDocTemplate.h"
#include "framework/frames/CView.h"
#include "framework/window/AfxOleInit.h"
#include "framework/window/CCommandLineInfo.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/BelvaneRes.h"
#include "support/AppPaths.h"
#include "support/RegistryStore.h"

namespace
{
const wchar_t szMainWindowClass[] = L"Belvane-Tervok-Application";
} // namespace

BEGIN_MESSAGE_MAP(CBelvaneApp, CWinApp)
    ON_COMMAND(ID_DEFINITIONS_DISPLAY, ShowDefinitionsWindow)
    ON_COMMAND(ID_OUTSTANDING_DISPLAY, ShowAlarmsWindow)
    ON_COMMAND(ID_LOGFILE_DISPLAY, ShowLogfileWindow)
    ON_COMMAND(ID_FILE_RESTART, RestartProgram)
END_MESSAGE_MAP()

CBelvaneApp* GetTheApp()
{
    return dynamic_cast<CBelvaneApp*>(AfxGetApp());
}

CBelvaneApp::CBelvaneApp()
    : m_bRestart(FALSE), m_pAlarmsTemplate(nullptr), m_pLogfileTemplate(nullptr), m_pDefinitionsTemplate(nullptr)
{
}

BOOL CBelvaneApp::InitInstance()
{
    AfxEnableControlContainer();
    AfxInitRichEdit();
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    CSplashWnd::EnableSplashScreen(commandLine.m_bShowSplash);
    AfxOleInit();
    SetRegistryKey(L"Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
    AddTemplates();
    GetAppPaths().MakeCommonDataFolder();
    GetAppPaths().MakeUserDataFolder();
    if (!RegisterMainWindowClass())
        return FALSE;

    CMainFrame* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr))
    {
        delete pMainFrame;
        return FALSE;
    }
    m_pMainWnd = pMainFrame;
    if (GetRegistryStore().GetBool(L"Authentication", FALSE) && !LogOn())
        return FALSE;

    if (pMainFrame->RestoreFrameSize())
        m_nCmdShow = SW_SHOWMAXIMIZED;
    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();
    pMainFrame->BuildAccelerators();
    pMainFrame->ShowSplash();
    ShowLogfileWindow();
    GetDsnParameterStore().Load();
    CheckAlarmDatabase();
    ShowDefinitionsWindow();
    ShowAlarmsWindow();
    pMainFrame->SendMessageToDescendants(RegisteredMessage::nMsgNewAlarms, 0, 0, TRUE, FALSE);
    InstallInputHooks(GetModuleHandleW(nullptr));
    return TRUE;
}

void CBelvaneApp::AddTemplates()
{
    m_pAlarmsTemplate = new CMultiDocTemplate(IDR_ALARMS, RUNTIME_CLASS(CAlarmsListDoc), RUNTIME_CLASS(CAlarmsListFrame),
                                              RUNTIME_CLASS(CAlarmsListView));
    m_pDefinitionsTemplate = new CMultiDocTemplate(IDR_DEFINITIONS, RUNTIME_CLASS(CBelvaneDoc),
                                                   RUNTIME_CLASS(CBelvaneFrame), RUNTIME_CLASS(CBelvaneView));
    m_pLogfileTemplate = new CMultiDocTemplate(IDR_LOGFILE, RUNTIME_CLASS(CLogfileDocument),
                                               RUNTIME_CLASS(CLogfileFrame), RUNTIME_CLASS(CLogfileForm));
    AddDocTemplate(m_pAlarmsTemplate);
    AddDocTemplate(m_pLogfileTemplate);
    AddDocTemplate(m_pDefinitionsTemplate);
}

BOOL CBelvaneApp::RegisterMainWindowClass()
{
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconW(hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = szMainWindowClass;
    // A class left by an earlier start in the same process serves as well.
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

BOOL CBelvaneApp::LogOn()
{
    CLogonDlg dialog(m_pMainWnd);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    m_strLogonUser = dialog.m_strUserName;
    return TRUE;
}

void CBelvaneApp::CheckAlarmDatabase()
{
    CAlarmsDatabase database;
    database.CheckStructure(GetAlarmDatabaseDsn());
}

std::vector<CView*> CBelvaneApp::ViewsOf(CMultiDocTemplate* pTemplate)
{
    std::vector<CView*> views;
    for (POSITION pos = pTemplate ? pTemplate->GetFirstDocPosition() : nullptr; pos;)
    {
        CDocument* pDocument = pTemplate->GetNextDoc(pos);
        for (POSITION posView = pDocument->GetFirstViewPosition(); posView;)
        {
            // A view leaves its document only when its object goes, after its window.
            CView* pView = pDocument->GetNextView(posView);
            if (pView->m_hWnd && ::IsWindow(pView->m_hWnd))
                views.push_back(pView);
        }
    }
    return views;
}

CView* CBelvaneApp::ShowWindowOf(CMultiDocTemplate* pTemplate)
{
    CWaitCursor wait;
    std::vector<CView*> views = ViewsOf(pTemplate);
    if (!views.empty())
    {
        CFrameWnd* pFrame = views.front()->GetParentFrame();
        pFrame->ShowWindow(SW_SHOW);
        pFrame->ShowWindow(SW_RESTORE);
        pFrame->GetParent()->SendMessage(WM_MDIACTIVATE, (WPARAM)pFrame->m_hWnd);
        return nullptr;
    }
    CDocument* pDocument = pTemplate->OpenDocumentFile(nullptr);
    POSITION posView = pDocument ? pDocument->GetFirstViewPosition() : nullptr;
    CView* pView = posView ? pDocument->GetNextView(posView) : nullptr;
    if (!pView)
        return nullptr;
    CFrameWnd* pFrame = pView->GetParentFrame();
    pFrame->ShowWindow(SW_SHOW);
    ::BringWindowToTop(pFrame->m_hWnd);
    return pView;
}

void CBelvaneApp::ShowDefinitionsWindow()
{
    ShowWindowOf(m_pDefinitionsTemplate);
}

void CBelvaneApp::ShowAlarmsWindow()
{
    ShowWindowOf(m_pAlarmsTemplate);
}

void CBelvaneApp::ShowLogfileWindow()
{
    if (CView* pView = ShowWindowOf(m_pLogfileTemplate))
        GetMainFrame()->SetLogfileForm(static_cast<CLogfileForm*>(pView));
}

void CBelvaneApp::RestartProgram()
{
    m_bRestart = TRUE;
    m_pMainWnd->PostMessage(WM_CLOSE);
}

void CBelvaneApp::RelaunchIfRestarting()
{
    if (m_bRestart)
        StartProgramAgain();
}

void CBelvaneApp::ShellOpen(const CString& strTarget)
{
    ShellOpenTarget(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, strTarget);
}

BOOL CBelvaneApp::UserInputWithin(int nSeconds)
{
    return ::UserInputWithin(nSeconds);
}
