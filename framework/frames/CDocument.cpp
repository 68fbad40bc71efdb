#include "framework/frames/CDocument.h"

#include "framework/frames/CDocTemplate.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/frames/CView.h"
#include "framework/core/PositionList.h"
#include "framework/window/AfxIds.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

CDocument::CDocument() : m_bAutoDelete(TRUE), m_pDocTemplate(nullptr), m_bModified(FALSE)
{
}

CDocument::~CDocument()
{
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const wchar_t* lpszPathName)
{
    DeleteContents();
    SetPathName(lpszPathName);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames removes the views; the document must outlive that.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty())
    {
        CView* pView = m_viewList.front();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame)
            pFrame->DestroyWindow();
        else
            pView->DestroyWindow();
        // A view whose window is already gone must not keep the loop going.
        RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::OnFileClose()
{
    OnCloseDocument();
}

void CDocument::DeleteContents()
{
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.empty() && m_bAutoDelete)
        OnCloseDocument();
}

void CDocument::AddView(CView* pView)
{
    if (std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const
{
    return AfxFirstPosition(m_viewList);
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return AfxNextAt(m_viewList, rPosition);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (CView* pView : std::vector<CView*>(m_viewList))
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
}

void CDocument::SetTitle(const wchar_t* lpszTitle)
{
    m_strTitle = lpszTitle;
    for (CView* pView : m_viewList)
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
}
