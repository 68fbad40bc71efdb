// The list of one shortcut-bar group: a list view whose items this class lays out, hit-tests,
// scrolls and paints itself, one item per row across the whole width, the icon above the label
// (large icons) or beside it (small icons), with its own scroll buttons instead of scroll bars.
// The list view keeps the items' texts, images and data; this class keeps the geometry and
// answers the list-view messages about geometry, scrolling, the hot item and colours itself, so
// CListCtrl calls and plain messages see its layout.
//
// Attached to a bar (SHBM_ATTACHGROUP from a parent that is a COXSHBListHost) it takes its
// style, view, colours and font from the bar and notifies through it; standalone it builds
// them from its own window styles and notifies its parent (its LVS_NOSCROLL counts as it was at
// creation: the list view underneath always has it, this class scrolling by its own buttons). The item states: selected (pressed
// with the left button), active (pressed and released on the same item), hot (under the
// pointer), edited, dragged, and the context item the bar's Remove/Rename Item commands act on.
#pragma once

#include "framework/controls/CListCtrl.h"
#include "framework/gdi/CImageList.h"
#include "wincomponents/shortcutbar/COXSHBEdit.h"
#include "wincomponents/shortcutbar/COXSHBListHost.h"
#include "wincomponents/shortcutbar/CWndMsgDropSource.h"
#include "wincomponents/shortcutbar/CWndMsgDropTarget.h"

#include <memory>
#include <vector>

class CDC;
class COleDataSource;
class CShortcutItemPayload;

// Parts of a hit test (HitTest's pnPart).
const int SHBLC_ONUPBUTTON = -3;
const int SHBLC_ONDOWNBUTTON = -4;
const int SHBLC_ONIMAGEANDLABEL = -2; // in the item's icon-and-label bounds, on neither
const int SHBLC_ONITEMROW = -1;       // in the item's row, outside those bounds
const int SHBLC_NOWHERE = 1;
const int SHBLC_ONIMAGE = 2;
const int SHBLC_ONLABEL = 4;
const int SHBLC_ABOVE = 0x08;
const int SHBLC_BELOW = 0x10;
const int SHBLC_TORIGHT = 0x20;
const int SHBLC_TOLEFT = 0x40;

// Posted by a list to itself when an item drag starts: wParam the item, lParam the data source.
const UINT SHBLM_BEGINDRAGDROP = 0x055F;

class COXSHBListCtrl : public CListCtrl
{
    DECLARE_DYNCREATE(COXSHBListCtrl)
public:
    COXSHBListCtrl();
    ~COXSHBListCtrl() override;

    // Creates the list view and prepares the list; FALSE when either fails.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // --- attachment and options
    COXSHBListHost* GetBar() const { return m_pBar; }
    HSHBGROUP GetGroup() const { return m_hGroup; }
    DWORD GetBarStyle() const;
    int GetView() const; // SHB_LARGEICON or SHB_SMALLICON
    CSize GetScrollButtonSize() const;
    UINT GetScrollingDelay() const;
    UINT GetAutoScrollingDelay() const;
    // The image of the item, -1 when the view has no image list.
    int GetItemImage(int nItem) const;

    // --- item states; each setter returns the previous value
    int GetSelectedItem() const { return m_nSelectedItem; }
    int GetActiveItem() const { return m_nActiveItem; }
    int GetHotItem() const { return m_nHotItem; }
    int GetDragItem() const { return m_nDragItem; }
    int GetEditItem() const { return m_nEditItem; }
    int SetSelectedItem(int nItem);
    int SetActiveItem(int nItem);
    int SetHotItem(int nItem);
    // Starting a drag prepares the item's data and posts the begin-drag message;
    // OnBeginDragDrop carries it out.
    int SetDragItem(int nItem);
    // TRUE while a drag out of this list runs.
    BOOL IsDragSource() const { return m_bDragSource; }
    // The owner's (SHBN_GETDROPSOURCE, SHBN_GETDROPTARGET), else the list's own.
    virtual COleDropSource* GetDropSource();
    virtual COleDropTarget* GetDropTarget();
    // The item the bar's Remove Item and Rename Item act on: the item under the pointer, else the
    // one that was last under it or under the context menu's click; -1 for none.
    int GetContextItem() const;

