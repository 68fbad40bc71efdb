#include "framework/ole/COleDropTarget.h"

#include "framework/window/CWnd.h"

HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IDropTarget)
    {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                             DWORD* pdwEffect)
{
    pDataObj->AddRef();
    m_pOwner->m_dataObject.Attach(pDataObj, TRUE);
    *pdwEffect = m_pOwner->Track(TRUE, grfKeyState, pt, *pdwEffect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    *pdwEffect = m_pOwner->Track(FALSE, grfKeyState, pt, *pdwEffect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::DragLeave()
{
    if (m_pOwner->m_pWnd)
        m_pOwner->OnDragLeave(m_pOwner->m_pWnd);
    m_pOwner->EndDrag();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::CTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                        DWORD* pdwEffect)
{
    *pdwEffect = m_pOwner->Drop(pDataObj, grfKeyState, pt, *pdwEffect);
    return S_OK;
}

COleDropTarget::COleDropTarget()
    : m_nScrollInset(DD_DEFSCROLLINSET), m_nScrollDelay(DD_DEFSCROLLDELAY), m_nScrollInterval(DD_DEFSCROLLINTERVAL),
      m_pWnd(nullptr), m_target(this), m_hWndRegistered(nullptr), m_dwScrollStart(0), m_dwLastScroll(0)
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
    if (FAILED(RegisterDragDrop(pWnd->m_hWnd, &m_target)))
        return FALSE;
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

DROPEFFECT COleDropTarget::Track(BOOL bEnter, DWORD dwKeyState, POINTL pt, DWORD dwAllowed)
{
    if (!m_pWnd)
        return DROPEFFECT_NONE;
    CPoint point = ClientPoint(pt);
    DROPEFFECT dropEffect = OnDragScroll(m_pWnd, dwKeyState, point);
    if (!(dropEffect & DROPEFFECT_SCROLL))
    {
        dropEffect = bEnter ? OnDragEnter(m_pWnd, &m_dataObject, dwKeyState, point)
                            : OnDragOver(m_pWnd, &m_dataObject, dwKeyState, point);
    }
    return Filter(dropEffect, dwAllowed);
}

DROPEFFECT COleDropTarget::Drop(IDataObject* pDataObj, DWORD dwKeyState, POINTL pt, DWORD dwAllowed)
{
    if (!m_pWnd)
        return DROPEFFECT_NONE;
    pDataObj->AddRef();
    m_dataObject.Attach(pDataObj, TRUE);
    CPoint point = ClientPoint(pt);
    DROPEFFECT dropEffect = Filter(OnDragOver(m_pWnd, &m_dataObject, dwKeyState, point), dwAllowed);
    DROPEFFECT dropResult = OnDropEx(m_pWnd, &m_dataObject, dropEffect, dwAllowed, point);
    if (dropResult == (DROPEFFECT)-1)
    {
        dropResult = DROPEFFECT_NONE;
        if (dropEffect != DROPEFFECT_NONE && OnDrop(m_pWnd, &m_dataObject, dropEffect, point))
            dropResult = dropEffect;
    }
    EndDrag();
    return dropResult;
}

void COleDropTarget::EndDrag()
{
    m_dataObject.Release();
    m_dwScrollStart = m_dwLastScroll = 0;
}
