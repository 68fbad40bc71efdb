#include "agent/SystemTray.h"

#include "framework/controls/CMenu.h"

#include <ctime>

CSystemTray::CSystemTray()
    : m_nid(), m_bShown(FALSE), m_pOwner(nullptr), m_nCurrentIcon(-1), m_nAnimationTimer(0), m_timeAnimationStart(0),
      m_nAnimationSeconds(0), m_hSavedIcon(nullptr), m_nMenuID(0), m_nDefaultItem(0), m_bDefaultByPosition(TRUE)
{
    m_nid.cbSize = sizeof(m_nid);
}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
    if (m_hWnd)
        DestroyWindow();
    DestroyIconList();
}

BOOL CSystemTray::Create(CWnd* pOwner, UINT nCallbackMessage, const wchar_t* pszTip, HICON hIcon, UINT nIconID,
                         UINT nMenuID)
{
    if (!m_hWnd && !CreateEx(0, AfxWndClassName(), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr))
        return FALSE;
    m_pOwner = pOwner;
    m_nMenuID = nMenuID;
    m_nid.hWnd = m_hWnd;
    m_nid.uID = nIconID;
    m_nid.uCallbackMessage = nCallbackMessage;
    m_nid.hIcon = hIcon;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    wcsncpy_s(m_nid.szTip, pszTip ? pszTip : L"", _TRUNCATE);
    m_bShown = Shell_NotifyIconW(NIM_ADD, &m_nid);
    return m_bShown;
}

BOOL CSystemTray::SetIcon(HICON hIcon)
{
    m_nid.hIcon = hIcon;
    if (!m_bShown)
        return FALSE;
    m_nid.uFlags = NIF_ICON;
    return Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

BOOL CSystemTray::RemoveIcon()
{
    if (!m_bShown)
        return FALSE;
    m_nid.uFlags = 0;
    m_bShown = FALSE;
    return Shell_NotifyIconW(NIM_DELETE, &m_nid);
}

void CSystemTray::SetMenuDefaultItem(UINT nItem, BOOL bByPosition)
{
    m_nDefaultItem = nItem;
    m_bDefaultByPosition = bByPosition;
}

void CSystemTray::SetIconList(const std::vector<HICON>& icons)
{
    StopAnimation();
    DestroyIconList();
    m_icons = icons;
}

void CSystemTray::DestroyIconList()
{
    for (size_t i = 0; i < m_icons.size(); i++)
        DestroyIcon(m_icons[i]);
    m_icons.clear();
    m_nCurrentIcon = -1;
}

BOOL CSystemTray::Animate(UINT nDelayMs, int nSeconds)
{
    if (m_icons.empty() || !m_hWnd)
        return FALSE;
    StopAnimation();
    m_hSavedIcon = m_nid.hIcon;
    m_nCurrentIcon = -1;
    m_timeAnimationStart = Now();
    m_nAnimationSeconds = nSeconds;
    m_nAnimationTimer = SetTimer(ANIMATION_TIMER_ID, nDelayMs);
    return m_nAnimationTimer != 0;
}

void CSystemTray::StepAnimation()
{
    if (m_icons.empty())
        return;
    m_nCurrentIcon = (m_nCurrentIcon + 1) % (int)m_icons.size();
    SetIcon(m_icons[(size_t)m_nCurrentIcon]);
}

void CSystemTray::StopAnimation()
{
    if (!m_nAnimationTimer)
        return;
    KillTimer(m_nAnimationTimer);
    m_nAnimationTimer = 0;
    SetIcon(m_hSavedIcon);
}

__time64_t CSystemTray::Now() const
{
    return _time64(nullptr);
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && m_nAnimationTimer && wParam == m_nAnimationTimer)
    {
        if (m_nAnimationSeconds > 0 && Now() - m_timeAnimationStart > m_nAnimationSeconds)
            StopAnimation();
        else
            StepAnimation();
        return 0;
    }
    if (message == m_nid.uCallbackMessage && m_nid.uCallbackMessage != 0)
    {
        if (wParam == m_nid.uID)
            OnTrayNotification(lParam);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CSystemTray::OnTrayNotification(LPARAM lParam)
{
    if (!m_pOwner)
        return;
    if (LOWORD(lParam) == WM_RBUTTONUP)
        ShowMenu();
    else if (LOWORD(lParam) == WM_LBUTTONDBLCLK)
        m_pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(DefaultCommand(), 0), 0);
}

void CSystemTray::ShowMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(m_nMenuID))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return;
    ::SetMenuDefaultItem(pPopup->m_hMenu, m_nDefaultItem, m_bDefaultByPosition);
    POINT pt;
    GetCursorPos(&pt);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    ::SetForegroundWindow(m_pOwner->m_hWnd);
    ::TrackPopupMenu(pPopup->m_hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_pOwner->m_hWnd, nullptr);
    m_pOwner->PostMessage(WM_NULL);
}

UINT CSystemTray::DefaultCommand()
{
    if (!m_bDefaultByPosition)
        return m_nDefaultItem;
    CMenu menu;
    if (!menu.LoadMenu(m_nMenuID))
        return 0;
    CMenu* pPopup = menu.GetSubMenu(0);
    return pPopup ? pPopup->GetMenuItemID((int)m_nDefaultItem) : 0;
}
