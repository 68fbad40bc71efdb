// A view: the child window of a frame that shows a document. Its commands go to it first, then
// to its document. Views are made by their frame from a CCreateContext and delete themselves
// when their window goes.
#pragma once

#include "framework/window/CWnd.h"
#include "framework/gdi/CSize.h"

#include <vector>

class CDC;
class CDocument;
class CFrameWnd;
class CPrintInfo;

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

    // --- printing: File Print and Print Preview run these steps in turn.
    // Asks for the printer (DoPreparePrinting); FALSE ends the print.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // Lays the pages out on pDC in pInfo->m_rectDraw and sets pInfo->m_nMaxPage.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Draws page pInfo->m_nCurPage; by default what OnDraw draws.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The pages as the print would make them, on the application's printer or, without one, on
    // an A4 page at the screen's resolution: one metafile per page, the caller's to delete.
    std::vector<HENHMETAFILE> RecordPages(CSize& sizePage);

protected:
    // The print dialog on the application's printer; TRUE when it ended with a printer to use.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    void OnFilePrint();
    void OnFilePrintPreview();
    virtual void OnDraw(CDC* pDC);
    void PostNcDestroy() override;

    CDocument* m_pDocument;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()

private:
    // The whole print on a printer's context; FALSE when the printer refused it.
    BOOL PrintPages(CDC* pDC, CPrintInfo* pInfo);
    void OnPaint();
    void OnDestroy();
};