    // --- geometry (client coordinates unless said otherwise)
    int HitTest(CPoint point, int* pnPart = nullptr, BOOL bIgnoreButtons = FALSE) const;
    CPoint GetOrigin() const { return m_ptOrigin; }
    BOOL Scroll(CSize size);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    // Content coordinates; bVisibleOnly limits it to what the client area shows.
    void GetViewRect(CRect& rect, BOOL bVisibleOnly) const;
    BOOL GetScrollLimits(CRect& rect, int nItem) const;
    // The item at the point's height, else the nearest one in the direction (VK_UP, VK_DOWN),
    // visiting the items after nStart (all of them with bWrap).
    int FindItemNearest(CPoint point, UINT nDirection, int nStart, BOOL bWrap = FALSE) const;
    CRect GetUpButtonRect() const { return m_rectUp; }
    CRect GetDownButtonRect() const { return m_rectDown; }

    // --- scrolling by the buttons
    void StartAutoScroll(BOOL bUp);
    void StopAutoScroll();

    // --- label editing: the editor, or null when no edit started
    COXSHBEdit* EditLabel(int nItem);
    COXSHBEdit* GetEditControl() { return &m_edit; }

    // A new image list with the item as it is drawn, owned by the caller; null on failure.
    CImageList* CreateDragImage(int nItem);
    // The insert mark shown while dragging: 0 .. item count, -1 for none.
    void SetPlaceholder(int nIndex);
    int GetPlaceholder() const { return m_nPlaceholder; }

    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

protected:
    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    virtual BOOL InitListControl();
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual BOOL DrawScrollButtons(CDC* pDC);
    virtual void DrawPlaceholder(CDC* pDC);
    virtual BOOL CreateEditControl();
    virtual void CalculateItemsRects();
    virtual void CalculateScrollRects();
    // Carries out a drag that SetDragItem started; owns and releases pDataSource.
    virtual void OnBeginDragDrop(int nItem, COleDataSource* pDataSource);
    // Drags passing over the list; each returns TRUE when it answered the record.
    virtual BOOL OnDragEnter(DROPTARGETCALL* pCall);
    virtual BOOL OnDragOver(DROPTARGETCALL* pCall);
    virtual BOOL OnDragLeave(DROPTARGETCALL* pCall);
    virtual BOOL OnDrop(DROPTARGETCALL* pCall);

    LRESULT SendSHBNotification(UINT nCode, int nItem, LPARAM lParam);
    // The same, with the lParam the owner may have set in the record.
    LRESULT SendSHBNotificationForAnswer(UINT nCode, int nItem, LPARAM& lParam);

