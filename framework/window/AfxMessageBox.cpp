#include "framework/window/AfxMessageBox.h"

#include "framework/window/CWinApp.h"
#include "framework/window/CWnd.h"

namespace
{
AfxMessageBoxFunction& Current()
{
    static AfxMessageBoxFunction s_fn;
    return s_fn;
}
} // namespace

AfxMessageBoxFunction AfxSetMessageBoxFunction(AfxMessageBoxFunction fn)
{
    AfxMessageBoxFunction previous = Current();
    Current() = std::move(fn);
    return previous;
}

int AfxShowMessageBox(HWND hOwner, const wchar_t* pszText, const wchar_t* pszCaption, UINT nType)
{
    CWinApp* pApp = AfxGetApp();
    if (!pszCaption)
        pszCaption = pApp ? pApp->m_pszAppName : L"";
    if (Current())
        return Current()(hOwner, pszText, pszCaption, nType);
    return MessageBoxW(hOwner, pszText, pszCaption, nType);
}

int AfxMessageBox(const wchar_t* pszText, UINT nType)
{
    CWinApp* pApp = AfxGetApp();
    HWND hOwner = pApp && pApp->m_pMainWnd ? pApp->m_pMainWnd->m_hWnd : nullptr;
    return AfxShowMessageBox(hOwner, pszText, nullptr, nType);
}
