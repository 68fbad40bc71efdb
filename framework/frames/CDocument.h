// A document: the data one or more views show. It belongs to its template; it is deleted when
// its last view goes (m_bAutoDelete) or when it is closed.
#pragma once

#include "framework/window/CCmdTarget.h"
#include "framework/core/CString.h"

#include <vector>

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget
{
    DECLARE_DYNCREATE(CDocument)
public:
    CDocument();
    ~CDocument() override;

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const wchar_t* lpszPathName);
    // Closes every frame showing the document, then deletes it when m_bAutoDelete is set.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    // Called when a view comes or goes; the last view's leaving closes the document.
    virtual void OnChangedViewList();

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    // Every view but pSender is told (OnUpdate).
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const wchar_t* lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    void SetPathName(const wchar_t* lpszPathName) { m_strPathName = lpszPathName; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    BOOL m_bAutoDelete;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    BOOL m_bModified;
    std::vector<CView*> m_viewList;

    friend class CDocTemplate;

    // File Close: the document and all its windows.
    virtual void OnFileClose();

    DECLARE_MESSAGE_MAP()

private:
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
};
