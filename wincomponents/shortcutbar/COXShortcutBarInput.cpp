// The shortcut bar towards the user and its owner: expanding, the mouse, header dragging, the
// context menu and its commands, tool tips and the notifications.
#include "wincomponents/shortcutbar/COXShortcutBar.h"
#include "wincomponents/shortcutbar/ToolTipText.h"

#include "framework/controls/CMenu.h"
#include "framework/window/CWinApp.h"

#include <algorithm>

namespace
{
const UINT_PTR kPressTimer = 2;
const UINT_PTR kHoverTimer = 3;
const UINT kPressDelay = 100;
const int kAnimationStep = 20;
} // namespace

BEGIN_MESSAGE_MAP(COXShortcutBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
    ON_MESSAGE(WM_CANCELMODE, OnCancelMode)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
    ON_MESSAGE(DROPTARGET_DRAGOVER, OnDropTargetDragOverMsg)
    ON_MESSAGE(DROPTARGET_DRAGLEAVE, OnDropTargetDragLeaveMsg)
    ON_COMMAND(ID_SHB_LARGEICONS, OnLargeIcons)
    ON_COMMAND(ID_SHB_SMALLICONS, OnSmallIcons)
    ON_COMMAND(ID_SHB_ADDNEWGROUP, OnAddNewGroup)
    ON_COMMAND(ID_SHB_REMOVEGROUP, OnRemoveGroup)
    ON_COMMAND(ID_SHB_RENAMEGROUP, OnRenameGroup)
    ON_COMMAND(ID_SHB_REMOVEITEM, OnRemoveItem)
    ON_COMMAND(ID_SHB_RENAMEITEM, OnRenameItem)
    ON_NOTIFY(SHBEN_FINISHEDIT, SHB_IDCEDIT, OnChangeGroupHeaderText)
    ON_UPDATE_COMMAND_UI(ID_SHB_LARGEICONS, OnUpdateLargeIcons)
    ON_UPDATE_COMMAND_UI(ID_SHB_SMALLICONS, OnUpdateSmallIcons)
END_MESSAGE_MAP()

// --- notifications

LRESULT COXShortcutBar::SendSHBNotification(SHB_NOTIFYINFO* pInfo)
{
    HWND hParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!hParent)
        return 0;
    pInfo->hdr.hwndFrom = m_hWnd;
    pInfo->hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    return ::SendMessageW(hParent, WM_NOTIFY, pInfo->hdr.idFrom, (LPARAM)pInfo);
}

LRESULT COXShortcutBar::Notify(UINT nCode, HSHBGROUP hGroup, LPARAM lParam)
{
    NMSHORTCUTBAR nm = {};
    nm.hdr.code = nCode;
    nm.hGroup = hGroup;
    nm.nItem = -1;
    nm.lParam = lParam;
    return SendSHBNotification(&nm);
}

// --- expanding

HSHBGROUP COXShortcutBar::ExpandGroup(HSHBGROUP hGroup)
{
    StopHover();
    if (hGroup == m_hExpandedGroup || (hGroup && !FindInfo(hGroup)))
        return m_hExpandedGroup;
    if (Notify(SHBN_GROUPEXPANDING, hGroup, 0) != 0)
        return m_hExpandedGroup;
    HSHBGROUP hOld = m_hExpandedGroup;
    m_hExpandedGroup = hGroup;
    if (m_dwBarStyle & SHBS_ANIMATEEXPAND && hOld && hGroup && !m_rectChildWnd.IsRectEmpty())
        AnimateExpand(hOld, hGroup);
    CalculateBoundRects();
    HideGroupChildWnd(hOld);
    RedrawNow();
    ShowGroupChildWnd(hGroup, TRUE);
    Notify(SHBN_GROUPEXPANDED, hGroup, 0);
    return hOld;
}

