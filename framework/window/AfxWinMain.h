// The start of a program with windows: the application object's InitInstance, then its
// message loop. A failed start destroys the main window it may have made and ends with
// ExitInstance's result.
#pragma once

#include <windows.h>

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
