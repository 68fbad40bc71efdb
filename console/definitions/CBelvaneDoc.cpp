#include "console/definitions/CBelvaneDoc.h"

IMPLEMENT_DYNCREATE(CBelvaneDoc, CDocument)

BOOL CBelvaneDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_definitions.Load();
    return TRUE;
}

void CBelvaneDoc::DeleteContents()
{
    m_definitions.RemoveAll();
}

BOOL CBelvaneDoc::SaveAndUpdate(CView* pSender, LPARAM lHint, DWORD& dwError)
{
    BOOL bSaved = m_definitions.Save();
    dwError = bSaved ? ERROR_SUCCESS : GetLastError();
    UpdateAllViews(pSender, lHint);
    return bSaved;
}
