// A small Windows-service base: names, status reporting, install and remove, the service entry,
// the control handlers and the console run used for debugging. The derived class does the work.
#pragma once

#include "agent/EventHandle.h"
#include "framework/Framework.h"

class CServiceBase
{
public:
    CServiceBase(const wchar_t* pszServiceName, const wchar_t* pszDisplayName, const wchar_t* pszDescription,
                 const wchar_t* pszNotice);
    virtual ~CServiceBase();
    CServiceBase(const CServiceBase&) = delete;
    CServiceBase& operator=(const CServiceBase&) = delete;

    virtual void Run() = 0;

    void Start();
    BOOL SetStatus(DWORD dwState, DWORD dwWaitHint, DWORD dwExitCode);
    static const wchar_t* StateName(DWORD dwState);
    static const wchar_t* ErrorText(DWORD dwCode);

    void Install();
    void Remove();
    void RunConsole();
    void StartDispatcher();
    void Stop();
    void Pause();
    void Continue();
    void Update();

    static void WINAPI ServiceMain(DWORD dwArgc, LPWSTR* ppszArgv);
    static void WINAPI ServiceControlHandler(DWORD dwControl);
    static BOOL WINAPI ConsoleControlHandler(DWORD dwControlType);

    // The text that stands for a password wherever one would be written out.
    static const wchar_t* MaskedPassword(const CString& strPassword);

    enum { RUN_RUNNING = 1, RUN_STARTING = 2, RUN_STOPPING = 3, RUN_CONSTRUCTED = 4 };
    enum { REMOVE_STOP_WAITS = 60 };

    CEventHandle m_stopEvent;
    volatile LONG m_nRunState;
    BOOL m_bConsole;
    BOOL m_bUsage;
    BOOL m_bInstall;
    BOOL m_bRemove;
    DWORD m_dwCheckPoint;
    DWORD m_dwStartType;
    CString m_strNotice;
    CString m_strDisplayName;
    CString m_strPassword;
    CString m_strDescription;
    CString m_strServiceName;
    CString m_strAccountName;
    CString m_strProgramPath;
    CStringArray m_arrWords;
    SERVICE_STATUS m_status;

protected:
    // Marks the service running unless a stop was asked for meanwhile; FALSE then.
    BOOL EnterRunning();

private:
    void ParseCommandLine(const wchar_t* pszCommandLine);
    static void SplitWords(const wchar_t* pszCommandLine, CStringArray& arrWords);
    static void WriteErrorBlock(const wchar_t* pszHeading, DWORD dwCode);
    void WriteUsage();
};
