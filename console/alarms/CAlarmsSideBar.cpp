#include "console/alarms/CAlarmsSideBar.h"

#include "alarmmodel/database/AlarmsDatabase.h"
#include "console/alarms/AlarmsListText.h"
#include "console/alarms/CAlarmsListView.h"
#include "console/app/RegisteredMessage.h"
#include "framework/controls/CMenu.h"
#include "framework/window/CWaitCursor.h"
#include "framework/window/CWinApp.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/OutstandingRes.h"
#include "support/AppProfile.h"
#include "support/StringEx.h"
#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

BEGIN_MESSAGE_MAP(CAlarmsSideBar, CSizingControlBarG)
    ON_COMMAND(IDC_SIDEBAR_LARGE_ICONS, OnLargeIcons)
    ON_COMMAND(IDC_SIDEBAR_SMALL_ICONS, OnSmallIcons)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgReloadIconSize, OnReloadIconSize)
    ON_NOTIFY(SHBN_ACTIVATEITEM, CAlarmsSideBar::kShortcutBarId, OnSelectItem)
    ON_NOTIFY(SHBN_CONTEXTMENU, CAlarmsSideBar::kShortcutBarId, OnBarContextMenu)
    ON_MESSAGE(CAlarmsSideBar::kMsgReleaseItem, OnReleaseItem)
END_MESSAGE_MAP()

namespace
{
const wchar_t szIconSizeKey[] = L"CAlarmsSideBar::SHB_ICONSIZE";
const int nItemTextMax = 512;
const int nLastHours[] = {1, 2, 3, 6, 12, 24};
const wchar_t* const pszLastHours[] = {L"Last 1 Hour",   L"Last 2 Hours",  L"Last 3 Hours",
                                       L"Last 6 Hours",  L"Last 12 Hours", L"Last 24 Hours"};
const int nImageValue = 2;
const int nImageRefresh = 4;
const int nImageAll = 6;
const int nImageDefault = 8;

// TRUE when the database object reported an error line.
BOOL HasReportedError(const CAlarmsDatabase& database)
{
    for (const CString& strLine : database.GetReportLines())
        if (strLine.Left(6) == L"Error ")
            return TRUE;
    return FALSE;
}

int StoredIconSize()
{
    return GetAppProfile().GetInt(szIconSizeKey, SHB_LARGEICON);
}
} // namespace

const CAlarmsSideBar::ValueGroup CAlarmsSideBar::s_valueGroups[5] = {
    {&CAlarmsSideBar::m_hTitleGroup, L"Title", L"CAlarmsSideBar::titles", &CAlarmsDatabase::LoadDistinctTitles,
     &CAlarmsListView::SetTitleFilter},
    {&CAlarmsSideBar::m_hFromGroup, L"From", L"CAlarmsSideBar::from", &CAlarmsDatabase::LoadDistinctFrom,
     &CAlarmsListView::SetFromFilter},
    {&CAlarmsSideBar::m_hStatusGroup, L"Status", L"CAlarmsSideBar::status", &CAlarmsDatabase::LoadDistinctStatus,
     &CAlarmsListView::SetStatusFilter},
    {&CAlarmsSideBar::m_hAssignedGroup, L"Assigned", L"CAlarmsSideBar::assignedto", &CAlarmsDatabase::LoadDistinctAssignedTo,
     &CAlarmsListView::SetAssignedToFilter},
    {&CAlarmsSideBar::m_hPriorityGroup, L"Priority", L"CAlarmsSideBar::priority", &CAlarmsDatabase::LoadDistinctPriority,
     &CAlarmsListView::SetPriorityFilter},
};

CAlarmsSideBar::CAlarmsSideBar()
    : m_hAgeGroup(0), m_hTitleGroup(0), m_hFromGroup(0), m_hStatusGroup(0), m_hAssignedGroup(0),
      m_hPriorityGroup(0), m_nHeaderHeight(0), m_pView(nullptr)
{
    m_dwSizingStyle |= scbsSizeChildren;
}

