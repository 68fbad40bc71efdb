// A kind of document: its resource id (the frame's menu, icon, accelerators and title), and the
// classes of its document, frame and view, created by name when a document is opened.
#pragma once

#include "framework/core/CString.h"
#include "framework/window/CCmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
public:
    ~CDocTemplate() override;

    // The parts of the template's resource string, in their order, "\n" between them.
    enum DocStringIndex
    {
        windowTitle,
        docName,
        fileNewName,
        filterName, // "Text Files (*.txt)"
        filterExt,  // ".txt", or several joined by ";"
    };
    // FALSE when that part is empty or missing.
    BOOL GetDocString(CString& rString, DocStringIndex index) const;
    // TRUE when the file's extension is one of the template's filter extensions: the files it
    // opens. A template without one opens no file.
    virtual BOOL MatchDocType(const wchar_t* lpszPathName) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // A new document, or null when its class cannot be created.
    virtual CDocument* CreateNewDocument();
    // A new frame with its view on pDoc; null (with nothing left over) on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // Sends the views their first update and shows the frame when bMakeVisible.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // A null path makes a new, untitled document. Null when anything fails.
    virtual CDocument* OpenDocumentFile(const wchar_t* lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    // Closes every document of the template.
    virtual void CloseAllDocuments();

    UINT m_nIDResource;
    // The template's own menu and accelerators, shown while one of its frames is active.
    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;

protected:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);

    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};