// The headers between the old and the new group slide over the old group's child area.
void COXShortcutBar::AnimateExpand(HSHBGROUP hOld, HSHBGROUP hNew)
{
    int nOld = GetGroupOrder(hOld);
    int nNew = GetGroupOrder(hNew);
    BOOL bUp = nOld < nNew;
    int nSteps = m_rectChildWnd.Height() / kAnimationStep;
    int nStep = kAnimationStep;
    HWND hChild = GetGroupChildWndHandle(hOld);
    for (int i = 0; i < nSteps - 1; i++)
    {
        if (i > nSteps / 2)
        {
            i++;
            nStep = 2 * kAnimationStep;
        }
        CRect rectDirty;
        for (auto& entry : m_mapHandleToBoundRect)
        {
            int nOrder = GetGroupOrder(entry.first);
            if (nOrder <= std::min(nOld, nNew) || nOrder > std::max(nOld, nNew))
                continue;
            CRect rectOld = entry.second;
            entry.second.OffsetRect(0, bUp ? -nStep : nStep);
            ::UnionRect(&rectDirty, &rectDirty, &rectOld);
            ::UnionRect(&rectDirty, &rectDirty, &entry.second);
        }
        if (bUp)
            m_rectChildWnd.bottom -= nStep;
        else
            m_rectChildWnd.top += nStep;
        if (hChild)
            ::MoveWindow(hChild, m_rectChildWnd.left, m_rectChildWnd.top, m_rectChildWnd.Width(),
                         std::max(0, (int)m_rectChildWnd.Height()), FALSE);
        ::RedrawWindow(m_hWnd, &rectDirty, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

// --- mouse

LRESULT COXShortcutBar::OnNcHitTest(WPARAM, LPARAM)
{
    return HTCLIENT;
}

LRESULT COXShortcutBar::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    CPoint point(lParam);
    UINT nWhere = 0;
    HSHBGROUP hGroup = HitTest(point, &nWhere);
    if (nWhere == SHBHT_HEADER)
    {
        ExpandGroup(hGroup);
        if (!(m_dwBarStyle & SHBS_NOHEADERDRAG) && HitTest(point, &nWhere) == hGroup && nWhere == SHBHT_HEADER)
        {
            KillPressTimer();
            m_nPressTimer = SetTimer(kPressTimer, kPressDelay);
            m_hPressedGroup = hGroup;
            CRect rect;
            GetGroupHeaderRect(hGroup, &rect);
            if (m_dwBarStyle & SHBS_DRAGIMAGE)
                m_ptDragImageOffset = CPoint(point.x - rect.left, point.y - rect.top);
        }
    }
    (void)wParam;
    return Default();
}

void COXShortcutBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_hDragGroup)
    {
        TrackHeaderDrag(point);
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    UINT nWhere = 0;
    HSHBGROUP hGroup = HitTest(point, &nWhere);
    BOOL bOnHeader = nWhere == SHBHT_HEADER;
    if (bOnHeader && !m_nPressTimer && nFlags & MK_LBUTTON && hGroup == m_hPressedGroup &&
        !(m_dwBarStyle & SHBS_NOHEADERDRAG))
        StartHeaderDrag(hGroup, point);
    else if (bOnHeader && !m_nPressTimer && !(nFlags & MK_LBUTTON) && hGroup != m_hExpandedGroup &&
             m_dwBarStyle & SHBS_AUTOEXPAND && !m_hEditGroup && hGroup != m_hHoverGroup)
        StartHover(hGroup, m_nAutoExpandDelay);
    CWnd::OnMouseMove(nFlags, point);
}

LRESULT COXShortcutBar::OnLButtonUp(WPARAM, LPARAM)
{
    m_hPressedGroup = 0;
    if (m_hDragGroup)
        EndHeaderDrag();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return Default();
}

LRESULT COXShortcutBar::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    if ((HWND)lParam != m_hWnd)
        CancelHeaderDrag();
    return Default();
}

// A message box, a menu or a disabled owner: the button-up will not come here.
LRESULT COXShortcutBar::OnCancelMode(WPARAM, LPARAM)
{
    CancelHeaderDrag();
    return Default();
}

