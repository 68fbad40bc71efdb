// An outlook-style bar: a vertical stack of group headers, one of them expanded; the room left
// below the headers belongs to the expanded group's child window, by default a group list that
// the bar creates. The bar tells its parent everything through WM_NOTIFY with an NMSHORTCUTBAR
// record; for the codes sent before an action a non-zero answer cancels it.
#pragma once

#include "framework/gdi/CFont.h"
#include "framework/gdi/CImageList.h"
#include "framework/window/CWnd.h"
#include "wincomponents/shortcutbar/COXSHBEdit.h"
#include "wincomponents/shortcutbar/COXSHBListHost.h"
#include "wincomponents/shortcutbar/CWndMsgDropTarget.h"
#include "wincomponents/shortcutbar/ShortcutBarTypes.h"

#include <map>
#include <set>

class CDC;
class CMenu;
class COXSHBListCtrl;

class COXShortcutBar : public CWnd, public COXSHBListHost
{
    DECLARE_DYNCREATE(COXShortcutBar)
public:
    COXShortcutBar();
    ~COXShortcutBar() override;

    // --- creation and style
    BOOL Create(CWnd* pParentWnd, const RECT& rect, DWORD dwBarStyle, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE, DWORD dwExStyle = 0);
    BOOL InitShortcutBar();
    BOOL SetBarStyle(DWORD dwBarStyle);
    DWORD GetBarStyle() const override { return m_dwBarStyle; }
    CSize GetScrollButtonSize() const override { return m_sizeScrollButton; }
    UINT GetScrollingDelay() const override { return m_nScrollingDelay; }
    UINT GetAutoScrollingDelay() const override { return m_nAutoScrollingDelay; }
    BOOL IsEditingGroupHeader() const override { return m_hEditGroup != 0; }
    // The header image list, not owned; null removes it.
    void SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const { return m_pImageList; }

    // --- groups
    HSHBGROUP InsertGroup(const SHB_GROUPINFO* pGroupInfo);
    BOOL DeleteGroup(HSHBGROUP hGroup);
    BOOL DeleteAllGroups();
    BOOL SetGroupInfo(HSHBGROUP hGroup, const SHB_GROUPINFO* pGroupInfo, BOOL bReplace = FALSE);
    HSHBGROUP FindGroup(const SHB_GROUPINFO* pPattern) const;
    HSHBGROUP FindGroupByOrder(int nOrder) const;
    int GetGroupCount() const { return (int)m_mapHandleToInfo.size(); }
    // Direction 1 ascending, -1 descending, 0 leaves the order; always TRUE.
    BOOL SortGroups(PFNSHBCOMPARE pfnCompare, LPARAM lParamSort, int nDirection);
    BOOL SortGroupsByText(int nDirection);
    HSHBGROUP ExpandGroup(HSHBGROUP hGroup);
    // Opens the editor on the header (with SHBS_EDITHEADERS); the editor, or null.
    COXSHBEdit* EditGroupHeader(HSHBGROUP hGroup);
    // Opens the group list's editor on an item's label (with SHBS_EDITITEMS); null when not.
    COXSHBEdit* EditLCItem(HSHBGROUP hGroup, int nItem);
    HSHBGROUP GetExpandedGroup() const { return m_hExpandedGroup; }
    HSHBGROUP GetEditGroup() const { return m_hEditGroup; }
    HSHBGROUP GetDragGroup() const { return m_hDragGroup; }
    HSHBGROUP GetDropTargetGroup() const { return m_hDropTargetGroup; }

    // --- group fields; unknown handles give the documented "nothing" value
    CString GetGroupText(HSHBGROUP hGroup) const;
    BOOL SetGroupText(HSHBGROUP hGroup, const CString& strText);
    int GetGroupImage(HSHBGROUP hGroup) const;
    int GetGroupImageExpanded(HSHBGROUP hGroup) const;
    int GetGroupOrder(HSHBGROUP hGroup) const;
    BOOL SetGroupOrder(HSHBGROUP hGroup, int nOrder);
    int GetGroupView(HSHBGROUP hGroup) const override;
    // Handle 0 sets every group.
    BOOL SetGroupView(HSHBGROUP hGroup, int nView);
    BOOL SetGroupDescriptor(HSHBGROUP hGroup, const SHB_DESCRIPTOR* pDescriptor);
    LPARAM GetGroupData(HSHBGROUP hGroup) const;
    HWND GetGroupChildWnd(HSHBGROUP hGroup) const;
    COXSHBListCtrl* GetGroupListCtrl(HSHBGROUP hGroup) const;
    // The owner's child window, else the list control's window.
    HWND GetGroupChildWndHandle(HSHBGROUP hGroup) const;
    COLORREF GetGroupBkColor(HSHBGROUP hGroup) const override;
    BOOL SetGroupBkColor(HSHBGROUP hGroup, COLORREF crColor) override;
    COLORREF GetGroupTextColor(HSHBGROUP hGroup) const override;
    BOOL SetGroupTextColor(HSHBGROUP hGroup, COLORREF crColor) override;
    COLORREF GetGroupHeaderBkColor(HSHBGROUP hGroup) const;
    COLORREF GetGroupHeaderTextColor(HSHBGROUP hGroup) const;
    UINT GetGroupHeaderTextFormat(HSHBGROUP hGroup) const;
    // Valid until the next call of either font getter.
    const LOGFONTW* GetGroupTextFont(HSHBGROUP hGroup) override;
    const LOGFONTW* GetGroupHeaderTextFont(HSHBGROUP hGroup) const;
    int GetGroupHeaderHeight(HSHBGROUP hGroup) const;
    BOOL SetGroupHeaderHeight(HSHBGROUP hGroup, int nHeight);
    BOOL GetGroupHeaderRect(HSHBGROUP hGroup, LPRECT lpRect) const;
    CRect GetChildWndRect() const { return m_rectChildWnd; }

