#include "installactions/GantrelApp.h"

namespace
{
CGantrelApp theApp;
}

CGantrelApp::CGantrelApp() : CWinApp(L"Gantrel")
{
}

CGantrelApp::~CGantrelApp()
{
}

// The library's entry point starts and ends the application object; no export touches it.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return TRUE;
    if (dwReason == DLL_PROCESS_ATTACH)
        return pApp->InitInstance();
    if (dwReason == DLL_PROCESS_DETACH)
        pApp->ExitInstance();
    return TRUE;
}
