// What a group list needs of the shortcut bar it belongs to. The bar implements it; a list whose
// parent window's object implements it attaches to it on SHBM_ATTACHGROUP, any other list works
// standalone with its own window styles and defaults.
#pragma once

#include "wincomponents/shortcutbar/ShortcutBarDefs.h"
#include "framework/gdi/CSize.h"

class COXSHBListHost
{
public:
    virtual ~COXSHBListHost() {}

    // The bar style word (SHBS_*).
    virtual DWORD GetBarStyle() const = 0;
    virtual CSize GetScrollButtonSize() const = 0;
    // Scrolling period in ms of a held scroll button, and of hover or drag scrolling.
    virtual UINT GetScrollingDelay() const = 0;
    virtual UINT GetAutoScrollingDelay() const = 0;
    // TRUE while a group header is being edited.
    virtual BOOL IsEditingGroupHeader() const = 0;

    // SHB_LARGEICON or SHB_SMALLICON; -1 for an unknown group.
    virtual int GetGroupView(HSHBGROUP hGroup) const = 0;
    // Colours: -1 for an unknown group.
    virtual COLORREF GetGroupBkColor(HSHBGROUP hGroup) const = 0;
    virtual BOOL SetGroupBkColor(HSHBGROUP hGroup, COLORREF clr) = 0;
    virtual COLORREF GetGroupTextColor(HSHBGROUP hGroup) const = 0;
    virtual BOOL SetGroupTextColor(HSHBGROUP hGroup, COLORREF clr) = 0;
    // The group's item font, or null; the record may be overwritten by the next call.
    virtual const LOGFONTW* GetGroupTextFont(HSHBGROUP hGroup) = 0;

    // Fills the record's hdr with the bar's window and id and sends it to the bar's parent;
    // the parent's answer, 0 without a parent.
    virtual LRESULT SendSHBNotification(NMSHORTCUTBAR* pNotify) = 0;
};