    // --- items of a group's own list control
    HIMAGELIST SetLCImageList(HSHBGROUP hGroup, HIMAGELIST hImageList, int nImageList);
    int InsertLCItem(HSHBGROUP hGroup, const LVITEMW* pItem);
    BOOL DeleteLCItem(HSHBGROUP hGroup, int nItem);

    // --- layout, hit-testing, notifications
    // With SHBS_TOOLTIPS the header under the point is a tool: its group handle, else -1.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
    HSHBGROUP HitTest(CPoint point, UINT* pnWhere) const;
    void ShowGroupChildWnd(HSHBGROUP hGroup, BOOL bRedraw);
    void HideGroupChildWnd(HSHBGROUP hGroup);
    BOOL UpdateHeader(HSHBGROUP hGroup);
    LRESULT SendSHBNotification(NMSHORTCUTBAR* pInfo) override;
    // Sends code with the group, item -1 and lParam; the parent's answer.
    LRESULT Notify(UINT nCode, HSHBGROUP hGroup, LPARAM lParam);
    HSHBGROUP SetDragGroup(HSHBGROUP hGroup);
    HSHBGROUP SetDropTargetGroup(HSHBGROUP hGroup);
    // The header as DrawHeader draws it, as the one image of a new image list.
    HIMAGELIST CreateGroupDragImage(HSHBGROUP hGroup);
    // The parent's (SHBN_GETDROPTARGET), else the bar's own.
    virtual COleDropTarget* GetDropTarget();

    // --- checks
    static BOOL VerifyBarStyle(DWORD dwBarStyle) { return dwBarStyle < 0x8000; }
    static BOOL VerifyMask(UINT nMask) { return (nMask & ~0x00FF0000u) == 0; }
    BOOL VerifyImage(int nImage) const;
    BOOL VerifyOrder(int nOrder) const;
    static BOOL VerifyView(int nView) { return (UINT)nView < 4; }
    BOOL VerifyChildWnd(HWND hWnd) const;
    BOOL VerifyGroupInfo(const SHB_GROUPINFO* pGroupInfo) const;

    // --- colours shared with the group list
    static COLORREF OffsetColor(COLORREF crColor, int nDelta);
    static COLORREF InvertColor(COLORREF crColor);