CAlarmsSideBar::~CAlarmsSideBar()
{
    if (m_wndShortcutBar.m_hWnd)
        m_wndShortcutBar.DestroyWindow();
}

// The sizing bar takes WM_CREATE before the message map sees it.
BOOL CAlarmsSideBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_CREATE)
        return CSizingControlBarG::OnWndMsg(message, wParam, lParam, pResult);
    *pResult = OnCreate((LPCREATESTRUCTW)lParam);
    return TRUE;
}

int CAlarmsSideBar::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CSizingControlBarG::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetBarStyle((GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY) & ~0x0Fu);
    if (!m_wndShortcutBar.Create(this, CRect(0, 0, 0, 0), 0x0B80, kShortcutBarId, WS_CHILD | WS_VISIBLE,
                                 WS_EX_STATICEDGE))
        return -1;
    TEXTMETRICW tm = {};
    HDC hDC = ::GetDC(m_hWnd);
    ::GetTextMetricsW(hDC, &tm);
    ::ReleaseDC(m_hWnd, hDC);
    m_nHeaderHeight = tm.tmHeight + 6;
    if (!CreateGroups() || !BuildImageLists())
        return -1;
    for (HSHBGROUP hGroup : {m_hAgeGroup, m_hTitleGroup, m_hFromGroup, m_hStatusGroup, m_hAssignedGroup,
                             m_hPriorityGroup})
        SetUpGroup(hGroup);
    FillGroups();
    return 0;
}

BOOL CAlarmsSideBar::CreateGroups()
{
    HSHBGROUP* pHandles[] = {&m_hAgeGroup, &m_hAssignedGroup, &m_hFromGroup,
                             &m_hPriorityGroup, &m_hStatusGroup, &m_hTitleGroup};
    const wchar_t* pszNames[] = {L"Age", L"Assigned", L"From", L"Priority", L"Status", L"Title"};
    for (int i = 0; i < 6; ++i)
    {
        SHB_GROUPINFO info;
        info.nMask = SHBGI_TEXT | SHBGI_ORDER;
        info.pszText = const_cast<wchar_t*>(pszNames[i]);
        info.nTextMax = (int)wcslen(pszNames[i]);
        info.nOrder = SHBGI_LAST;
        *pHandles[i] = m_wndShortcutBar.InsertGroup(&info);
        if (!*pHandles[i])
            return FALSE;
    }
    m_wndShortcutBar.ExpandGroup(m_hAgeGroup);
    return TRUE;
}

BOOL CAlarmsSideBar::BuildImageLists()
{
    for (UINT nId : {IDB_SIDEBAR_GROUP_LARGE, IDB_SIDEBAR_VALUE_LARGE, IDB_SIDEBAR_REFRESH_LARGE,
                     IDB_SIDEBAR_ALL_LARGE, IDB_SIDEBAR_DEFAULT_LARGE})
        m_largeImages.AddBitmap(nId);
    for (UINT nId : {IDB_SIDEBAR_GROUP_SMALL, IDB_SIDEBAR_VALUE_SMALL, IDB_SIDEBAR_REFRESH_SMALL,
                     IDB_SIDEBAR_ALL_SMALL, IDB_SIDEBAR_DEFAULT_SMALL})
        m_smallImages.AddBitmap(nId);
    return m_largeImages.Create(RGB(255, 0, 255)) && m_smallImages.Create(RGB(255, 0, 255));
}

void CAlarmsSideBar::SetUpGroup(HSHBGROUP hGroup)
{
    SHB_DESCRIPTOR descriptor = {};
    descriptor.nMask = SHBD_HEADERHEIGHT | SHBD_CLRBACK | SHBD_CLRTEXT;
    descriptor.nHeaderHeight = m_nHeaderHeight;
    descriptor.clrBackground = ::GetSysColor(COLOR_WINDOW);
    descriptor.clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_wndShortcutBar.SetGroupDescriptor(hGroup, &descriptor);
    m_wndShortcutBar.SetLCImageList(hGroup, *m_largeImages.GetImageList(), LVSIL_NORMAL);
    m_wndShortcutBar.SetLCImageList(hGroup, *m_smallImages.GetImageList(), LVSIL_SMALL);
    m_wndShortcutBar.SetGroupView(hGroup, StoredIconSize());
}

