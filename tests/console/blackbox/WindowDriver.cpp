// Drives the windows of another program from outside, the way a user would. It runs under Wine
// on the same display and in the same prefix as the program under test and reads commands from
// stdin, one a line, fields separated by TAB; it answers each with one line of JSON:
// {"ok":true,"value":...} or {"ok":false,"error":"..."}. Window handles are decimal numbers.
//
//   find PARENT CLASS TITLE   handles of the matching windows: top-level ones for PARENT 0, else
//                             descendants of PARENT; an empty CLASS or TITLE matches any
//   info HWND                 class, title, id, parent, states and rectangles of a window
//   text HWND                 the window's text (WM_GETTEXT, which Wine carries across processes)
//   panes HWND                the pane texts of a status bar (read through the owner's memory)
//   listview HWND MAX [COLS]  the first MAX rows of a report list view, each a list of its cell
//                             texts (of every column, or of the comma-separated COLS only; a
//                             list without a header: the label alone),
//                             their client rectangles and the indexes of the selected rows
//                             (read through the owner's memory):
//                             {"rows":[[...],...],"rects":[[l,t,r,b],...],"selected":[...]}
//   menu HWND                 items of the window's menu bar with their popups, text and state
//                             (null: the window has no menu)
//   send HWND MSG WPARAM LPARAM   SendMessage without pointers; the result
//   post HWND MSG WPARAM LPARAM   PostMessage
//   activate HWND             brings the window to the foreground
//   foreground                the foreground window
//   key CHORD                 presses and releases a chord such as F6, ALT+F4, CTRL+SHIFT+N
//   type TEXT                 types the text as characters
//   click HWND X Y [right]    a click at a point of the window's client area
//   drag HWND X Y HWND2 X2 Y2 a drag with the left button from a point of one window's client
//                             area to a point of another's, moved in steps the drag loop sees
//   screenshot HWND PATH      the window (HWND 0: the screen) as a 24-bit BMP file; the part on
//                             the screen, whose rectangle it answers
//   quit
#include "DriverJson.h"
#include "MenuReader.h"

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace
{
using Fields = std::vector<std::wstring>;

std::string JsonRect(const RECT& rc)
{
    return JsonList({Json(rc.left), Json(rc.top), Json(rc.right), Json(rc.bottom)});
}

// A command's outcome: the JSON value, or an error text.
struct Answer
{
    bool bOk;
    std::string strValue;
};

Answer Ok(const std::string& strValue)
{
    return {true, strValue};
}

Answer Fail(const std::wstring& strError)
{
    return {false, Json(strError)};
}

HWND ToWindow(const std::wstring& str)
{
    return (HWND)(INT_PTR)_wtoi64(str.c_str());
}

long long FromWindow(HWND hWnd)
{
    return (long long)(INT_PTR)hWnd;
}

std::wstring WindowClass(HWND hWnd)
{
    wchar_t szClass[256] = L"";
    GetClassNameW(hWnd, szClass, 256);
    return szClass;
}

// WM_GETTEXT through a timeout, so that a hung program fails the command instead of the driver.
bool WindowText(HWND hWnd, std::wstring& strText)
{
    DWORD_PTR nLength = 0;
    if (!SendMessageTimeoutW(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &nLength))
        return false;
    std::vector<wchar_t> buffer(nLength + 1, L'\0');
    DWORD_PTR nCopied = 0;
    if (!SendMessageTimeoutW(hWnd, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data(), SMTO_ABORTIFHUNG, 5000,
                             &nCopied))
        return false;
    strText.assign(buffer.data(), nCopied);
    return true;
}

std::wstring WindowTitle(HWND hWnd)
{
    std::wstring strText;
    WindowText(hWnd, strText);
    return strText;
}

struct Search
{
    std::wstring strClass;
    std::wstring strTitle;
    std::vector<std::string> found;
};

BOOL CALLBACK Collect(HWND hWnd, LPARAM lParam)
{
    Search& search = *(Search*)lParam;
    if ((search.strClass.empty() || search.strClass == WindowClass(hWnd)) &&
        (search.strTitle.empty() || search.strTitle == WindowTitle(hWnd)))
        search.found.push_back(Json(FromWindow(hWnd)));
    return TRUE;
}

Answer Find(const Fields& args)
{
    Search search{args.at(2), args.at(3), {}};
    HWND hParent = ToWindow(args.at(1));
    if (hParent)
        EnumChildWindows(hParent, Collect, (LPARAM)&search);
    else
        EnumWindows(Collect, (LPARAM)&search);
    return Ok(JsonList(search.found));
}

Answer Info(const Fields& args)
{
    HWND hWnd = ToWindow(args.at(1));
    if (!IsWindow(hWnd))
        return Fail(L"no such window");
    RECT rcWindow = {}, rcClient = {};
    GetWindowRect(hWnd, &rcWindow);
    GetClientRect(hWnd, &rcClient);
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    DWORD_PTR nCheck = 0;
    if (WindowClass(hWnd) != L"Button" ||
        !SendMessageTimeoutW(hWnd, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &nCheck))
        nCheck = 0;
    std::string strValue = "{\"class\":" + Json(WindowClass(hWnd)) + ",\"title\":" + Json(WindowTitle(hWnd)) +
                           ",\"id\":" + Json(GetDlgCtrlID(hWnd)) + ",\"parent\":" + Json(FromWindow(GetParent(hWnd))) +
                           ",\"process\":" + Json(dwProcess) + ",\"visible\":" + JsonBool(IsWindowVisible(hWnd)) +
                           ",\"enabled\":" + JsonBool(IsWindowEnabled(hWnd)) +
                           ",\"maximized\":" + JsonBool(IsZoomed(hWnd)) + ",\"minimized\":" + JsonBool(IsIconic(hWnd)) +
                           ",\"checked\":" + JsonBool(nCheck == BST_CHECKED) + ",\"rect\":" + JsonRect(rcWindow) +
                           ",\"client\":" + JsonRect(rcClient) + "}";
    return Ok(strValue);
}

Answer Text(const Fields& args)
{
    std::wstring strText;
    if (!WindowText(ToWindow(args.at(1)), strText))
        return Fail(L"the window does not answer WM_GETTEXT");
    return Ok(Json(strText));
}

// Memory in the owner process of a window, for the messages whose pointers Wine does not carry
// across processes.
class CRemoteBuffer
{
public:
    CRemoteBuffer(HWND hWnd, SIZE_T cb) : m_cb(cb)
    {
        DWORD dwProcess = 0;
        GetWindowThreadProcessId(hWnd, &dwProcess);
        m_hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwProcess);
        if (m_hProcess)
            m_pData = VirtualAllocEx(m_hProcess, nullptr, cb, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~CRemoteBuffer()
    {
        if (m_pData)
            VirtualFreeEx(m_hProcess, m_pData, 0, MEM_RELEASE);
        if (m_hProcess)
            CloseHandle(m_hProcess);
    }
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;

    bool IsValid() const { return m_pData != nullptr; }
    LPARAM Address() const { return (LPARAM)m_pData; }
    bool Read(void* pOut, SIZE_T cb) const
    {
        SIZE_T cbRead = 0;
        return cb <= m_cb && ReadProcessMemory(m_hProcess, m_pData, pOut, cb, &cbRead) && cbRead == cb;
    }
    bool Write(const void* pIn, SIZE_T cb) const
    {
        SIZE_T cbWritten = 0;
        return cb <= m_cb && WriteProcessMemory(m_hProcess, m_pData, pIn, cb, &cbWritten) && cbWritten == cb;
    }

private:
    HANDLE m_hProcess = nullptr;
    void* m_pData = nullptr;
    SIZE_T m_cb;
};

const int nMaxText = 1024;

Answer Panes(const Fields& args)
{
    HWND hWnd = ToWindow(args.at(1));
    CRemoteBuffer buffer(hWnd, (nMaxText + 1) * sizeof(wchar_t));
    if (!buffer.IsValid())
        return Fail(L"cannot reach the memory of the window's process");
    DWORD_PTR nParts = 0;
    if (!SendMessageTimeoutW(hWnd, SB_GETPARTS, 0, 0, SMTO_ABORTIFHUNG, 5000, &nParts))
        return Fail(L"the status bar does not answer");
    std::vector<std::string> texts;
    for (WPARAM i = 0; i < nParts; ++i)
    {
        DWORD_PTR nResult = 0;
        if (!SendMessageTimeoutW(hWnd, SB_GETTEXTLENGTHW, i, 0, SMTO_ABORTIFHUNG, 5000, &nResult) ||
            LOWORD(nResult) > nMaxText ||
            !SendMessageTimeoutW(hWnd, SB_GETTEXTW, i, buffer.Address(), SMTO_ABORTIFHUNG, 5000, &nResult))
            return Fail(L"the status bar does not answer");
        std::vector<wchar_t> text(LOWORD(nResult) + 1, L'\0');
        if (!buffer.Read(text.data(), text.size() * sizeof(wchar_t)))
            return Fail(L"cannot read the pane text");
        texts.push_back(Json(std::wstring(text.data(), LOWORD(nResult))));
    }
    return Ok(JsonList(texts));
}

// One cell of a list view: the item record and its text buffer lie in the owner's memory.
bool ListCellText(HWND hWnd, const CRemoteBuffer& buffer, int nItem, int nSubItem, std::wstring& strText)
{
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = (wchar_t*)(buffer.Address() + sizeof(LVITEMW));
    item.cchTextMax = nMaxText + 1;
    DWORD_PTR nLength = 0;
    if (!buffer.Write(&item, sizeof item) ||
        !SendMessageTimeoutW(hWnd, LVM_GETITEMTEXTW, (WPARAM)nItem, buffer.Address(), SMTO_ABORTIFHUNG, 5000, &nLength))
        return false;
    std::vector<wchar_t> text(sizeof(LVITEMW) / sizeof(wchar_t) + nMaxText + 1, L'\0');
    if (nLength > (DWORD_PTR)nMaxText || !buffer.Read(text.data(), text.size() * sizeof(wchar_t)))
        return false;
    strText.assign(text.data() + sizeof(LVITEMW) / sizeof(wchar_t), nLength);
    return true;
}

Answer ListView(const Fields& args)
{
    HWND hWnd = ToWindow(args.at(1));
    int nMax = _wtoi(args.at(2).c_str());
    CRemoteBuffer buffer(hWnd, sizeof(LVITEMW) + (nMaxText + 1) * sizeof(wchar_t));
    if (!buffer.IsValid())
        return Fail(L"cannot reach the memory of the window's process");
    DWORD_PTR nItems = 0, hHeader = 0, nColumns = 0;
    if (!SendMessageTimeoutW(hWnd, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &nItems) ||
        !SendMessageTimeoutW(hWnd, LVM_GETHEADER, 0, 0, SMTO_ABORTIFHUNG, 5000, &hHeader))
        return Fail(L"the list view does not answer");
    // A list of icons has no header: its items have their label alone.
    if (!hHeader)
        nColumns = 1;
    else if (!SendMessageTimeoutW((HWND)hHeader, HDM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &nColumns))
        return Fail(L"the list view does not answer");
    // Every cell costs three calls into the owner: a large list is read by the columns asked for.
    std::vector<int> columns;
    for (size_t nStart = 0; args.size() > 3 && nStart <= args[3].size();)
    {
        size_t nComma = std::min(args[3].find(L',', nStart), args[3].size());
        columns.push_back(_wtoi(args[3].substr(nStart, nComma - nStart).c_str()));
        nStart = nComma + 1;
    }
    if (columns.empty())
        for (int nColumn = 0; nColumn < (int)nColumns; ++nColumn)
            columns.push_back(nColumn);
    std::vector<std::string> rows, rects, selected;
    for (int nItem = 0; nItem < (int)nItems && nItem < nMax; ++nItem)
    {
        RECT rc = {LVIR_BOUNDS, 0, 0, 0};
        DWORD_PTR nDone = 0;
        if (!buffer.Write(&rc, sizeof rc) ||
            !SendMessageTimeoutW(hWnd, LVM_GETITEMRECT, (WPARAM)nItem, buffer.Address(), SMTO_ABORTIFHUNG, 5000, &nDone) ||
            !buffer.Read(&rc, sizeof rc))
            return Fail(L"cannot read a row rectangle of the list view");
        rects.push_back(JsonRect(rc));
        std::vector<std::string> cells;
        for (int nColumn : columns)
        {
            std::wstring strText;
            if (!ListCellText(hWnd, buffer, nItem, nColumn, strText))
                return Fail(L"cannot read a cell of the list view");
            cells.push_back(Json(strText));
        }
        rows.push_back(JsonList(cells));
    }
    DWORD_PTR nNext = (DWORD_PTR)-1;
    while (SendMessageTimeoutW(hWnd, LVM_GETNEXTITEM, nNext, LVNI_SELECTED, SMTO_ABORTIFHUNG, 5000, &nNext) &&
           (int)nNext >= 0)
        selected.push_back(Json((int)nNext));
    return Ok("{\"rows\":" + JsonList(rows) + ",\"rects\":" + JsonList(rects) + ",\"selected\":" +
              JsonList(selected) + "}");
}

// Menus live in the memory of their process under Wine: the menu reader, loaded there by a
// message hook on the window's thread, writes the menu into memory shared with the driver.
Answer Menu(const Fields& args)
{
    HWND hWnd = ToWindow(args.at(1));
    // Without a window's thread the hook would reach every program on the desktop.
    if (!IsWindow(hWnd))
        return Fail(L"no such window");
    HANDLE hMapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, (DWORD)cbMenuMapping, pszMenuMapping);
    char* pView = hMapping ? (char*)MapViewOfFile(hMapping, FILE_MAP_ALL_ACCESS, 0, 0, cbMenuMapping) : nullptr;
    HMODULE hReader = LoadLibraryW(L"MenuReader.dll");
    HOOKPROC pfnHook = hReader ? (HOOKPROC)(void*)GetProcAddress(hReader, pszMenuReaderHook) : nullptr;
    HHOOK hHook = pfnHook ? SetWindowsHookExW(WH_CALLWNDPROC, pfnHook, hReader, GetWindowThreadProcessId(hWnd, nullptr))
                          : nullptr;
    std::string strJson;
    if (pView && hHook)
    {
        pView[0] = '\0';
        DWORD_PTR nResult = 0;
        SendMessageTimeoutW(hWnd, RegisterWindowMessageW(pszReadMenuMessage), 0, 0, SMTO_ABORTIFHUNG, 10000,
                            &nResult);
        strJson.assign(pView, strnlen(pView, cbMenuMapping));
    }
    if (hHook)
        UnhookWindowsHookEx(hHook);
    if (hReader)
        FreeLibrary(hReader);
    if (pView)
        UnmapViewOfFile(pView);
    if (hMapping)
        CloseHandle(hMapping);
    if (strJson.empty())
        return Fail(L"the menu reader could not reach the window");
    return Ok(strJson);
}

Answer Message(const Fields& args, bool bPost)
{
    HWND hWnd = ToWindow(args.at(1));
    UINT nMsg = (UINT)wcstoul(args.at(2).c_str(), nullptr, 0);
    WPARAM wParam = (WPARAM)_wcstoi64(args.at(3).c_str(), nullptr, 0);
    LPARAM lParam = (LPARAM)_wcstoi64(args.at(4).c_str(), nullptr, 0);
    if (bPost)
        return PostMessageW(hWnd, nMsg, wParam, lParam) ? Ok("null") : Fail(L"PostMessage failed");
    DWORD_PTR nResult = 0;
    if (!SendMessageTimeoutW(hWnd, nMsg, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &nResult))
        return Fail(L"the window does not answer");
    return Ok(Json((long long)(INT_PTR)nResult));
}

Answer Activate(const Fields& args)
{
    HWND hWnd = ToWindow(args.at(1));
    SetForegroundWindow(hWnd);
    for (int i = 0; i < 50 && GetForegroundWindow() != hWnd; ++i)
        Sleep(20);
    return GetForegroundWindow() == hWnd ? Ok("null") : Fail(L"the window did not come to the foreground");
}

// Input.
struct KeyName
{
    const wchar_t* pszName;
    WORD wKey;
};

const KeyName keyNames[] = {{L"ALT", VK_MENU},     {L"CTRL", VK_CONTROL}, {L"SHIFT", VK_SHIFT}, {L"ENTER", VK_RETURN},
                            {L"ESCAPE", VK_ESCAPE}, {L"TAB", VK_TAB},      {L"SPACE", VK_SPACE}, {L"BACK", VK_BACK},
                            {L"DELETE", VK_DELETE}, {L"UP", VK_UP},        {L"DOWN", VK_DOWN},   {L"LEFT", VK_LEFT},
                            {L"RIGHT", VK_RIGHT},   {L"HOME", VK_HOME},    {L"END", VK_END}};

WORD VirtualKey(const std::wstring& strName)
{
    for (const KeyName& key : keyNames)
        if (strName == key.pszName)
            return key.wKey;
    if (strName.size() > 1 && strName[0] == L'F')
    {
        int n = _wtoi(strName.c_str() + 1);
        if (n >= 1 && n <= 24)
            return (WORD)(VK_F1 + n - 1);
    }
    if (strName.size() == 1 && (iswupper(strName[0]) || iswdigit(strName[0])))
        return strName[0];
    return 0;
}

INPUT KeyInput(WORD wKey, WORD wChar, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.wScan = wChar ? wChar : (WORD)MapVirtualKeyW(wKey, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = dwFlags;
    return input;
}

Answer Send(std::vector<INPUT>& inputs)
{
    UINT nSent = SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    // Give the receiving program time to take the input before the next command reads.
    Sleep(100);
    return nSent == inputs.size() ? Ok("null") : Fail(L"SendInput refused the input");
}

Answer Key(const Fields& args)
{
    std::vector<WORD> keys;
    const std::wstring& strChord = args.at(1);
    for (size_t nStart = 0; nStart <= strChord.size();)
    {
        size_t nEnd = strChord.find(L'+', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = strChord.size();
        WORD wKey = VirtualKey(strChord.substr(nStart, nEnd - nStart));
        if (!wKey)
            return Fail(L"unknown key in " + strChord);
        keys.push_back(wKey);
        nStart = nEnd + 1;
    }
    std::vector<INPUT> inputs;
    for (WORD wKey : keys)
        inputs.push_back(KeyInput(wKey, 0, 0));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(KeyInput(*it, 0, KEYEVENTF_KEYUP));
    return Send(inputs);
}

Answer Type(const Fields& args)
{
    std::vector<INPUT> inputs;
    for (wchar_t c : args.at(1))
    {
        inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    return Send(inputs);
}

INPUT MouseInput(DWORD dwFlags, const POINT& pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(pt.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(pt.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

Answer Click(const Fields& args)
{
    POINT pt = {_wtoi(args.at(2).c_str()), _wtoi(args.at(3).c_str())};
    if (!ClientToScreen(ToWindow(args.at(1)), &pt))
        return Fail(L"no such window");
    bool bRight = args.size() > 4 && args[4] == L"right";
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE, pt),
                                 MouseInput(bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, pt),
                                 MouseInput(bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, pt)};
    return Send(inputs);
}

// One input at a time, with a pause in which a drag loop of the other program takes it.
void SendOneInput(INPUT input)
{
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

void GlideMouse(POINT from, POINT to, int nSteps)
{
    for (int i = 1; i <= nSteps; ++i)
        SendOneInput(MouseInput(MOUSEEVENTF_MOVE, POINT{from.x + (to.x - from.x) * i / nSteps,
                                                        from.y + (to.y - from.y) * i / nSteps}));
}

Answer Drag(const Fields& args)
{
    POINT from = {_wtoi(args.at(2).c_str()), _wtoi(args.at(3).c_str())};
    POINT to = {_wtoi(args.at(5).c_str()), _wtoi(args.at(6).c_str())};
    if (!ClientToScreen(ToWindow(args.at(1)), &from) || !ClientToScreen(ToWindow(args.at(4)), &to))
        return Fail(L"no such window");
    // Past the system's drag distance first, then on to the target and a little over it.
    const POINT started = {from.x + 4, from.y + 12}, end = {to.x + 2, to.y};
    SendOneInput(MouseInput(MOUSEEVENTF_MOVE, from));
    SendOneInput(MouseInput(MOUSEEVENTF_LEFTDOWN, from));
    GlideMouse(from, started, 3);
    GlideMouse(started, to, 10);
    GlideMouse(to, end, 3);
    SendOneInput(MouseInput(MOUSEEVENTF_LEFTUP, end));
    return Ok("null");
}

// The pixels of a screen rectangle, copied from the screen, written as a bottom-up 24-bit BMP.
bool WriteBitmap(const RECT& rc, const std::wstring& strPath)
{
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    SelectObject(hMemory, hOld);

    BITMAPINFOHEADER header = {sizeof(header), cx, cy, 1, 24, BI_RGB};
    DWORD cbRow = (DWORD)((cx * 3 + 3) & ~3);
    std::vector<BYTE> pixels((size_t)cbRow * (size_t)cy);
    bool bRead = GetDIBits(hMemory, hBitmap, 0, (UINT)cy, pixels.data(), (BITMAPINFO*)&header, DIB_RGB_COLORS) == cy;
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    if (!bRead)
        return false;

    BITMAPFILEHEADER file = {0x4D42};
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + (DWORD)pixels.size();
    FILE* pFile = _wfopen(strPath.c_str(), L"wb");
    if (!pFile)
        return false;
    bool bWritten = fwrite(&file, sizeof(file), 1, pFile) == 1 && fwrite(&header, sizeof(header), 1, pFile) == 1 &&
                    fwrite(pixels.data(), 1, pixels.size(), pFile) == pixels.size();
    return fclose(pFile) == 0 && bWritten;
}

Answer Screenshot(const Fields& args)
{
    HWND hWnd = ToWindow(args.at(1));
    RECT rcScreen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT rcWindow = rcScreen, rc;
    if (hWnd && !GetWindowRect(hWnd, &rcWindow))
        return Fail(L"no such window");
    // A maximised window reaches beyond the screen, and a copy from outside it fails whole.
    if (!IntersectRect(&rc, &rcWindow, &rcScreen))
        return Fail(L"the window is not on the screen");
    if (!WriteBitmap(rc, args.at(2)))
        return Fail(L"cannot write " + args.at(2));
    return Ok(JsonRect(rc));
}

struct Command
{
    const wchar_t* pszName;
    size_t nArgs;
    Answer (*pfnRun)(const Fields&);
};

const Command commands[] = {
    {L"find", 3, Find},
    {L"info", 1, Info},
    {L"text", 1, Text},
    {L"panes", 1, Panes},
    {L"listview", 2, ListView},
    {L"menu", 1, Menu},
    {L"send", 4, [](const Fields& args) { return Message(args, false); }},
    {L"post", 4, [](const Fields& args) { return Message(args, true); }},
    {L"activate", 1, Activate},
    {L"foreground", 0, [](const Fields&) { return Ok(Json(FromWindow(GetForegroundWindow()))); }},
    {L"key", 1, Key},
    {L"type", 1, Type},
    {L"click", 3, Click},
    {L"drag", 6, Drag},
    {L"screenshot", 2, Screenshot},
};

Answer Run(const Fields& fields)
{
    for (const Command& command : commands)
        if (fields[0] == command.pszName)
            return fields.size() > command.nArgs ? command.pfnRun(fields) : Fail(L"too few arguments");
    return Fail(L"unknown command " + fields[0]);
}

Fields Split(const std::string& strLine)
{
    int cch = MultiByteToWideChar(CP_UTF8, 0, strLine.data(), (int)strLine.size(), nullptr, 0);
    std::wstring strWide((size_t)cch, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strLine.data(), (int)strLine.size(), &strWide[0], cch);
    Fields fields;
    size_t nStart = 0;
    for (size_t nTab; (nTab = strWide.find(L'\t', nStart)) != std::wstring::npos; nStart = nTab + 1)
        fields.push_back(strWide.substr(nStart, nTab - nStart));
    fields.push_back(strWide.substr(nStart));
    return fields;
}
} // namespace

int main()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::string strLine;
    for (int c; (c = getchar()) != EOF;)
    {
        if (c != '\n')
        {
            strLine += (char)c;
            continue;
        }
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        Fields fields = Split(strLine);
        strLine.clear();
        if (fields[0] == L"quit")
            break;
        Answer answer = Run(fields);
        std::string strReply = answer.bOk ? "{\"ok\":true,\"value\":" + answer.strValue + "}\n"
                                          : "{\"ok\":false,\"error\":" + answer.strValue + "}\n";
        fwrite(strReply.data(), 1, strReply.size(), stdout);
        fflush(stdout);
    }
    return 0;
}