void COXShortcutBar::StartHeaderDrag(HSHBGROUP hGroup, CPoint point)
{
    if (m_dwBarStyle & SHBS_DRAGIMAGE)
    {
        if (m_hDragImage)
            ImageList_Destroy(m_hDragImage);
        m_hDragImage = CreateGroupDragImage(hGroup);
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (m_hDragImage && ImageList_BeginDrag(m_hDragImage, 0, m_ptDragImageOffset.x, m_ptDragImageOffset.y))
        {
            ImageList_DragEnter(::GetDesktopWindow(), ptScreen.x, ptScreen.y);
            ImageList_DragShowNolock(FALSE);
        }
    }
    ::SetCapture(m_hWnd);
    SetDragGroup(hGroup);
    UpdateHeader(hGroup);
    if (m_hDragImage)
        ImageList_DragShowNolock(TRUE);
}

void COXShortcutBar::TrackHeaderDrag(CPoint point)
{
    HSHBGROUP hTarget = FindDragTarget(point);
    if (m_hDragImage)
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        ImageList_DragMove(ptScreen.x, ptScreen.y);
        ImageList_DragShowNolock(FALSE);
    }
    HSHBGROUP hFormer = SetDropTargetGroup(hTarget);
    if (hFormer && hFormer != hTarget && hFormer != m_hDragGroup)
        UpdateHeader(hFormer);
    if (hTarget != hFormer && hTarget != m_hDragGroup)
        UpdateHeader(hTarget);
    if (m_hDragImage)
        ImageList_DragShowNolock(TRUE);
    BOOL bCanDrop = hTarget && hTarget != m_hDragGroup;
    ::SetCursor(::LoadCursorW(nullptr, bCanDrop ? IDC_ARROW : IDC_NO));
}

// The header under the cursor, else the one that the moving header overlaps most.
HSHBGROUP COXShortcutBar::FindDragTarget(CPoint point) const
{
    UINT nWhere = 0;
    HSHBGROUP hGroup = HitTest(point, &nWhere);
    if (nWhere == SHBHT_HEADER)
        return hGroup;
    CRect rectMoving;
    GetGroupHeaderRect(m_hDragGroup, &rectMoving);
    if (m_hDragImage)
    {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_hDragImage, &cx, &cy);
        rectMoving = CRect(point.x - m_ptDragImageOffset.x, point.y - m_ptDragImageOffset.y, 0, 0);
        rectMoving.right = rectMoving.left + cx;
        rectMoving.bottom = rectMoving.top + cy;
    }
    CRect rectClient, rectMet, rectInChild;
    GetClientRect(&rectClient);
    if (!::IntersectRect(&rectMet, &rectMoving, &rectClient))
        return 0;
    if (::IntersectRect(&rectInChild, &rectMoving, &m_rectChildWnd) && rectInChild == rectMoving)
        return 0;
    HSHBGROUP hBest = 0;
    int nBestArea = 0;
    for (int nOrder = 0; nOrder < GetGroupCount(); nOrder++)
    {
        HSHBGROUP hCandidate = FindGroupByOrder(nOrder);
        CRect rectHeader, rectOverlap;
        if (GetGroupHeaderRect(hCandidate, &rectHeader) && ::IntersectRect(&rectOverlap, &rectHeader, &rectMoving) &&
            rectOverlap.Width() * rectOverlap.Height() > nBestArea)
        {
            hBest = hCandidate;
            nBestArea = rectOverlap.Width() * rectOverlap.Height();
        }
    }
    return hBest;
}

HSHBGROUP COXShortcutBar::StopHeaderDrag()
{
    if (m_hDragImage)
    {
        ImageList_DragLeave(::GetDesktopWindow());
        ImageList_EndDrag();
        ImageList_Destroy(m_hDragImage);
        m_hDragImage = nullptr;
    }
    SetDragGroup(0);
    return SetDropTargetGroup(0);
}

