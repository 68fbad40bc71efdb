// The application object of a program or library: one global instance, reachable through
// AfxGetApp. A library's entry point starts it with InitInstance and ends it with ExitInstance.
#pragma once

#include <windows.h>

class CWinApp
{
public:
    explicit CWinApp(const wchar_t* pszAppName = nullptr);
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    const wchar_t* m_pszAppName;

private:
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
};

// The one application object of the module, or null before it is constructed.
CWinApp* AfxGetApp();
