#include "framework/ole/COleDropTarget.h"

#include "framework/window/CWnd.h"

HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IDropTarget)
    {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE COleDropTarget::CTarget::Release()
{
    LONG nRefs = InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
        delete this;
    return (ULONG)nRefs;
}

// Each call holds the target, so that it outlives an owner destroyed within the call; after each
// call out, a cut-off owner is not touched again.
HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                             DWORD* pdwEffect)
{
    AddRef();
    if (m_pOwner)
    {
        pDataObj->AddRef();
        m_pOwner->m_dataObject.Attach(pDataObj, TRUE);
    }
    *pdwEffect = Track(TRUE, grfKeyState, pt, *pdwEffect);
    Release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    AddRef();
    *pdwEffect = Track(FALSE, grfKeyState, pt, *pdwEffect);
    Release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::DragLeave()
{
    AddRef();
    if (m_pOwner && m_pOwner->m_pWnd)
        m_pOwner->OnDragLeave(m_pOwner->m_pWnd);
    if (m_pOwner)
        m_pOwner->EndDrag();
    Release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                        DWORD* pdwEffect)
{
    AddRef();
    if (m_pOwner)
    {
        pDataObj->AddRef();
        m_pOwner->m_dataObject.Attach(pDataObj, TRUE);
    }
    *pdwEffect = TakeDrop(grfKeyState, pt, *pdwEffect);
    if (m_pOwner)
        m_pOwner->EndDrag();
    Release();
    return S_OK;
}

DROPEFFECT COleDropTarget::CTarget::Track(BOOL bEnter, DWORD dwKeyState, POINTL pt, DWORD dwAllowed)
{
    if (!m_pOwner || !m_pOwner->m_pWnd)
        return DROPEFFECT_NONE;
    CWnd* pWnd = m_pOwner->m_pWnd;
    CPoint point = m_pOwner->ClientPoint(pt);
    DROPEFFECT dropEffect = m_pOwner->OnDragScroll(pWnd, dwKeyState, point);
    if (!m_pOwner)
        return DROPEFFECT_NONE;
    if (!(dropEffect & DROPEFFECT_SCROLL))
    {
        COleDataObject* pDataObject = &m_pOwner->m_dataObject;
        dropEffect = bEnter ? m_pOwner->OnDragEnter(pWnd, pDataObject, dwKeyState, point)
                            : m_pOwner->OnDragOver(pWnd, pDataObject, dwKeyState, point);
    }
    return m_pOwner ? Filter(dropEffect, dwAllowed) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::CTarget::TakeDrop(DWORD dwKeyState, POINTL pt, DWORD dwAllowed)
{
    if (!m_pOwner || !m_pOwner->m_pWnd)
        return DROPEFFECT_NONE;
    CWnd* pWnd = m_pOwner->m_pWnd;
    COleDataObject* pDataObject = &m_pOwner->m_dataObject;
    CPoint point = m_pOwner->ClientPoint(pt);
    DROPEFFECT dropEffect = Filter(m_pOwner->OnDragOver(pWnd, pDataObject, dwKeyState, point), dwAllowed);
    if (!m_pOwner)
        return DROPEFFECT_NONE;
    DROPEFFECT dropResult = m_pOwner->OnDropEx(pWnd, pDataObject, dropEffect, dwAllowed, point);
    if (dropResult != (DROPEFFECT)-1 || !m_pOwner)
        return dropResult == (DROPEFFECT)-1 ? DROPEFFECT_NONE : dropResult;
    // The drop itself may take the window away; what it answered still holds.
    if (dropEffect != DROPEFFECT_NONE && m_pOwner->OnDrop(pWnd, pDataObject, dropEffect, point))
        return dropEffect;
    return DROPEFFECT_NONE;
}

COleDropTarget::COleDropTarget()
    : m_nScrollInset(DD_DEFSCROLLINSET), m_nScrollDelay(DD_DEFSCROLLDELAY), m_nScrollInterval(DD_DEFSCROLLINTERVAL),
      m_pWnd(nullptr), m_pTarget(nullptr), m_hWndRegistered(nullptr), m_dwScrollStart(0), m_dwLastScroll(0)
{
}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (m_pWnd || !pWnd || !pWnd->m_hWnd)
        return FALSE;
    CTarget* pTarget = new CTarget(this);
    if (FAILED(RegisterDragDrop(pWnd->m_hWnd, pTarget)))
    {
        pTarget->Release();
        return FALSE;
    }
    m_pTarget = pTarget;
    m_pWnd = pWnd;
    m_hWndRegistered = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_pWnd)
        return;
    if (::IsWindow(m_hWndRegistered))
        RevokeDragDrop(m_hWndRegistered);
    // The system may still hold the target: from now on it answers without this object.
    m_pTarget->CutOff();
    m_pTarget->Release();
    m_pTarget = nullptr;
    m_pWnd = nullptr;
    m_hWndRegistered = nullptr;
    EndDrag();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return (DROPEFFECT)-1;
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    DWORD dwStyle = pWnd->GetStyle();
    CRect rectClient;
    pWnd->GetClientRect(&rectClient);
    CRect rectInner = rectClient;
    rectInner.DeflateRect(m_nScrollInset, m_nScrollInset);
    int nVert = -1, nHorz = -1;
    if (rectClient.PtInRect(point) && (dwStyle & WS_VSCROLL))
        nVert = point.y < rectInner.top ? SB_LINEUP : point.y >= rectInner.bottom ? SB_LINEDOWN : -1;
    if (rectClient.PtInRect(point) && (dwStyle & WS_HSCROLL))
        nHorz = point.x < rectInner.left ? SB_LINEUP : point.x >= rectInner.right ? SB_LINEDOWN : -1;
    if (nVert == -1 && nHorz == -1)
    {
        m_dwScrollStart = m_dwLastScroll = 0;
        return DROPEFFECT_NONE;
    }
    DWORD dwNow = GetTickCount() | 1; // never 0, which means "not scrolling"
    if (!m_dwScrollStart)
        m_dwScrollStart = dwNow;
    BOOL bDue = m_dwLastScroll ? dwNow - m_dwLastScroll >= m_nScrollInterval : dwNow - m_dwScrollStart >= m_nScrollDelay;
    if (bDue)
    {
        if (nVert != -1)
            pWnd->SendMessage(WM_VSCROLL, MAKEWPARAM(nVert, 0));
        if (nHorz != -1)
            pWnd->SendMessage(WM_HSCROLL, MAKEWPARAM(nHorz, 0));
        m_dwLastScroll = dwNow;
    }
    return DROPEFFECT_SCROLL | ((dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE);
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const
{
    CPoint point(pt.x, pt.y);
    m_pWnd->ScreenToClient(&point);
    return point;
}

DROPEFFECT COleDropTarget::Filter(DROPEFFECT dropEffect, DWORD dwAllowed)
{
    DROPEFFECT dropScroll = dropEffect & DROPEFFECT_SCROLL;
    dropEffect &= dwAllowed;
    // One effect only: the strongest the window asked for that the source allows.
    const DROPEFFECT order[] = {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK};
    for (DROPEFFECT one : order)
    {
        if (dropEffect & one)
            return one | dropScroll;
    }
    return dropScroll;
}

void COleDropTarget::EndDrag()
{
    m_dataObject.Release();
    m_dwScrollStart = m_dwLastScroll = 0;
}
