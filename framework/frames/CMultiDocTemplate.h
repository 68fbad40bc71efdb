// A template whose documents each open in their own MDI child frame; any number at a time.
#pragma once

#include "framework/frames/CDocTemplate.h"
#include "framework/core/CString.h"

#include <vector>

class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                      const CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(const wchar_t* lpszPathName, BOOL bMakeVisible = TRUE) override;
    // The resource string's document name (its second "\n" part) and a running number.
    void SetDefaultTitle(CDocument* pDocument) override;

protected:
    std::vector<CDocument*> m_docList;
    UINT m_nUntitledCount;
};
