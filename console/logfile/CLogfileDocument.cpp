#include "console/logfile/CLogfileDocument.h"

#include "framework/frames/CFrameWnd.h"
#include "framework/frames/CView.h"

IMPLEMENT_DYNCREATE(CLogfileDocument, CDocument)

void CLogfileDocument::OnFileClose()
{
    POSITION pos = GetFirstViewPosition();
    while (CView* pView = GetNextView(pos))
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            pFrame->SendMessage(WM_CLOSE);
}
