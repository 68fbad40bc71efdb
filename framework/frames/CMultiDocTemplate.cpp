#include "framework/frames/CMultiDocTemplate.h"

#include "framework/frames/CDocument.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/core/PositionList.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                     const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_nUntitledCount(0)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open lose their template rather than pointing at a deleted one.
    for (CDocument* pDoc : std::vector<CDocument*>(m_docList))
        CDocTemplate::RemoveDocument(pDoc);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return AfxFirstPosition(m_docList);
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return AfxNextAt(m_docList, rPos);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.push_back(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), pDoc), m_docList.end());
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const wchar_t* lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDoc = CreateNewDocument();
    if (!pDoc)
        return nullptr;
    BOOL bAutoDelete = pDoc->m_bAutoDelete;
    pDoc->m_bAutoDelete = FALSE; // a frame that fails must not take the document with it
    CFrameWnd* pFrame = CreateNewFrame(pDoc, nullptr);
    pDoc->m_bAutoDelete = bAutoDelete;
    if (!pFrame)
    {
        delete pDoc;
        return nullptr;
    }
    BOOL bOpened = FALSE;
    if (!lpszPathName)
    {
        SetDefaultTitle(pDoc);
        bOpened = pDoc->OnNewDocument();
    }
    else
        bOpened = pDoc->OnOpenDocument(lpszPathName);
    if (!bOpened)
    {
        // Destroying the frame removes the last view, which closes the document.
        pFrame->DestroyWindow();
        return nullptr;
    }
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strName;
    if (!GetDocString(strName, docName))
        strName = L"Untitled";
    CString strTitle;
    strTitle.Format(L"%s%u", strName.GetString(), ++m_nUntitledCount);
    pDocument->SetTitle(strTitle);
}
