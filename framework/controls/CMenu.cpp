#include "framework/controls/CMenu.h"

#include "framework/core/CString.h"
#include "framework/window/CWnd.h"

CMenu::~CMenu()
{
    // The wrappers of submenus never destroy them: the parent menu does.
    for (auto& entry : m_mapSubMenus)
        entry.second->Detach();
    DestroyMenu();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu || !hMenu)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    for (auto& entry : m_mapSubMenus)
        entry.second->Detach();
    m_mapSubMenus.clear();
    return ::DestroyMenu(Detach());
}

CMenu* CMenu::GetSubMenu(int nPos)
{
    HMENU hSub = ::GetSubMenu(m_hMenu, nPos);
    if (!hSub)
        return nullptr;
    std::unique_ptr<CMenu>& pSub = m_mapSubMenus[hSub];
    if (!pSub)
    {
        pSub.reset(new CMenu);
        pSub->Attach(hSub);
    }
    return pSub.get();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->m_hWnd, nullptr);
}

HMENU FindMenuPopup(HMENU hMenu, const wchar_t* pszName)
{
    int nCount = hMenu ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nCount; ++i)
    {
        wchar_t szText[256] = L"";
        ::GetMenuStringW(hMenu, (UINT)i, szText, 255, MF_BYPOSITION);
        CString strText(szText);
        strText.Remove(L'&');
        HMENU hPopup = ::GetSubMenu(hMenu, i);
        if (hPopup && strText == pszName)
            return hPopup;
    }
    return nullptr;
}
