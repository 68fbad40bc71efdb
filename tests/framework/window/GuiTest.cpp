#include "GuiTest.h"

#include "framework/frames/CFrameWnd.h"

#include <commctrl.h>

COLORREF WindowPixels::At(int x, int y) const
{
    uint32_t n = pixels.at((size_t)y * (size_t)nWidth + (size_t)x);
    return RGB((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
}

int WindowPixels::Count(const RECT& rect, COLORREF crColor) const
{
    int nCount = 0;
    for (int y = std::max(0L, rect.top); y < std::min((LONG)nHeight, rect.bottom); ++y)
        for (int x = std::max(0L, rect.left); x < std::min((LONG)nWidth, rect.right); ++x)
            nCount += At(x, y) == crColor;
    return nCount;
}

GuiTest::GuiTest() : m_app(L"Belvane")
{
    m_strKey.Format(L"TervokGuiTest-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    m_app.SetRegistryKey(m_strKey);
}

GuiTest::~GuiTest()
{
    m_host.DestroyWindow();
    PumpUntilIdle();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\" + m_strKey);
}

CWnd& GuiTest::Host()
{
    if (!m_host.m_hWnd)
    {
        m_host.CreateEx(0, nullptr, L"Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                        CRect(20, 20, 660, 500), nullptr, 0);
        m_app.m_pMainWnd = &m_host;
        PumpUntilIdle();
    }
    return m_host;
}

BOOL GuiTest::ShowMainFrame(CFrameWnd* pFrame, UINT nIDResource, int cx, int cy)
{
    if (!pFrame->LoadFrame(nIDResource))
        return FALSE;
    m_app.m_pMainWnd = pFrame;
    pFrame->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER);
    pFrame->ShowWindow(SW_SHOW);
    return TRUE;
}

void GuiTest::TearDown()
{
    if (!HasFailure())
        return;
    const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    CString strName;
    strName.Format(L"screenshot-%S.%S.png", pInfo->test_suite_name(), pInfo->name());
    strName.Replace(L'/', L'_');
    SaveScreenshot(strName);
}

void GuiTest::PumpUntilIdle()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            break;
        if (!m_app.PreTranslateMessage(&msg))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    for (LONG n = 0; m_app.OnIdle(n); ++n)
        ;
}

void GuiTest::SetText(CWnd* pParent, int nID, const wchar_t* pszText)
{
    HWND hCtrl = GetDlgItem(pParent->m_hWnd, nID);
    ASSERT_TRUE(hCtrl != nullptr) << "no control " << nID;
    SendMessageW(hCtrl, WM_SETTEXT, 0, (LPARAM)pszText);
    PumpUntilIdle();
}

CString GuiTest::GetText(CWnd* pParent, int nID)
{
    return pParent->GetDlgItemText(nID);
}

void GuiTest::Click(CWnd* pParent, int nID)
{
    HWND hCtrl = GetDlgItem(pParent->m_hWnd, nID);
    ASSERT_TRUE(hCtrl != nullptr) << "no control " << nID;
    if (IsWindowEnabled(hCtrl))
        SendMessageW(pParent->m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hCtrl);
    PumpUntilIdle();
}

BOOL GuiTest::IsEnabled(CWnd* pParent, int nID)
{
    return IsWindowEnabled(GetDlgItem(pParent->m_hWnd, nID));
}

WindowPixels GuiTest::Capture(CWnd* pWnd)
{
    RedrawWindow(pWnd->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    WindowPixels image;
    CRect rect;
    pWnd->GetClientRect(&rect);
    image.nWidth = rect.Width();
    image.nHeight = rect.Height();
    image.pixels.assign((size_t)image.nWidth * (size_t)image.nHeight, 0);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = image.nWidth;
    bmi.bmiHeader.biHeight = -image.nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hWindowDC = GetDC(pWnd->m_hWnd);
    HDC hMemDC = CreateCompatibleDC(hWindowDC);
    HBITMAP hDib = CreateDIBSection(hWindowDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hMemDC, hDib);
    BitBlt(hMemDC, 0, 0, image.nWidth, image.nHeight, hWindowDC, 0, 0, SRCCOPY);
    GdiFlush();
    memcpy(image.pixels.data(), pBits, image.pixels.size() * sizeof(uint32_t));
    SelectObject(hMemDC, hOld);
    DeleteObject(hDib);
    DeleteDC(hMemDC);
    ReleaseDC(pWnd->m_hWnd, hWindowDC);
    return image;
}

void GuiTest::SaveScreenshot(const CString& strName)
{
    DeleteFileW(strName);
    wchar_t szDir[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, szDir);
    CString strPath = CString(szDir) + L"\\" + strName;
    // ImageMagick runs on the Unix side; Wine cannot wait for it, so watch for its file.
    char szUnix[MAX_PATH * 3] = "";
    typedef char* (CDECL * WineGetUnixFileName)(const wchar_t*);
    auto pfn = (WineGetUnixFileName)(void (*)())GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!pfn)
        return;
    char* pszUnix = pfn(strPath);
    if (!pszUnix)
        return;
    lstrcpynA(szUnix, pszUnix, sizeof szUnix);
    HeapFree(GetProcessHeap(), 0, pszUnix);
    CString strCommand;
    strCommand.Format(L"Z:\\usr\\bin\\import -window root \"%S\"", szUnix);
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, strCommand.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 50 && GetFileAttributesW(strPath) == INVALID_FILE_ATTRIBUTES; ++i)
    {
        Sleep(100);
        PumpUntilIdle();
    }
    Sleep(500);
    printf("screenshot: %S\n", strPath.GetString());
}

namespace
{
void KeepOnTop(HWND hWnd)
{
    ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
} // namespace

void GuiTest::MouseMove(CPoint pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (pt.x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (pt.y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ASSERT_EQ(1u, SendInput(1, &input, sizeof input));
    Sleep(20);
}

void GuiTest::MouseButton(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ASSERT_EQ(1u, SendInput(1, &input, sizeof input));
    Sleep(20);
}

void GuiTest::MouseDrag(HWND hWndOnTop, CPoint from, CPoint to)
{
    KeepOnTop(hWndOnTop);
    PumpUntilIdle();
    MouseMove(from);
    PumpUntilIdle();
    // No pumping before the release: a drag may run a loop of its own that takes the input.
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 4; ++i)
        MouseMove(CPoint(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4));
    MouseButton(MOUSEEVENTF_LEFTUP);
    PumpUntilIdle();
}

void GuiTest::MouseClick(HWND hWndOnTop, CPoint at)
{
    KeepOnTop(hWndOnTop);
    PumpUntilIdle();
    MouseMove(at);
    PumpUntilIdle();
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
    PumpUntilIdle();
}

void GuiTest::MouseDoubleClick(HWND hWndOnTop, CPoint at)
{
    KeepOnTop(hWndOnTop);
    PumpUntilIdle();
    MouseMove(at);
    for (int i = 0; i < 2; ++i)
    {
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        MouseButton(MOUSEEVENTF_LEFTUP);
    }
    PumpUntilIdle();
    PumpUntilIdle();
}
