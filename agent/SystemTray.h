// A notification-area icon with a hidden window of its own that receives the icon's callback
// message: the icon can be changed, animated through a list of icons on a timer, and answers a
// right-click with its menu and a double-click with the menu's default command.
#pragma once

#include "framework/window/CWnd.h"

#include <shellapi.h>

#include <vector>

class CSystemTray : public CWnd
{
public:
    CSystemTray();
    ~CSystemTray() override;

    // Creates the hidden window and shows the icon; the callback message goes to this window,
    // which tells pOwner. nMenuID names a menu resource whose first popup is the tray menu.
    BOOL Create(CWnd* pOwner, UINT nCallbackMessage, const wchar_t* pszTip, HICON hIcon, UINT nIconID,
                UINT nMenuID);
    BOOL IsIconShown() const { return m_bShown; }
    HICON GetIcon() const { return m_nid.hIcon; }
    BOOL SetIcon(HICON hIcon);
    // Removes the icon when it is shown.
    BOOL RemoveIcon();

    // The menu item that is drawn bold and that a double-click runs: a position in the tray
    // menu, or a command id.
    void SetMenuDefaultItem(UINT nItem, BOOL bByPosition);

    // The icons of the animation, which the object owns from now on.
    void SetIconList(const std::vector<HICON>& icons);
    // Shows the next icon every nDelayMs; nSeconds of 0 animates until StopAnimation.
    BOOL Animate(UINT nDelayMs, int nSeconds);
    void StepAnimation();
    void StopAnimation();
    BOOL IsAnimating() const { return m_nAnimationTimer != 0; }
    int GetAnimationIndex() const { return m_nCurrentIcon; }

    enum { ANIMATION_TIMER_ID = 4567 };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The animation's clock in seconds; a test may run it by hand.
    virtual __time64_t Now() const;

private:
    void OnTrayNotification(LPARAM lParam);
    void ShowMenu();
    UINT DefaultCommand();
    void DestroyIconList();

    NOTIFYICONDATAW m_nid;
    BOOL m_bShown;
    CWnd* m_pOwner;
    std::vector<HICON> m_icons;
    int m_nCurrentIcon;
    UINT_PTR m_nAnimationTimer;
    __time64_t m_timeAnimationStart;
    int m_nAnimationSeconds;
    HICON m_hSavedIcon;
    UINT m_nMenuID;
    UINT m_nDefaultItem;
    BOOL m_bDefaultByPosition;
};