    // --- window messages
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnSwallowButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnStyleChanging(WPARAM wParam, LPARAM lParam);
    LRESULT OnLayoutChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnCheckHoverMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnBeginDragDropMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropTargetDragEnter(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropTargetDragOver(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropTargetDragLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropTargetDrop(WPARAM wParam, LPARAM lParam);
    void OnChangeItemText(NMHDR* pNMHDR, LRESULT* pResult);

    // --- messages from the bar
    LRESULT OnPopulateContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnAttachGroup(WPARAM wParam, LPARAM lParam);
    LRESULT OnGroupInfoChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnBarStyleChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGroupDeleted(WPARAM wParam, LPARAM lParam);

    // --- list-view messages answered here
    LRESULT OnGetBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTextColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTextBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteAllItems(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnSortItems(WPARAM wParam, LPARAM lParam);
    LRESULT OnFindItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemRect(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemPosition(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetOrigin(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetViewRect(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTopIndex(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCountPerPage(WPARAM wParam, LPARAM lParam);
    LRESULT OnHitTestMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnsureVisibleMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnScrollMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnRedrawItems(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetHotItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetHotItemMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnCreateDragImageMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnEditLabelMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetEditControl(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct ItemRects
    {
        CRect rectItem;  // content coordinates
        CRect rectImage; // relative to the item's top-left corner
        CRect rectLabel; // relative to the item's top-left corner
    };

    BOOL IsValidItem(int nItem) const { return nItem >= 0 && nItem < (int)m_arrRects.size(); }
    CRect GetItemRectClient(int nItem) const;
    CRect GetImageRectClient(int nItem) const;
    CRect GetLabelRectClient(int nItem) const;
    CRect GetImageAndLabelRectClient(int nItem) const;
    CRect GetVisibleArea() const;
    CRect CalcLabelRect(const CString& strText, CRect& rectImage, int nWidth) const;
    BOOL CreateLabelFont(CFont& font) const;
    HIMAGELIST GetViewImageList() const;
    COLORREF GetListBkColor() const;
    COLORREF GetListTextColor() const;
    void RedrawItem(int nItem);
    void RedrawAll();
    void FillBackground(CDC* pDC);
    BOOL PaintItem(CDC* pDC, int nItem);
    void DrawPlaceholderMark(CDC* pDC, const CRect& rect);
    CRect GetInsertRect(int nIndex) const;
    CRect GetPlaceholderRect(int nIndex) const;
    void CheckHover();
    void UpdateHotItem();
    BOOL ScrollItemToTop(int nItem);
    BOOL ScrollItemToBottom(int nItem);
    void AutoScrollStep();
    void MoveIndexesOnDelete(int nDeleted);
    void MoveIndexesOnInsert(int nInserted);
    void ResetIndexes();
    BOOL IsPointInButton(BOOL bUp) const;
    BOOL IsItemFullyVisible(int nItem) const;
    COleDataSource* CreateDragData(int nItem);
    int FindInsertPosition(CPoint point) const;
    void TrackDragScroll(CPoint point);
    void MovePlaceholder(int nIndex);
    BOOL InsertDroppedItem(const CShortcutItemPayload& item);
    void EndDragImage();
    void DiscardPendingDragData();

    COXSHBListHost* m_pBar;
    HSHBGROUP m_hGroup;
    int m_nSelectedItem;
    int m_nHotItem;
    int m_nActiveItem;
    int m_nDragItem;
    int m_nEditItem;
    int m_nLastContextItem;
    COXSHBEdit m_edit;
    std::vector<ItemRects> m_arrRects;
    CRect m_rectUp;
    CRect m_rectDown;
    CPoint m_ptOrigin;
    BOOL m_bMouseInside;
    BOOL m_bUpPressed;
    BOOL m_bDownPressed;
    BOOL m_bAutoScroll;
    BOOL m_bCreatingDragImage;
    CPoint m_ptDragHotspot;
    CPoint m_ptMouseDown;
    int m_nDragCandidate;
    BOOL m_bDragOver;
    UINT_PTR m_nAutoScrollTimer;
    UINT_PTR m_nHoverTimer;
    int m_nPlaceholder;
    BOOL m_bCreating; // inside Create: the window is not being subclassed
    // Standalone: LVS_NOSCROLL as the list was created or subclassed with.
    BOOL m_bNoScrollButtons;
    CWndMsgDropSource m_dropSource;
    CWndMsgDropTarget m_dropTarget;
    // The drop target registered for the list, the list's own or one its owner lends, which must
    // live as long as the list's window; revoked when the window goes.
    COleDropTarget* m_pRegisteredDropTarget;
    BOOL m_bDragSource;
    // Made by SetDragItem, handed over with the begin-drag message.
    COleDataSource* m_pPendingDragData;
    // With SHBS_DRAWITEMDRAGIMAGE, while this list is the drag source.
    CImageList* m_pDragImage;
    // Image lists for dropped icons when the list had none of its own.
    CImageList m_ownNormalImages;
    CImageList m_ownSmallImages;
    // Expires with this object. The owner may delete the list in any notification and
    // during the drag loop: code that lets it act holds a weak copy and, once it has expired,
    // touches nothing of the list again.
    std::shared_ptr<BYTE> m_pLife;
};