void CAlarmsSideBar::InsertGroupItem(HSHBGROUP hGroup, int nIndex, DWORD nCode, int nImage, const wchar_t* pszText)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = nIndex;
    item.pszText = const_cast<wchar_t*>(pszText);
    item.iImage = nImage;
    item.lParam = (LPARAM)nCode;
    m_wndShortcutBar.InsertLCItem(hGroup, &item);
}

void CAlarmsSideBar::FillGroups()
{
    FillAgeGroup();
    for (const ValueGroup& group : s_valueGroups)
        FillValueGroup(group);
}

void CAlarmsSideBar::FillAgeGroup()
{
    GroupList(m_hAgeGroup)->DeleteAllItems();
    InsertGroupItem(m_hAgeGroup, 0, kDefault, nImageDefault, L"- Default -");
    InsertGroupItem(m_hAgeGroup, 1, kAll, nImageAll, L"All");
    InsertGroupItem(m_hAgeGroup, 2, kToday, nImageValue, L"Today");
    for (int k = 0; k < 6; ++k)
        InsertGroupItem(m_hAgeGroup, 3 + k, kLastHours + k, nImageValue, pszLastHours[k]);
    SaveIconSize();
}

void CAlarmsSideBar::FillValueGroup(const ValueGroup& group)
{
    HSHBGROUP hGroup = this->*group.pHandle;
    GroupList(hGroup)->DeleteAllItems();
    InsertGroupItem(hGroup, 0, kRefresh, nImageRefresh, L"Refresh");
    InsertGroupItem(hGroup, 1, kDefault, nImageDefault, L"- Default -");
    InsertGroupItem(hGroup, 2, kAll, nImageAll, L"All");
    CStringArray arrStored;
    GetAppProfile().GetStringList(group.pszProfileKey, arrStored);
    CStringArrayEx arrValues(arrStored);
    arrValues.Sort(TRUE);
    for (int i = 0; i < arrValues.GetSize(); ++i)
        InsertGroupItem(hGroup, 3 + i, kValue, nImageValue, arrValues[i]);
    SaveIconSize();
}

const CAlarmsSideBar::ValueGroup* CAlarmsSideBar::FindValueGroup(HSHBGROUP hGroup) const
{
    for (const ValueGroup& group : s_valueGroups)
        if (this->*group.pHandle == hGroup)
            return &group;
    return nullptr;
}

void CAlarmsSideBar::OnSelectItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMSHORTCUTBAR* pInfo = reinterpret_cast<const NMSHORTCUTBAR*>(pNMHDR);
    COXSHBListCtrl* pList = GroupList(pInfo->hGroup);
    if (pInfo->nItem == -1 || !pList || !m_pView)
        return;
    DWORD nCode = (DWORD)pList->GetItemData(pInfo->nItem);
    CString strText = pList->GetItemText(pInfo->nItem, 0).Left(nItemTextMax);
    if (nCode == kDefault)
        m_pView->ClearFilters();
    else if (pInfo->hGroup == m_hAgeGroup)
        SelectAgeItem(nCode, strText);
    else if (const ValueGroup* pGroup = FindValueGroup(pInfo->hGroup))
        SelectValueItem(*pGroup, nCode, strText);
    PostMessage(kMsgReleaseItem, (WPARAM)pInfo->hGroup);
}

