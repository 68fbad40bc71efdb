// The state of one command's user-interface element (a menu item or a dialog control), offered
// to the command's update handler and, without one, enabled exactly when a handler exists.
#pragma once

#include <windows.h>

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetText(const wchar_t* lpszText);
    // The update handler leaves the element to the next target on the command route.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget for an update handler; without one, and when bDisableIfNoHndler is set,
    // the element is enabled exactly when pTarget routes the command to a handler.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;       // position in m_pMenu
    CMenu* m_pMenu;      // the popup holding the item, or null
    CWnd* m_pOther;      // the control, or null
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
};
