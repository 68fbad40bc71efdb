// Loaded into the program under test by the window driver's message hook: Wine keeps a menu in
// the memory of its own process, so only code there can read it. On the driver's registered
// message it writes the window's menu bar as JSON into the driver's shared memory.
#include "MenuReader.h"

#include "DriverJson.h"

#include <cstring>

namespace
{
std::string MenuItems(HMENU hMenu)
{
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
    {
        wchar_t szText[1024] = L"";
        MENUITEMINFOW info = {sizeof(info)};
        info.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        info.dwTypeData = szText;
        info.cch = 1024;
        GetMenuItemInfoW(hMenu, (UINT)i, TRUE, &info);
        std::string strItem = "{\"text\":" + Json(szText) + ",\"id\":" + Json(info.wID) +
                              ",\"separator\":" + JsonBool(info.fType & MFT_SEPARATOR) +
                              ",\"enabled\":" + JsonBool(!(info.fState & MFS_DISABLED)) +
                              ",\"checked\":" + JsonBool(info.fState & MFS_CHECKED);
        if (info.hSubMenu)
            strItem += ",\"items\":" + MenuItems(info.hSubMenu);
        items.push_back(strItem + "}");
    }
    return JsonList(items);
}

void WriteMenu(HWND hWnd)
{
    HANDLE hMapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, pszMenuMapping);
    if (!hMapping)
        return;
    char* pView = (char*)MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, cbMenuMapping);
    if (pView)
    {
        HMENU hMenu = (GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) ? nullptr : GetMenu(hWnd);
        std::string strJson = hMenu ? MenuItems(hMenu) : "null";
        if (strJson.size() < cbMenuMapping)
            memcpy(pView, strJson.c_str(), strJson.size() + 1);
        UnmapViewOfFile(pView);
    }
    CloseHandle(hMapping);
}
} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuReaderHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMessage = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && pMessage->message == RegisterWindowMessageW(pszReadMenuMessage))
        WriteMenu(pMessage->hwnd);
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
