// The console program's application object: its start-up opens the profile and the registry
// store, registers the three kinds of MDI window, loads the main frame, asks for a log-on when
// authentication is on, checks the alarm database, opens the windows and installs the input
// hooks. It opens or brings forward each window, restarts the program and opens files and
// pages with the shell.
#pragma once

#include "framework/window/CWinApp.h"

#include <vector>

class CMultiDocTemplate;
class CView;

class CBelvaneApp : public CWinApp
{
public:
    CBelvaneApp();

    BOOL InitInstance() override;

    // Each brings its window forward, or opens it when it does not exist.
    void ShowDefinitionsWindow();
    void ShowAlarmsWindow();
    void ShowLogfileWindow();

    void RestartProgram();
    // Called by the main frame as it closes: starts the program again when asked to.
    void RelaunchIfRestarting();
    // Opens the target with the shell; a failure is shown over the main window.
    void ShellOpen(const CString& strTarget);
    // TRUE when the last keyboard or mouse input is at most that many seconds old.
    BOOL UserInputWithin(int nSeconds);

    // The views of the template's windows that exist, in the order they were opened.
    static std::vector<CView*> ViewsOf(CMultiDocTemplate* pTemplate);

    // Start-up steps, also used by the tests that build the windows without the whole start.
    void AddTemplates();
    BOOL RegisterMainWindowClass();

    BOOL m_bRestart;
    CString m_strLogonUser;
    CMultiDocTemplate* m_pAlarmsTemplate;
    CMultiDocTemplate* m_pLogfileTemplate;
    CMultiDocTemplate* m_pDefinitionsTemplate;

protected:
    DECLARE_MESSAGE_MAP()

private:
    BOOL LogOn();
    void CheckAlarmDatabase();
    // Brings the template's window forward; the new view when it had to be opened, else null.
    CView* ShowWindowOf(CMultiDocTemplate* pTemplate);
};

// The program's application object; null in a program that has another.
CBelvaneApp* GetTheApp();
