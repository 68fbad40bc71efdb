// Dragging items out of a group list, and dropping items into it, through OLE.
#include "wincomponents/shortcutbar/COXSHBListCtrl.h"

#include "framework/ole/COleDataSource.h"
#include "wincomponents/shortcutbar/CShortcutItemPayload.h"

#include <cstring>
#include <memory>

namespace
{
const int kDropEdge = 2;        // rows this close to the top or bottom take no drop
const int kDragScrollEdge = 10; // a drag this close to the top or bottom scrolls

HGLOBAL MakeTextBlock(const CString& strText)
{
    size_t nBytes = ((size_t)strText.GetLength() + 1) * sizeof(wchar_t);
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nBytes);
    if (hText)
    {
        memcpy(::GlobalLock(hText), strText.GetString(), nBytes);
        ::GlobalUnlock(hText);
    }
    return hText;
}

DWORD CurrentKeyFlags()
{
    DWORD dwFlags = 0;
    if (::GetKeyState(VK_CONTROL) & 0x8000)
        dwFlags |= MK_CONTROL;
    if (::GetKeyState(VK_SHIFT) & 0x8000)
        dwFlags |= MK_SHIFT;
    return dwFlags;
}

CPoint ScreenPoint(CWnd* pWnd, const DROPTARGETCALL* pCall)
{
    CPoint point(pCall->x, pCall->y);
    pWnd->ClientToScreen(&point);
    return point;
}

// The list view's image list for dropped icons, or the list's own one, which the list view is
// then given. A drop that cannot be inserted takes back what it added.
class CDropImageList
{
public:
    CDropImageList(CListCtrl* pList, int nList, CImageList* pOwn)
        : m_pList(pList), m_nList(nList), m_pOwn(pOwn), m_pUsed(&m_borrowed), m_hBefore(nullptr), m_nBefore(0),
          m_hLent(nullptr)
    {
        if (HIMAGELIST hImages = pList->GetImageList(nList))
            m_borrowed.Attach(hImages);
        else
            m_pUsed = pOwn;
        m_hBefore = m_pUsed->GetSafeHandle();
        m_nBefore = m_hBefore ? ImageList_GetImageCount(m_hBefore) : 0;
    }
    ~CDropImageList() { m_borrowed.Detach(); }
    CImageList* Get() const { return m_pUsed; }

    // Gives the list view the list's own image list once a dropped icon went into it.
    void Lend()
    {
        if (m_pUsed != m_pOwn || !m_pOwn->GetSafeHandle())
            return;
        m_hLent = m_pOwn->GetSafeHandle();
        m_pList->SetImageList(m_pOwn, m_nList);
        // A list view that does not share its image lists destroys them itself.
        if (!(m_pList->GetStyle() & LVS_SHAREIMAGELISTS))
            m_pOwn->Detach();
    }
    // The image list as the drop found it: the icons added go, a list made for them goes too.
    void TakeBack()
    {
        HIMAGELIST hImages = m_hLent ? m_hLent : m_pUsed->GetSafeHandle();
        if (!hImages)
            return;
        if (m_hLent)
            m_pList->SetImageList(nullptr, m_nList);
        if (m_hBefore)
        {
            for (int i = ImageList_GetImageCount(hImages) - 1; i >= m_nBefore; --i)
                ImageList_Remove(hImages, i);
        }
        else if (m_pOwn->GetSafeHandle() == hImages)
            m_pOwn->DeleteImageList();
        else
            ImageList_Destroy(hImages);
    }

private:
    CListCtrl* m_pList;
    int m_nList;
    CImageList* m_pOwn;
    CImageList m_borrowed;
    CImageList* m_pUsed;
    HIMAGELIST m_hBefore; // the list the icons went into, as it was before the drop
    int m_nBefore;
    HIMAGELIST m_hLent;   // the own list, given to the list view by this drop
};

// Adds the item's icons; the index the item shows, -1 for none. The lists may hold different
// counts: the item shows the index its normal icon got.
int AddDroppedImages(const CShortcutItemPayload& item, CDropImageList& normalImages, CDropImageList& smallImages)
{
    int nNormal = item.AddImages(normalImages.Get(), nullptr);
    int nSmall = item.AddImages(nullptr, smallImages.Get());
    normalImages.Lend();
    smallImages.Lend();
    return nNormal != -1 ? nNormal : nSmall;
}
} // namespace

// --- drag out

int COXSHBListCtrl::SetDragItem(int nItem)
{
    int nOld = m_nDragItem;
    if (nItem == nOld)
        return nOld;
    m_nDragItem = nItem;
    DiscardPendingDragData();
    if (nItem == -1)
        return nOld;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    COleDataSource* pDataSource = CreateDragData(nItem);
    if (pAlive.expired())
        return nOld;
    m_pPendingDragData = pDataSource;
    PostMessage(SHBLM_BEGINDRAGDROP, (WPARAM)nItem, (LPARAM)m_pPendingDragData);
    return nOld;
}

