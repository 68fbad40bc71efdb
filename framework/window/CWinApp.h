// The application object of a program or library: one global instance, reachable through
// AfxGetApp. A library's entry point starts it with InitInstance and ends it with ExitInstance.
// Programs with windows run its message loop (Run), which offers every message to the windows
// it concerns (PreTranslateMessage) and updates the commands' state when the queue is empty.
// It also carries the per-user profile: values kept under
// HKEY_CURRENT_USER\Software\<registry key>\<application name>\<section>.
#pragma once

#include "framework/window/CCmdTarget.h"
#include "framework/core/CString.h"
#include "framework/core/CStringArray.h"

#include <vector>

class CCmdUI;
class CWnd;
class CDocTemplate;
class CDocument;
class CCommandLineInfo;

class CWinApp : public CCmdTarget
{
public:
    // An empty name takes the program file's name without its extension.
    explicit CWinApp(const wchar_t* pszAppName = nullptr);
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The message loop: until WM_QUIT, then ExitInstance's result.
    virtual int Run();
    // One message taken from the queue and handled; FALSE on WM_QUIT.
    BOOL PumpMessage();
    // TRUE when the message is consumed: tooltips relay it, then the windows from the
    // message's own up to the main window are asked.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work in turns (lCount 0, 1, ...) while the queue stays empty; FALSE when done.
    // Turn 0 updates the commands of the main window and its descendants.
    virtual BOOL OnIdle(LONG lCount);

    // --- documents
    // The application owns the template from now on.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    void CloseAllDocuments();
    // ID_FILE_NEW: a new document of the first template.
    void OnFileNew();
    // ID_FILE_OPEN: a file chosen in the open dialog, offered the templates' filters, opened
    // with the template whose filter extension it has; another file is refused with a box.
    void OnFileOpen();
    // Enabled only while a template opens files (has a filter extension).
    void OnUpdateFileOpen(CCmdUI* pCmdUI);
    // ID_FILE_PRINT_SETUP: the printer set-up dialog, on the printer chosen there before; the
    // choice is kept in m_hDevMode and m_hDevNames.
    void OnFilePrintSetup();
    // ID_APP_EXIT: closes the main window as its close box does.
    void OnAppExit();

    // --- start-up
    // Hands every argument of the process's command line to rInfo; "/x" and "-x" are flags.
    void ParseCommandLine(CCommandLineInfo& rInfo);
    // Reads the recent-file list (up to nMaxMRU entries) from the profile's "Recent File List".
    void LoadStdProfileSettings(UINT nMaxMRU = 4);

    // Names the key under HKEY_CURRENT_USER\Software that holds the profile.
    void SetRegistryKey(const wchar_t* pszRegistryKey);

    UINT GetProfileInt(const wchar_t* pszSection, const wchar_t* pszEntry, int nDefault);
    BOOL WriteProfileInt(const wchar_t* pszSection, const wchar_t* pszEntry, int nValue);
    CString GetProfileString(const wchar_t* pszSection, const wchar_t* pszEntry,
                             const wchar_t* pszDefault = nullptr);
    BOOL WriteProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszValue);
    // On success *ppData is a new block of *pnBytes bytes that the caller frees with delete[].
    BOOL GetProfileBinary(const wchar_t* pszSection, const wchar_t* pszEntry, BYTE** ppData, UINT* pnBytes);
    BOOL WriteProfileBinary(const wchar_t* pszSection, const wchar_t* pszEntry, const BYTE* pData, UINT nBytes);

    // HKEY_CURRENT_USER\Software\<key>\<app>, created when missing; null without a registry
    // key. The caller closes it.
    HKEY GetAppRegistryKey();
    // The section's key below it, created when missing; the caller closes it.
    HKEY GetSectionKey(const wchar_t* pszSection);

    CString m_strAppName;
    const wchar_t* m_pszAppName; // m_strAppName's text
    CString m_strRegistryKey;
    CWnd* m_pMainWnd;
    int m_nCmdShow; // how the main window is first shown
    UINT m_nMaxMRU;
    CStringArray m_strRecentFiles;
    // The printer chosen in the set-up dialog (DEVMODE and DEVNAMES), null until one is; the
    // application frees them.
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;

protected:
    std::vector<CDocTemplate*> m_templateList;

    DECLARE_MESSAGE_MAP()

private:
    // "Name|*.ext|" for each template that opens files; empty when none does.
    CString OpenFilter() const;

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
};

// The one application object of the module, or null before it is constructed.
CWinApp* AfxGetApp();
// The application's main window, or null.
inline CWnd* AfxGetMainWnd()
{
    return AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
}
