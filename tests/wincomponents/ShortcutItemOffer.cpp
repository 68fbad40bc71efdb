// Offers shortcut-bar item blocks on the clipboard, as any other program could: reads a case
// number per line from stdin, puts that case's block on the clipboard and answers "ok" (or
// "none" for a number out of range). Ends at the end of its input.
#include "ShortcutItemCases.h"

#include <cstdio>
#include <cstdlib>

namespace
{
// An empty block goes as the system lets it: a fixed block of no bytes, or no block at all.
BOOL Offer(HWND hWnd, const std::vector<BYTE>& bytes)
{
    HGLOBAL hGlobal = GlobalAlloc(bytes.empty() ? GMEM_FIXED : GMEM_MOVEABLE, bytes.size());
    if (!hGlobal)
        return FALSE;
    if (!bytes.empty())
    {
        memcpy(GlobalLock(hGlobal), bytes.data(), bytes.size());
        GlobalUnlock(hGlobal);
    }
    if (!OpenClipboard(hWnd))
    {
        GlobalFree(hGlobal);
        return FALSE;
    }
    EmptyClipboard();
    BOOL bSet = SetClipboardData(CShortcutItemPayload::GetClipboardFormat(), hGlobal) != nullptr;
    if (!bSet)
        GlobalFree(hGlobal);
    CloseClipboard();
    return bSet || bytes.empty();
}
} // namespace

int main()
{
    InitCommonControls();
    // The clipboard keeps data only from an owner window.
    HWND hWnd = CreateWindowW(L"STATIC", L"offer", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const std::vector<CPayloadCase> cases = MakeShortcutItemCases();
    char szLine[64];
    while (fgets(szLine, sizeof szLine, stdin))
    {
        size_t nCase = strtoul(szLine, nullptr, 10);
        BOOL bOffered = nCase < cases.size() && Offer(hWnd, cases[nCase].bytes);
        printf(bOffered ? "ok\n" : "none\n");
        fflush(stdout);
    }
    DestroyWindow(hWnd);
    return 0;
}
