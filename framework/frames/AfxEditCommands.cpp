#include "framework/frames/AfxEditCommands.h"

#include "framework/window/AfxIds.h"

#include <wchar.h>

namespace
{
BOOL IsEditClass(HWND hWnd)
{
    wchar_t szClass[32] = L"";
    GetClassNameW(hWnd, szClass, (int)(sizeof szClass / sizeof szClass[0]));
    return _wcsicmp(szClass, L"Edit") == 0 || _wcsnicmp(szClass, L"RichEdit", 8) == 0;
}

BOOL HasSelection(HWND hEdit)
{
    DWORD dwStart = 0, dwEnd = 0;
    SendMessageW(hEdit, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    return dwStart != dwEnd;
}
} // namespace

HWND AfxFocusEditControl()
{
    HWND hFocus = GetFocus();
    return hFocus && IsEditClass(hFocus) ? hFocus : nullptr;
}

BOOL AfxCanDoEditCommand(HWND hEdit, UINT nID)
{
    LONG_PTR lStyle = GetWindowLongPtrW(hEdit, GWL_STYLE);
    BOOL bWritable = !(lStyle & ES_READONLY) && IsWindowEnabled(hEdit);
    switch (nID)
    {
    case ID_EDIT_UNDO:
        return bWritable && SendMessageW(hEdit, EM_CANUNDO, 0, 0);
    case ID_EDIT_CUT:
        return bWritable && !(lStyle & ES_PASSWORD) && HasSelection(hEdit);
    case ID_EDIT_COPY:
        return !(lStyle & ES_PASSWORD) && HasSelection(hEdit);
    case ID_EDIT_PASTE:
        return bWritable && (IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT));
    default:
        return FALSE;
    }
}

void AfxDoEditCommand(HWND hEdit, UINT nID)
{
    static const struct
    {
        UINT nID;
        UINT nMessage;
    } commands[] = {{ID_EDIT_UNDO, WM_UNDO}, {ID_EDIT_CUT, WM_CUT}, {ID_EDIT_COPY, WM_COPY}, {ID_EDIT_PASTE, WM_PASTE}};
    for (const auto& command : commands)
        if (command.nID == nID)
            SendMessageW(hEdit, command.nMessage, 0, 0);
}
