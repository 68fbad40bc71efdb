#include "framework/frames/CView.h"

#include "framework/frames/CDocument.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/frames/CPreviewWnd.h"
#include "framework/frames/CPrintInfo.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/CPaintDC.h"
#include "framework/window/AfxIds.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CWinApp.h"

#include <winspool.h>

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

namespace
{
// An information context on the application's printer, else on the system's default printer;
// null when there is none.
HDC CreatePrinterIC()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_hDevNames)
    {
        const DEVNAMES* pNames = (const DEVNAMES*)GlobalLock(pApp->m_hDevNames);
        const DEVMODEW* pMode = pApp->m_hDevMode ? (const DEVMODEW*)GlobalLock(pApp->m_hDevMode) : nullptr;
        const wchar_t* pszBase = (const wchar_t*)pNames;
        HDC hIC = CreateICW(pszBase + pNames->wDriverOffset, pszBase + pNames->wDeviceOffset, nullptr, pMode);
        if (pMode)
            GlobalUnlock(pApp->m_hDevMode);
        GlobalUnlock(pApp->m_hDevNames);
        return hIC;
    }
    wchar_t szPrinter[256];
    DWORD dwChars = sizeof szPrinter / sizeof szPrinter[0];
    return GetDefaultPrinterW(szPrinter, &dwChars) ? CreateICW(L"WINSPOOL", szPrinter, nullptr, nullptr) : nullptr;
}

// The printable area of the printer, or an A4 sheet at the screen's resolution.
CRect PageRect(HDC hIC, BOOL bPrinter)
{
    if (bPrinter)
        return CRect(0, 0, GetDeviceCaps(hIC, HORZRES), GetDeviceCaps(hIC, VERTRES));
    return CRect(0, 0, MulDiv(2100, GetDeviceCaps(hIC, LOGPIXELSX), 254),
                 MulDiv(2970, GetDeviceCaps(hIC, LOGPIXELSY), 254));
}
} // namespace

CView::CView() : m_pDocument(nullptr)
{
}

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTW& cs)
{
    // A bordered view gets the sunken edge of the system's look instead.
    if (cs.style & WS_BORDER)
    {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && m_hWnd && !::IsChild(m_hWnd, ::GetFocus()))
        SetFocus();
}

void CView::OnDraw(CDC*)
{
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    PRINTDLGW& pd = pInfo->m_pd.m_pd;
    pInfo->m_pd.m_pParentWnd = GetTopLevelFrame();
    if (pApp)
    {
        pd.hDevMode = pApp->m_hDevMode;
        pd.hDevNames = pApp->m_hDevNames;
    }
    INT_PTR nResult = pInfo->m_pd.DoModal();
    // Whatever the answer, the dialog's handles are the application's printer now.
    if (pApp)
    {
        pApp->m_hDevMode = pd.hDevMode;
        pApp->m_hDevNames = pd.hDevNames;
    }
    if (nResult != IDOK)
        return FALSE;
    if (!pd.hDC)
        AfxMessageBox(L"The printer cannot be used.", MB_OK | MB_ICONEXCLAMATION);
    return pd.hDC != nullptr;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo* pInfo)
{
    pInfo->m_nMaxPage = 1;
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (!OnPreparePrinting(&info))
        return;
    HDC hDC = info.m_pd.m_pd.hDC;
    info.m_pd.m_pd.hDC = nullptr;
    CDC dc;
    dc.Attach(hDC);
    BOOL bPrinted = PrintPages(&dc, &info);
    dc.DeleteDC();
    if (!bPrinted)
        AfxMessageBox(L"The document could not be printed.", MB_OK | MB_ICONEXCLAMATION);
}

BOOL CView::PrintPages(CDC* pDC, CPrintInfo* pInfo)
{
    pInfo->m_rectDraw = PageRect(pDC->m_hDC, TRUE);
    OnBeginPrinting(pDC, pInfo);
    CString strTitle = GetParentFrame() ? GetParentFrame()->GetWindowText() : CString();
    DOCINFOW docInfo = {sizeof docInfo, strTitle, nullptr, nullptr, 0};
    BOOL bPrinted = StartDocW(pDC->m_hDC, &docInfo) > 0;
    for (UINT nPage = 1; bPrinted && nPage <= pInfo->m_nMaxPage; nPage++)
    {
        pInfo->m_nCurPage = nPage;
        bPrinted = StartPage(pDC->m_hDC) > 0;
        if (bPrinted)
        {
            OnPrint(pDC, pInfo);
            bPrinted = EndPage(pDC->m_hDC) > 0;
        }
    }
    if (bPrinted)
        bPrinted = EndDoc(pDC->m_hDC) > 0;
    else
        AbortDoc(pDC->m_hDC);
    OnEndPrinting(pDC, pInfo);
    return bPrinted;
}

std::vector<HENHMETAFILE> CView::RecordPages(CSize& sizePage)
{
    HDC hPrinter = CreatePrinterIC();
    HDC hRef = hPrinter ? hPrinter : GetDC(nullptr);
    CPrintInfo info;
    info.m_bPreview = TRUE;
    info.m_rectDraw = PageRect(hRef, hPrinter != nullptr);
    sizePage = info.m_rectDraw.Size();
    CDC dcRef;
    dcRef.Attach(hRef);
    OnBeginPrinting(&dcRef, &info);
    // The metafile's frame is the page in hundredths of a millimetre.
    RECT rcFrame = {0, 0, MulDiv(sizePage.cx, 2540, GetDeviceCaps(hRef, LOGPIXELSX)),
                    MulDiv(sizePage.cy, 2540, GetDeviceCaps(hRef, LOGPIXELSY))};
    std::vector<HENHMETAFILE> pages;
    for (UINT nPage = 1; nPage <= info.m_nMaxPage; nPage++)
    {
        CDC dcPage;
        if (!dcPage.Attach(CreateEnhMetaFileW(hRef, nullptr, &rcFrame, nullptr)))
            break;
        info.m_nCurPage = nPage;
        OnPrint(&dcPage, &info);
        pages.push_back(CloseEnhMetaFile(dcPage.Detach()));
    }
    OnEndPrinting(&dcRef, &info);
    dcRef.Detach();
    if (hPrinter)
        DeleteDC(hPrinter);
    else
        ReleaseDC(nullptr, hRef);
    return pages;
}

void CView::OnFilePrintPreview()
{
    CSize sizePage;
    std::vector<HENHMETAFILE> pages = RecordPages(sizePage);
    CFrameWnd* pFrame = GetParentFrame();
    if (!CPreviewWnd::Open(m_hWnd, std::move(pages), sizePage, GetTopLevelFrame(),
                           pFrame ? pFrame->GetWindowText() : CString()))
        AfxMessageBox(L"The print preview could not be opened.", MB_OK | MB_ICONEXCLAMATION);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITIALUPDATE)
    {
        OnInitialUpdate();
        *pResult = 0;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CView::PostNcDestroy()
{
    delete this;
}