void COXSHBListCtrl::DiscardPendingDragData()
{
    delete m_pPendingDragData;
    m_pPendingDragData = nullptr;
}

// The owner may delete the list in either notification: then there is no data, and the caller
// touches nothing of the list.
COleDataSource* COXSHBListCtrl::CreateDragData(int nItem)
{
    std::weak_ptr<BYTE> pAlive = m_pLife;
    SendSHBNotification(SHBN_BEGINDRAGITEM, nItem, (LPARAM)&m_ptDragHotspot);
    if (pAlive.expired())
        return nullptr;
    std::unique_ptr<COleDataSource> pDataSource(new COleDataSource);
    CShortcutItemPayload item;
    item.m_strText = GetItemText(nItem, 0);
    if (HGLOBAL hText = MakeTextBlock(item.m_strText))
        pDataSource->CacheGlobalData(CF_UNICODETEXT, hText);

    SHBADDITIONALDATA extra = {};
    SendSHBNotification(SHBN_SETADDITIONALDRAGDATA, nItem, (LPARAM)&extra);
    if (pAlive.expired())
        return nullptr;
    if (extra.nBufferLength && extra.pData)
        item.m_extra.assign((const BYTE*)extra.pData, (const BYTE*)extra.pData + extra.nBufferLength);

    item.m_dwData = (DWORD)GetItemData(nItem);
    LVITEMW lvItem = {};
    lvItem.mask = LVIF_IMAGE;
    lvItem.iItem = nItem;
    if (GetItem(&lvItem) && lvItem.iImage >= 0)
    {
        const int lists[] = {LVSIL_NORMAL, LVSIL_SMALL};
        const CShortcutItemPayload::ImageKind kinds[] = {CShortcutItemPayload::imageNormal,
                                                         CShortcutItemPayload::imageSmall};
        for (int i = 0; i < 2; i++)
        {
            CImageList images;
            images.Attach(GetImageList(lists[i]));
            item.SetImage(kinds[i], images.GetSafeHandle() ? &images : nullptr, lvItem.iImage);
            images.Detach();
        }
    }
    if (HGLOBAL hItem = item.Write())
        pDataSource->CacheGlobalData(CShortcutItemPayload::GetClipboardFormat(), hItem);
    return pDataSource.release();
}

LRESULT COXSHBListCtrl::OnBeginDragDropMsg(WPARAM wParam, LPARAM lParam)
{
    // Only the data of the latest drag is still ours; a drag that ended, or an item that went,
    // before the message arrived starts nothing.
    COleDataSource* pDataSource = (COleDataSource*)lParam;
    if (!pDataSource || pDataSource != m_pPendingDragData)
        return 0;
    m_pPendingDragData = nullptr;
    if ((int)wParam == m_nDragItem && IsValidItem(m_nDragItem))
        OnBeginDragDrop((int)wParam, pDataSource);
    else
        delete pDataSource;
    return 0;
}

void COXSHBListCtrl::OnBeginDragDrop(int nItem, COleDataSource* pDataSource)
{
    std::unique_ptr<COleDataSource> pOwnedData(pDataSource);
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (SendSHBNotification(SHBN_BEGINDRAGDROP, nItem, (LPARAM)pDataSource))
    {
        if (!pAlive.expired())
            SetDragItem(-1);
        return;
    }
    if (pAlive.expired())
        return;
    int nOldSelected = SetSelectedItem(-1);
    if (pAlive.expired())
        return;
    RedrawItem(nOldSelected);
    COleDropSource* pDropSource = GetDropSource();
    if (pAlive.expired())
        return;
    m_bDragSource = TRUE;
    if (GetBarStyle() & SHBS_DRAWITEMDRAGIMAGE)
    {
        delete m_pDragImage;
        m_pDragImage = CreateDragImage(nItem);
        if (m_pDragImage)
            m_pDragImage->BeginDrag(0, m_ptDragHotspot);
    }

    DROPEFFECT dropEffect = pDataSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, nullptr, pDropSource);
    if (pAlive.expired())
        return;
    // An item dropped into this list at or before the dragged one has moved it one down, which
    // the drag item's index already follows.
    BOOL bDroppedHere = m_nPlaceholder != -1;
    if (dropEffect == DROPEFFECT_MOVE && IsValidItem(m_nDragItem))
        DeleteItem(m_nDragItem);
    if (pAlive.expired())
        return;

    m_nPlaceholder = -1;
    m_bDragSource = FALSE;
    EndDragImage();
    SetDragItem(-1);
    pOwnedData.reset();
    if (dropEffect == DROPEFFECT_MOVE || (dropEffect == DROPEFFECT_COPY && bDroppedHere))
        RedrawAll();

    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    SendMessage(WM_LBUTTONUP, CurrentKeyFlags(), MAKELPARAM(point.x, point.y));
    if (!pAlive.expired())
        SendSHBNotification(SHBN_DROPCOMPLETE, -1, (LPARAM)dropEffect);
}

