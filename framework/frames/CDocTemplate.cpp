#include "framework/frames/CDocTemplate.h"

#include "framework/frames/CCreateContext.h"
#include "framework/frames/CDocument.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/window/CWnd.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_hMenuShared(nullptr), m_hAccelTable(nullptr), m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    if (AfxHasResource(nIDResource, (LPCWSTR)RT_MENU))
        m_hMenuShared = LoadMenuW(hInstance, MAKEINTRESOURCEW(nIDResource));
    if (AfxHasResource(nIDResource, (LPCWSTR)RT_ACCELERATOR))
        m_hAccelTable = LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(nIDResource));
}

CDocTemplate::~CDocTemplate()
{
    if (m_hMenuShared)
        DestroyMenu(m_hMenuShared);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    CString strResource;
    strResource.LoadString(m_nIDResource);
    int nStart = 0;
    for (int i = 0; i < (int)index && nStart >= 0; ++i)
    {
        nStart = strResource.Find(L'\n', nStart);
        if (nStart >= 0)
            ++nStart;
    }
    rString = nStart < 0 ? CString() : strResource.Mid(nStart).SpanExcluding(L"\n");
    return !rString.IsEmpty();
}

BOOL CDocTemplate::MatchDocType(const wchar_t* lpszPathName) const
{
    CString strExtensions;
    if (!GetDocString(strExtensions, filterExt))
        return FALSE;
    CString strPath(lpszPathName);
    int nStart = 0;
    for (CString strExt = strExtensions.Tokenize(L";", nStart); nStart >= 0; strExt = strExtensions.Tokenize(L";", nStart))
    {
        strExt.Trim();
        if (!strExt.IsEmpty() && strPath.GetLength() > strExt.GetLength() &&
            strPath.Right(strExt.GetLength()).CompareNoCase(strExt) == 0)
            return TRUE;
    }
    return FALSE;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* pObject = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    CDocument* pDoc = pObject && pObject->IsKindOf(RUNTIME_CLASS(CDocument)) ? (CDocument*)pObject : nullptr;
    if (!pDoc)
    {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* pObject = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    if (!pObject || !pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    {
        delete pObject;
        return nullptr;
    }
    CFrameWnd* pFrame = (CFrameWnd*)pObject;
    // A frame whose window was never made deletes itself (PostNcDestroy).
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::CloseAllDocuments()
{
    while (POSITION pos = GetFirstDocPosition())
        GetNextDoc(pos)->OnCloseDocument();
}
