#include "framework/frames/CPreviewWnd.h"

#include "framework/gdi/CPaintDC.h"
#include "framework/window/AfxIds.h"

#include <memory>

namespace
{
const int kButtonWidth = 90;
const int kButtonHeight = 24;
const int kMargin = 8;
} // namespace

BEGIN_MESSAGE_MAP(CPreviewWnd, CWnd)
    ON_WM_PAINT()
    ON_COMMAND(IDC_PREVIEW_PRINT, OnPrint)
    ON_COMMAND(IDC_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(IDC_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(IDC_PREVIEW_CLOSE, OnClosePreview)
END_MESSAGE_MAP()

CPreviewWnd::CPreviewWnd(HWND hView, std::vector<HENHMETAFILE> pages, CSize sizePage)
    : m_hView(hView), m_pages(std::move(pages)), m_sizePage(sizePage), m_nPage(0), m_bAutoDelete(FALSE)
{
}

CPreviewWnd::~CPreviewWnd()
{
    for (HENHMETAFILE hPage : m_pages)
        DeleteEnhMetaFile(hPage);
}

BOOL CPreviewWnd::Open(HWND hView, std::vector<HENHMETAFILE> pages, CSize sizePage, CWnd* pOwner,
                       const CString& strTitle)
{
    std::unique_ptr<CPreviewWnd> pPreview(new CPreviewWnd(hView, std::move(pages), sizePage));
    if (!pPreview->Create(pOwner, strTitle))
        return FALSE;
    pPreview.release();
    return TRUE;
}

BOOL CPreviewWnd::Create(CWnd* pOwner, const CString& strTitle)
{
    const wchar_t* pszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW),
                                                  GetSysColorBrush(COLOR_APPWORKSPACE));
    if (!CreateEx(0, pszClass, L"Print Preview - " + strTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                  CW_USEDEFAULT, 640, 800, pOwner ? pOwner->m_hWnd : nullptr, nullptr))
    {
        // A creation refused after the window was attached leaves its dead handle.
        Detach();
        return FALSE;
    }
    m_bAutoDelete = TRUE;
    static const struct
    {
        UINT nID;
        const wchar_t* pszText;
    } buttons[] = {{IDC_PREVIEW_PRINT, L"&Print..."},
                   {IDC_PREVIEW_PREV, L"Pre&v Page"},
                   {IDC_PREVIEW_NEXT, L"&Next Page"},
                   {IDC_PREVIEW_CLOSE, L"&Close"}};
    int x = kMargin;
    for (const auto& button : buttons)
    {
        HWND hButton = CreateWindowExW(0, L"BUTTON", button.pszText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, kMargin,
                                       kButtonWidth, kButtonHeight, m_hWnd, (HMENU)(UINT_PTR)button.nID, nullptr, nullptr);
        ::SendMessageW(hButton, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
        x += kButtonWidth + kMargin;
    }
    ShowPage(0);
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CPreviewWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CPreviewWnd::ShowPage(UINT nPage)
{
    m_nPage = nPage;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PREVIEW_PREV), m_nPage > 0);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PREVIEW_NEXT), m_nPage + 1 < m_pages.size());
    Invalidate();
}

CRect CPreviewWnd::PageRect() const
{
    CRect rectClient;
    GetClientRect(rectClient);
    int nTop = 2 * kMargin + kButtonHeight;
    int cxRoom = rectClient.Width() - 2 * kMargin, cyRoom = rectClient.Height() - nTop - kMargin;
    if (cxRoom <= 0 || cyRoom <= 0 || m_sizePage.cx <= 0 || m_sizePage.cy <= 0)
        return CRect();
    // The page keeps its proportions.
    int cx = cxRoom, cy = MulDiv(cxRoom, m_sizePage.cy, m_sizePage.cx);
    if (cy > cyRoom)
    {
        cy = cyRoom;
        cx = MulDiv(cyRoom, m_sizePage.cx, m_sizePage.cy);
    }
    int x = (rectClient.Width() - cx) / 2;
    return CRect(x, nTop, x + cx, nTop + cy);
}

void CPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rectPage = PageRect();
    if (rectPage.IsRectEmpty())
        return;
    dc.FillSolidRect(rectPage, RGB(255, 255, 255));
    if (m_nPage < m_pages.size())
        PlayEnhMetaFile(dc.m_hDC, m_pages[m_nPage], rectPage);
    CString strPage;
    strPage.Format(L"Page %u of %u", GetCurrentPage(), GetPageCount());
    CRect rectText(4 * (kButtonWidth + kMargin) + kMargin, kMargin, rectPage.right, kMargin + kButtonHeight);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(strPage, rectText, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void CPreviewWnd::OnPrint()
{
    HWND hView = m_hView;
    DestroyWindow();
    // The view may have closed while its preview was open.
    if (::IsWindow(hView))
        ::SendMessageW(hView, WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewWnd::OnPrevPage()
{
    if (m_nPage > 0)
        ShowPage(m_nPage - 1);
}

void CPreviewWnd::OnNextPage()
{
    if (m_nPage + 1 < m_pages.size())
        ShowPage(m_nPage + 1);
}

void CPreviewWnd::OnClosePreview()
{
    DestroyWindow();
}
