// A menu handle's owner: menus made or loaded here are destroyed with the object unless they
// were detached (or are part of a window's menu bar, which the window destroys).
#pragma once

#include "framework/core/CObject.h"

#include <map>
#include <memory>

class CWnd;

// The popup of the first top-level item of the menu whose text, without its "&" marks, is the
// name; null when there is none (or no menu). Views show their window's popup of the main menu
// as their context menu this way.
HMENU FindMenuPopup(HMENU hMenu, const wchar_t* pszName);

class CMenu : public CObject
{
public:
    CMenu() : m_hMenu(nullptr) {}
    ~CMenu() override;

    HMENU m_hMenu;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT nIDResource)
    { return Attach(::LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDResource))); }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const wchar_t* lpszNewItem = nullptr)
    { return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const wchar_t* lpszNewItem)
    { return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    DWORD CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    // The popup at the position, owned by its parent menu; null when there is none.
    CMenu* GetSubMenu(int nPos);
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd);

private:
    std::map<HMENU, std::unique_ptr<CMenu>> m_mapSubMenus;

    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
};
