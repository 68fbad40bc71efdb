#include "framework/window/AfxOleInit.h"

#include <ole2.h>

#include <cstdlib>

namespace
{
void UninitializeOle()
{
    OleUninitialize();
}
} // namespace

BOOL AfxOleInit()
{
    static BOOL s_bDone = FALSE;
    if (s_bDone)
        return TRUE;
    HRESULT hr = OleInitialize(nullptr);
    if (FAILED(hr))
        return FALSE;
    s_bDone = TRUE;
    atexit(UninitializeOle);
    return TRUE;
}

BOOL AfxInitRichEdit()
{
    static HMODULE s_hRichEdit = nullptr;
    if (!s_hRichEdit)
        s_hRichEdit = LoadLibraryW(L"riched20.dll");
    return s_hRichEdit != nullptr;
}