void COXSHBListCtrl::EndDragImage()
{
    if (!m_pDragImage)
        return;
    CImageList::DragLeave(nullptr);
    CImageList::EndDrag();
    delete m_pDragImage;
    m_pDragImage = nullptr;
}

COleDropSource* COXSHBListCtrl::GetDropSource()
{
    LPARAM lParam = 0;
    if (SendSHBNotificationForAnswer(SHBN_GETDROPSOURCE, -1, lParam) && lParam)
        return (COleDropSource*)lParam;
    m_dropSource.m_pWnd = this;
    return &m_dropSource;
}

COleDropTarget* COXSHBListCtrl::GetDropTarget()
{
    LPARAM lParam = 0;
    if (SendSHBNotificationForAnswer(SHBN_GETDROPTARGET, -1, lParam) && lParam)
        return (COleDropTarget*)lParam;
    return &m_dropTarget;
}

// --- drag in

LRESULT COXSHBListCtrl::OnDropTargetDragEnter(WPARAM, LPARAM lParam)
{
    return OnDragEnter((DROPTARGETCALL*)lParam);
}

LRESULT COXSHBListCtrl::OnDropTargetDragOver(WPARAM, LPARAM lParam)
{
    return OnDragOver((DROPTARGETCALL*)lParam);
}

LRESULT COXSHBListCtrl::OnDropTargetDragLeave(WPARAM, LPARAM lParam)
{
    return OnDragLeave((DROPTARGETCALL*)lParam);
}

LRESULT COXSHBListCtrl::OnDropTargetDrop(WPARAM, LPARAM lParam)
{
    return OnDrop((DROPTARGETCALL*)lParam);
}

// Each drag notification may let the owner delete this list: a list gone meanwhile answers
// the record as the owner left it.
BOOL COXSHBListCtrl::OnDragEnter(DROPTARGETCALL* pCall)
{
    if (GetBarStyle() & SHBS_NODRAGHOVER)
        return FALSE;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    m_bDragOver = TRUE;
    int nOldHot = SetHotItem(-1);
    if (pAlive.expired())
        return TRUE;
    RedrawItem(nOldHot);
    if (SendSHBNotification(SHBN_DRAGENTER, -1, (LPARAM)pCall) || pAlive.expired())
        return TRUE;
    if (m_pDragImage)
        CImageList::DragEnter(nullptr, ScreenPoint(this, pCall));
    return OnDragOver(pCall);
}

BOOL COXSHBListCtrl::OnDragOver(DROPTARGETCALL* pCall)
{
    if (GetBarStyle() & SHBS_NODRAGHOVER)
        return FALSE;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (SendSHBNotification(SHBN_DRAGOVER, -1, (LPARAM)pCall) || pAlive.expired())
        return TRUE;
    if (m_pDragImage)
        CImageList::DragMove(ScreenPoint(this, pCall));

    CPoint point(pCall->x, pCall->y);
    int nInsert = -1;
    if (pCall->pDataObject && pCall->pDataObject->IsDataAvailable(CShortcutItemPayload::GetClipboardFormat()))
        nInsert = FindInsertPosition(point);
    if (nInsert == -1)
        pCall->result = DROPEFFECT_NONE;
    else
        pCall->result = (pCall->dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    TrackDragScroll(point);
    if (!pAlive.expired())
        MovePlaceholder(nInsert);
    return TRUE;
}

int COXSHBListCtrl::FindInsertPosition(CPoint point) const
{
    int nCount = (int)m_arrRects.size();
    CRect rectView;
    GetViewRect(rectView, FALSE);
    int y = point.y + m_ptOrigin.y;
    if (nCount == 0 || y <= rectView.top)
        return 0;
    if (y > rectView.bottom)
        return nCount;
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.DeflateRect(0, kDropEdge);
    if (!rectClient.PtInRect(point) || HitTest(point, nullptr, TRUE) != -1)
        return -1;
    int nNearest = FindItemNearest(point, VK_DOWN, -1);
    return nNearest == -1 ? nCount : nNearest;
}

void COXSHBListCtrl::TrackDragScroll(CPoint point)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.DeflateRect(0, kDragScrollEdge);
    if (point.y < rectClient.top)
    {
        if (!m_rectUp.IsRectEmpty() && !m_bUpPressed)
        {
            m_bAutoScroll = TRUE;
            StartAutoScroll(TRUE);
        }
    }
    else if (point.y >= rectClient.bottom)
    {
        if (!m_rectDown.IsRectEmpty() && !m_bDownPressed)
        {
            m_bAutoScroll = TRUE;
            StartAutoScroll(FALSE);
        }
    }
    else if (m_bAutoScroll)
        StopAutoScroll();
}

