#include "framework/window/AfxWinMain.h"

#include "framework/window/CWinApp.h"
#include "framework/window/CWnd.h"

int AfxWinMain(HINSTANCE, HINSTANCE, LPWSTR, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_nCmdShow = nCmdShow;
    if (pApp->InitInstance())
        return pApp->Run();
    if (pApp->m_pMainWnd && ::IsWindow(pApp->m_pMainWnd->m_hWnd))
        pApp->m_pMainWnd->DestroyWindow();
    pApp->m_pMainWnd = nullptr;
    return pApp->ExitInstance();
}
