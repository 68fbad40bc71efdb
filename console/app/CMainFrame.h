// The console's MDI frame: the status bar with the alarms service's counters and state, the
// painted MDI client, the route by which diagnostic lines reach the log window, and the
// refresh requests for the outstanding-alarms views. Its three colour toolbars (Options,
// Definitions, Outstanding) and the "Open Alarms" bar with its panel dock on any side or float. It remembers its size and bar layout per
// user.
#pragma once

#include "console/alarms/COutstandingDyn.h"
#include "console/app/CMDIClientWnd.h"
#include "framework/core/CStringArray.h"
#include "framework/core/CUIntArray.h"
#include "framework/frames/CMDIFrameWnd.h"
#include "framework/bars/CStatusBar.h"
#include "wincomponents/controls/CColorToolBar.h"
#include "wincomponents/layout/cdxCDynamicBar.h"

#include <vector>

class CFont;
class CLogfileForm;
class CView;

class CServiceSheet;

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // Formats a line and hands it on like a RegisteredMessage::nMsgAddLogfile.
    void AddLogfileMessage(int nLevel, const wchar_t* pszFormat, ...);
    // Every outstanding-alarms view that is open, however it was opened (Display, File > New,
    // Window > New Window), first opened first; the first of them, or null.
    std::vector<CView*> GetAlarmsViews() const;
    CView* GetAlarmsView() const;
    // The log form that the application opened; the frame lets go of it when it is gone.
    void SetLogfileForm(CLogfileForm* pForm);
    CLogfileForm* GetLogfileForm() const;

    // Takes the database file's size for the status bar.
    void SetDatabaseFile(const CString& strDatabase);
    CString QueryAlarmsServiceState();
    // Runs one command line hidden and returns what it wrote.
    void RunCommandCaptured(const CString& strCommand, CStringArray& output, CStringArray& errors);

    // Start-up steps: the saved size, moved onto the nearest screen when it lies off every
    // screen (TRUE when the frame is to show maximised), the
    // accelerators from the menu, the splash.
    BOOL RestoreFrameSize();
    void BuildAccelerators();
    void ShowSplash();

    LRESULT OnAddLogfile(WPARAM wParam, LPARAM lParam);
    LRESULT OnRefresh(WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT OnOutstanding(WPARAM wParam, LPARAM lParam);

    // Docks the bar on the same row as pLeftOf, right of it.
    void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf);

    CStatusBar m_wndStatusBar;
    CColorToolBar m_wndOptionsBar;
    CColorToolBar m_wndDefinitionsBar;
    CColorToolBar m_wndOutstandingBar;
    cdxCDynamicBar m_wndOpenAlarmsBar;
    COutstandingDyn m_dlgOpenAlarms; // the panel in m_wndOpenAlarmsBar
    CMDIClientWnd m_wndMDIClient;
    HACCEL m_hAccel;
    CUIntArray m_arrPendingLevels;
    CStringArray m_arrPendingLines;
    UINT m_nDatabaseMB;
    CFont* m_pBarFont;
    // The modeless alarms-service sheet, made on first use.
    CServiceSheet* m_pServiceSheet;

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnClose();
    void OnUpdateAlarms(CCmdUI* pCmdUI);
    void OnUpdateProcessed(CCmdUI* pCmdUI);
    void OnUpdateLastUpdate(CCmdUI* pCmdUI);
    void OnUpdateStatus(CCmdUI* pCmdUI);
    void OnUpdateDatabase(CCmdUI* pCmdUI);
    void OnAppAbout();
    void OnViewDefinitionsToolbar();
    void OnViewOutstandingToolbar();
    void OnUpdateViewDefinitionsToolbar(CCmdUI* pCmdUI);
    void OnUpdateViewOutstandingToolbar(CCmdUI* pCmdUI);
    void OnViewOpenAlarms();
    void OnUpdateViewOpenAlarms(CCmdUI* pCmdUI);
    void OnTestSmtpMail();
    void OnTestSmsMessage();
    void OnTestSpeaking();
    void OnTestNetSend();
    void OnOptions();
    void OnToolsTestScript();
    void OnToolsScriptManager();
    void OnToolsUserAccounts();
    void OnToolsUserAuthentication();
    void OnUpdateToolsUserAuthentication(CCmdUI* pCmdUI);
    void OnToolsQuorvex();
    void OnToolsServiceConfiguration();
    void OnUpdateToolsServiceConfiguration(CCmdUI* pCmdUI);
    void OnToolsOdbcConfiguration();
    void OnToolsMessengerService();
    void OnToolsDatabaseStatus();
    BOOL OnHelpPage(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateStatusBar();
    BOOL CreateToolBars();
    BOOL CreateOpenAlarmsBar();
    BOOL CreateToolBar(CColorToolBar& bar, UINT nID, UINT nIDToolBar, UINT nIDBitmap, const wchar_t* pszTitle);
    void ToggleBar(CControlBar& bar);
    void SetTitleFromVersion();
    void SaveFrameSize();
    void RestoreNormalPlace(const CRect& rectNormal);
    void AppendLine(int nLevel, const wchar_t* pszText);
    void HandOverPendingLines();

    // A handle, not a pointer: a closed window's object is gone, its handle only invalid.
    HWND m_hWndLogfileForm;
};

// The application's main frame, or null.
CMainFrame* GetMainFrame();
