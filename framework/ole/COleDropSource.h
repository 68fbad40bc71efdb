// The dragging side of OLE drag and drop: decides when a press becomes a drag, whether the drag
// goes on, and the cursor shown. Derived classes change any of the three.
#pragma once

#include "framework/gdi/CRect.h"

#include "framework/ole/AfxOle.h"

class CWnd;

class COleDropSource
{
public:
    COleDropSource();
    // The system may still hold the interface: it then cancels the drag.
    virtual ~COleDropSource();

    // Cancel on Escape, drop once no mouse button is held, else go on.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // The system's cursors for each effect.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Holds the mouse on pWnd until the pointer leaves the start rectangle or the drag delay has
    // passed (TRUE: drag), or the button is released or Escape pressed (FALSE: no drag).
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    // The interface handed to the system's drag loop; AddRef keeps it usable past this object,
    // after which it cancels the drag.
    IDropSource* GetInterface() { return m_pSource; }

    // Screen coordinates; the drag starts when the pointer leaves it.
    CRect m_rectStartDrag;

private:
    COleDropSource(const COleDropSource&) = delete;
    COleDropSource& operator=(const COleDropSource&) = delete;

    // Answers the system for the owner. Counted: the drag loop may outlast the owner, which the
    // owner's window may destroy in any call the loop makes.
    class CSource : public IDropSource
    {
    public:
        explicit CSource(COleDropSource* pOwner) : m_nRefs(1), m_pOwner(pOwner) {}
        virtual ~CSource() {}
        void CutOff() { m_pOwner = nullptr; }
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&m_nRefs); }
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override
        { return m_pOwner ? m_pOwner->QueryContinueDrag(fEscapePressed, grfKeyState) : DRAGDROP_S_CANCEL; }
        HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override
        { return m_pOwner ? m_pOwner->GiveFeedback(dwEffect) : DRAGDROP_S_USEDEFAULTCURSORS; }

    private:
        LONG m_nRefs;
        COleDropSource* m_pOwner;
    };

    // TRUE: drag, FALSE: no drag; -1 while the message says neither.
    int CheckBeginDragMessage(const MSG& msg) const;

    CSource* m_pSource;
};