void COXSHBListCtrl::MovePlaceholder(int nIndex)
{
    if (nIndex == m_nPlaceholder)
        return;
    if (m_pDragImage)
        CImageList::DragShowNolock(FALSE);
    SetPlaceholder(nIndex);
    UpdateWindow();
    if (m_pDragImage)
        CImageList::DragShowNolock(TRUE);
}

BOOL COXSHBListCtrl::OnDragLeave(DROPTARGETCALL* pCall)
{
    if (GetBarStyle() & SHBS_NODRAGHOVER)
        return FALSE;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    BOOL bHandled = SendSHBNotification(SHBN_DRAGLEAVE, -1, (LPARAM)pCall) != 0;
    if (pAlive.expired())
        return TRUE;
    if (!bHandled)
    {
        if (m_pDragImage)
            CImageList::DragLeave(nullptr);
        MovePlaceholder(-1);
        StopAutoScroll();
    }
    m_bDragOver = FALSE;
    return bHandled;
}

BOOL COXSHBListCtrl::OnDrop(DROPTARGETCALL* pCall)
{
    if (GetBarStyle() & SHBS_NODRAGHOVER)
        return FALSE;
    std::weak_ptr<BYTE> pAlive = m_pLife;
    if (SendSHBNotification(SHBN_DROP, -1, (LPARAM)pCall))
    {
        if (!pAlive.expired())
            m_bDragOver = FALSE;
        return TRUE;
    }
    if (pAlive.expired())
        return TRUE;
    // The drop ends the drag here as a leave would: no scrolling goes on after it.
    if (m_bAutoScroll)
        StopAutoScroll();
    CShortcutItemPayload item;
    BOOL bEffect = pCall->dropEffect == DROPEFFECT_COPY || pCall->dropEffect == DROPEFFECT_MOVE;
    pCall->result = bEffect && m_nPlaceholder != -1 && item.Read(pCall->pDataObject);
    if (pCall->result)
        pCall->result = InsertDroppedItem(item);
    if (pAlive.expired())
        return TRUE;
    if (!m_bDragSource)
    {
        SetPlaceholder(-1);
        RedrawAll();
    }
    m_bDragOver = FALSE;
    if (!m_bDragSource)
        SendSHBNotification(SHBN_DROPCOMPLETE, -1, (LPARAM)(pCall->result ? pCall->dropEffect : DROPEFFECT_NONE));
    return TRUE;
}

// Inserts the item at the placeholder; FALSE, with the list as it was, when the list view takes
// no item. The owner's extra data names the row the item got, which a sorted list chooses itself.
BOOL COXSHBListCtrl::InsertDroppedItem(const CShortcutItemPayload& item)
{
    // The payload carries 32 bits of data and a cut label; the dragged item here holds both whole.
    BOOL bOwnItem = m_bDragSource && IsValidItem(m_nDragItem);
    CString strText = bOwnItem ? GetItemText(m_nDragItem, 0) : item.m_strText;
    LVITEMW lvItem = {};
    lvItem.mask = LVIF_TEXT;
    lvItem.iItem = m_nPlaceholder;
    lvItem.pszText = (LPWSTR)strText.GetString();
    CDropImageList normalImages(this, LVSIL_NORMAL, &m_ownNormalImages);
    CDropImageList smallImages(this, LVSIL_SMALL, &m_ownSmallImages);
    int nImage = AddDroppedImages(item, normalImages, smallImages);
    if (nImage != -1)
    {
        lvItem.mask |= LVIF_IMAGE;
        lvItem.iImage = nImage;
    }
    if (m_bDragSource)
    {
        lvItem.mask |= LVIF_PARAM;
        lvItem.lParam = bOwnItem ? (LPARAM)GetItemData(m_nDragItem) : (LPARAM)item.m_dwData;
    }
    std::weak_ptr<BYTE> pAlive = m_pLife;
    int nInserted = (int)SendMessage(LVM_INSERTITEMW, 0, (LPARAM)&lvItem);
    if (nInserted < 0)
    {
        if (!pAlive.expired())
        {
            normalImages.TakeBack();
            smallImages.TakeBack();
        }
        return FALSE;
    }
    if (!item.m_extra.empty() && !pAlive.expired())
    {
        SHBADDITIONALDATA extra = {(DWORD)item.m_extra.size(), (LPVOID)item.m_extra.data()};
        SendSHBNotification(SHBN_GETADDITIONALDROPDATA, nInserted, (LPARAM)&extra);
    }
    return TRUE;
}