    // Settings the group list reads.
    DWORD m_dwBarStyle;
    CSize m_sizeScrollButton;
    UINT m_nScrollingDelay;
    UINT m_nAutoScrollingDelay;
    UINT m_nAutoExpandDelay;
    int m_nGroupMargin;
    CRect m_rectChildWndMargins;

protected:
    // --- operations a derived bar may replace
    virtual void DrawHeader(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void FillBackground(CDC* pDC);
    virtual BOOL CreateEditControl();
    virtual BOOL CreateGroupListCtrl(HSHBGROUP hGroup);
    virtual void CalculateBoundRects();
    virtual HSHBGROUP GetUniqueGroupHandle();
    virtual BOOL CompareGroups(const SHB_GROUPINFO* pPattern, const SHB_GROUPINFO* pGroupInfo) const;
    // OLE drags passing over the headers: a drop on the bar itself is refused, and a drag resting
    // on a collapsed header opens its group. TRUE when the record was answered.
    virtual BOOL OnDropTargetDragOver(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnDropTargetDragLeave(WPARAM wParam, LPARAM lParam);

    void PreSubclassWindow() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL CopyGroupInfo(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, UINT nFlags);
    SHB_DESCRIPTOR* AddDescriptor();
    SHB_GROUPINFO* FindInfo(HSHBGROUP hGroup) const;
    const SHB_DESCRIPTOR* FindDescriptor(HSHBGROUP hGroup, UINT nField) const;
    // The descriptor's colour when it sets that field, else the system colour; -1 for an
    // unknown group.
    COLORREF DescriptorColor(HSHBGROUP hGroup, UINT nField, COLORREF SHB_DESCRIPTOR::*pColor, int nSysColor) const;
    void ShiftGroupOrders(int nFrom, int nTo, int nDelta);
    void RecalcAndShowExpanded();
    void RedrawNow();

    // --- message handlers
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnCancelMode(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropTargetDragOverMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropTargetDragLeaveMsg(WPARAM wParam, LPARAM lParam);

    CImageList* m_pImageList;
    HSHBGROUP m_hDropTargetGroup;
    HSHBGROUP m_hExpandedGroup;
    HSHBGROUP m_hEditGroup;
    HSHBGROUP m_hContextGroup;
    HSHBGROUP m_hDragGroup;
    int m_nSortOrder;
    COXSHBEdit m_edit;
    std::map<HSHBGROUP, SHB_GROUPINFO*> m_mapHandleToInfo;
    std::set<SHB_DESCRIPTOR*> m_mapDescriptors;
    std::map<HSHBGROUP, COXSHBListCtrl*> m_mapHandleToListCtrl;
    std::map<HSHBGROUP, CRect> m_mapHandleToBoundRect;
    CRect m_rectChildWnd;
    int m_nLastHandle;
    CFont m_font;
    HIMAGELIST m_hDragImage;
    CPoint m_ptDragImageOffset;
    UINT_PTR m_nPressTimer;
    HSHBGROUP m_hPressedGroup;
    UINT_PTR m_nHoverTimer;
    HSHBGROUP m_hHoverGroup;
    CWndMsgDropTarget m_dropTarget;
    // The drop target registered for the bar, the bar's own or one its parent lends, which must
    // live as long as the bar's window; revoked when the window goes.
    COleDropTarget* m_pRegisteredDropTarget;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CopyText(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource);
    BOOL CopyImages(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, UINT nFields);
    BOOL CopyOrder(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, UINT nFlags);
    BOOL CopyDescriptor(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource);
    void ReleaseDescriptor(SHB_DESCRIPTOR* pDescriptor);
    int PlaceNewGroup(const SHB_GROUPINFO* pGroupInfo);
    BOOL AttachChild(HSHBGROUP hGroup);
    void SwitchChildWnd(HSHBGROUP hGroup, HWND hOldShown);
    void FreeGroupInfo(SHB_GROUPINFO* pInfo);
    void ClearGroupInfo(SHB_GROUPINFO* pInfo);
    void DestroyListCtrl(HSHBGROUP hGroup);
    HSHBGROUP LastHeaderGroup() const;
    void AnimateExpand(HSHBGROUP hOld, HSHBGROUP hNew);
    void PaintHeaders(CDC* pDC);
    void DrawHeaderAt(HDC hDC, HSHBGROUP hGroup, CSize size);
    void DrawHeaderFrame(HDC hDC, CRect& rect, COLORREF crBack);
    void DrawHeaderImage(HDC hDC, HSHBGROUP hGroup, CRect& rect);
    void DrawHeaderText(HDC hDC, HSHBGROUP hGroup, const CRect& rect);
    void DrawDropMark(HDC hDC, HSHBGROUP hGroup, const CRect& rect, COLORREF crBack);
    void StartHeaderDrag(HSHBGROUP hGroup, CPoint point);
    void TrackHeaderDrag(CPoint point);
    void EndHeaderDrag();
    // Ends a header drag without a drop: another window took the mouse.
    void CancelHeaderDrag();
    // Takes the drag image off the desktop and clears the drag; the target it had.
    HSHBGROUP StopHeaderDrag();
    HSHBGROUP FindDragTarget(CPoint point) const;
    void StartHover(HSHBGROUP hGroup, UINT nDelay);
    void StopHover();
    void KillPressTimer();
    void BuildContextMenu(CMenu& menu, CPoint ptScreen, BOOL bInChild);
    BOOL HandleToolTipText(NMHDR* pNMHDR, LRESULT* pResult);

    // --- commands
    void OnLargeIcons();
    void OnSmallIcons();
    void OnRemoveItem();
    void OnRenameItem();
    COXSHBListCtrl* ExpandedListContext(int& nItem) const;
    void OnChangeGroupHeaderText(NMHDR* pNMHDR, LRESULT* pResult);
    void OnAddNewGroup();
    void OnRemoveGroup();
    void OnRenameGroup();
    void OnUpdateLargeIcons(CCmdUI* pCmdUI);
    void OnUpdateSmallIcons(CCmdUI* pCmdUI);
    void SetExpandedView(int nView);

    BOOL m_bCreating;
    mutable LOGFONTW m_lfShared;
};
