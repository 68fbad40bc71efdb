#include "wincomponents/layout/cdxCDynamicWndEx.h"

#include "framework/window/AfxWindowPlacement.h"
#include "framework/window/CWinApp.h"
#include "wincomponents/dialogs/CentreWindow.h"
#include "wincomponents/layout/StoredPlacement.h"

#include <utility>

namespace
{
const int nFirstStretchPercent = 10;

CWinApp* RegistryApp()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return nullptr;
    HKEY hKey = pApp->GetAppRegistryKey();
    if (!hKey)
        return nullptr;
    ::RegCloseKey(hKey);
    return pApp;
}

// The normal rectangle stays what it is: the window opens from it when restored.
void ShowThroughPlacement(HWND hWnd, UINT nShow)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!AfxGetWindowPlacement(hWnd, &placement))
        return;
    placement.showCmd = nShow;
    AfxSetWindowPlacement(hWnd, &placement);
}
} // namespace

cdxCDynamicWndEx::cdxCDynamicWndEx(UINT nFreedom, UINT nFlags, const wchar_t* pszRegistryName)
    : cdxCDynamicWnd(nFreedom, nFlags), m_strRegistryName(pszRegistryName)
{
}

CString cdxCDynamicWndEx::Section() const
{
    return L"WindowPositions\\" + m_strRegistryName;
}

BOOL cdxCDynamicWndEx::StoreWindowPosition()
{
    CWinApp* pApp = RegistryApp();
    if (m_strRegistryName.IsEmpty() || !IsWindow() || !pApp)
        return FALSE;
    HWND hWnd = GetLaidOutWindow()->m_hWnd;
    CRect rc;
    if (!GetNormalPlace(hWnd, rc))
        return FALSE;
    int nState = ::IsIconic(hWnd) ? 0 : ::IsZoomed(hWnd) ? 1 : -1;
    // "(valid)" goes to 0 first, so that a store broken half-way is never taken for whole.
    const struct
    {
        const wchar_t* pszName;
        int nValue;
    } values[] = {{L"(valid)", 0},   {L"Left", rc.left}, {L"Right", rc.right},
                  {L"Top", rc.top},  {L"Bottom", rc.bottom}, {L"Visibility", ::IsWindowVisible(hWnd) ? 1 : 0},
                  {L"State", nState}, {L"(valid)", 1}};
    CString strSection = Section();
    for (const auto& value : values)
        if (!pApp->WriteProfileInt(strSection, value.pszName, value.nValue))
            return FALSE;
    return TRUE;
}

BOOL cdxCDynamicWndEx::RestoreWindowPosition(UINT nFlags)
{
    CWinApp* pApp = RegistryApp();
    if (m_strRegistryName.IsEmpty() || !IsWindow() || !pApp)
        return FALSE;
    CString strSection = Section();
    if ((int)pApp->GetProfileInt(strSection, L"(valid)", 0) != 1)
        return FALSE;
    HWND hWnd = GetLaidOutWindow()->m_hWnd;
    CRect rect;
    if (!GetNormalPlace(hWnd, rect))
        return FALSE;
    int nState = (int)pApp->GetProfileInt(strSection, L"State", -1);
    rect.left = (int)pApp->GetProfileInt(strSection, L"Left", rect.left);
    rect.right = (int)pApp->GetProfileInt(strSection, L"Right", rect.right);
    rect.top = (int)pApp->GetProfileInt(strSection, L"Top", rect.top);
    rect.bottom = (int)pApp->GetProfileInt(strSection, L"Bottom", rect.bottom);
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    // A rectangle without area or beyond any size is damaged.
    if (!IsUsableStoredRect(rect, CSize(1, 1)))
        return FALSE;
    // The stored rectangle is the placement's, relative to the work area: it goes back the way it
    // came, and only then is a window off the screens moved on.
    SetNormalPlace(hWnd, rect);
    MoveOntoWorkArea(hWnd);
    if ((nFlags & rflgState) && (nState == 1 || nState == 0))
        ShowThroughPlacement(hWnd, nState == 1 ? SW_SHOWMAXIMIZED : SW_MINIMIZE);
    if (nFlags & rflgVisibility)
    {
        int nVisible = (int)pApp->GetProfileInt(strSection, L"Visibility", -1);
        if (nVisible == 1 || nVisible == 0)
            ::ShowWindow(hWnd, nVisible ? SW_SHOW : SW_HIDE);
    }
    return TRUE;
}

void cdxCDynamicWndEx::StretchWindow(int nPercent)
{
    if (!IsWindow())
        return;
    HWND hWnd = GetLaidOutWindow()->m_hWnd;
    CRect rectWindow;
    ::GetWindowRect(hWnd, &rectWindow);
    CSize size(rectWindow.Width() * nPercent / 100, rectWindow.Height() * nPercent / 100);
    CRect rect;
    if (!GetNormalPlace(hWnd, rect))
        return;
    rect.left -= size.cx / 2;
    rect.top -= size.cy / 2;
    rect.right += (size.cx + 1) / 2;
    rect.bottom += (size.cy + 1) / 2;
    if (!rect.IsRectEmpty())
        SetNormalPlace(hWnd, rect);
}

void cdxCDynamicWndEx::OnInitialized()
{
    if (m_strRegistryName.IsEmpty() || RestoreWindowPosition(rflgAll))
        return;
    CentreWindow(GetLaidOutWindow()->m_hWnd);
    StretchWindow(nFirstStretchPercent);
}

void cdxCDynamicWndEx::OnDestroying()
{
    StoreWindowPosition();
}
