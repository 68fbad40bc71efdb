// The program's entry: the one application object, its start-up and its message loop.
#include "console/CBelvaneApp.h"

CBelvaneApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow)
{
    theApp.m_nCmdShow = nCmdShow;
    if (!theApp.InitInstance())
        return theApp.ExitInstance();
    return theApp.Run();
}
