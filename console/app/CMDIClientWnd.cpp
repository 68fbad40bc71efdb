#include "console/app/CMDIClientWnd.h"

#include "console/app/CLogoPainter.h"
#include "console/app/RegisteredMessage.h"
#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CDC.h"
#include "framework/window/CWinApp.h"
#include "resources/console/BelvaneRes.h"

IMPLEMENT_DYNAMIC(CMDIClientWnd, CWnd)

BEGIN_MESSAGE_MAP(CMDIClientWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_HSCROLL, OnHScroll)
    ON_MESSAGE(WM_VSCROLL, OnVScroll)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgRedraw, OnRedraw)
END_MESSAGE_MAP()

void CMDIClientWnd::PaintBackground(CDC* pDC, const RECT& rectClient)
{
    pDC->FillSolidRect(rectClient, GetSysColor(COLOR_WINDOW));
    CBitmap tile;
    if (!tile.LoadBitmap(IDB_BACKGROUND_TILE))
        return;
    BITMAP bm;
    tile.GetBitmap(&bm);
    CDC dcMemory;
    if (!dcMemory.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ hOld = dcMemory.SelectObject(&tile);
    dcMemory.SetMapMode(pDC->GetMapMode());
    for (int x = 0; x < rectClient.right; x += bm.bmWidth)
        for (int y = 0; y < rectClient.bottom; y += bm.bmHeight)
            pDC->BitBlt(x, y, bm.bmWidth, bm.bmHeight, &dcMemory, 0, 0, SRCCOPY);
    dcMemory.SelectObject(hOld);
}

BOOL CMDIClientWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    PaintBackground(pDC, rect);
    if (m_bShowLogo)
        CLogoPainter().Draw(this, pDC, rect.Width(), rect.Height(), TRUE, TRUE);
    return TRUE;
}

void CMDIClientWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RedrawAll();
}

LRESULT CMDIClientWnd::OnHScroll(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    PostMessage(RegisteredMessage::nMsgRedraw);
    return lResult;
}

LRESULT CMDIClientWnd::OnVScroll(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    PostMessage(RegisteredMessage::nMsgRedraw);
    return lResult;
}

LRESULT CMDIClientWnd::OnRedraw(WPARAM, LPARAM)
{
    Default();
    RedrawAll();
    return 0;
}

void CMDIClientWnd::RedrawAll()
{
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_NOCHILDREN);
}

BOOL CMDIClientWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->m_pMainWnd || !pApp->m_pMainWnd->m_hWnd)
        return FALSE;
    MSG msg = {pApp->m_pMainWnd->m_hWnd, WM_COMMAND, wParam, lParam, GetTickCount(), {}};
    DispatchMessageW(&msg);
    return TRUE;
}
