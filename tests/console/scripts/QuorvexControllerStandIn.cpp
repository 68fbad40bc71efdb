// Stands in for the Quorvex collector's controller program: one top-level window of the
// collector's class, until it is closed.
#include <windows.h>

namespace
{
LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(hWnd, message, wParam, lParam);
}
} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, wchar_t*, int nCmdShow)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = L"Quorvex-Tervok-Application";
    if (!RegisterClassW(&wc))
        return 1;
    HWND hWnd = CreateWindowW(wc.lpszClassName, L"Quorvex Controller (stand-in)", WS_OVERLAPPEDWINDOW, 40, 40,
                              320, 200, nullptr, nullptr, hInstance, nullptr);
    if (!hWnd)
        return 1;
    ShowWindow(hWnd, nCmdShow);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
