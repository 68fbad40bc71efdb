// The receiving side of OLE drag and drop for one window: the system's calls arrive as virtual
// operations with the point in the window's client coordinates. By default nothing is accepted
// and a window with scroll bars scrolls while the pointer rests near one of its edges.
#pragma once

#include "framework/gdi/CPoint.h"
#include "framework/ole/AfxOle.h"
#include "framework/ole/COleDataObject.h"

class CWnd;

class COleDropTarget
{
public:
    COleDropTarget();
    // Revokes the registration.
    virtual ~COleDropTarget();

    // FALSE when the window is already a drop target or the system refuses.
    BOOL Register(CWnd* pWnd);
    void Revoke();

    // The interface the system is handed, null while not registered; AddRef keeps it usable
    // past this object, after which it answers as a target that takes nothing.
    IDropTarget* GetInterface() { return m_pTarget; }

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 lets OnDrop decide with the effect of the last OnDragOver.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    // Within m_nScrollInset of an edge that has a scroll bar: DROPEFFECT_SCROLL with the move or
    // copy effect of the keys, a line scroll once the pointer has stayed m_nScrollDelay ms and
    // every m_nScrollInterval ms after; elsewhere DROPEFFECT_NONE.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    int m_nScrollInset;
    UINT m_nScrollDelay;
    UINT m_nScrollInterval;

protected:
    CWnd* m_pWnd;

private:
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Answers the system for the owner. Counted: the system may hold it past the owner, whose
    // window may be destroyed in any call it forwards; once cut off it takes nothing.
    class CTarget : public IDropTarget
    {
    public:
        explicit CTarget(COleDropTarget* pOwner) : m_nRefs(1), m_pOwner(pOwner) {}
        virtual ~CTarget() {}
        void CutOff() { m_pOwner = nullptr; }
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&m_nRefs); }
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragLeave() override;
        HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    private:
        // Scrolling first, else the enter or over operation; the effect kept to what the source
        // allows. None when the owner went meanwhile.
        DROPEFFECT Track(BOOL bEnter, DWORD dwKeyState, POINTL pt, DWORD dwAllowed);
        DROPEFFECT TakeDrop(DWORD dwKeyState, POINTL pt, DWORD dwAllowed);

        LONG m_nRefs;
        COleDropTarget* m_pOwner;
    };
    friend class CTarget;

    void EndDrag();
    CPoint ClientPoint(POINTL pt) const;
    static DROPEFFECT Filter(DROPEFFECT dropEffect, DWORD dwAllowed);

    CTarget* m_pTarget; // while registered
    HWND m_hWndRegistered; // kept apart: the window's object may be gone before this one
    COleDataObject m_dataObject;
    DWORD m_dwScrollStart; // tick when the pointer entered the scroll inset, 0 outside it
    DWORD m_dwLastScroll;  // tick of the last line scrolled, 0 for none yet
};
