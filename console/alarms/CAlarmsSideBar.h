// The filter side bar of the outstanding-alarms window: a shortcut bar with the groups Age,
// Assigned, From, Priority, Status and Title. Picking an item sets the matching filter of the
// view, which keeps it and reloads. The value groups list the values their profile lists hold;
// each group's "Refresh" reads them again from the alarm table.
#pragma once

#include "framework/core/CStringArray.h"
#include "wincomponents/pictures/CImageListHolder.h"
#include "wincomponents/shortcutbar/COXShortcutBar.h"
#include "wincomponents/sizingbars/CSizingControlBarG.h"

class CAlarmsDatabase;
class CAlarmsListView;

class CAlarmsSideBar : public CSizingControlBarG
{
public:
    // Item codes, kept as each list item's lParam.
    enum ItemCode : DWORD
    {
        kValue = 0x80000000,
        kRefresh = 0x80000004,
        kLastHours = 0x80000010, // up to kLastHours + 5
        kToday = 0x80000016,
        kAll = 0x80000017,
        kDefault = 0x80000018
    };
    enum
    {
        kShortcutBarId = 104,
        kMsgReleaseItem = WM_APP + 0x120 // wParam: the group whose picked item is released
    };

    CAlarmsSideBar();
    ~CAlarmsSideBar() override;

    // The view whose filters the items set; not owned.
    void SetView(CAlarmsListView* pView) { m_pView = pView; }
    CAlarmsListView* GetView() const { return m_pView; }

    void FillGroups();
    // The group's list control.
    COXSHBListCtrl* GroupList(HSHBGROUP hGroup) const { return m_wndShortcutBar.GetGroupListCtrl(hGroup); }

    COXShortcutBar m_wndShortcutBar;
    HSHBGROUP m_hAgeGroup;
    HSHBGROUP m_hTitleGroup;
    HSHBGROUP m_hFromGroup;
    HSHBGROUP m_hStatusGroup;
    HSHBGROUP m_hAssignedGroup;
    HSHBGROUP m_hPriorityGroup;
    int m_nHeaderHeight;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnLargeIcons();
    void OnSmallIcons();
    LRESULT OnReloadIconSize(WPARAM wParam, LPARAM lParam);
    void OnSelectItem(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnReleaseItem(WPARAM wParam, LPARAM lParam);
    void OnBarContextMenu(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // A value group: its profile list and the loader of its distinct values.
    struct ValueGroup
    {
        HSHBGROUP CAlarmsSideBar::*pHandle;
        const wchar_t* pszName;
        const wchar_t* pszProfileKey;
        void (CAlarmsDatabase::*pfnLoad)(CStringArray& arrValues);
        void (CAlarmsListView::*pfnSetFilter)(const wchar_t* pszText);
    };
    static const ValueGroup s_valueGroups[5];

    BOOL CreateGroups();
    BOOL BuildImageLists();
    void SetUpGroup(HSHBGROUP hGroup);
    void InsertGroupItem(HSHBGROUP hGroup, int nIndex, DWORD nCode, int nImage, const wchar_t* pszText);
    void FillAgeGroup();
    void FillValueGroup(const ValueGroup& group);
    const ValueGroup* FindValueGroup(HSHBGROUP hGroup) const;
    void SelectAgeItem(DWORD nCode, const CString& strText);
    void SelectValueItem(const ValueGroup& group, DWORD nCode, const CString& strText);
    void RefreshValueGroup(const ValueGroup& group);
    void SaveIconSize();
    void SetIconSize(int nView);

    CImageListHolder m_largeImages;
    CImageListHolder m_smallImages;
    CAlarmsListView* m_pView;
};
