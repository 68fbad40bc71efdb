// A small window for the driver's own tests: a menu, a status bar of three panes, an edit, a check
// box and a red square. F6 and clicks into the client area show what they reached in the panes;
// F2 opens a message box. "-max" starts it maximised.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

namespace
{
const UINT idF6 = 100;
const UINT idF2 = 103;
const UINT idChecked = 101;
const UINT idDisabled = 102;
const int idStatus = 200;
const int idEdit = 201;
const int idCheck = 202;
const RECT rcSquare = {300, 20, 340, 60};

HWND g_hStatus = nullptr;

HMENU BuildMenu()
{
    HMENU hFile = CreatePopupMenu();
    AppendMenuW(hFile, MF_STRING, idF6, L"&Press\tF6");
    AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(hFile, MF_STRING | MF_CHECKED, idChecked, L"&Checked");
    AppendMenuW(hFile, MF_STRING | MF_GRAYED, idDisabled, L"&Disabled");
    HMENU hBar = CreateMenu();
    AppendMenuW(hBar, MF_POPUP, (UINT_PTR)hFile, L"&File");
    return hBar;
}

void CreateChildren(HWND hWnd)
{
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    g_hStatus = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hWnd,
                                (HMENU)(INT_PTR)idStatus, hInstance, nullptr);
    int widths[] = {200, 400, -1};
    SendMessageW(g_hStatus, SB_SETPARTS, 3, (LPARAM)widths);
    SendMessageW(g_hStatus, SB_SETTEXTW, 0, (LPARAM)L"Ready");
    SendMessageW(g_hStatus, SB_SETTEXTW, 1, (LPARAM)L"Keys: none");
    SendMessageW(g_hStatus, SB_SETTEXTW, 2, (LPARAM)L"Alarms: 1,234,567");
    CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 20, 20, 200, 24, hWnd,
                    (HMENU)(INT_PTR)idEdit, hInstance, nullptr);
    CreateWindowExW(0, L"Button", L"Option", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 20, 60, 120, 24, hWnd,
                    (HMENU)(INT_PTR)idCheck, hInstance, nullptr);
}

void Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hWnd, &ps);
    HBRUSH hRed = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(hDC, &rcSquare, hRed);
    DeleteObject(hRed);
    EndPaint(hWnd, &ps);
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_CREATE:
        CreateChildren(hWnd);
        return 0;
    case WM_SIZE:
        SendMessageW(g_hStatus, WM_SIZE, 0, 0);
        return 0;
    case WM_PAINT:
        Paint(hWnd);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == idF6)
            SendMessageW(g_hStatus, SB_SETTEXTW, 1, (LPARAM)L"Keys: F6");
        if (LOWORD(wParam) == idF2)
            MessageBoxW(hWnd, L"Something went wrong.", L"Error", MB_OK | MB_ICONSTOP);
        return 0;
    case WM_LBUTTONDOWN:
    {
        wchar_t szText[64];
        swprintf(szText, 64, L"Clicked at %d,%d", (int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
        SendMessageW(g_hStatus, SB_SETTEXTW, 0, (LPARAM)szText);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}
} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, wchar_t* pszCommandLine, int)
{
    InitCommonControls();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(nullptr, (const wchar_t*)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = L"Tervok-Driver-Target";
    RegisterClassW(&wc);
    HWND hWnd = CreateWindowExW(0, wc.lpszClassName, L"Driver Target", WS_OVERLAPPEDWINDOW, 40, 40, 640, 400,
                                nullptr, BuildMenu(), hInstance, nullptr);
    ShowWindow(hWnd, wcsstr(pszCommandLine, L"-max") ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(hWnd);

    ACCEL accels[] = {{FVIRTKEY, VK_F6, idF6}, {FVIRTKEY, VK_F2, idF2}};
    HACCEL hAccel = CreateAcceleratorTableW(accels, 2);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        if (TranslateAcceleratorW(hWnd, hAccel, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyAcceleratorTable(hAccel);
    return 0;
}
