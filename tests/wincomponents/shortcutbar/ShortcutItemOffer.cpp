// Offers shortcut-bar item blocks on the clipboard, as any other program could: reads a case
// number per line from stdin, puts that case's block on the clipboard and answers "ok" (or
// "none" for a number out of range). Ends at the end of its input.
// "drag [N]": shows a window at kOfferWindow from which a press drags the offered item (or case
// N's block); the exit code is the drop effect. "take": shows a window there that takes one
// dropped item and writes its label and icon pixels to taken.txt; exit code 0 once it read a
// well-formed item. The window takes its title only once it is shown, registered and handling its
// messages, so a test that finds it by title drags no sooner (a drag begun while the window was
// still being made lost its drop, or its button release, and hung the dragging test). Either
// gives up after ten seconds (exit code 99). "list": prints each case's number and name.
#include "ShortcutItemCases.h"
#include "ShortcutItemCrossProcess.h"

#include "framework/ole/COleDataObject.h"
#include "framework/ole/COleDataSource.h"
#include "framework/ole/COleDropTarget.h"
#include "framework/window/CWnd.h"

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
const UINT_PTR kGiveUpTimer = 1;
const UINT WM_SHOW_READY = WM_APP;

class COfferWnd : public CWnd
{
public:
    COfferWnd(bool bSource, const std::vector<BYTE>& dragged) : m_bSource(bSource), m_dragged(dragged) {}

    // Posted once the window is ready: its title appears when the messages before it are handled.
    void PostReady() { PostMessage(WM_SHOW_READY); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kGiveUpTimer)
            PostQuitMessage(99);
        if (message == WM_SHOW_READY)
            SetWindowText(m_bSource ? pszOfferSourceTitle : pszOfferTargetTitle);
        if (message == WM_LBUTTONDOWN && m_bSource)
            PostQuitMessage((int)Drag(m_dragged));
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    static DROPEFFECT Drag(const std::vector<BYTE>& bytes)
    {
        HGLOBAL hGlobal = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (!hGlobal)
            return DROPEFFECT_NONE;
        memcpy(GlobalLock(hGlobal), bytes.data(), bytes.size());
        GlobalUnlock(hGlobal);
        COleDataSource source;
        source.CacheGlobalData(CShortcutItemPayload::GetClipboardFormat(), hGlobal);
        return source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    }
    bool m_bSource;
    std::vector<BYTE> m_dragged;
};

// Takes the first item dropped, reports what arrived and ends the program.
class COfferTarget : public COleDropTarget
{
public:
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT, CPoint) override
    {
        CShortcutItemPayload item;
        BOOL bRead = item.Read(pDataObject);
        FILE* pFile = fopen("taken.txt", "w");
        if (pFile)
        {
            fputs(bRead ? DescribeTakenItem(item).c_str() : "unreadable", pFile);
            fclose(pFile);
        }
        PostQuitMessage(bRead ? 0 : 2);
        return bRead;
    }
};

int RunWindow(bool bSource, const std::vector<BYTE>& dragged)
{
    OleInitialize(nullptr);
    COfferWnd wnd(bSource, dragged);
    COfferTarget target;
    const RECT& r = kOfferWindow;
    if (!wnd.CreateEx(WS_EX_TOPMOST, nullptr, L"", WS_POPUP | WS_VISIBLE, CRect(r.left, r.top, r.right, r.bottom),
                      nullptr, 0))
        return 98;
    if (!bSource && !target.Register(&wnd))
        return 97;
    wnd.SetTimer(kGiveUpTimer, 10000);
    wnd.PostReady();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    target.Revoke();
    wnd.DestroyWindow();
    OleUninitialize();
    return (int)msg.wParam;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "list") == 0)
    {
        const std::vector<CPayloadCase> cases = MakeShortcutItemCases();
        for (size_t i = 0; i < cases.size(); ++i)
            printf("%u\t%s\n", (unsigned)i, cases[i].pszWhat);
        return 0;
    }
    if (argc > 1)
    {
        const bool bSource = strcmp(argv[1], "drag") == 0;
        std::vector<BYTE> dragged;
        if (bSource)
        {
            const std::vector<CPayloadCase> cases = MakeShortcutItemCases();
            size_t nCase = argc > 2 ? strtoul(argv[2], nullptr, 10) : 0; // case 0 is the well-formed item
            if (nCase >= cases.size() || cases[nCase].bytes.empty())
                return 96;
            dragged = cases[nCase].bytes;
        }
        return RunWindow(bSource, dragged);
    }

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