void COXShortcutBar::CancelHeaderDrag()
{
    m_hPressedGroup = 0;
    HSHBGROUP hDragged = m_hDragGroup;
    if (!hDragged)
        return;
    HSHBGROUP hTarget = StopHeaderDrag();
    UpdateHeader(hDragged);
    if (hTarget && hTarget != hDragged)
        UpdateHeader(hTarget);
}

void COXShortcutBar::EndHeaderDrag()
{
    HSHBGROUP hDragged = m_hDragGroup;
    HSHBGROUP hTarget = StopHeaderDrag();
    if (!hTarget)
    {
        UpdateHeader(hDragged);
        return;
    }
    if (Notify(SHBN_DROPHEADER, hDragged, (LPARAM)hTarget) != 0)
    {
        UpdateHeader(hDragged);
        UpdateHeader(hTarget);
        return;
    }
    SetGroupOrder(hDragged, GetGroupOrder(hTarget));
    if (m_hExpandedGroup)
        ShowGroupChildWnd(m_hExpandedGroup, TRUE);
    RedrawNow();
}

HSHBGROUP COXShortcutBar::SetDragGroup(HSHBGROUP hGroup)
{
    HSHBGROUP hOld = m_hDragGroup;
    m_hDragGroup = hGroup;
    if (hOld != hGroup)
        Notify(SHBN_HEADERDRAG, hGroup, (LPARAM)&m_ptDragImageOffset);
    return hOld;
}

HSHBGROUP COXShortcutBar::SetDropTargetGroup(HSHBGROUP hGroup)
{
    HSHBGROUP hOld = m_hDropTargetGroup;
    m_hDropTargetGroup = hGroup;
    return hOld;
}

// The header as DrawHeader draws it, as the one image of a new image list.
HIMAGELIST COXShortcutBar::CreateGroupDragImage(HSHBGROUP hGroup)
{
    CRect rect;
    if (!GetGroupHeaderRect(hGroup, &rect) || rect.IsRectEmpty())
        return nullptr;
    HIMAGELIST hImages = ImageList_Create(rect.Width(), rect.Height(), ILC_COLOR32, 0, 1);
    HDC hScreen = ::GetDC(m_hWnd);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rect.Width(), rect.Height());
    ::ReleaseDC(m_hWnd, hScreen);
    if (hImages && hMem && hBitmap)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        DrawHeaderAt(hMem, hGroup, rect.Size());
        ::SelectObject(hMem, hOld);
        ImageList_Add(hImages, hBitmap, nullptr);
    }
    if (hBitmap)
        ::DeleteObject(hBitmap);
    if (hMem)
        ::DeleteDC(hMem);
    return hImages;
}

// --- timers

void COXShortcutBar::StartHover(HSHBGROUP hGroup, UINT nDelay)
{
    StopHover();
    m_hHoverGroup = hGroup;
    m_nHoverTimer = SetTimer(kHoverTimer, nDelay);
}

void COXShortcutBar::StopHover()
{
    if (m_nHoverTimer && m_hWnd)
        KillTimer(m_nHoverTimer);
    m_nHoverTimer = 0;
    m_hHoverGroup = 0;
}

void COXShortcutBar::KillPressTimer()
{
    if (m_nPressTimer && m_hWnd)
        KillTimer(m_nPressTimer);
    m_nPressTimer = 0;
}

void COXShortcutBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kPressTimer)
    {
        KillPressTimer();
        return;
    }
    if (nIDEvent != kHoverTimer)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    HSHBGROUP hHover = m_hHoverGroup;
    StopHover();
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    UINT nWhere = 0;
    if (hHover && HitTest(point, &nWhere) == hHover && nWhere == SHBHT_HEADER)
        ExpandGroup(hHover);
}

void COXShortcutBar::OnDestroy()
{
    CWnd::OnDestroy();
    KillPressTimer();
    StopHover();
    if (m_pRegisteredDropTarget)
        m_pRegisteredDropTarget->Revoke();
    m_pRegisteredDropTarget = nullptr;
}