// The list tells only of a change of its active item: once the pick is done, the item is
// released, so that picking it again after another filter change applies it again.
LRESULT CAlarmsSideBar::OnReleaseItem(WPARAM wParam, LPARAM)
{
    if (COXSHBListCtrl* pList = GroupList((HSHBGROUP)wParam))
        pList->SetActiveItem(-1);
    return 0;
}

void CAlarmsSideBar::SelectAgeItem(DWORD nCode, const CString& strText)
{
    CTime now = AlarmsNow();
    if (nCode == kAll)
        m_pView->SetAgeFilter(L"", L"", -1);
    else if (nCode == kToday)
        m_pView->SetAgeFilter(now.Format(L"%Y-%m-%d 00:00:00"), L"Today", 0);
    else if (nCode >= kLastHours && nCode < kLastHours + 6)
    {
        int nHours = nLastHours[nCode - kLastHours];
        CTime since(now.GetTime() - nHours * 3600);
        m_pView->SetAgeFilter(since.Format(L"%Y-%m-%d %H:%M:%S"), strText, nHours);
    }
}

// The text goes to the view as it stands: the view's filters reach SQL only as bound parameters.
void CAlarmsSideBar::SelectValueItem(const ValueGroup& group, DWORD nCode, const CString& strText)
{
    if (nCode == kRefresh)
        RefreshValueGroup(group);
    else if (nCode == kAll)
        (m_pView->*group.pfnSetFilter)(L"");
    else
        (m_pView->*group.pfnSetFilter)(strText);
}

void CAlarmsSideBar::RefreshValueGroup(const ValueGroup& group)
{
    CWaitCursor wait;
    CAlarmsDatabase database;
    CStringArray arrValues;
    (database.*group.pfnLoad)(arrValues);
    // An empty list from a failed read would lose the remembered values.
    if (HasReportedError(database))
    {
        database.ReportError(L"The %s values could not be read: the list keeps its values", group.pszName);
        return;
    }
    GetAppProfile().WriteStringList(group.pszProfileKey, arrValues);
    FillValueGroup(group);
}

void CAlarmsSideBar::SaveIconSize()
{
    GetAppProfile().WriteInt(szIconSizeKey, m_wndShortcutBar.GetGroupView(m_hAgeGroup));
}

void CAlarmsSideBar::OnBarContextMenu(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 1;
    CMenu menu;
    if (!menu.LoadMenu(IDR_SIDEBAR_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    BOOL bLarge = m_wndShortcutBar.GetGroupView(m_hAgeGroup) == SHB_LARGEICON;
    ::CheckMenuItem(pPopup->m_hMenu, bLarge ? IDC_SIDEBAR_LARGE_ICONS : IDC_SIDEBAR_SMALL_ICONS,
                    MF_BYCOMMAND | MF_CHECKED);
    POINT point;
    ::GetCursorPos(&point);
    pPopup->TrackPopupMenu(0, point.x, point.y, this);
    menu.DestroyMenu();
}

void CAlarmsSideBar::OnLargeIcons()
{
    SetIconSize(SHB_LARGEICON);
}

void CAlarmsSideBar::OnSmallIcons()
{
    SetIconSize(SHB_SMALLICON);
}

// Every side bar of every outstanding-alarms window follows.
void CAlarmsSideBar::SetIconSize(int nView)
{
    m_wndShortcutBar.SetGroupView(m_hAgeGroup, nView);
    SaveIconSize();
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessageToDescendants(RegisteredMessage::nMsgReloadIconSize, 0, 0, TRUE, FALSE);
}

LRESULT CAlarmsSideBar::OnReloadIconSize(WPARAM, LPARAM)
{
    int nView = StoredIconSize();
    for (int i = 0; i < m_wndShortcutBar.GetGroupCount(); ++i)
        m_wndShortcutBar.SetGroupView(m_wndShortcutBar.FindGroupByOrder(i), nView);
    m_wndShortcutBar.ShowGroupChildWnd(m_wndShortcutBar.GetExpandedGroup(), FALSE);
    ::RedrawWindow(m_wndShortcutBar.m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return 0;
}
