// The program's one application object and its entry, which runs the application's start-up
// and message loop.
#include "console/app/CBelvaneApp.h"
#include "framework/window/AfxWinMain.h"

CBelvaneApp theApp;

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
