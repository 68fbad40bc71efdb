// A view: the child window of a frame that shows a document. Its commands go to it first, then
// to its document. Views are made by their frame from a CCreateContext and delete themselves
// when their window goes.
#pragma once

#include "framework/window/CWnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Called once, after the frame and the view exist and before the frame is first shown.
    virtual void OnInitialUpdate();
    // The document changed; pSender made the change. Repaints by default.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // The frame's active view changes.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    virtual void OnDraw(CDC* pDC);
    void PostNcDestroy() override;

    CDocument* m_pDocument;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()

private:
    void OnPaint();
    void OnDestroy();
};
