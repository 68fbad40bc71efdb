// A dynamic layout that remembers its window's placement in the application's registry key
// (section "WindowPositions\<name>") and restores it on the next opening; without a stored
// placement the window opens centred over its parent and a tenth larger. An empty name keeps
// nothing.
#pragma once

#include "framework/core/CString.h"
#include "wincomponents/layout/cdxCDynamicWnd.h"

class cdxCDynamicWndEx : public cdxCDynamicWnd
{
public:
    enum RestoreFlags { rflgState = 1, rflgVisibility = 2, rflgAll = 3 };

    cdxCDynamicWndEx(UINT nFreedom, UINT nFlags, const wchar_t* pszRegistryName = L"");

    // FALSE when nothing could be stored: no name, no window or no application registry key.
    BOOL StoreWindowPosition();
    // FALSE when nothing valid is stored.
    BOOL RestoreWindowPosition(UINT nFlags = rflgAll);
    // Grows the window by nPercent of its size, half on each side.
    void StretchWindow(int nPercent);

    CString m_strRegistryName;

protected:
    void OnInitialized() override;
    void OnDestroying() override;

private:
    CString Section() const;
};