// --- OLE drags over the headers

COleDropTarget* COXShortcutBar::GetDropTarget()
{
    NMSHORTCUTBAR notify = {};
    notify.hdr.code = SHBN_GETDROPTARGET;
    notify.nItem = -1;
    if (SendSHBNotification(&notify) && notify.lParam)
        return (COleDropTarget*)notify.lParam;
    return &m_dropTarget;
}

LRESULT COXShortcutBar::OnDropTargetDragOverMsg(WPARAM wParam, LPARAM lParam)
{
    return OnDropTargetDragOver(wParam, lParam);
}

LRESULT COXShortcutBar::OnDropTargetDragLeaveMsg(WPARAM wParam, LPARAM lParam)
{
    return OnDropTargetDragLeave(wParam, lParam);
}

BOOL COXShortcutBar::OnDropTargetDragOver(WPARAM, LPARAM lParam)
{
    if (m_dwBarStyle & SHBS_NODRAGHOVER)
        return FALSE;
    if (Notify(SHBN_DRAGOVER, 0, lParam))
        return TRUE;
    DROPTARGETCALL* pCall = (DROPTARGETCALL*)lParam;
    pCall->result = DROPEFFECT_NONE;
    UINT nWhere = 0;
    HSHBGROUP hGroup = HitTest(CPoint(pCall->x, pCall->y), &nWhere);
    if (hGroup && nWhere == SHBHT_HEADER && hGroup != m_hExpandedGroup && hGroup != m_hHoverGroup)
        StartHover(hGroup, m_nAutoExpandDelay / 4);
    return TRUE;
}

BOOL COXShortcutBar::OnDropTargetDragLeave(WPARAM, LPARAM lParam)
{
    if (m_dwBarStyle & SHBS_NODRAGHOVER)
        return FALSE;
    if (Notify(SHBN_DRAGLEAVE, 0, lParam))
        return TRUE;
    StopHover();
    return TRUE;
}

// --- context menu and commands

LRESULT COXShortcutBar::OnContextMenu(WPARAM, LPARAM lParam)
{
    StopHover();
    CPoint ptScreen(lParam);
    CPoint point = ptScreen;
    ScreenToClient(&point);
    UINT nWhere = 0;
    HSHBGROUP hGroup = HitTest(point, &nWhere);
    m_hContextGroup = nWhere == SHBHT_HEADER ? hGroup : m_hExpandedGroup;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return 0;
    BuildContextMenu(menu, ptScreen, nWhere == SHBHT_CHILD);
    SHBCONTEXTMENU record = {&menu, this, m_hContextGroup, ptScreen};
    if (Notify(SHBN_CONTEXTMENU, m_hContextGroup, (LPARAM)&record) == 0 && menu.GetMenuItemCount() > 0)
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, ptScreen.x, ptScreen.y, this);
    return 0;
}

void COXShortcutBar::BuildContextMenu(CMenu& menu, CPoint ptScreen, BOOL bInChild)
{
    BOOL bEditHeaders = (m_dwBarStyle & SHBS_EDITHEADERS) != 0;
    if (bEditHeaders)
        menu.AppendMenu(MF_STRING, ID_SHB_ADDNEWGROUP, L"Add New Group");
    if (!m_hContextGroup)
        return;
    if (bEditHeaders)
        menu.AppendMenu(MF_SEPARATOR);
    BOOL bLarge = m_hExpandedGroup && GetGroupView(m_hExpandedGroup) == SHB_LARGEICON;
    menu.AppendMenu(MF_STRING | (bLarge ? MF_CHECKED : 0), ID_SHB_LARGEICONS, L"Large Icons");
    menu.AppendMenu(MF_STRING | (m_hExpandedGroup && !bLarge ? MF_CHECKED : 0), ID_SHB_SMALLICONS, L"Small Icons");
    if (bEditHeaders)
    {
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_SHB_REMOVEGROUP, L"Remove Group");
        menu.AppendMenu(MF_STRING, ID_SHB_RENAMEGROUP, L"Rename Group");
    }
    HWND hChild = GetGroupChildWndHandle(m_hContextGroup);
    if (bInChild && hChild)
    {
        SHBCONTEXTMENU record = {&menu, this, m_hContextGroup, ptScreen};
        ::SendMessageW(hChild, SHBM_POPULATECONTEXTMENU, 0, (LPARAM)&record);
    }
}

