// The entry point of window programs that do not write their own; taken from the library
// only by programs that need one.
#include "framework/window/AfxWinMain.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
