// Places a window centred over another: by default its parent (child windows) or owner, and the
// work area when it has neither.
#pragma once

#include <windows.h>

void CentreWindow(HWND hWnd, HWND hOver = nullptr);