void COXShortcutBar::SetExpandedView(int nView)
{
    if (!m_hExpandedGroup || GetGroupView(m_hExpandedGroup) == nView)
        return;
    SetGroupView(m_hExpandedGroup, nView);
    ShowGroupChildWnd(m_hExpandedGroup, TRUE);
}

void COXShortcutBar::OnLargeIcons()
{
    SetExpandedView(SHB_LARGEICON);
}

void COXShortcutBar::OnSmallIcons()
{
    SetExpandedView(SHB_SMALLICON);
}

void COXShortcutBar::OnUpdateLargeIcons(CCmdUI* pCmdUI)
{
    if (m_hExpandedGroup)
        pCmdUI->SetCheck(GetGroupView(m_hExpandedGroup) == SHB_LARGEICON);
}

void COXShortcutBar::OnUpdateSmallIcons(CCmdUI* pCmdUI)
{
    if (m_hExpandedGroup)
        pCmdUI->SetCheck(GetGroupView(m_hExpandedGroup) == SHB_SMALLICON);
}

void COXShortcutBar::OnAddNewGroup()
{
    SHB_GROUPINFO info;
    info.nMask = SHBGI_TEXT;
    HSHBGROUP hGroup = InsertGroup(&info);
    if (!hGroup)
        return;
    if (GetGroupCount() == 1)
        ExpandGroup(hGroup);
    else
        RecalcAndShowExpanded();
    EditGroupHeader(hGroup);
}

void COXShortcutBar::OnRemoveGroup()
{
    DeleteGroup(m_hContextGroup);
}

void COXShortcutBar::OnRenameGroup()
{
    EditGroupHeader(m_hContextGroup);
}

// Commands go to the parent first, then to the bar, the expanded group's child window and
// the application.
BOOL COXShortcutBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI)
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    CWnd* pParent = GetParent();
    if (pParent && !pParent->IsKindOf(RUNTIME_CLASS(COXShortcutBar)) &&
        pParent->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWnd* pChild = m_hExpandedGroup ? CWnd::FromHandlePermanent(GetGroupChildWndHandle(m_hExpandedGroup)) : nullptr;
    if (pChild && !pChild->IsKindOf(RUNTIME_CLASS(COXShortcutBar)) &&
        pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// --- tool tips

INT_PTR COXShortcutBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    UINT nWhere = 0;
    HSHBGROUP hGroup = HitTest(point, &nWhere);
    if (!(m_dwBarStyle & SHBS_TOOLTIPS) || nWhere != SHBHT_HEADER)
        return -1;
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)hGroup;
    GetGroupHeaderRect(hGroup, &pTI->rect);
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
    return hGroup;
}

BOOL COXShortcutBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->hwndFrom == m_hWndToolTip && m_hWndToolTip &&
        (pNMHDR->code == TTN_NEEDTEXTW || pNMHDR->code == TTN_NEEDTEXTA))
        return HandleToolTipText(pNMHDR, pResult);
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL COXShortcutBar::HandleToolTipText(NMHDR* pNMHDR, LRESULT* pResult)
{
    SHBHEADERTIP tip = {};
    *pResult = Notify(SHBN_GETHEADERTIP, (HSHBGROUP)pNMHDR->idFrom, (LPARAM)&tip);
    tip.szText[79] = L'\0';
    FillToolTipText(pNMHDR, tip.lpszText, tip.szText, tip.hinst);
    return TRUE;
}
