// The console's keyboard shortcuts. A fixed table names, for each key, the menu commands it may
// stand for in order of preference; building walks the menu, binds each key to the first of its
// commands found there, writes the key's name after a tab into that item's text and makes the
// accelerator table. Tool tips of the bound commands get the key's name in parentheses.
#pragma once

#include "framework/core/CString.h"

#include <commctrl.h>

#include <map>

class CMenu;

class CAcceleratorManager
{
public:
    CAcceleratorManager() {}
    CAcceleratorManager(const CAcceleratorManager&) = delete;
    CAcceleratorManager& operator=(const CAcceleratorManager&) = delete;
    virtual ~CAcceleratorManager() {}

    // The new table belongs to the caller; null when no key was bound.
    void BuildAccelerators(CMenu* pMenu, HACCEL& hAccel);
    // Fills a TTN_NEEDTEXTA or TTN_NEEDTEXTW request; always TRUE.
    BOOL GetToolTipText(NMHDR* pNMHDR, LRESULT* pResult);

    // The tip text of a command: the table's own, else the tip part of its string resource;
    // then " (key)" when a key stands for it.
    CString ToolTipOf(UINT nID) const;

private:
    void BindMenu(HMENU hMenu);
    void BindItem(HMENU hMenu, int nPos, UINT nID);
    void FillMaps();

    std::map<UINT, CString> m_mapTipTexts;
    std::map<UINT, CString> m_mapKeyNames;
};

// The process-wide manager.
CAcceleratorManager& GetAcceleratorManager();
